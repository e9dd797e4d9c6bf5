#pragma once
// The files that make an installed Veltrano a desktop program: the desktop
// entry (menu item, "open with" for .cfd files), the shared-mime-info
// package that names *.cfd files, and the icons of the program and of the
// file type in the hicolor theme's sizes. Each is built from the file-type
// registration's own generators and names (tools/registration_api.h), so
// the desktop id, the icon name and the MIME type are those that a
// registering start writes, and an installation and a registration never
// make two menu entries or two types for one program.

#include <QByteArray>

#include <string>
#include <vector>

namespace veltrano::desktop {

// The names shared with the registration.
inline constexpr const char* kApplicationName = "Veltrano";
inline constexpr const char* kDesktopId = "veltrano.desktop";
inline constexpr const char* kIconName = "veltrano";
inline constexpr const char* kMimePackageName = "veltrano.xml";
// The program's name on the command line, found through PATH.
inline constexpr const char* kCommand = "veltrano";

// The square sizes of the fixed-size icons, in pixels.
const std::vector<int>& iconSizes();

// The MIME type of formula files, as the registration names it.
std::string formulaMimeType();
// Its icon name in the theme: the type with "/" as "-".
std::string formulaIconName();

// The desktop entry with German and English names and comments.
std::string desktopEntry();
// The MIME package with its English and German description.
std::string mimePackage();

struct DataFile {
    std::string path;  // relative to the data folder (share/)
    QByteArray content;
};

// Every file above with its place under share/: the desktop entry, the MIME
// package, and the program and type icons as PNG in each size and as SVG.
// Throws std::runtime_error when an icon cannot be encoded.
std::vector<DataFile> dataFiles();

}  // namespace veltrano::desktop
