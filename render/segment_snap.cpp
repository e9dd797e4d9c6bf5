#include "render/segment_snap.h"

#include <algorithm>
#include <cmath>

namespace veltrano {

namespace {

constexpr double kLimit = double(kExactCoordinateLimit);
// Far coordinates are scaled by a power of two (exact) so that the largest is
// at most 2^kScaledMagnitude: the cross product below then cannot overflow,
// and values of pixel size stay far from underflow.
constexpr int kScaledMagnitude = 500;

using snap_detail::kRoundingShift;

std::int64_t toPixel(double value)
{
    // Clamped to the exact square, so the rounded value converts safely.
    const double clamped = std::clamp(value, -kLimit, kLimit);
    const double shifted = clamped + kRoundingShift;
    return std::int64_t(shifted - kRoundingShift);
}

bool withinLimit(double value) { return std::fabs(value) <= kLimit; }

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

std::optional<PixelSegment> clipFar(double x0, double y0, double x1, double y1)
{
    const double largest = std::max({std::fabs(x0), std::fabs(y0), std::fabs(x1), std::fabs(y1)});
    const int exponent = std::min(0, kScaledMagnitude - std::ilogb(largest));
    const double limit = std::ldexp(kLimit, exponent);
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
    auto end = [&](double u, double originalU, double originalV) -> std::optional<PixelPoint> {
        const double v = u == originalU ? originalV : line.vAt(u);
        if (!std::isfinite(v))
            return std::nullopt;
        const double clampedV = std::clamp(v, -limit, limit);
        const double x = std::ldexp(xLonger ? u : clampedV, -exponent);
        const double y = std::ldexp(xLonger ? clampedV : u, -exponent);
        return PixelPoint{toPixel(x), toPixel(y)};
    };
    const bool increasing = du > 0;
    const auto from = end(increasing ? low : high, u0, v0);
    const auto to = end(increasing ? high : low, u1, v1);
    if (!from || !to)
        return std::nullopt;
    return PixelSegment{*from, *to};
}

}  // namespace

std::optional<PixelPoint> snapPoint(double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y) || !withinLimit(x) || !withinLimit(y))
        return std::nullopt;
    return PixelPoint{toPixel(x), toPixel(y)};
}

std::optional<PixelSegment> snapFarSegment(double x0, double y0, double x1, double y1)
{
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
        return std::nullopt;
    if (withinLimit(x0) && withinLimit(y0) && withinLimit(x1) && withinLimit(y1))
        return PixelSegment{{toPixel(x0), toPixel(y0)}, {toPixel(x1), toPixel(y1)}};

    return clipFar(x0, y0, x1, y1);
}

}  // namespace veltrano
