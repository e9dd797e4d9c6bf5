#include "render/vector_recorder.h"

#include "document/rounding.h"
#include "render/canvas.h"
#include "render/glyph_cache.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace veltrano {

namespace {

bool isFinite(PenPosition p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

bool operator==(PenPosition a, PenPosition b)
{
    return a.x == b.x && a.y == b.y;
}

// The point where the line through from and to crosses the box edge i
// (0 left, 1 right, 2 top, 3 bottom). The crossed coordinate is the edge
// itself, the other one comes from the slope, measured from the end nearer
// to the edge: interpolating with the line parameter, or measuring from an
// end at 10^30, would lose every digit.
PenPosition crossing(PenPosition from, PenPosition to, const QRectF& box, int edge)
{
    const double dx = to.x - from.x, dy = to.y - from.y;
    if (edge < 2) {
        const double x = edge == 0 ? box.left() : box.right();
        const PenPosition& base = std::fabs(from.x - x) <= std::fabs(to.x - x) ? from : to;
        return {x, base.y + (x - base.x) * (dy / dx)};
    }
    const double y = edge == 2 ? box.top() : box.bottom();
    const PenPosition& base = std::fabs(from.y - y) <= std::fabs(to.y - y) ? from : to;
    return {base.x + (y - base.y) * (dx / dy), y};
}

// Keeps a clipped end inside box. With ends near 10^38 the line parameters
// of both edges round to the same value, so an end may be left outside or a
// crossing land beyond a neighbouring edge; the point belongs on the box.
PenPosition intoBox(PenPosition p, const QRectF& box)
{
    return {std::clamp(p.x, box.left(), box.right()), std::clamp(p.y, box.top(), box.bottom())};
}

// Cuts the segment to box (Liang-Barsky); false when nothing of it is left.
bool clipSegment(PenPosition& from, PenPosition& to, const QRectF& box)
{
    const double dx = to.x - from.x, dy = to.y - from.y;
    double enter = 0.0, leave = 1.0;
    int enterEdge = -1, leaveEdge = -1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {from.x - box.left(), box.right() - from.x, from.y - box.top(), box.bottom() - from.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0 && t > enter) {
            enter = t;
            enterEdge = i;
        } else if (p[i] > 0.0 && t < leave) {
            leave = t;
            leaveEdge = i;
        }
        if (enter > leave)
            return false;
    }
    const PenPosition start = from, end = to;
    if (enterEdge >= 0)
        from = crossing(start, end, box, enterEdge);
    if (leaveEdge >= 0)
        to = crossing(start, end, box, leaveEdge);
    // Differences of ends near the largest doubles overflow to infinity;
    // nothing of such a segment is drawn.
    if (!isFinite(from) || !isFinite(to))
        return false;
    from = intoBox(from, box);
    to = intoBox(to, box);
    return true;
}

// The one-pixel line lights nothing when both ends round to one pixel.
bool onOnePixel(PenPosition a, PenPosition b)
{
    return roundHalfEven(a.x) == roundHalfEven(b.x) && roundHalfEven(a.y) == roundHalfEven(b.y);
}

// True when point lies within kThinning of the segment from start to end,
// strictly between its ends.
bool onTheWay(PenPosition start, PenPosition point, PenPosition end)
{
    const double dx = end.x - start.x, dy = end.y - start.y;
    const double px = point.x - start.x, py = point.y - start.y;
    const double lengthSquared = dx * dx + dy * dy;
    const double along = px * dx + py * dy;
    if (!(along > 0.0 && along < lengthSquared))
        return false;
    const double across = px * dy - py * dx;
    return across * across <= VectorRecorder::kThinning * VectorRecorder::kThinning * lengthSquared;
}

int effectiveWidth(int width)
{
    return width > 1 ? width : 1;
}

}  // namespace

VectorRecorder::VectorRecorder()
    : m_clip(-kClipMargin, -kClipMargin, kPageWidth + 2 * kClipMargin, kPageHeight + 2 * kClipMargin)
{
}

