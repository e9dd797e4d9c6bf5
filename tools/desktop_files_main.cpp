// veltrano-desktop-files FOLDER: writes the desktop entry, the MIME package
// and the icons of an installation into FOLDER, laid out as under share/
// (applications/, mime/packages/, icons/hicolor/). Needs no display.
#include "tools/desktop_integration.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: veltrano-desktop-files FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    try {
        for (const veltrano::desktop::DataFile& file : veltrano::desktop::dataFiles()) {
            const QString path = folder + "/" + QString::fromStdString(file.path);
            QSaveFile out(path);
            if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !out.open(QIODevice::WriteOnly)
                || out.write(file.content) != file.content.size() || !out.commit()) {
                std::fprintf(stderr, "veltrano-desktop-files: cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "veltrano-desktop-files: %s\n", error.what());
        return 1;
    }
    return 0;
}
