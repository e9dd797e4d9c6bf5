#include "render/canvas.h"

#include "render/cover_mask.h"
#include "render/face_table.h"
#include "render/line_raster.h"
#include "render/rect_copy.h"
#include "render/segment_snap.h"
#include "render/text_raster.h"
#include "render/wide_pen.h"

#include <algorithm>
#include <array>
#include <limits>

namespace veltrano {

namespace {

QRgb toRgb(Colour colour)
{
    return qRgb(redOf(colour), greenOf(colour), blueOf(colour));
}

// The pixel loops write 32-bit words.
QImage& asThirtyTwoBits(QImage& image)
{
    const QImage::Format format = image.format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32
        && format != QImage::Format_ARGB32_Premultiplied && !image.isNull())
        image.convertTo(QImage::Format_RGB32);
    return image;
}

}  // namespace

Canvas::Canvas(QImage& image) : m_image(&asThirtyTwoBits(image)), m_faces(GlyphCache::shared()) {}

Canvas::~Canvas() = default;

void Canvas::setImage(QImage& image)
{
    m_image = &asThirtyTwoBits(image);
    m_band.reset();
}

void Canvas::setBand(int top, int bottom)
{
    m_band = rasterTargetOf(*m_image).rows(top, bottom);
}

int Canvas::bandTop() const
{
    return m_band ? m_band->top() : 0;
}

int Canvas::bandHeight() const
{
    return m_band ? m_band->bottom() - m_band->top() : m_image->height();
}

std::pair<int, int> Canvas::rowsSet() const
{
    return {bandTop(), std::min(kPageHeight, bandTop() + bandHeight())};
}

RasterTarget Canvas::target() const
{
    return (m_band ? *m_band : rasterTargetOf(*m_image)).through(m_cover);
}

void Canvas::restoreState(const CanvasState& state)
{
    m_state = state;
    m_face = nullptr;
}

void Canvas::setPenColour(Colour colour)
{
    m_state.penColour = colour;
}

void Canvas::setPenWidth(int width)
{
    m_state.penWidth = width;
}

void Canvas::moveTo(double x, double y)
{
    m_state.penPosition = {x, y};
}

// The pen settings of a run of segments, read once for the run.
struct SegmentStroker {
    const RasterTarget& target;
    bool wide;
    int width;
    QRgb colour;

    void operator()(PenPosition from, PenPosition to) const
    {
        if (wide) {
            if (const auto segment = snapSegment(from.x, from.y, to.x, to.y))
                drawWideLine(target, segment->from, segment->to, width, colour);
        } else if (withinExactSquare(from.x, from.y, to.x, to.y)) {
            const PixelSegment segment = snapWithinSquare(from.x, from.y, to.x, to.y);
            drawThinLine(target, segment.from, segment.to, colour);
        } else if (!segmentMissesRows(from.x, from.y, to.x, to.y, target.width(), target.top(), target.bottom())) {
            if (const auto line = snapFarLine(from.x, from.y, to.x, to.y))
                drawThinLine(target, line->from, line->to, colour);
        }
    }
};

SegmentStroker Canvas::stroker(const RasterTarget& target) const
{
    return SegmentStroker{target, m_state.penWidth > 1, m_state.penWidth, toRgb(m_state.penColour)};
}

void Canvas::lineTo(double x, double y)
{
    const PenPosition from = m_state.penPosition;
    m_state.penPosition = {x, y};
    const RasterTarget pixels = target();
    stroker(pixels)(from, {x, y});
}

void Canvas::polylineTo(std::span<const PenPosition> points)
{
    if (points.empty())
        return;
    const RasterTarget pixels = target();
    const SegmentStroker stroke = stroker(pixels);
    // Each point is the end of one segment and the start of the next.
    PenPosition from = m_state.penPosition;
    if (stroke.wide) {
        for (const PenPosition& point : points) {
            stroke(from, point);
            from = point;
        }
    } else {
        thinPolyline(stroke, from, points);
    }
    m_state.penPosition = points.back();
}