void VectorRecorder::addSegment(PenPosition from, PenPosition to)
{
    if (!isFinite(from) || !isFinite(to))
        return;
    const int width = effectiveWidth(m_penWidth);
    if (width == 1 && onOnePixel(from, to))
        return;
    if (!clipSegment(from, to, m_clip))
        return;
    if (m_openStroke != kNoStroke) {
        auto& open = std::get<VectorStroke>(m_items[m_openStroke]);
        if (open.width == width && open.colour == m_penColour && m_points.back() == from) {
            if (!(to == from))
                extendStroke(open, to);
            return;
        }
    }
    m_openStroke = m_items.size();
    m_items.emplace_back(VectorStroke{m_points.size(), 2, width, m_penColour});
    m_points.push_back(from);
    m_points.push_back(to);
    m_dropped.clear();
}

void VectorRecorder::extendStroke(VectorStroke& stroke, PenPosition to)
{
    // The last point may go when it, and every point it replaced before,
    // lies on the straight way from the point before it to the new one.
    const PenPosition kept = m_points[m_points.size() - 2];
    const PenPosition last = m_points.back();
    bool straight = m_dropped.size() < kMaxDropped && onTheWay(kept, last, to);
    for (std::size_t i = 0; straight && i < m_dropped.size(); ++i)
        straight = onTheWay(kept, m_dropped[i], to);
    if (straight) {
        m_dropped.push_back(last);
        m_points.back() = to;
        return;
    }
    m_dropped.clear();
    m_points.push_back(to);
    ++stroke.pointCount;
}

void VectorRecorder::lineTo(double x, double y)
{
    const PenPosition from = m_penPosition;
    m_penPosition = {x, y};
    addSegment(from, m_penPosition);
}

void VectorRecorder::polylineTo(std::span<const PenPosition> points)
{
    for (const PenPosition& point : points)
        lineTo(point.x, point.y);
}

void VectorRecorder::separateLines(std::span<const PenPosition> ends)
{
    for (std::size_t i = 0; i + 1 < ends.size(); i += 2) {
        moveTo(ends[i].x, ends[i].y);
        lineTo(ends[i + 1].x, ends[i + 1].y);
    }
    if (ends.size() % 2 == 1)
        moveTo(ends.back().x, ends.back().y);
}

void VectorRecorder::setFontName(std::string_view name)
{
    if (name == m_fontName)
        return;
    m_fontName = std::string(name);
    m_face.reset();
}

void VectorRecorder::setFontSize(int points)
{
    if (points == m_fontSize)
        return;
    m_fontSize = points;
    m_face.reset();
}

void VectorRecorder::setCharSet(CharSet charSet)
{
    if (charSet == m_charSet)
        return;
    m_charSet = charSet;
    m_face.reset();
}

GlyphFace& VectorRecorder::face()
{
    if (!m_face)
        m_face = GlyphCache::shared().face(m_fontName, pixelHeightForPoints(m_fontSize), m_charSet);
    return *m_face;
}

void VectorRecorder::textOut(double x, double y, std::string_view bytes)
{
    if (!std::isfinite(x) || !std::isfinite(y) || bytes.empty())
        return;
    // The canvas draws the cell at the rounded anchor.
    x = roundHalfEven(x);
    y = roundHalfEven(y);
    // Text whose cell cannot reach the page (a bound without the face,
    // which may be costly to make for a far record) is left out.
    const double reach = 3.0 * emSizeBound(pixelHeightForPoints(m_fontSize)) + 4.0;
    if (x - reach >= m_clip.right() || y - reach >= m_clip.bottom() || y + 2 * reach <= m_clip.top()
        || x + double(bytes.size()) * reach + reach <= m_clip.left())
        return;

    GlyphFace& glyphs = face();
    VectorText run;
    run.left = x;
    run.top = y;
    run.fontName = m_fontName;
    run.points = m_fontSize;
    run.charSet = m_charSet;
    run.pixelSize = glyphs.pixelSize();
    run.ascent = glyphs.ascent();
    run.cellHeight = glyphs.cellHeight();
    run.colour = m_fontColour;
    run.text.reserve(qsizetype(bytes.size()));
    run.advances.reserve(bytes.size());
    long long width = 0;
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        run.text.append(QChar(decodeByte(code, m_charSet)));
        run.advances.push_back(glyphs.advance(code));
        width += run.advances.back();
    }
    run.cellWidth = int(std::min<long long>(width, 1LL << 30));
    m_items.emplace_back(std::move(run));
    m_openStroke = kNoStroke;
    m_dropped.clear();
}

}  // namespace veltrano
