#include "app/application_setup.h"

#include "commands/startup.h"

#include "registration/file_type_icon.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

namespace veltrano {

namespace {

// The benzene ring of the file type, at the sizes window managers and task
// bars ask for; every window of the program shows it.
QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap picture;
        if (picture.loadFromData(fileTypeIconPng(size), "PNG"))
            icon.addPixmap(picture);
    }
    return icon;
}

}  // namespace

void setUpApplication()
{
    QApplication::setApplicationName(kApplicationTitle);
    // Names the desktop entry, so that a Wayland compositor shows its icon.
    QGuiApplication::setDesktopFileName("veltrano");
    QApplication::setStyle("Windows");
    QApplication::setWindowIcon(programIcon());
}

}  // namespace veltrano
