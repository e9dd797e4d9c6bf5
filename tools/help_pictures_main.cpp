// veltrano-help-pictures FOLDER: writes the drawings of the HTML help into
// FOLDER as PNG files (bindungen.png, ringe.png, ...), painted by the
// element painter. Needs no display.
#include "document/file_system.h"
#include "document/io_error.h"
#include "render/bitmap_file.h"
#include "tools/help_pictures.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: veltrano-help-pictures FOLDER\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    const std::string folder = argv[1];
    QDir().mkpath(QString::fromStdString(folder));
    for (const veltrano::help::HelpPicture& picture : veltrano::help::helpPictures()) {
        const std::string path = folder + "/" + picture.name + ".png";
        try {
            veltrano::writeBitmapFile(veltrano::FileSystem::system(), path, veltrano::help::paintHelpPicture(picture));
        } catch (const veltrano::IoError& error) {
            std::fprintf(stderr, "veltrano-help-pictures: %s: %s\n", path.c_str(), error.what());
            return 1;
        }
    }
    return 0;
}
