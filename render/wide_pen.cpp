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

// The x values between lower and upper for a row, as the solution of
// lower <= coefficient * x <= upper.
struct Interval {
    double low;
    double high;
};

Interval solve(double coefficient, double inverse, double lower, double upper)
{
    if (coefficient == 0)
        return lower <= 0 && 0 <= upper ? Interval{-INFINITY, INFINITY} : Interval{INFINITY, -INFINITY};
    const double a = lower * inverse, b = upper * inverse;
    return a < b ? Interval{a, b} : Interval{b, a};
}

// The widened segment is the set of points p with
//   |n . (p - from)| <= w/2 * |d|   (the band along the line, n = (-dy, dx))
//   0 <= d . (p - from) <= |d|^2     (the strip between the two ends)
// so each row crosses it in the intersection of two intervals of x.
void fillSegmentBody(const SpanTarget& target, PixelPoint from, PixelPoint to, int width)
{
    const double dx = double(to.x - from.x), dy = double(to.y - from.y);
    const double lengthSquared = dx * dx + dy * dy;
    const double length = std::sqrt(lengthSquared);
    const double half = width / 2.0;
    const double bandLimit = half * length;
    const double ax = double(from.x), ay = double(from.y);
    const double inverseDx = dx != 0 ? 1 / dx : 0, inverseMinusDy = dy != 0 ? -1 / dy : 0;

    const double reachY = std::fabs(dx) / length * half;
    const double top = std::min(ay, double(to.y)) - reachY, bottom = std::max(ay, double(to.y)) + reachY;
    const double firstRow = std::max(std::ceil(top), 0.0);
    const double endRow = std::min(std::ceil(bottom), double(target.height));
    for (double row = firstRow; row < endRow; ++row) {
        const double v = row - ay;
        // band: -dy * u in [-limit - dx * v, limit - dx * v], u = x - ax
        const Interval band = solve(-dy, inverseMinusDy, -bandLimit - dx * v, bandLimit - dx * v);
        // strip: dx * u in [-dy * v, |d|^2 - dy * v]
        const Interval strip = solve(dx, inverseDx, -dy * v, lengthSquared - dy * v);
        const double left = std::max(band.low, strip.low), right = std::min(band.high, strip.high);
        if (left < right)
            target.fillBetween(int(row), ax + left, ax + right);
    }
}

}  // namespace

void drawWideLine(QImage& image, PixelPoint from, PixelPoint to, int width, QRgb colour)
{
    width = std::clamp(width, 2, kMaxPenWidth);
    // The same end-point order for both directions, so both give the same
    // pixels to the last rounding.
    std::int64_t x0 = from.x, y0 = from.y, x1 = to.x, y1 = to.y;
    if (x1 < x0 || (x1 == x0 && y1 < y0)) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const SpanTarget target{reinterpret_cast<QRgb*>(image.bits()), image.bytesPerLine() / qsizetype(sizeof(QRgb)),
                            image.width(), image.height(), colour};
    if (x0 != x1 || y0 != y1)
        fillSegmentBody(target, {x0, y0}, {x1, y1}, width);
    fillCap(target, {x0, y0}, width);
    fillCap(target, {x1, y1}, width);
}

}  // namespace veltrano
