#pragma once
// The files that make an installed Veltrano a desktop program: the desktop
// entry (menu item, "open with" for .cfd files), the shared-mime-info
// package that names *.cfd files, and the icons of the program and of the
// file type in the hicolor theme's sizes. The entry and the package come
// from the file-type registration's own generators (tools/registration_api.h),
// so an installation and a registering start write the same files (the
// entry differing only in its Exec line) and never make two menu entries or
// two types for one program.

#include <QByteArray>

#include <string>
#include <vector>

namespace veltrano::desktop {

// The program's name on the command line, found through PATH.
inline constexpr const char* kCommand = "veltrano";

// The square sizes of the fixed-size icons, in pixels.
const std::vector<int>& iconSizes();

// The desktop entry of an installation: the registration's, started
// through PATH.
std::string desktopEntry();

struct DataFile {
    std::string path;  // relative to the data folder (share/)
    QByteArray content;
};

// Every file above with its place under share/: the desktop entry, the MIME
// package, and the program and type icons as PNG in each size and as SVG.
// Throws std::runtime_error when an icon cannot be encoded.
std::vector<DataFile> dataFiles();

}  // namespace veltrano::desktop
