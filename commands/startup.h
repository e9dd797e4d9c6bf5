#pragma once
// The steps of the main window's start-up that do not depend on widgets,
// written as plain functions so that tests can run them one by one: reading
// the command line, the program and working folders, the first values of the
// editing state, the empty working document, the opening of the file named
// on the command line and the first showing of the page.

#include "commands/document_loading.h"
#include "document/folder_path.h"
#include "document/work_dir.h"
#include "editor/editor.h"

#include <QStringList>

#include <memory>
#include <string>

namespace veltrano {

// The application's title: the caption of an untitled document and of the
// program's own message boxes.
inline constexpr const char* kApplicationTitle = "Veltrano";

// What start-up takes from the process and the system. Tests fill it in by
// hand; fromProcess() reads the running process.
struct StartupEnvironment {
    std::string programPath;     // the running executable
    QStringList parameters;      // command-line parameters after the program
    int screenWidth = 1024;
    std::string documentsFolder; // the user's documents folder; empty if none
    std::string appDataFolder;   // the user's application-data folder; empty if none

    static StartupEnvironment fromProcess();
};

// The command line in its two forms: "StrukCD" followed by a folder switches
// the formula-plus-answer mode on; anything else names a file. Parameters are
// joined with one blank, so an unquoted path with blanks arrives whole.
struct CommandLine {
    std::string answerDir;  // empty: the formula-plus-answer mode is off
    std::string fileName;   // empty: no file to open

    bool opensFile() const { return answerDir.empty() && !fileName.empty(); }
};

CommandLine readCommandLine(const QStringList& parameters);

// Appends ".cfd" unless the fourth character from the end is a dot (names of
// fewer than four characters always get it): benzol -> benzol.cfd, x.txt
// stays, x.cf -> x.cf.cfd.
std::string withDefaultExtension(const std::string& name);

// The folder of the running program, with its trailing separator.
std::string programDirOf(const std::string& programPath);

// The working folder: "temp" inside the application-data folder, or the
// program's folder when there is no application-data folder.
std::string chooseWorkDir(const std::string& appDataFolder, const std::string& programDir);

// Screens narrower than this get the compact layout.
constexpr int kCompactScreenWidth = 780;
constexpr bool usesCompactLayout(int screenWidth) { return screenWidth < kCompactScreenWidth; }

// The first values of the tool and editing state and of the controls that
// show them: curvature "0", line length "30", no selection, nothing
// modified; the tools are those of the buttons pressed at start (single
// bond, "DB", ring size 6, black), taken from the same table rows.
void setStartState(Editor& editor);

// temp.dat becomes an empty document; an old one is emptied. A failure (an
// unwritable WorkDir) is shown in the general error box and start-up goes on.
void createEmptyWorkingDocument(Editor& editor);

// Starts the working document in the WorkDir that start-up locked: the
// scratch files of an earlier run are removed and temp.dat is created
// empty, unless the WorkDir was taken over from an editor that did not end
// cleanly and the user restores its unsaved drawing (offerRecovery); then
// it returns true and the drawing is the untitled, modified document, and
// a command-line file is not opened over it. Without a usable WorkDir the user gets one message
// naming the folder, and the editor is marked as having none (the page
// stays blank, the pointer does nothing, no file is opened). Nothing falls
// back to the program's folder, where an installed program has no place
// for working files.
bool startWorkingDocument(Editor& editor, const WorkDirLock& workDir);

// The editor of a main window whose controls exist, and the WorkDir lock it
// holds while it runs.
struct EditorStart {
    CommandLine commandLine;
    std::unique_ptr<WorkDirLock> workDir;
    std::unique_ptr<Editor> editor;
};

// The main window's creation, in the order the window depends on: the
// command line (outside the formula-plus-answer mode its menu item and
// memo are hidden), ProgramDir and the WorkDir with its lock, the folders
// of the dialogs, the start state, the working document and the
// command-line file. Each of the last two runs as a handler runs (guarded):
// running out of memory or a run-time error is a message and the window
// opens. A restored drawing of a crashed run is not replaced by the file,
// nor is whatever temp.dat holds when the start failed half-way.
EditorStart startEditor(FileSystem& fs, UiPort& ui, const StartupEnvironment& environment);

// The message of a WorkDir that could not be had: not created or not
// writable, or every numbered folder held by another running editor.
std::string workDirMissingMessage(const WorkDirLock& workDir);

// Opens the command-line file name (the default extension is added here):
// a missing file opens as an empty document under its name after the
// message "Datei nicht gefunden" with the name, a file that exists but
// cannot be read gives "Die Datei konnte nicht geöffnet werden." and an
// untitled document, and a file that does not look like a drawing is
// opened only when the user chooses "Trotzdem öffnen" (else the untitled
// document stays). The file is read and parsed whole before it replaces
// temp.dat (loadDocument, as "Ö&ffnen" loads), so a file that cannot be
// read, or does not fit in memory, leaves the empty document.
void openCommandLineFile(Editor& editor, const std::string& name);

// The message for a command-line file that does not exist.
std::string missingCommandLineFileMessage(const std::string& name);

// The first showing of the main window: Edit1 gets the focus, the view is
// reset and the document drawn (a blank page without a WorkDir). Record-file
// errors propagate.
void FormShow(Editor& editor);

}  // namespace veltrano
