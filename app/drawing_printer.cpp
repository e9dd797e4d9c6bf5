#include "app/drawing_printer.h"

#include "commands/print_command.h"

#include <QPainter>
#include <QPrinter>

namespace veltrano {

bool printOn(QPrinter& printer, const PrintJob& job)
{
    printer.setDocName(QString::fromStdString(job.documentName));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // Without full-page mode the painter's origin is the printable area's
    // top left and the page rectangle is that area.
    const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
    painter.setTransform(printTransform(QSizeF(job.size), printable.size(), printer.logicalDpiX(),
                                        printer.logicalDpiY()));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    job.paint(painter);
    return painter.end();
}

}  // namespace veltrano
