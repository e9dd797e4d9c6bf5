#pragma once
// The texts of the freedesktop files that stand for the file-type
// registration on Linux: the shared-mime-info package, the desktop entries
// and the default-application list. Pure text in, text out (UTF-8), so the
// encodings can be checked byte by byte without touching the disk.

#include <optional>
#include <string>

namespace veltrano {

// The value of a desktop entry's Exec key that starts exePath with one file
// (%f), quoted and escaped so that any path survives.
std::string execLine(const std::string& exePath);

// The program path of an Exec value in the form execLine writes; nothing for
// any other form.
std::optional<std::string> exePathFromExecLine(const std::string& execValue);

// The raw value of `key` in the [Desktop Entry] group of a desktop file.
std::optional<std::string> desktopEntryValue(const std::string& file, const std::string& key);

// A desktop entry for the application that opens files of mimeType.
std::string applicationEntry(const std::string& name, const std::string& execValue,
                             const std::string& icon, const std::string& mimeType);

// A file-manager template (the "create new file" menu): a link to the file
// at url, relative to the template's own folder.
std::string templateEntry(const std::string& name, const std::string& url,
                          const std::string& icon);

// A shared-mime-info package declaring mimeType for files matching glob.
std::string mimePackage(const std::string& mimeType, const std::string& comment,
                        const std::string& icon, const std::string& glob);

// True when the package declares glob for some type.
bool mimePackageDeclaresGlob(const std::string& package, const std::string& glob);

// mimeapps.list with desktopId as the default application of mimeType; every
// other line of `existing` is kept as it is.
std::string withDefaultApplication(const std::string& existing, const std::string& mimeType,
                                   const std::string& desktopId);

}  // namespace veltrano
