#include "commands/startup.h"

#include "commands/crash_recovery.h"
#include "commands/formula_file_check.h"
#include "commands/recent_files.h"
#include "document/io_error.h"
#include "editor/full_repaint.h"
#include "editor/guarded.h"
#include "editor/main_control_tables.h"
#include "render/page.h"
#include "render/view_state.h"

#include <QCoreApplication>

#include <cerrno>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

namespace veltrano {

namespace {

const QString kAnswerSwitch = QStringLiteral("StrukCD");
const QString kDefaultExtension = QStringLiteral(".cfd");
const QString kWorkFolderName = QStringLiteral("temp");

// A WorkDir shorter than this cannot lie inside an application-data folder:
// it is "temp" alone, left when the system had no such folder.
constexpr int kShortestWorkDir = 9;

std::string absolutePath(const std::string& name)
{
    return QFileInfo(QString::fromStdString(name)).absoluteFilePath().toStdString();
}

}  // namespace

StartupEnvironment StartupEnvironment::fromProcess()
{
    StartupEnvironment environment;
    environment.programPath = QCoreApplication::applicationFilePath().toStdString();
    environment.parameters = QCoreApplication::arguments().mid(1);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        environment.screenWidth = screen->size().width();
    environment.documentsFolder =
        withSeparator(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString());
    // $XDG_DATA_HOME/veltrano/ (normally ~/.local/share/veltrano/).
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!dataHome.isEmpty())
        environment.appDataFolder = withSeparator((dataHome + "/veltrano").toStdString());
    return environment;
}

CommandLine readCommandLine(const QStringList& parameters)
{
    CommandLine line;
    if (parameters.size() >= 2 && parameters.front() == kAnswerSwitch)
        line.answerDir = parameters.mid(1).join(' ').toStdString();
    if (!parameters.isEmpty() && line.answerDir.empty())
        line.fileName = parameters.join(' ').toStdString();
    return line;
}

std::string withDefaultExtension(const std::string& name)
{
    // Counted in characters, not bytes, so umlauts near the end do not hide
    // or fake the dot.
    QString text = QString::fromStdString(name);
    if (text.size() < 4 || text[text.size() - 4] != u'.')
        text += kDefaultExtension;
    return text.toStdString();
}

std::string programDirOf(const std::string& programPath)
{
    return withSeparator(QFileInfo(QString::fromStdString(programPath)).absolutePath().toStdString());
}

std::string chooseWorkDir(const std::string& appDataFolder, const std::string& programDir)
{
    const QString workDir = QString::fromStdString(withSeparator(appDataFolder)) + kWorkFolderName;
    if (workDir.size() < kShortestWorkDir)
        return withSeparator(programDir);
    return withSeparator(workDir.toStdString());
}

void setStartState(Editor& editor)
{
    editor.ui.setItemIndex(ui::kCurvatureBox, 0);
    editor.editing.SelRect = SelectionRect{0, 0, 0, 0};
    editor.editing.SelectionPresent = false;
    editor.editing.MovingSelection = false;
    editor.editing.Modified = false;
    editor.ui.setItemIndex(ui::kLineLengthBox, kStartLineLengthIndex);
    editor.tools.LineLength = startLineLength();
    editor.tools.RingStep = pressedAtStart(ringSizeButtons()).ringStep;
    editor.tools.GridOn = true;
    editor.editing.PressActive = false;
    editor.editing.FeedbackEnd = PointF{0.0, 0.0};
    editor.tools.CurrentColour = startColour();
    editor.tools.LeftTool = pressedAtStart(leftToolButtons()).code;
    editor.tools.RightLabel = pressedAtStart(rightLabelButtons()).code;
    editor.document.DocumentName.clear();
}

void createEmptyWorkingDocument(Editor& editor)
{
    try {
        editor.workingFile.createEmpty();
    } catch (const IoError& error) {
        editor.ui.showError(error.what());
    }
}

