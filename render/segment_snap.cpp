#include "render/segment_snap.h"

#include <algorithm>
#include <cmath>

namespace veltrano {

namespace {

constexpr double kLimit = double(kExactCoordinateLimit);
// One-pixel lines are exact for ends below 2^127; farther ones are clipped to
// the square of 2^126 first.
constexpr double kLineLimit = 0x1p127;
constexpr double kLineClipLimit = 0x1p126;
// Far coordinates are scaled by a power of two (exact) so that the largest is
// at most 2^kScaledMagnitude: the cross product below then cannot overflow,
// and values of pixel size stay far from underflow.
constexpr int kScaledMagnitude = 500;

std::int64_t toPixel(double value)
{
    // Clamped to the exact square, so the rounded value converts safely.
    return roundHalfEvenToInteger(std::clamp(value, -kLimit, kLimit));
}

ExactCoordinate::Value toLinePixel(double value)
{
    // Below 2^127 in magnitude, so the whole number converts exactly.
    return ExactCoordinate::Value(roundHalfEven(value));
}

// a*d - b*c to within a few units in the last place (Kahan's method): the
// position of a far line must not be lost in the cancellation.
double determinant(double a, double b, double c, double d)
{
    const double bc = b * c;
    const double error = std::fma(-b, c, bc);
    return std::fma(a, d, -bc) + error;
}

// A far segment in the coordinates (u, v) where u is the axis along which
// the segment is longer. Its line is v = slope * u - intercept, where the
// intercept comes from the cross product of the end points: that pins the
// line's position even when the end points are huge, whereas start + t * delta
// would lose it in the cancellation.
struct FarLine {
    double slope;      // |slope| <= 1
    double intercept;

    double vAt(double u) const { return u * slope - intercept; }
    double uAt(double v) const { return (v + intercept) / slope; }
};

struct DoubleSegment {
    double x0, y0, x1, y1;
};

// The part of the segment inside the square of half-size squareLimit, in
// doubles; ends inside the square keep their coordinates.
std::optional<DoubleSegment> clipFar(double x0, double y0, double x1, double y1, double squareLimit)
{
    const double largest = std::max({std::fabs(x0), std::fabs(y0), std::fabs(x1), std::fabs(y1)});
    const int exponent = std::min(0, kScaledMagnitude - std::ilogb(largest));
    const double limit = std::ldexp(squareLimit, exponent);
    const bool xLonger = std::fabs(x1 - x0) >= std::fabs(y1 - y0);
    const double u0 = std::ldexp(xLonger ? x0 : y0, exponent), v0 = std::ldexp(xLonger ? y0 : x0, exponent);
    const double u1 = std::ldexp(xLonger ? x1 : y1, exponent), v1 = std::ldexp(xLonger ? y1 : x1, exponent);
    const double du = u1 - u0, dv = v1 - v0;
    if (du == 0)
        return std::nullopt;  // a single point, and it lies outside the square
    const FarLine line{dv / du, determinant(u0, v0, u1, v1) / du};

    double low = std::max(std::min(u0, u1), -limit);
    double high = std::min(std::max(u0, u1), limit);
    if (line.slope == 0) {
        if (std::fabs(line.vAt(low)) > limit)
            return std::nullopt;
    } else {
        const double a = line.uAt(-limit), b = line.uAt(limit);
        low = std::max(low, std::min(a, b));
        high = std::min(high, std::max(a, b));
    }
    if (!(low <= high))
        return std::nullopt;

    // Ends that were not moved keep their own coordinates.
    double x[2], y[2];
    auto end = [&](int which, double u, double originalU, double originalV) {
        const double v = u == originalU ? originalV : line.vAt(u);
        if (!std::isfinite(v))
            return false;
        const double clampedV = std::clamp(v, -limit, limit);
        x[which] = std::clamp(std::ldexp(xLonger ? u : clampedV, -exponent), -squareLimit, squareLimit);
        y[which] = std::clamp(std::ldexp(xLonger ? clampedV : u, -exponent), -squareLimit, squareLimit);
        return true;
    };
    const bool increasing = du > 0;
    if (!end(0, increasing ? low : high, u0, v0) || !end(1, increasing ? high : low, u1, v1))
        return std::nullopt;
    return DoubleSegment{x[0], y[0], x[1], y[1]};
}

bool allFinite(double x0, double y0, double x1, double y1)
{
    return std::isfinite(x0) && std::isfinite(y0) && std::isfinite(x1) && std::isfinite(y1);
}

}  // namespace

std::optional<PixelPoint> snapPoint(double x, double y)
{
    if (!withinExactSquare(x) || !withinExactSquare(y))
        return std::nullopt;
    return PixelPoint{toPixel(x), toPixel(y)};
}

std::optional<PixelSegment> snapFarSegment(double x0, double y0, double x1, double y1)
{
    if (!allFinite(x0, y0, x1, y1))
        return std::nullopt;
    if (withinExactSquare(x0, y0, x1, y1))
        return snapWithinSquare(x0, y0, x1, y1);
    const auto clipped = clipFar(x0, y0, x1, y1, kLimit);
    if (!clipped)
        return std::nullopt;
    return PixelSegment{{toPixel(clipped->x0), toPixel(clipped->y0)}, {toPixel(clipped->x1), toPixel(clipped->y1)}};
}

bool segmentMissesRows(double x0, double y0, double x1, double y1, int width, int top, int bottom)
{
    // Rounding moves an end by at most half a pixel and a lit pixel lies
    // within one pixel of the line between the rounded ends.
    constexpr double kReach = 2.0;
    if (std::max(x0, x1) < -kReach || std::min(x0, x1) > width + kReach || std::max(y0, y1) < top - kReach
        || std::min(y0, y1) > bottom + kReach)
        return true;
    const double halfWidth = width / 2.0, halfHeight = (bottom - top) / 2.0;
    const double cx = halfWidth, cy = top + halfHeight;
    const double dx = x1 - x0, dy = y1 - y0;
    const double ax = std::fabs(dx) * std::fabs(cy - y0), ay = std::fabs(dy) * std::fabs(cx - x0);
    const double cross = dx * (cy - y0) - dy * (cx - x0);
    // Each difference and product is within a few units in the last place;
    // 16 of them is ample.
    const double error = 16 * 0x1p-53 * (ax + ay);
    const double length = std::hypot(dx, dy);
    const double radius = std::hypot(halfWidth, halfHeight) + kReach + 1;
    return std::isfinite(cross) && std::fabs(cross) - error > radius * length * (1 + 0x1p-50);
}

std::optional<LineSegment> snapFarLine(double x0, double y0, double x1, double y1)
{
    if (!allFinite(x0, y0, x1, y1))
        return std::nullopt;
    auto within = [](double value) { return std::fabs(value) < kLineLimit; };
    if (!(within(x0) && within(y0) && within(x1) && within(y1))) {
        const auto clipped = clipFar(x0, y0, x1, y1, kLineClipLimit);
        if (!clipped)
            return std::nullopt;
        x0 = clipped->x0;
        y0 = clipped->y0;
        x1 = clipped->x1;
        y1 = clipped->y1;
    }
    return LineSegment{{toLinePixel(x0), toLinePixel(y0)}, {toLinePixel(x1), toLinePixel(y1)}};
}

}  // namespace veltrano
