#include "commands/help_command.h"

#include "commands/data_folders.h"

namespace veltrano {

std::optional<std::string> helpDocument(FileSystem& fs, const std::string& programDir)
{
    const std::string compiled = programDir + kCompiledHelpFile;
    if (fs.exists(compiled))
        return compiled;
    return findDataFile(fs, programDir, kHtmlHelpFile);
}

void Hilfe1Click(FileSystem& fs, UiPort& ui, const std::string& programDir)
{
    if (const std::optional<std::string> path = helpDocument(fs, programDir))
        ui.openDocument(*path);
}

}  // namespace veltrano
