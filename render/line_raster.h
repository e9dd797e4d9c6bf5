#pragma once
// The one-pixel line of the classic Windows rules: one pixel per step along
// the major axis (x only when |dx| > |dy|, so 45-degree lines are y-major),
// the start pixel drawn and the end pixel not, the minor coordinate the one
// nearest the ideal line, exact ties going to the smaller coordinate in both
// drawing directions.
//
// For pixel i of the line (i = 0 .. major-1) the number of minor steps taken
// so far is n(i) = floor((2*minor*i + major - 1 + bias) / (2*major)), where
// bias is 1 when the minor step goes toward smaller coordinates. That is the
// Bresenham error term in closed form, so the first and last pixel inside a
// clip box are computed directly and only visible pixels are ever stepped.

#include "render/pixel_point.h"
#include "render/raster_target.h"

#include <QImage>
#include <cstdint>

namespace veltrano {

// The visible part of a one-pixel line: its first visible pixel and the
// stepping state there. count == 0 means nothing is visible.
struct ThinLineRun {
    int count = 0;
    int x = 0;
    int y = 0;
    int majorStepX = 0;
    int majorStepY = 0;
    int minorStepX = 0;
    int minorStepY = 0;
    // Remainder of the closed-form division; a minor step is taken each time
    // it reaches modulus.
    std::uint64_t remainder = 0;
    std::uint64_t increment = 0;
    std::uint64_t modulus = 1;
};

// The pixels of the line from `from` up to (not including) `to` that lie in
// the box 0 <= x < width, 0 <= y < height. Both points must lie within
// +-kExactCoordinateLimit.
ThinLineRun clipThinLine(PixelPoint from, PixelPoint to, int width, int height);

// Sets the pixels of a clipped run; the run must come from clipThinLine with
// the image's own size. image is Format_RGB32.
void plotThinLine(QImage& image, const ThinLineRun& run, QRgb colour);

void drawThinLine(QImage& image, PixelPoint from, PixelPoint to, QRgb colour);
// The same on pixels fetched once for several lines.
void drawThinLine(const RasterTarget& target, PixelPoint from, PixelPoint to, QRgb colour);

}  // namespace veltrano
