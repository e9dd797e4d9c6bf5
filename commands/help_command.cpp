#include "commands/help_command.h"

#include <array>
#include <filesystem>

namespace veltrano {

std::optional<std::string> helpDocument(FileSystem& fs, const std::string& programDir)
{
    const std::array<const char*, 3> candidates = {kCompiledHelpFile, kHtmlHelpBeside, kHtmlHelpInstalled};
    for (const char* candidate : candidates) {
        const std::string path = programDir + candidate;
        if (fs.exists(path))
            return std::filesystem::path(path).lexically_normal().string();
    }
    return std::nullopt;
}

void Hilfe1Click(FileSystem& fs, UiPort& ui, const std::string& programDir)
{
    if (const std::optional<std::string> path = helpDocument(fs, programDir))
        ui.openDocument(*path);
}

}  // namespace veltrano
