#include "app/application_setup.h"

#include "commands/startup.h"

#include <QApplication>

namespace veltrano {

void setUpApplication()
{
    QApplication::setApplicationName(kApplicationTitle);
    QApplication::setStyle("Windows");
}

}  // namespace veltrano
