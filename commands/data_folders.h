#pragma once
// Where the program finds the data it ships with: the ring templates
// (struk/) and the HTML help (hilfe/). The build puts them beside the
// program; an installation puts the program into bin/ and the data into
// share/veltrano/ beside it. Both places are tried, the program's own folder
// first, so a build tree never picks up an older installation's files.

#include "document/file_system.h"

#include <optional>
#include <string>
#include <vector>

namespace veltrano {

// The installed data folder, relative to the program's folder.
inline constexpr const char* kInstalledDataFolder = "../share/veltrano/";

// The folders to look in, in order: programDir itself, then the installed
// data folder beside it (without "..", so it can be shown and compared).
// programDir ends with a separator, and so does every folder returned.
std::vector<std::string> dataFolders(const std::string& programDir);

// The first folder of dataFolders(programDir) that holds `relative`, joined
// with it; nothing when none does.
std::optional<std::string> findDataFile(FileSystem& fs, const std::string& programDir,
                                        const std::string& relative);

}  // namespace veltrano
