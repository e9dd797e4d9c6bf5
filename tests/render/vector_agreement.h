#pragma once
// How far the vector drawing, rasterised with antialiasing, agrees with the
// raster page: which ink pixels of either have ink of the other nearby.

#include <QImage>
#include <cstdint>
#include <string>

namespace veltrano::test {

// A pixel of the antialiased vector picture counts as ink when one of its
// channels lies at least this far below white: a quarter of full ink.
// Fainter pixels are the fringes antialiasing spreads around every edge
// (they lie half a pixel to a pixel beyond the raster's stepped edge);
// the palest real ink of the page, the halo of a single bond (153 of 255),
// and yellow (blue 0) are far above it.
constexpr int kVectorInkThreshold = 128;

struct Agreement {
    std::int64_t rasterInk = 0;     // non-white raster pixels
    std::int64_t rasterCovered = 0; // of them, with vector ink within one pixel
    std::int64_t vectorInk = 0;
    std::int64_t vectorStray = 0;   // vector ink with no raster ink within one pixel
    double coveredShare() const { return rasterInk == 0 ? 1.0 : double(rasterCovered) / double(rasterInk); }
};

Agreement agreementOf(const QImage& raster, const QImage& vector);

// The raster page in grey with raster ink that vector ink misses in red and
// stray vector ink in blue, for looking at a failure.
QImage agreementPicture(const QImage& raster, const QImage& vector);

std::string describe(const Agreement& agreement);

}  // namespace veltrano::test
