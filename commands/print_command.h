#pragma once
// "Drucken...": the whole drawing, cut out with its white margin of 10
// pixels, printed as vector graphics at its physical size (one page pixel
// is 1/96 inch) at the top left of the printable area, and scaled down to
// fit where it is larger than that area. The print dialog and the printer
// belong to the window (UiPort::print); the layout is computed here.

#include "editor/editor.h"

#include <QSizeF>
#include <QTransform>

namespace veltrano {

inline constexpr const char* kPrintFailedMessage = "Der Drucker konnte nicht angesprochen werden.";
inline constexpr double kPagePixelsPerInch = 96.0;

// The transform from page pixels (of a drawing of drawingSize) to printer
// device units, whose printable area is printableSize and whose resolution
// is dotsPerInchX by dotsPerInchY: physical size, or smaller by one factor
// on both axes so that the drawing fits. It has no offset: a printer's
// painter starts at the printable area's top left.
QTransform printTransform(QSizeF drawingSize, QSizeF printableSize, double dotsPerInchX, double dotsPerInchY);

// The job for the drawing in temp.dat.
PrintJob drawingPrintJob(Editor& editor);

void printDrawing(Editor& editor);

}  // namespace veltrano
