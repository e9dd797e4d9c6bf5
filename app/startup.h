#pragma once
// The steps of the main window's start-up that do not depend on widgets,
// written as plain functions so that tests can run them one by one: reading
// the command line, the program and working folders, the first values of the
// editing state, the empty working document and the opening of the file
// named on the command line.

#include "commands/document_loading.h"
#include "editor/editor.h"

#include <QStringList>

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

// A folder with one trailing separator; an empty folder stays empty.
std::string withSeparator(const std::string& folder);

// The folder of the running program, with its trailing separator.
std::string programDirOf(const std::string& programPath);

// The working folder: "temp" inside the application-data folder, or the
// program's folder when there is no application-data folder.
std::string chooseWorkDir(const std::string& appDataFolder, const std::string& programDir);

// Screens narrower than this get the compact layout.
constexpr int kCompactScreenWidth = 780;
constexpr bool usesCompactLayout(int screenWidth) { return screenWidth < kCompactScreenWidth; }

// The first values of the tool and editing state and of the controls that
// show them: curvature "0", line length "30", no selection, nothing modified.
void setStartState(Editor& editor);

// temp.dat becomes an empty document; an old one is emptied. A failure (an
// unwritable WorkDir) is shown in the general error box and start-up goes on.
void createEmptyWorkingDocument(Editor& editor);

// Opens the command-line file name (the default extension is added here):
// a missing file opens as an empty document under its name, a file that
// exists but cannot be read gives "Die Datei konnte nicht geöffnet werden."
// and an untitled document.
void openCommandLineFile(Editor& editor, const std::string& name);

}  // namespace veltrano
