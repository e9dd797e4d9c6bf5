#include "commands/data_folders.h"

#include <filesystem>

namespace veltrano {

std::vector<std::string> dataFolders(const std::string& programDir)
{
    // lexically_normal keeps the trailing separator of a folder path.
    const std::string installed =
        std::filesystem::path(programDir + kInstalledDataFolder).lexically_normal().string();
    return {programDir, installed};
}

std::optional<std::string> findDataFile(FileSystem& fs, const std::string& programDir,
                                        const std::string& relative)
{
    for (const std::string& folder : dataFolders(programDir)) {
        const std::string path = folder + relative;
        if (fs.exists(path))
            return path;
    }
    return std::nullopt;
}

}  // namespace veltrano
