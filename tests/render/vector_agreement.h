#pragma once
// How far the vector drawing, rasterised with antialiasing, agrees with the
// raster page: which ink pixels of either have ink of the other nearby.

#include "document/element_record.h"

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace veltrano::test {

// A pixel of the antialiased vector picture counts as ink when one of its
// channels lies at least this far below white: at least half covered by
// full ink. The raster's glyphs are the font's coverage cut at one half, so
// this is the same cut for the vector's glyphs; fainter pixels are the
// fringes antialiasing spreads around every edge, up to a pixel beyond the
// outline, which the raster's rounded geometry does not have. The vector
// drawing has no halo beside a single bond; the raster's halo pixels lie
// beside the bond's line, so they count as covered.
constexpr int kVectorInkThreshold = 128;

struct Agreement {
    std::int64_t rasterInk = 0;     // non-white raster pixels
    std::int64_t rasterCovered = 0; // of them, with vector ink within one pixel
    std::int64_t vectorInk = 0;
    std::int64_t vectorStray = 0;   // vector ink with no raster ink within one pixel
    double coveredShare() const { return rasterInk == 0 ? 1.0 : double(rasterCovered) / double(rasterInk); }
};

// Every pixel some drawing call of the raster inks while it draws records
// (identity view), black: the ink of each line and text at the time it is
// drawn, also where a later call paints it white again, and including a
// margin of kInkEverMargin pixels around the page, where the raster's ink
// is clipped away. The image is that much larger on every side.
//
// The vector geometry is unrounded, the raster's rounded per call: where a
// later white line or cell covers a rounded raster line it may cover all of
// it, while a sliver of the unrounded line stays beside it (the edges of a
// triple bond, a bond end at a label's cell, a line just above the page).
// Such a pixel has no raster ink left nearby, but it lies beside ink the
// raster drew there. Vector ink is checked against this.
constexpr int kInkEverMargin = 2;
QImage rasterInkEver(const std::vector<ElementRecord>& records);

// raster: the finished page; inkEver: rasterInkEver of the same records;
// vector: the antialiased vector picture. Covered raster ink counts against
// the finished page, stray vector ink against inkEver.
Agreement agreementOf(const QImage& raster, const QImage& inkEver, const QImage& vector);

// The raster page in grey with raster ink that vector ink misses in red and
// stray vector ink in blue, for looking at a failure.
QImage agreementPicture(const QImage& raster, const QImage& inkEver, const QImage& vector);

std::string describe(const Agreement& agreement);

}  // namespace veltrano::test
