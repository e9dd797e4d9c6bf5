#pragma once
// Before a file is opened or merged as a drawing: a file that does not look
// like a formula file (a picture, a text, random bytes) is named to the user
// with the reason, and used only when the user says so.

#include "document/plausibility.h"
#include "editor/editor.h"

#include <string>
#include <string_view>
#include <vector>

namespace veltrano {

enum class FileTrust {
    Plausible,  // looks like a drawing
    Doubtful,   // does not, and the user chose "Trotzdem öffnen"
    Refused,    // does not, and the user chose "Abbrechen"; or cannot be read
};

// What opening a doubtful file means for it afterwards.
inline constexpr std::string_view kDoubtfulOpenConsequence =
    "Wird sie trotzdem geöffnet, fragt „Speichern“ nach einem neuen Namen, damit die Datei selbst unverändert bleibt.";

// Judges the records of the file at path (fileSize bytes); asks when they
// do not look like a drawing.
FileTrust confirmFormulaRecords(Editor& editor, const std::string& path, const std::vector<ElementRecord>& records,
                                std::uint64_t fileSize, std::string_view consequence);

// The same, reading the file first (into editor.passRecords). A file that
// cannot be read, or not held in memory, gives "Die Datei konnte nicht
// geöffnet werden." and counts as refused.
FileTrust confirmFormulaFile(Editor& editor, const std::string& path, std::string_view consequence);

}  // namespace veltrano
