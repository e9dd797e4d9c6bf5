#include "tools/desktop_integration.h"

#include "tools/registration_api.h"

#include <stdexcept>

namespace veltrano::desktop {

namespace {

QByteArray pngOrThrow(int size)
{
    QByteArray png = fileTypeIconPng(size);
    if (png.isEmpty())
        throw std::runtime_error("the icon of size " + std::to_string(size) + " cannot be encoded");
    return png;
}

}  // namespace

const std::vector<int>& iconSizes()
{
    static const std::vector<int> sizes = {16, 22, 24, 32, 48, 64, 128, 256};
    return sizes;
}

std::string desktopEntry()
{
    return applicationEntry(std::string(kCommand) + " %f");
}

std::vector<DataFile> dataFiles()
{
    std::vector<DataFile> files;
    files.push_back({std::string("applications/") + kDesktopId, QByteArray::fromStdString(desktopEntry())});
    files.push_back({std::string("mime/packages/") + kMimePackageName, QByteArray::fromStdString(mimePackage())});
    const std::string typeIcon = kFormulaIconName;
    for (int size : iconSizes()) {
        const std::string folder = "icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size);
        const QByteArray png = pngOrThrow(size);
        files.push_back({folder + "/apps/" + kProgramIconName + ".png", png});
        files.push_back({folder + "/mimetypes/" + typeIcon + ".png", png});
    }
    files.push_back({std::string("icons/hicolor/scalable/apps/") + kProgramIconName + ".svg", fileTypeIconSvg()});
    files.push_back({"icons/hicolor/scalable/mimetypes/" + typeIcon + ".svg", fileTypeIconSvg()});
    return files;
}

}  // namespace veltrano::desktop
