#pragma once
// Turns a segment with double coordinates into whole pixels, as every drawing
// call of the canvas does: each coordinate is rounded to the nearest integer,
// ties to even. Coordinates beyond +-kExactCoordinateLimit are first clipped
// (in doubles) to that square, so no out-of-range double is ever converted
// and far-away lines cost no more than near ones. Within the square the
// result is exact; beyond it the direction is kept to double precision, which
// moves the pixels on the page by far less than a pixel.

#include "render/pixel_point.h"

#include <optional>

namespace veltrano {

struct PixelSegment {
    PixelPoint from;
    PixelPoint to;
};

// Nothing when a coordinate is NaN or infinite, or when the segment misses
// the square of exact coordinates entirely.
std::optional<PixelSegment> snapSegment(double x0, double y0, double x1, double y1);

// One point rounded the same way; nothing when it is not finite or lies
// beyond the square of exact coordinates.
std::optional<PixelPoint> snapPoint(double x, double y);

}  // namespace veltrano
