#include "commands/recent_files.h"

#include "commands/file_commands.h"
#include "document/io_error.h"

#include <algorithm>
#include <cerrno>

namespace veltrano {

namespace {

std::vector<std::string> existingFiles(const Editor& editor, std::vector<std::string> files)
{
    std::erase_if(files, [&](const std::string& path) { return path.empty() || !editor.fileSystem.exists(path); });
    return files;
}

void keepRecentFiles(Editor& editor, std::vector<std::string> files)
{
    editor.recentFiles = std::move(files);
    editor.ui.setRecentFiles(editor.recentFiles);
}

}  // namespace

std::vector<std::string> withRecentFile(std::vector<std::string> files, const std::string& path)
{
    std::erase(files, path);
    files.insert(files.begin(), path);
    if (files.size() > kRecentFileCount)
        files.resize(kRecentFileCount);
    return files;
}

void loadRecentFiles(Editor& editor)
{
    std::vector<std::string> files = existingFiles(editor, editor.ui.storedRecentFiles());
    // A list written by hand or by another version may hold the same file
    // twice or more than fit.
    std::vector<std::string> unique;
    for (auto it = files.rbegin(); it != files.rend(); ++it)
        unique = withRecentFile(std::move(unique), *it);
    keepRecentFiles(editor, std::move(unique));
}

void noteRecentFile(Editor& editor, const std::string& path)
{
    if (!path.empty())
        keepRecentFiles(editor, withRecentFile(editor.recentFiles, path));
}

void openRecentFile(Editor& editor, std::size_t index)
{
    if (index >= editor.recentFiles.size())
        return;
    // The list can change while the save question is open (a save moves its
    // file in front), so the path is taken first.
    const std::string path = editor.recentFiles[index];
    if (!offerToSave(editor))
        return;
    if (!editor.fileSystem.exists(path)) {
        std::vector<std::string> files = editor.recentFiles;
        std::erase(files, path);
        keepRecentFiles(editor, std::move(files));
        editor.ui.showMessage(ioErrorMessage(ENOENT) + ":\n" + path);
        return;
    }
    openChosenFile(editor, path);
}

}  // namespace veltrano
