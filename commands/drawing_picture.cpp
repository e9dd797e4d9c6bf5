#include "commands/drawing_picture.h"

#include "render/vector_output.h"

#include <QPainter>

#include <new>

namespace veltrano {

QImage drawingPicture(const ViewState& view, const std::vector<ElementRecord>& records, const QRect& area,
                      int scale)
{
    QImage picture(area.size() * scale, QImage::Format_RGB32);
    if (picture.isNull())
        throw std::bad_alloc();  // QImage reports a failed allocation this way
    picture.fill(Qt::white);
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
