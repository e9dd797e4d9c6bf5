#pragma once
// Folder names as the program keeps them: ending in one separator, so that
// a file name can be appended directly.

#include <string>

namespace veltrano {

// The folder with a trailing separator; an empty folder stays empty.
inline std::string withSeparator(std::string folder)
{
    if (!folder.empty() && folder.back() != '/')
        folder.push_back('/');
    return folder;
}

// The folder without trailing separators; the root "/" stays as it is.
inline std::string withoutSeparator(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

}  // namespace veltrano
