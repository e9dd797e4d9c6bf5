#pragma once
// The run-time document state: which file the document belongs to, its
// record count at the last open or save, and the folders the file dialogs
// and the formula-plus-answer mode use.

#include "document/content_mark.h"

#include <cstdint>
#include <string>

namespace veltrano {

class WorkingFile;

struct DocumentState {
    std::string DocumentName;           // full path of the .cfd file; empty = untitled
    std::uint32_t SavedRecordCount = 0; // record count of temp.dat at the last open or save
    std::string LastDir;                // first folder of the open and save dialogs, with a trailing separator
    std::string AnswerDir;              // folder of the formula-plus-answer mode; empty = mode off

    // The drawing that nothing is lost by discarding: what temp.dat held
    // when it was last opened or saved, or the empty drawing of a new
    // document. Every edit, whatever command made it, shows as a difference
    // from it, and undoing back to it leaves nothing unsaved.
    ContentMark SavedContent = ContentMark::empty();

    // The document was opened although its file did not look like a formula
    // file: "&Speichern" then asks for a name instead of writing over it.
    bool SourceDoubtful = false;
};

// Unsaved changes: temp.dat differs from SavedContent. A working file that
// cannot be read counts as changed, so that nothing is discarded unasked.
// This one test decides every question before a drawing would be dropped.
bool hasUnsavedChanges(const DocumentState& state, const WorkingFile& workingFile);

// The folder part of a path, with its trailing separator ("" for a bare
// name): what LastDir becomes when a file is chosen.
std::string directoryOf(const std::string& path);

}  // namespace veltrano
