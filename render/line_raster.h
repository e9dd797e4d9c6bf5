#pragma once
// The one-pixel line of the classic Windows rules: one pixel per step along
// the major axis (x only when |dx| > |dy|, so 45-degree lines are y-major),
// the start pixel drawn and the end pixel not, the minor coordinate the one
// nearest the ideal line, exact ties going to the smaller coordinate in both
// drawing directions.
//
// For pixel i of the line (i = 0 .. major-1) the number of minor steps taken
// so far is n(i) = floor((2*minor*i + major - 1 + bias) / (2*major)), where
// bias is 1 when the minor step goes toward smaller coordinates; that equals
// floor((minor*i + h) / major) with h = floor((major - 1 + bias) / 2). That
// is the Bresenham error term in closed form, so the first and last pixel
// inside a clip box are computed directly, in exact integer arithmetic for
// ends up to 2^127 away, and only visible pixels are ever stepped.

#include "render/pixel_point.h"
#include "render/raster_target.h"

#include <span>

namespace veltrano {

// The visible part of a one-pixel line: its first visible pixel (page
// coordinates) and the stepping state there. count == 0 means nothing is
// visible. Remainder is wide enough for the line's lengths: 128 bits for
// lines clipped from far ends, an int for lines on the page.
template <typename Remainder>
struct LineRun {
    int count = 0;
    int x = 0;
    int y = 0;
    int majorStepX = 0;
    int majorStepY = 0;
    int minorStepX = 0;
    int minorStepY = 0;
    // (minor*i + h) mod major at the first visible pixel; a minor step is
    // taken each time adding increment (the minor length) reaches modulus
    // (the major length).
    Remainder remainder = 0;
    Remainder increment = 0;
    Remainder modulus = 1;
};
using ThinLineRun = LineRun<ExactCoordinate::Magnitude>;

// The pixels of the line from `from` up to (not including) `to` that lie in
// the box 0 <= x < width, top <= y < bottom; both ends within
// +-kLargestExactCoordinate.
ThinLineRun clipThinLine(LinePoint from, LinePoint to, int width, int top, int bottom);

// Draws the line from `from` up to (not including) `to`, clipped to the
// target. The ends of most lines fit a PixelPoint (within
// +-kExactCoordinateLimit) and are passed as such: 128-bit values cost a
// round trip through memory in every call.
void drawThinLine(const RasterTarget& target, PixelPoint from, PixelPoint to, QRgb colour);
// Ends within +-kLargestExactCoordinate.
void drawThinLine(const RasterTarget& target, LinePoint from, LinePoint to, QRgb colour);

// drawThinLine from points[0] to points[1], from points[1] to points[2], ...:
// for curves drawn as thousands of pieces a pixel or two long.
void drawThinPolyline(const RasterTarget& target, std::span<const PixelPoint> points, QRgb colour);

}  // namespace veltrano
