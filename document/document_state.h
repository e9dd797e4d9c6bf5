#pragma once
// The run-time document state: which file the document belongs to, its
// record count at the last open or save, and the folders the file dialogs
// and the formula-plus-answer mode use.

#include <cstdint>
#include <string>

namespace veltrano {

class WorkingFile;

struct DocumentState {
    std::string DocumentName;           // full path of the .cfd file; empty = untitled
    std::uint32_t SavedRecordCount = 0; // record count of temp.dat at the last open or save
    std::string LastDir;                // first folder of the open and save dialogs, with a trailing separator
    std::string AnswerDir;              // folder of the formula-plus-answer mode; empty = mode off
};

// Unsaved changes: the record count differs from the one at the last open or
// save, or an edit set the Modified flag (which keeps moved or recoloured
// elements with an unchanged count from counting as saved).
bool hasUnsavedChanges(const DocumentState& state, std::uint32_t currentRecordCount, bool modified);

// The same with the current count of temp.dat. A working file whose count
// cannot be read counts as changed, so that nothing is discarded unasked.
bool hasUnsavedChanges(const DocumentState& state, const WorkingFile& workingFile, bool modified);

// The folder part of a path, with its trailing separator ("" for a bare
// name): what LastDir becomes when a file is chosen.
std::string directoryOf(const std::string& path);

}  // namespace veltrano
