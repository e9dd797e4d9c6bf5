#pragma once
// The texts of the freedesktop files that make Veltrano a desktop program:
// the desktop entry, the shared-mime-info package, the file-manager template
// and the default-application list. The installed files
// (veltrano-desktop-files) and a registering start (registration_linux.h)
// both take them from here, so they always agree. Pure text in, text out
// (UTF-8), without touching the disk.

#include <optional>
#include <string>

namespace veltrano {

// The names under which the program and its file type appear on the desktop.
inline constexpr const char* kApplicationName = "Veltrano";
inline constexpr const char* kDesktopId = "veltrano.desktop";
inline constexpr const char* kProgramIconName = "veltrano";
inline constexpr const char* kMimePackageName = "veltrano.xml";
// The type is the one the Windows class "cfdfile" stands for, in the tree
// for types outside the registered ones; its icon name is the type with "/"
// as "-", as the icon theme looks it up.
inline constexpr const char* kFormulaMimeType = "application/x-cfdfile";
inline constexpr const char* kFormulaIconName = "application-x-cfdfile";
inline constexpr const char* kFormulaGlob = "*.cfd";
// The German name of the type: its description and the name of the empty
// file a file manager creates from the template.
inline constexpr const char* kFormulaTypeName = "Strukturformel";

// The value of a desktop entry's Exec key that starts exePath with one file
// (%f), quoted and escaped so that any path survives.
std::string execLine(const std::string& exePath);

// The program path of an Exec value in the form execLine writes; nothing for
// any other form.
std::optional<std::string> exePathFromExecLine(const std::string& execValue);

// The raw value of `key` in the [Desktop Entry] group of a desktop file.
std::optional<std::string> desktopEntryValue(const std::string& file, const std::string& key);

// The desktop entry of the program, which opens formula files; execValue is
// its Exec line (execLine for a registered path, or a command found through
// PATH). German and English names and comments.
std::string applicationEntry(const std::string& execValue);

// A file-manager template (the "create new file" menu): a link to the file
// at url, relative to the template's own folder.
std::string templateEntry(const std::string& name, const std::string& url,
                          const std::string& icon);

// The shared-mime-info package declaring the formula type for *.cfd, with
// its English description and the German one as translation.
std::string mimePackage();

// True when the package declares glob for some type.
bool mimePackageDeclaresGlob(const std::string& package, const std::string& glob);

// mimeapps.list with desktopId as the default application of mimeType; every
// other line of `existing` is kept as it is.
std::string withDefaultApplication(const std::string& existing, const std::string& mimeType,
                                   const std::string& desktopId);

}  // namespace veltrano
