#pragma once
// The pictures of the palette's picture buttons, drawn by our own code: 16 by
// 16 pixels on a transparent background (the benzene ring of the template
// button is larger). The drawing is deliberately plain, without smoothing,
// so the buttons keep the crisp look of small toolbar glyphs.

#include "render/colour.h"

#include <QImage>

namespace veltrano {

enum class ButtonGlyph {
    SingleBond,
    DoubleBond,
    TripleBond,
    SolidWedgeUpRight,
    HashedWedgeUpRight,
    SolidWedgeDownLeft,
    HashedWedgeDownLeft,
    DashedRectangle,
    ArrowUp,
    ArrowRight,
    ArrowLeft,
    ArrowDown,
    ColourPatch,   // an irregular patch in the given colour
    StripedPatch,  // diagonal stripes in several colours (the custom colour)
};

constexpr int kGlyphSize = 16;

// A 16 x 16 ARGB picture; colour is used by ColourPatch only.
QImage drawButtonGlyph(ButtonGlyph glyph, Colour colour = kBlack);

// The picture of the template button: a benzene ring with its three double
// bonds, size by size pixels.
QImage drawBenzeneRing(int size = 32);

}  // namespace veltrano
