#include "document/document_state.h"

#include "document/io_error.h"
#include "document/working_file.h"

#include <new>

namespace veltrano {

bool hasUnsavedChanges(const DocumentState& state, const WorkingFile& workingFile)
{
    try {
        // The count is cheap to read; only an equal count needs the hash.
        if (workingFile.recordCount() != state.SavedContent.records)
            return true;
        return ContentMark::ofFile(workingFile.fileSystem(), workingFile.path()) != state.SavedContent;
    } catch (const IoError&) {
        return true;
    } catch (const std::bad_alloc&) {
        return true;
    }
}

std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace veltrano
