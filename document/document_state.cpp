#include "document/document_state.h"

#include "document/io_error.h"
#include "document/working_file.h"

namespace veltrano {

bool hasUnsavedChanges(const DocumentState& state, std::uint32_t currentRecordCount, bool modified)
{
    return modified || currentRecordCount != state.SavedRecordCount;
}

bool hasUnsavedChanges(const DocumentState& state, const WorkingFile& workingFile, bool modified)
{
    if (modified)
        return true;
    try {
        return hasUnsavedChanges(state, workingFile.recordCount(), modified);
    } catch (const IoError&) {
        return true;
    }
}

std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace veltrano