std::string workDirMissingMessage(const WorkDirLock& workDir)
{
    const std::string folder = withoutSeparator(workDir.path());
    const std::string consequence = " Zeichnungen lassen sich weder öffnen noch bearbeiten.";
    if (workDir.status() == WorkDirLock::Status::AllBusy)
        return "Alle Arbeitsordner von „" + folder + "“ bis „" + folder + std::to_string(WorkDirLock::kLastCandidate) +
               "“ sind von anderen laufenden Veltrano-Fenstern belegt." + consequence;
    return "Der Arbeitsordner „" + folder + "“ kann nicht angelegt oder nicht beschrieben werden." + consequence;
}

bool startWorkingDocument(Editor& editor, const WorkDirLock& workDir)
{
    editor.workDirUsable = workDir.isLocked();
    if (!editor.workDirUsable) {
        editor.ui.showMessage(workDirMissingMessage(workDir));
        return false;
    }
    removeScratchFiles(editor);
    if (workDir.tookOverStaleLock() && offerRecovery(editor))
        return true;
    createEmptyWorkingDocument(editor);
    return false;
}

std::string missingCommandLineFileMessage(const std::string& name)
{
    return ioErrorMessage(ENOENT) + ":\n" + name + "\n\nDie Zeichnung beginnt leer unter diesem Namen.";
}

void openCommandLineFile(Editor& editor, const std::string& parameterName)
{
    // Made absolute so that saving later does not depend on the current
    // folder of the process.
    const std::string name = absolutePath(withDefaultExtension(parameterName));

    // A missing file starts an empty document under its name, which the
    // first save creates; the user is told, since a mistyped name looks the
    // same. A file that is there but cannot be read must not pass for an
    // empty document, or saving would overwrite it with nothing: it is
    // loaded as "Ö&ffnen" loads, read whole before it replaces temp.dat, and
    // on a failure (or when it is no drawing and the user declines it) the
    // empty untitled document of the start stays.
    bool doubtful = false;
    if (editor.fileSystem.exists(name)) {
        const FileTrust trust = confirmFormulaFile(editor, name, kDoubtfulOpenConsequence);
        if (trust == FileTrust::Refused || !loadDocument(editor, name))
            return;
        doubtful = trust == FileTrust::Doubtful;
        noteDocumentSaved(editor, editor.passRecords);
        noteRecentFile(editor, name);
    } else {
        editor.ui.showMessage(missingCommandLineFileMessage(name));
        editor.document.SavedRecordCount = 0;
    }
    editor.document.SourceDoubtful = doubtful;
    editor.document.DocumentName = name;
    editor.ui.setCaption(captionFor(name));
}

EditorStart startEditor(FileSystem& fs, UiPort& ui, const StartupEnvironment& environment)
{
    EditorStart start;
    start.commandLine = readCommandLine(environment.parameters);
    if (start.commandLine.answerDir.empty()) {
        ui.setVisible(ui::kAnswerSaveItem, false);
        ui.setVisible(ui::kAnswerMemo, false);
    }
    const std::string programDir = programDirOf(environment.programPath);
    start.workDir = std::make_unique<WorkDirLock>(chooseWorkDir(environment.appDataFolder, programDir));
    start.editor = std::make_unique<Editor>(fs, ui, start.workDir->path());
    Editor& editor = *start.editor;
    editor.ProgramDir = programDir;
    editor.document.AnswerDir = start.commandLine.answerDir;
    editor.document.LastDir = environment.documentsFolder;
    setStartState(editor);
    bool started = false;
    bool recovered = false;
    runGuarded(ui, [&] {
        recovered = startWorkingDocument(editor, *start.workDir);
        started = true;
    });
    runGuarded(ui, [&] { loadRecentFiles(editor); });
    if (start.commandLine.opensFile() && editor.workDirUsable && started && !recovered)
        runGuarded(ui, [&] { openCommandLineFile(editor, start.commandLine.fileName); });
    return start;
}

void FormShow(Editor& editor)
{
    editor.ui.setFocus(ui::kTextEdit);
    ResetView(editor.view);
    if (!editor.workDirUsable) {
        // There is no document to read; the user has been told why.
        resetToBlank(editor.page);
        editor.ui.pageChanged(QRect(0, 0, kPageWidth, kPageHeight));
        return;
    }
    FullRepaint(editor);
}

}  // namespace veltrano