// The one-pixel pen's segments as the stroker draws them: runs of points
// within the exact square are rounded and stepped together, a segment with
// an end beyond it goes to the stroker.
void Canvas::thinPolyline(const SegmentStroker& stroke, PenPosition from, std::span<const PenPosition> points) const
{
    constexpr std::size_t kRun = 65;
    std::array<PixelPoint, kRun> run;
    std::size_t filled = 0;
    auto exact = [](PenPosition p) { return withinExactSquare(p.x) && withinExactSquare(p.y); };
    auto snap = [](PenPosition p) { return PixelPoint{roundHalfEvenToInteger(p.x), roundHalfEvenToInteger(p.y)}; };
    auto flush = [&] {
        drawThinPolyline(stroke.target, std::span<const PixelPoint>(run.data(), filled), stroke.colour);
        filled = 0;
    };
    if (exact(from))
        run[filled++] = snap(from);
    for (const PenPosition& point : points) {
        if (!exact(point)) {
            flush();
            stroke(from, point);
        } else {
            if (filled == 0)
                stroke(from, point);
            else if (filled == kRun) {
                // The run's last point starts the next run.
                const PixelPoint last = run[kRun - 1];
                flush();
                run[filled++] = last;
            }
            run[filled++] = snap(point);
        }
        from = point;
    }
    flush();
}

void Canvas::separateLines(std::span<const PenPosition> ends)
{
    if (ends.size() >= 2) {
        const RasterTarget pixels = target();
        const SegmentStroker stroke = stroker(pixels);
        for (std::size_t i = 0; i + 1 < ends.size(); i += 2)
            stroke(ends[i], ends[i + 1]);
        // The pen ends at the end of the last whole segment.
        m_state.penPosition = ends[(ends.size() / 2) * 2 - 1];
    }
    // An odd point out is a move only.
    if (ends.size() % 2 == 1)
        m_state.penPosition = ends.back();
}

void Canvas::setFontName(std::string_view name)
{
    if (name == m_state.fontName)
        return;
    m_state.fontName = std::string(name);
    m_face = nullptr;
}

void Canvas::setFontSize(int points)
{
    if (points == m_state.fontSize)
        return;
    m_state.fontSize = points;
    m_face = nullptr;
}

void Canvas::setFontColour(Colour colour)
{
    m_state.fontColour = colour;
}

void Canvas::setCharSet(CharSet charSet)
{
    if (charSet == m_state.charSet)
        return;
    m_state.charSet = charSet;
    m_face = nullptr;
}

GlyphFace& Canvas::face() const
{
    if (!m_face)
        m_face = &m_faces.face(m_state.fontName, pixelHeightForPoints(m_state.fontSize), m_state.charSet);
    return *m_face;
}

void Canvas::textOut(double x, double y, std::string_view bytes)
{
    if (m_measure)
        *m_measure = {};
    const auto anchor = snapPoint(x, y);
    if (!anchor || bytes.empty())
        return;
    RasterTarget pixels = target();
    if (m_textRows)
        pixels = pixels.rows(m_textRows->first, m_textRows->second);
    if (!m_face
        && textMissesTarget(pixels, *anchor, bytes.size(), emSizeBound(pixelHeightForPoints(m_state.fontSize))))
        return;
    if (m_measure) {
        *m_measure = textPixelsOf(face(), *anchor, bytes);
        return;
    }
    drawOpaqueText(pixels, face(), *anchor, bytes, toRgb(m_state.fontColour));
}

QSize Canvas::textExtent(std::string_view bytes) const
{
    const GlyphFace& glyphs = face();
    const std::int64_t advance = std::min<std::int64_t>(textAdvance(glyphs, bytes), std::numeric_limits<int>::max());
    return QSize(int(advance), glyphs.cellHeight());
}

void Canvas::copyRect(QPoint destination, const QImage& source, const QRect& sourceRect)
{
    copyImageRect(*m_image, destination, source, sourceRect);
}

Colour Canvas::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_image->width() || y >= m_image->height())
        return kWhite;
    const QRgb rgb = reinterpret_cast<const QRgb*>(m_image->constScanLine(y))[x];
    return makeColour(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

void Canvas::setPixel(int x, int y, Colour colour)
{
    if (x < 0 || y < 0 || x >= m_image->width() || y >= m_image->height())
        return;
    reinterpret_cast<QRgb*>(m_image->scanLine(y))[x] = toRgb(colour);
}

}  // namespace veltrano
