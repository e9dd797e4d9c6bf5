#include "commands/crash_recovery.h"

#include "commands/document_loading.h"
#include "document/io_error.h"
#include "document/record_file.h"
#include "document/working_file.h"
#include "editor/ui_port.h"

#include <QDir>
#include <QRegularExpression>

namespace veltrano {

namespace {

// The editor's own record of what was saved, and the mark file beside
// temp.dat for a start after a crash.
void noteSavedContent(Editor& editor, const ContentMark& mark)
{
    editor.document.SavedContent = mark;
    const std::string path = editor.workingFile.pathOf(kSavedMarkName);
    try {
        writeFileBytes(editor.fileSystem, path, mark.line());
    } catch (const IoError&) {
        // An old mark must not vouch for the new content.
        editor.fileSystem.remove(path);
    }
}

}  // namespace

std::string recoveryQuestion(std::uint32_t count)
{
    const std::string elements = count == 1 ? "1 Element" : std::to_string(count) + " Elemente";
    return "Veltrano wurde nicht ordnungsgemäß beendet. Soll die ungesicherte Zeichnung (" + elements +
           ") wiederhergestellt werden?";
}

std::string recoveryFileName(const QDateTime& when, int number)
{
    QString name = QStringLiteral("wiederherstellung-") + when.toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    if (number > 1)
        name += QStringLiteral("-%1").arg(number);
    return (name + QStringLiteral(".dat")).toStdString();
}

void removeScratchFiles(Editor& editor)
{
    WorkingFile& working = editor.workingFile;
    for (std::string_view name : {workfile::Scratch, workfile::MergeCopy, workfile::DeleteResult})
        editor.fileSystem.remove(working.pathOf(name));
    // The partial file of a save, beside the saved file.
    working.removeInterruptedSave();
    // The partial files of atomic writes: the target's name, ".part" and
    // random digits (earlier versions: the process id). Only this editor
    // uses its locked WorkDir.
    static const QRegularExpression partial(QStringLiteral("\\.part[0-9]+$"));
    const QStringList names = QDir(QString::fromStdString(working.workDir()))
                                  .entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (partial.match(name).hasMatch() || UndoHistory::isStepFile(name.toStdString()))
            editor.fileSystem.remove(working.pathOf(name.toStdString()));
    }
}

void noteDocumentSaved(Editor& editor)
{
    try {
        noteSavedContent(editor, ContentMark::ofFile(editor.fileSystem, editor.workingFile.path()));
    } catch (const IoError&) {
        // Unknown content: every later question asks.
        editor.document.SavedContent = ContentMark{};
        editor.fileSystem.remove(editor.workingFile.pathOf(kSavedMarkName));
    }
}

void noteDocumentSaved(Editor& editor, const std::vector<ElementRecord>& records)
{
    noteSavedContent(editor, ContentMark::of(records));
}

std::uint32_t unsavedRecordCount(Editor& editor)
{
    std::vector<std::uint8_t> document;
    try {
        document = readFileBytes(editor.fileSystem, editor.workingFile.path());
    } catch (const IoError&) {
        return 0;
    }
    const auto count = std::uint32_t(document.size() / kRecordSize);
    if (count == 0)
        return 0;
    try {
        if (readFileBytes(editor.fileSystem, editor.workingFile.pathOf(kSavedMarkName)) ==
            ContentMark::of(document).line())
            return 0;
    } catch (const IoError&) {
        // No mark: never saved, or the mark was lost; the user decides.
    }
    return count;
}

bool offerRecovery(Editor& editor, const QDateTime& now)
{
    const std::uint32_t count = unsavedRecordCount(editor);
    if (count == 0)
        return false;
    if (editor.ui.messageBox(recoveryQuestion(count), MessageKind::Confirmation, MessageButtons::YesNo) != MessageResult::Yes) {
        std::string kept = editor.workingFile.pathOf(recoveryFileName(now));
        for (int number = 2; editor.fileSystem.exists(kept); ++number)
            kept = editor.workingFile.pathOf(recoveryFileName(now, number));
        try {
            copyFile(editor.fileSystem, editor.workingFile.path(), kept, Durability::Flushed);
            editor.fileSystem.remove(editor.workingFile.pathOf(kSavedMarkName));
            return false;
        } catch (const IoError& error) {
            // Emptying temp.dat now would lose the only copy.
            editor.ui.showError(error.what());
        }
    }
    editor.document.DocumentName.clear();
    editor.document.SavedRecordCount = 0;
    editor.document.SavedContent = ContentMark::empty();
    editor.editing.Modified = true;
    editor.ui.setCaption(captionFor({}));
    return true;
}

}  // namespace veltrano
