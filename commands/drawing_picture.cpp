#include "commands/drawing_picture.h"

#include "render/vector_output.h"

#include <QPainter>

#include <new>

namespace veltrano {

namespace {
constexpr double kPageDotsPerInch = 96.0;  // one page pixel is 1/96 inch
constexpr double kMetresPerInch = 0.0254;
}  // namespace

QImage drawingPicture(const ViewState& view, const std::vector<ElementRecord>& records, const QRect& area,
                      int scale)
{
    QImage picture(area.size() * scale, QImage::Format_RGB32);
    if (picture.isNull())
        throw std::bad_alloc();  // QImage reports a failed allocation this way
    picture.fill(Qt::white);
    // The picture says its resolution (a PNG keeps it), so a program that
    // places it shows the drawing at its true size, as it does the SVG.
    const int dotsPerMetre = qRound(kPageDotsPerInch * scale / kMetresPerInch);
    picture.setDotsPerMeterX(dotsPerMetre);
    picture.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(scale, scale);
    paintDrawing(painter, view, records, area);
    painter.end();
    return picture;
}

}  // namespace veltrano
