#pragma once
// Turns a segment with double coordinates into whole pixels, as every drawing
// call of the canvas does: each coordinate is rounded to the nearest integer,
// ties to even.
//
// Wide pens: coordinates beyond +-kExactCoordinateLimit are first clipped (in
// doubles) to that square, so no out-of-range double is ever converted and
// far-away lines cost no more than near ones. Within the square the result is
// exact; beyond it the direction is kept to double precision.
//
// One-pixel lines: every end below 2^127 in magnitude (all a record can
// hold) is rounded exactly, and the line is stepped exactly from those ends.
// Only ends beyond that are clipped in doubles first.

#include "document/rounding.h"
#include "render/pixel_point.h"

#include <cmath>
#include <optional>

namespace veltrano {

struct PixelSegment {
    PixelPoint from;
    PixelPoint to;
};

struct LineSegment {
    LinePoint from;
    LinePoint to;
};

inline bool withinExactSquare(double value)
{
    // False for NaN as well.
    return std::fabs(value) <= double(kExactCoordinateLimit);
}

inline bool withinExactSquare(double x0, double y0, double x1, double y1)
{
    return withinExactSquare(x0) && withinExactSquare(y0) && withinExactSquare(x1) && withinExactSquare(y1);
}

// The four coordinates rounded; all must lie within the exact square.
inline PixelSegment snapWithinSquare(double x0, double y0, double x1, double y1)
{
    return {{roundHalfEvenToInteger(x0), roundHalfEvenToInteger(y0)},
            {roundHalfEvenToInteger(x1), roundHalfEvenToInteger(y1)}};
}

// snapSegment for segments with a coordinate beyond the square (or not
// finite): clipped to the square first.
std::optional<PixelSegment> snapFarSegment(double x0, double y0, double x1, double y1);

// Nothing when a coordinate is NaN or infinite, or when the segment misses
// the square of exact coordinates entirely. Drawing calls snap every segment,
// nearly always with every coordinate on or near the page: that case is
// decided here, without a call.
inline std::optional<PixelSegment> snapSegment(double x0, double y0, double x1, double y1)
{
    if (withinExactSquare(x0, y0, x1, y1))
        return snapWithinSquare(x0, y0, x1, y1);
    return snapFarSegment(x0, y0, x1, y1);
}

// The ends of a one-pixel line with a coordinate beyond the square: exact
// for magnitudes below 2^127; nothing when a coordinate is not finite or the
// line (beyond 2^127) misses the square of that size.
std::optional<LineSegment> snapFarLine(double x0, double y0, double x1, double y1);

// True when the segment certainly lights no pixel of the box 0 <= x < width,
// top <= y < bottom once its ends are rounded: its bounding box or its line
// stays clear of the box by more than the rounding and the error of the
// double arithmetic can make up. A cheap test before the exact stepping of
// far lines.
bool segmentMissesRows(double x0, double y0, double x1, double y1, int width, int top, int bottom);

// One point rounded the same way; nothing when it is not finite or lies
// beyond the square of exact coordinates.
std::optional<PixelPoint> snapPoint(double x, double y);

}  // namespace veltrano
