#pragma once
// Loading a formula file as the working document, and the caption that
// names the document's file. Used by "Ö&ffnen" and by the start-up with a
// file argument.

#include "editor/editor.h"

#include <string>

namespace veltrano {

inline constexpr const char* kCannotOpenMessage = "Die Datei konnte nicht geöffnet werden.";

// The main window's caption: "Veltrano" for an untitled document, else
// "Veltrano:   " (three blanks) and the file name without its folder.
std::string captionFor(const std::string& documentName);

// Reads and parses the whole file, and only then replaces temp.dat by a
// writable copy of it; draws it on a blank page (the selection is left as it
// was) and records its count as SavedRecordCount. When the file cannot be
// read or held in memory, or temp.dat cannot be replaced, it shows
// "Die Datei konnte nicht geöffnet werden." and returns false with the
// document, the page and the state untouched.
bool loadDocument(Editor& editor, const std::string& path);

}  // namespace veltrano
