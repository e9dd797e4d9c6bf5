#pragma once
// Lines drawn with a pen wider than one pixel: the widened segment plus a
// round cap on each end point, filled as one region. Consecutive segments
// therefore meet in round joins.
//
// The segment is the quadrilateral whose sides run w/2 to either side of the
// ideal line between the (whole-pixel) end points, filled scanline by
// scanline with pixel centres at whole coordinates: left and top edges are
// inside, right and bottom edges outside. A horizontal line from x1 to x2
// thus covers x1 .. x2-1 on the rows y - w/2 .. y - w/2 + w - 1 (w/2 rounded
// down); the caps complete the ends. Caps are the pixel discs of diameter w:
// width 2 the block (x-1..x, y-1..y), width 3 a plus sign, width 5 the 5x5
// square without its corners; even widths reach one pixel further toward -x
// and -y. The drawn pixels do not depend on the drawing direction.

#include "render/pixel_point.h"
#include "render/raster_target.h"

namespace veltrano {

// Widths above this are drawn with this width, so a hostile width cannot
// make a line cost more than a few page areas.
constexpr int kMaxPenWidth = 100;

// Draws the segment from `from` to `to` (both within +-kExactCoordinateLimit)
// clipped to the target; equal points draw one cap. width is 2 .. kMaxPenWidth.
void drawWideLine(const RasterTarget& target, PixelPoint from, PixelPoint to, int width, QRgb colour);

}  // namespace veltrano
