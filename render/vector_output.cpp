// The cut-out, the drawing on a QPainter and the PDF; the SVG is written by
// vector_svg.cpp.
#include "render/vector_output.h"

#include "render/canvas.h"
#include "render/content_cutout.h"
#include "render/page.h"
#include "render/painter.h"
#include "render/vector_drawing.h"

#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPointF>

#include <algorithm>

namespace veltrano {

namespace {

constexpr int kOutputDotsPerInch = 96;

// Qt's raster engine draws pens of at most one device pixel with its fast
// line stepper, which places antialiased lines and their ends up to a pixel
// away from the true outline; a pen a hair wider takes the outline stroker,
// which is exact. Other engines (PDF) get the width as it is.
double thinPenWidth(const QPainter& painter)
{
    const QPaintEngine* engine = painter.paintEngine();
    return engine && engine->type() == QPaintEngine::Raster ? 1.0 + 1.0 / 1024 : 1.0;
}

void paintStroke(QPainter& painter, const VectorStroke& stroke, std::span<const PenPosition> points,
                 double thinWidth, std::vector<QPointF>& buffer)
{
    const double shift = strokeCentreOffset(stroke.width);
    buffer.clear();
    for (const PenPosition& point : points)
        buffer.emplace_back(point.x + shift, point.y + shift);
    QPen pen(qColourOf(stroke.colour));
    pen.setWidthF(stroke.width == 1 ? thinWidth : stroke.width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.drawPolyline(buffer.data(), int(buffer.size()));
}

// The font of a run as the vector output sets it: the page face's em
// height in pixels, regular, not kerned.
QFont fontOf(const VectorText& run)
{
    QFont font;
    font.setFamilies(vectorFontFamilies(run.fontName));
    font.setPixelSize(std::max(run.pixelSize, 1));
    font.setKerning(false);
    // On a raster target the glyphs are hinted as the page's are, so that
    // stems and bars land on the same pixel rows; PDF ignores hinting.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void paintText(QPainter& painter, const VectorText& run)
{
    painter.fillRect(QRectF(run.left, run.top, run.cellWidth, run.cellHeight), Qt::white);
    const std::vector<PlacedCharacter> placed = placedCharacters(run);
    if (placed.empty())
        return;
    painter.setFont(fontOf(run));
    painter.setPen(qColourOf(run.colour));
    const double baseline = run.top + run.ascent;
    for (const PlacedCharacter& character : placed)
        painter.drawText(QPointF(run.left + character.offset, baseline), QString(character.character));
}

}  // namespace

QRect vectorCutOut(const ViewState& view, const std::vector<ElementRecord>& records, QSize area)
{
    QImage page = makeBlankPage();
    Canvas canvas(page);
    RepaintFile(canvas, view, records);
    const ContentEdges edges = findContentEdges(page, area);
    return QRect(edges.left - kCutOutMargin, edges.top - kCutOutMargin,
                 std::max(edges.right - edges.left, 0) + 2 * kCutOutMargin,
                 std::max(edges.bottom - edges.top, 0) + 2 * kCutOutMargin);
}

void paintDrawing(QPainter& painter, const ViewState& view, const std::vector<ElementRecord>& records,
                  const QRect& area)
{
    VectorRecorder recorder;
    recordDrawing(recorder, view, records);

    painter.save();
    painter.translate(-area.left(), -area.top());
    // What lies beyond the page is not on the page.
    painter.setClipRect(QRect(area) & QRect(0, 0, kPageWidth, kPageHeight), Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setBrush(Qt::NoBrush);
    const double thinWidth = thinPenWidth(painter);
    std::vector<QPointF> buffer;
    for (const VectorItem& item : recorder.items()) {
        if (const auto* stroke = std::get_if<VectorStroke>(&item))
            paintStroke(painter, *stroke, recorder.pointsOf(*stroke), thinWidth, buffer);
        else
            paintText(painter, std::get<VectorText>(item));
    }
    painter.restore();
}

QByteArray pdfOfDrawing(const ViewState& view, const std::vector<ElementRecord>& records, const QRect& area)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kOutputDotsPerInch);
        writer.setCreator(QStringLiteral("Veltrano"));
        // A page of the area's size: one pixel is 3/4 of a point.
        const double pointsPerPixel = 72.0 / kOutputDotsPerInch;
        const QSizeF pageSize(std::max(area.width(), 1) * pointsPerPixel, std::max(area.height(), 1) * pointsPerPixel);
        writer.setPageLayout(QPageLayout(QPageSize(pageSize, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                         QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter(&writer);
        paintDrawing(painter, view, records, area);
    }
    return bytes;
}

}  // namespace veltrano
