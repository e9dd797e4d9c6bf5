#pragma once
// The commands of the menu "&Datei" that open, save and discard documents
// and end the program, and the close check of the main window. Each runs
// headless on the Editor and reaches the window only through its UI port;
// the window's handlers of the same names call them in one line.
//
// A save writes a complete new file, flushes it and renames it over the old
// one; a failed save throws IoError (the window shows the run-time text) and
// leaves the target and the document's state as they were. Only a written
// file counts as saved, and a command that was to save first stops when
// that save did not happen.

#include "editor/editor.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrano {

inline constexpr std::string_view kSaveFirstQuestion = "Wollen Sie nicht zuerst die aktuelle Formel sichern?";
inline constexpr std::string_view kOverwriteQuestion = "Datei überschreiben?";
inline constexpr std::string_view kAnswerOverwriteQuestion = "ACHTUNG: Datei wirklich überschreiben?";
inline constexpr std::string_view kDiscardQuestion = "Wirklich ohne zu speichern schließen?";

// "&Neu": after the offer to save a modified document, temp.dat becomes
// empty, the document untitled and unmodified, the page blank. The
// selection, the tool state and SavedRecordCount stay.
void Neu1Click(Editor& editor);

// "Ö&ffnen": after the offer to save, the chosen formula file becomes the
// document (see loadDocument); its name, caption and count are recorded
// and Modified is cleared. A cancelled dialog or a failed load changes
// nothing. LastDir and the selection stay.
void ffnen1Click(Editor& editor);

// Opens path as the document, as "Ö&ffnen" does once a file is chosen: a
// file that does not look like a drawing is opened only when the user
// agrees, and a failed load changes nothing.
void openChosenFile(Editor& editor, const std::string& path);

// Before a command that replaces the document: a modified document is
// offered for saving. False when the user asked for the save and it did
// not happen (dialog cancelled, overwrite declined); a failed save throws.
bool offerToSave(Editor& editor);

// "&Speichern": a named document is written over its file without a
// question; an untitled one goes through "Speichern &unter".
void Speichern2Click(Editor& editor);
// The same, reporting whether the file was written.
bool saveDocument(Editor& editor);

// "Speichern &unter": the save dialog in LastDir, LastDir := the chosen
// folder, the question before overwriting, then the save. Returns whether
// the file was written.
bool Speichern1Click(Editor& editor);

// "Formel+Antwort speichern": the save dialog in AnswerDir; writes the
// formula file and, beside it, the answer text of Memo1 as name.txt.
// SavedRecordCount is not changed.
void FormelAntwortspeichern1Click(Editor& editor);

// "&Beenden": ends the program. Unsaved changes are first offered with
// "Speichern", "Verwerfen" and "Abbrechen"; the program ends after a
// discard or a save that happened.
void Beenden1Click(Editor& editor);

// Closing the window: whether it may close (the same question).
bool FormCloseQuery(Editor& editor);

// The answer file's bytes for a memo text (UTF-8): Windows-1252, "?" for a
// character it cannot hold, every line break as carriage return and line
// feed.
std::vector<std::uint8_t> answerFileBytes(std::string_view memoText);

// The answer file beside a chosen formula file: the name without its last
// four characters and with ".txt", in the chosen file's folder; never the
// formula file itself (a formula file "x.txt" gets the answer "x.txt.txt").
std::string answerFilePath(const std::string& formulaPath);

}  // namespace veltrano
