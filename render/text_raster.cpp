#include "render/text_raster.h"

#include <algorithm>

namespace veltrano {

namespace {

// Fills [left, right) x [top, bottom), clipped to the target. The rectangle
// may lie wholly beside the target (its ink margin may still reach it).
void fillRect(const RasterTarget& pixels, std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
              QRgb colour)
{
    const int x0 = int(std::max<std::int64_t>(left, 0)), x1 = int(std::min<std::int64_t>(right, pixels.width()));
    const int y0 = int(std::max<std::int64_t>(top, pixels.top()));
    const int y1 = int(std::min<std::int64_t>(bottom, pixels.bottom()));
    if (x0 >= x1)
        return;
    for (int y = y0; y < y1; ++y)
        pixels.fillRow(y, x0, x1, colour);
}

// The caller has checked that the glyph's pen position lies within a
// margin of the target, so all coordinates fit an int.
void blitGlyph(const RasterTarget& pixels, const Glyph& glyph, int penX, int top, QRgb colour)
{
    for (const InkRun& run : glyph.runs) {
        const int y = top + run.y;
        if (y < pixels.top() || y >= pixels.bottom())
            continue;
        const int first = std::max(penX + run.firstX, 0), end = std::min(penX + run.endX, pixels.width());
        if (first < end)
            pixels.fillRow(y, first, end, colour);
    }
}

// A glyph whose cell with its ink margin lies wholly on the target: no run
// needs clipping.
void blitWholeGlyph(const RasterTarget& pixels, const Glyph& glyph, int penX, int top, QRgb colour)
{
    if (CoverMask* const cover = pixels.cover()) {
        for (const InkRun& run : glyph.runs)
            cover->fill(pixels.row(top + run.y), top + run.y, penX + run.firstX, penX + run.endX, colour);
        return;
    }
    for (const InkRun& run : glyph.runs) {
        QRgb* const row = pixels.row(top + run.y);
        for (int x = penX + run.firstX; x < penX + run.endX; ++x)
            row[x] = colour;
    }
}

}  // namespace

TextBox textBounds(PixelPoint anchor, std::size_t byteCount, int emBound)
{
    const std::int64_t reach = 3 * std::int64_t(emBound) + 4;
    const std::int64_t width = std::int64_t(std::min<std::size_t>(byteCount, std::size_t(1) << 32)) * reach;
    return {anchor.x - reach, anchor.y - reach, anchor.x + width + reach - 1, anchor.y + 2 * reach - 1};
}

bool textMissesTarget(const RasterTarget& target, PixelPoint anchor, std::size_t byteCount, int emBound)
{
    const TextBox box = textBounds(anchor, byteCount, emBound);
    return box.left >= target.width() || box.top >= target.bottom() || box.right < 0 || box.bottom < target.top();
}

std::int64_t textAdvance(const GlyphFace& face, std::string_view bytes)
{
    std::int64_t advance = 0;
    for (char byte : bytes)
        advance += face.advance(static_cast<unsigned char>(byte));
    return advance;
}

TextPixels textPixelsOf(const GlyphFace& face, PixelPoint anchor, std::string_view bytes)
{
    const std::int64_t margin = face.inkMargin();
    const std::int64_t right = anchor.x + textAdvance(face, bytes), bottom = anchor.y + face.cellHeight();
    return {true,
            {anchor.x, anchor.y, right, bottom},
            {anchor.x - margin, anchor.y - margin, right + margin, bottom + margin}};
}

void drawOpaqueText(const RasterTarget& pixels, GlyphFace& face, PixelPoint anchor, std::string_view bytes,
                    QRgb colour)
{
    const std::int64_t margin = face.inkMargin();
    const std::int64_t advance = textAdvance(face, bytes);
    const std::int64_t bottom = anchor.y + face.cellHeight();
    if (anchor.x - margin >= pixels.width() || anchor.y - margin >= pixels.bottom() || anchor.x + advance + margin <= 0
        || bottom + margin <= pixels.top())
        return;

    fillRect(pixels, anchor.x, anchor.y, anchor.x + advance, bottom, qRgb(255, 255, 255));
    const bool wholeRows = anchor.y - margin >= pixels.top() && bottom + margin <= pixels.bottom();
    std::int64_t penX = anchor.x;
    for (char byte : bytes) {
        const unsigned char code = static_cast<unsigned char>(byte);
        const int glyphAdvance = face.advance(code);
        // Glyphs left of or right of the target (with their margin) are
        // skipped without being rendered.
        if (penX - margin >= 0 && penX + glyphAdvance + margin <= pixels.width() && wholeRows)
            blitWholeGlyph(pixels, face.glyph(code), int(penX), int(anchor.y), colour);
        else if (penX + glyphAdvance + margin > 0 && penX - margin < pixels.width())
            blitGlyph(pixels, face.glyph(code), int(penX), int(anchor.y), colour);
        penX += glyphAdvance;
        if (penX - margin >= pixels.width())
            break;
    }
}

}  // namespace veltrano
