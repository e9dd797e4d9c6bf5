#pragma once
// Turns a segment with double coordinates into whole pixels, as every drawing
// call of the canvas does: each coordinate is rounded to the nearest integer,
// ties to even. Coordinates beyond +-kExactCoordinateLimit are first clipped
// (in doubles) to that square, so no out-of-range double is ever converted
// and far-away lines cost no more than near ones. Within the square the
// result is exact; beyond it the direction is kept to double precision, which
// moves the pixels on the page by far less than a pixel.

#include "render/pixel_point.h"

#include <cmath>
#include <optional>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace veltrano {

struct PixelSegment {
    PixelPoint from;
    PixelPoint to;
};

// Nothing when a coordinate is NaN or infinite, or when the segment misses
// the square of exact coordinates entirely.
inline std::optional<PixelSegment> snapSegment(double x0, double y0, double x1, double y1);

// snapSegment for segments with a coordinate beyond the square (or not
// finite): clipped to the square first.
std::optional<PixelSegment> snapFarSegment(double x0, double y0, double x1, double y1);

namespace snap_detail {

// Adding and subtracting 1.5 * 2^52 rounds a double of magnitude below 2^51
// to a whole number in the current rounding mode (nearest, ties to even), as
// std::nearbyint does, without the library call that costs on the baseline
// instruction set.
constexpr double kRoundingShift = 6755399441055744.0;

inline bool withinLimit(double value)
{
    // False for NaN as well.
    return std::fabs(value) <= double(kExactCoordinateLimit);
}

inline std::int64_t roundWithinLimit(double value)
{
#if defined(__SSE2__) || defined(_M_X64)
    // The processor's own conversion rounds in the current mode (nearest,
    // ties to even) in one instruction; exact for these magnitudes.
    return _mm_cvtsd_si64(_mm_set_sd(value));
#else
    return std::int64_t((value + kRoundingShift) - kRoundingShift);
#endif
}

}  // namespace snap_detail

// Drawing calls snap every segment, nearly always with every coordinate on
// or near the page: that case is decided here, without a call.
inline std::optional<PixelSegment> snapSegment(double x0, double y0, double x1, double y1)
{
    using namespace snap_detail;
    // One branch for the four tests: they are cheap, and on the page they
    // all hold.
    if (withinLimit(x0) & withinLimit(y0) & withinLimit(x1) & withinLimit(y1))
        return PixelSegment{{roundWithinLimit(x0), roundWithinLimit(y0)}, {roundWithinLimit(x1), roundWithinLimit(y1)}};
    return snapFarSegment(x0, y0, x1, y1);
}

// One point rounded the same way; nothing when it is not finite or lies
// beyond the square of exact coordinates.
std::optional<PixelPoint> snapPoint(double x, double y);

}  // namespace veltrano
