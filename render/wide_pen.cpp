#include "render/wide_pen.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace veltrano {

namespace {

// ceil for values known to lie well within the int range; std::ceil is a
// library call on the baseline instruction set, and this runs per row.
int ceilToInt(double value)
{
    const int truncated = int(value);
    return truncated + (double(truncated) < value ? 1 : 0);
}

// The image as the fill loops see it; spans handed to fill() are on it.
struct SpanTarget {
    QRgb* bits;
    qsizetype stride;  // in pixels
    int width;
    int height;
    QRgb colour;

    void fill(int y, int firstX, int endX) const
    {
        QRgb* row = bits + y * stride;
        for (int x = firstX; x < endX; ++x)
            row[x] = colour;
    }

    // Fills the pixels whose centre satisfies left <= x < right on row y
    // (known to be on the image), clipped to the image width.
    void fillBetween(int y, double left, double right) const
    {
        const int first = ceilToInt(std::clamp(left, 0.0, double(width)));
        const int end = ceilToInt(std::clamp(right, 0.0, double(width)));
        if (first < end)
            fill(y, first, end);
    }
};

// One row of a cap: pixel offsets first .. last on row offset dy.
struct CapRow {
    int dy;
    int first;
    int last;
};

// The disc of diameter width around a pixel: offsets (i, j) whose distance
// from the disc centre is at most width/2 - 1/4. For even widths the centre
// lies half a pixel toward -x and -y.
std::vector<CapRow> makeCapShape(int width)
{
    std::vector<CapRow> rows;
    const int reach = width / 2 + 1;
    const double centre = width % 2 == 0 ? -0.5 : 0.0;
    const double radius = width / 2.0 - 0.25;
    for (int j = -reach; j <= reach; ++j) {
        const double dy = j - centre;
        const double spare = radius * radius - dy * dy;
        if (spare < 0)
            continue;
        const double half = std::sqrt(spare);
        rows.push_back({j, int(std::ceil(centre - half)), int(std::floor(centre + half))});
    }
    return rows;
}

const std::vector<CapRow>& capShape(int width)
{
    static std::array<std::vector<CapRow>, kMaxPenWidth + 1> shapes;
    std::vector<CapRow>& shape = shapes[std::size_t(width)];
    if (shape.empty())
        shape = makeCapShape(width);
    return shape;
}

void fillCap(const SpanTarget& target, PixelPoint centre, int width)
{
    const int reach = width / 2 + 1;
    if (centre.x < -reach || centre.y < -reach || centre.x >= target.width + reach
        || centre.y >= target.height + reach)
        return;
    const int cx = int(centre.x), cy = int(centre.y);
    for (const CapRow& row : capShape(width)) {
        const int y = cy + row.dy;
        if (y < 0 || y >= target.height)
            continue;
        const int first = std::max(cx + row.first, 0), end = std::min(cx + row.last + 1, target.width);
        if (first < end)
            target.fill(y, first, end);
    }
}

// A non-horizontal side of the quadrilateral.
struct Side {
    double top;
    double bottom;
    double xAtTop;
    double slope;  // dx per row
};

// The convex quadrilateral of the widened segment, scanned row by row.
void fillSegmentBody(const SpanTarget& target, PixelPoint from, PixelPoint to, int width)
{
    const double dx = double(to.x - from.x), dy = double(to.y - from.y);
    const double scale = (width / 2.0) / std::sqrt(dx * dx + dy * dy);
    const double nx = -dy * scale, ny = dx * scale;
    const double ax = double(from.x), ay = double(from.y), bx = double(to.x), by = double(to.y);
    const std::array<std::array<double, 2>, 4> corners{
        {{ax + nx, ay + ny}, {bx + nx, by + ny}, {bx - nx, by - ny}, {ax - nx, ay - ny}}};

    std::array<Side, 4> sides;
    std::size_t sideCount = 0;
    double top = corners[0][1], bottom = corners[0][1];
    for (std::size_t k = 0; k < corners.size(); ++k) {
        const auto& p = corners[k];
        const auto& q = corners[(k + 1) % corners.size()];
        top = std::min(top, p[1]);
        bottom = std::max(bottom, p[1]);
        if (p[1] == q[1])
            continue;
        const auto& upper = p[1] < q[1] ? p : q;
        const auto& lower = p[1] < q[1] ? q : p;
        sides[sideCount++] = {upper[1], lower[1], upper[0], (lower[0] - upper[0]) / (lower[1] - upper[1])};
    }

    const double firstRow = std::max(std::ceil(top), 0.0);
    const double endRow = std::min(std::ceil(bottom), double(target.height));
    for (double row = firstRow; row < endRow; ++row) {
        double left = INFINITY, right = -INFINITY;
        for (std::size_t k = 0; k < sideCount; ++k) {
            const Side& side = sides[k];
            if (row < side.top || row > side.bottom)
                continue;
            const double x = side.xAtTop + (row - side.top) * side.slope;
            left = std::min(left, x);
            right = std::max(right, x);
        }
        if (left < right)
            target.fillBetween(int(row), left, right);
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
    const SpanTarget target{reinterpret_cast<QRgb*>(image.bits()), image.bytesPerLine() / qsizetype(sizeof(QRgb)),
                            image.width(), image.height(), colour};
    if (!(from == to))
        fillSegmentBody(target, from, to, width);
    fillCap(target, from, width);
    fillCap(target, to, width);
}

}  // namespace veltrano
