#pragma once
// Opaque text on the page: the text cell (the sum of the glyph advances by
// ascent + descent, from the anchor) is filled white, then the glyphs are
// set in the font colour. Ink reaching beyond the cell is drawn without
// background. Everything is clipped to the target.

#include "render/glyph_cache.h"
#include "render/pixel_point.h"
#include "render/raster_target.h"

#include <string_view>

namespace veltrano {

// The advance width of the bytes in the face.
std::int64_t textAdvance(const GlyphFace& face, std::string_view bytes);

// A box (both corners included) that holds every pixel a text of byteCount
// characters anchored at anchor can paint when its em size is at most
// emBound: no glyph is wider or taller than three ems.
struct TextBox {
    std::int64_t left, top, right, bottom;
};
TextBox textBounds(PixelPoint anchor, std::size_t byteCount, int emBound);

// What drawOpaqueText sets: every pixel of the cell (white, then ink), and
// ink at most up to the ink box; right and bottom are excluded. any is false
// when it sets none.
struct TextPixels {
    bool any = false;
    TextBox cell{}, ink{};
};
TextPixels textPixelsOf(const GlyphFace& face, PixelPoint anchor, std::string_view bytes);

// True when such a text certainly has no pixel on the target (its box
// misses the target's rows): such text needs no face at all.
bool textMissesTarget(const RasterTarget& target, PixelPoint anchor, std::size_t byteCount, int emBound);

// Draws bytes with the top-left of the cell at anchor (within
// +-kExactCoordinateLimit) on the target (through its cover mask, if any).
// Text entirely off the target returns at once.
void drawOpaqueText(const RasterTarget& pixels, GlyphFace& face, PixelPoint anchor, std::string_view bytes,
                    QRgb colour);

}  // namespace veltrano
