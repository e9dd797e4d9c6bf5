// Temporary stand-in for the vector output: the raster page, cut out and
// embedded as a picture, so the commands that use it can be built and tried.
#include "render/vector_output.h"

#include "render/bitmap_file.h"
#include "render/canvas.h"
#include "render/content_cutout.h"
#include "render/page.h"
#include "render/painter.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace veltrano {

namespace {

QImage rasterPage(const ViewState& view, const std::vector<ElementRecord>& records)
{
    QImage page = makeBlankPage();
    Canvas canvas(page);
    RepaintFile(canvas, view, records);
    return page;
}

}  // namespace

QRect vectorCutOut(const ViewState& view, const std::vector<ElementRecord>& records, QSize area)
{
    const ContentEdges edges = findContentEdges(rasterPage(view, records), area);
    return QRect(edges.left - kCutOutMargin, edges.top - kCutOutMargin,
                 std::max(edges.right - edges.left, 0) + 2 * kCutOutMargin,
                 std::max(edges.bottom - edges.top, 0) + 2 * kCutOutMargin);
}

void paintDrawing(QPainter& painter, const ViewState& view, const std::vector<ElementRecord>& records,
                  const QRect& area)
{
    painter.fillRect(QRect(QPoint(0, 0), area.size()), Qt::white);
    painter.drawImage(QPoint(0, 0), rasterPage(view, records), area);
}

QByteArray svgOfDrawing(const ViewState& view, const std::vector<ElementRecord>& records, const QRect& area)
{
    QImage picture(area.size(), QImage::Format_RGB32);
    QPainter painter(&picture);
    paintDrawing(painter, view, records, area);
    painter.end();
    const std::vector<std::uint8_t> png = encodePng(picture);
    const QByteArray base64 =
        QByteArray(reinterpret_cast<const char*>(png.data()), qsizetype(png.size())).toBase64();
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\""
           + QByteArray::number(area.width()) + "\" height=\"" + QByteArray::number(area.height())
           + "\"><image width=\"" + QByteArray::number(area.width()) + "\" height=\""
           + QByteArray::number(area.height()) + "\" href=\"data:image/png;base64," + base64 + "\"/></svg>\n";
}

QByteArray pdfOfDrawing(const ViewState& view, const std::vector<ElementRecord>& records, const QRect& area)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(96);
    writer.setPageMargins(QMarginsF());
    writer.setPageSize(QPageSize(QSizeF(area.width() / 96.0, area.height() / 96.0), QPageSize::Inch));
    QPainter painter(&writer);
    paintDrawing(painter, view, records, area);
    painter.end();
    return bytes;
}

}  // namespace veltrano
