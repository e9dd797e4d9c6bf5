#include "commands/file_commands.h"

#include "commands/crash_recovery.h"
#include "commands/document_loading.h"
#include "commands/formula_file_check.h"
#include "commands/recent_files.h"
#include "document/document_state.h"
#include "document/record_file.h"
#include "editor/pointer_geometry.h"
#include "render/page.h"

#include <QFileInfo>
#include <QString>

namespace veltrano {

namespace {

constexpr const char* kFormulaExtension = "cfd";
constexpr const char* kFormulaFileName = "*.cfd";
constexpr const char* kAnswerExtension = ".txt";
// The answer file's name drops this many characters of the formula file's
// name: the extension ".cfd" with its dot.
constexpr qsizetype kFormulaExtensionLength = 4;
constexpr unsigned char kUnencodable = '?';

FileDialogOptions openOptions(const std::string& folder)
{
    FileDialogOptions options;
    options.initialDirectory = folder;
    return options;
}

FileDialogOptions saveOptions(const std::string& folder)
{
    FileDialogOptions options;
    options.initialDirectory = folder;
    options.defaultExtension = kFormulaExtension;
    options.fileName = kFormulaFileName;
    return options;
}

// Whether dropping the document now would lose a drawing. Without a
// WorkDir there is no document at all.
bool hasUnsavedWork(const Editor& editor)
{
    return editor.workDirUsable && hasUnsavedChanges(editor.document, editor.workingFile);
}

// An existing file is replaced only when the user agrees.
bool mayReplace(Editor& editor, const std::string& path, std::string_view question)
{
    if (!editor.fileSystem.exists(path))
        return true;
    return editor.ui.messageBox(question, MessageKind::Warning, MessageButtons::OkCancel) == MessageResult::Ok;
}

// Before the program ends: unsaved work is saved, discarded or kept open,
// as the user answers. Saving goes where "&Speichern" goes; when it does
// not happen (a cancelled dialog), the program stays.
bool mayEndProgram(Editor& editor)
{
    if (!hasUnsavedWork(editor))
        return true;
    switch (editor.ui.messageBox(kDiscardQuestion, MessageKind::Confirmation, MessageButtons::SaveDiscardCancel)) {
    case MessageResult::Save:
        return saveDocument(editor);
    case MessageResult::Discard:
        return true;
    default:
        return false;
    }
}

void nameDocument(Editor& editor, const std::string& path)
{
    editor.document.DocumentName = path;
    editor.ui.setCaption(captionFor(path));
    noteRecentFile(editor, path);
}

}  // namespace

void Neu1Click(Editor& editor)
{
    if (!offerToSave(editor))
        return;
    // Emptied first: when that fails, the document keeps its name.
    editor.workingFile.createEmpty();
    editor.document.DocumentName.clear();
    editor.document.SourceDoubtful = false;
    editor.editing.Modified = false;
    noteDocumentSaved(editor, {});
    resetToBlank(editor.page);
    editor.canvas.setImage(editor.page);
    editor.ui.pageChanged(QRect(0, 0, kPageWidth, kPageHeight));
    editor.ui.setCaption(captionFor({}));
}

void ffnen1Click(Editor& editor)
{
    if (!offerToSave(editor))
        return;
    const std::optional<std::string> chosen = editor.ui.openFileDialog(openOptions(editor.document.LastDir));
    if (chosen)
        openChosenFile(editor, *chosen);
}

void openChosenFile(Editor& editor, const std::string& path)
{
    const FileTrust trust = confirmFormulaFile(editor, path, kDoubtfulOpenConsequence);
    if (trust == FileTrust::Refused || !loadDocument(editor, path))
        return;
    nameDocument(editor, path);
    editor.document.SourceDoubtful = trust == FileTrust::Doubtful;
    editor.editing.Modified = false;
    noteDocumentSaved(editor, editor.passRecords);
}

bool offerToSave(Editor& editor)
{
    if (!hasUnsavedWork(editor))
        return true;
    if (editor.ui.messageBox(kSaveFirstQuestion, MessageKind::Warning, MessageButtons::YesNo) != MessageResult::Yes)
        return true;
    return Speichern1Click(editor);
}

void Speichern2Click(Editor& editor)
{
    saveDocument(editor);
}

bool saveDocument(Editor& editor)
{
    // A file that did not look like a drawing when it was opened is never
    // replaced by one without the user naming it.
    if (editor.document.DocumentName.empty() || editor.document.SourceDoubtful)
        return Speichern1Click(editor);
    editor.document.SavedRecordCount = editor.workingFile.saveTo(editor.document.DocumentName);
    editor.editing.Modified = false;
    noteDocumentSaved(editor);
    return true;
}

bool Speichern1Click(Editor& editor)
{
    const std::optional<std::string> chosen = editor.ui.saveFileDialog(saveOptions(editor.document.LastDir));
    if (!chosen)
        return false;
    editor.document.LastDir = directoryOf(*chosen);
    if (!mayReplace(editor, *chosen, kOverwriteQuestion))
        return false;
    const std::uint32_t count = editor.workingFile.saveTo(*chosen);
    nameDocument(editor, *chosen);
    editor.document.SourceDoubtful = false;
    editor.document.SavedRecordCount = count;
    editor.editing.Modified = false;
    noteDocumentSaved(editor);
    return true;
}

void FormelAntwortspeichern1Click(Editor& editor)
{
    const std::string answer = editor.ui.text(ui::kAnswerMemo);
    const std::optional<std::string> chosen = editor.ui.saveFileDialog(saveOptions(editor.document.AnswerDir));
    if (!chosen)
        return;
    editor.document.LastDir = directoryOf(*chosen);
    if (!mayReplace(editor, *chosen, kAnswerOverwriteQuestion))
        return;
    editor.workingFile.saveTo(*chosen);
    nameDocument(editor, *chosen);
    editor.document.SourceDoubtful = false;
    editor.workingFile.writeKeptFile(answerFilePath(*chosen), answerFileBytes(answer));
    editor.editing.Modified = false;
    noteDocumentSaved(editor);
}

void Beenden1Click(Editor& editor)
{
    if (mayEndProgram(editor))
        editor.ui.closeMainWindow();
}

bool FormCloseQuery(Editor& editor)
{
    return mayEndProgram(editor);
}

std::vector<std::uint8_t> answerFileBytes(std::string_view memoText)
{
    const QList<uint> characters = QString::fromUtf8(memoText.data(), qsizetype(memoText.size())).toUcs4();
    std::vector<std::uint8_t> bytes;
    bytes.reserve(std::size_t(characters.size()) + 16);
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const char32_t c = characters[i];
        // Every line break, whichever way the text holds it, is written
        // as carriage return and line feed.
        if (c == U'\r' || c == U'\n') {
            if (c == U'\r' && i + 1 < characters.size() && characters[i + 1] == U'\n')
                ++i;
            bytes.push_back('\r');
            bytes.push_back('\n');
            continue;
        }
        bytes.push_back(windows1252Code(c).value_or(kUnencodable));
    }
    return bytes;
}

std::string answerFilePath(const std::string& formulaPath)
{
    const QString name = QFileInfo(QString::fromStdString(formulaPath)).fileName();
    const QString stem = name.left(std::max<qsizetype>(0, name.size() - kFormulaExtensionLength));
    const std::string answer = directoryOf(formulaPath) + (stem + kAnswerExtension).toStdString();
    // A formula file chosen with the answer's own extension must not be
    // overwritten by its answer: the answer then gets a second extension.
    if (answer == formulaPath)
        return formulaPath + kAnswerExtension;
    return answer;
}

}  // namespace veltrano
