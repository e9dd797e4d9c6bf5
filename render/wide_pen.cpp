#include "render/wide_pen.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace veltrano {

namespace {

struct PointF {
    double x;
    double y;
};

// Fills x in [firstX, endX) on row y, already known to be inside the image.
void fillSpan(QImage& image, int y, int firstX, int endX, QRgb colour)
{
    QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::fill(row + firstX, row + endX, colour);
}

// Fills the pixels whose centre satisfies left <= x < right on row y,
// clipped to the image. Works in doubles until the span is on the image.
void fillClippedSpan(QImage& image, int y, double left, double right, QRgb colour)
{
    const double first = std::max(std::ceil(left), 0.0);
    const double end = std::min(std::ceil(right), double(image.width()));
    if (first < end)
        fillSpan(image, y, int(first), int(end), colour);
}

// The disc of diameter width around pixel (x, y): pixel offsets (i, j) whose
// distance from the disc centre is at most width/2 - 1/4. For even widths the
// centre lies half a pixel toward -x and -y.
void fillCap(QImage& image, PixelPoint centre, int width, QRgb colour)
{
    const int reach = width / 2 + 1;
    if (centre.x < -reach || centre.y < -reach || centre.x >= image.width() + reach
        || centre.y >= image.height() + reach)
        return;
    const double offset = width % 2 == 0 ? -0.5 : 0.0;
    const double radius = width / 2.0 - 0.25;
    for (int j = -reach; j <= reach; ++j) {
        const double dy = j - offset;
        const double spare = radius * radius - dy * dy;
        const std::int64_t y = centre.y + j;
        if (spare < 0 || y < 0 || y >= image.height())
            continue;
        const double halfSpan = std::sqrt(spare);
        // offsets i with |i - offset| <= halfSpan
        const double firstI = std::ceil(offset - halfSpan), lastI = std::floor(offset + halfSpan);
        fillClippedSpan(image, int(y), double(centre.x) + firstI, double(centre.x) + lastI + 1, colour);
    }
}

// The convex quadrilateral of the widened segment, scanned row by row.
void fillSegmentBody(QImage& image, PixelPoint from, PixelPoint to, int width, QRgb colour)
{
    const double dx = double(to.x - from.x), dy = double(to.y - from.y);
    const double length = std::hypot(dx, dy);
    const double nx = -dy / length * (width / 2.0), ny = dx / length * (width / 2.0);
    const PointF a{double(from.x), double(from.y)}, b{double(to.x), double(to.y)};
    const std::array<PointF, 4> corners{
        {{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}}};

    double top = corners[0].y, bottom = corners[0].y;
    for (const PointF& p : corners) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const double firstRow = std::max(std::ceil(top), 0.0);
    const double endRow = std::min(std::ceil(bottom), double(image.height()));
    for (double row = firstRow; row < endRow; ++row) {
        double left = INFINITY, right = -INFINITY;
        for (std::size_t k = 0; k < corners.size(); ++k) {
            const PointF& p = corners[k];
            const PointF& q = corners[(k + 1) % corners.size()];
            if (p.y == q.y || row < std::min(p.y, q.y) || row > std::max(p.y, q.y))
                continue;
            const double x = p.x + (row - p.y) * (q.x - p.x) / (q.y - p.y);
            left = std::min(left, x);
            right = std::max(right, x);
        }
        if (left < right)
            fillClippedSpan(image, int(row), left, right, colour);
    }
}

}  // namespace

void drawWideLine(QImage& image, PixelPoint from, PixelPoint to, int width, QRgb colour)
{
    width = std::clamp(width, 2, kMaxPenWidth);
    // The same end-point order for both directions, so both give the same
    // pixels to the last rounding.
    if (to.x < from.x || (to.x == from.x && to.y < from.y))
        std::swap(from, to);
    if (!(from == to))
        fillSegmentBody(image, from, to, width, colour);
    fillCap(image, from, width, colour);
    fillCap(image, to, width, colour);
}

}  // namespace veltrano
