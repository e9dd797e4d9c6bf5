#pragma once
// The ElementKind code table: which codes are labels, characters, bonds,
// arrows and Greek letters, and the label texts of codes 0..44.

#include "document/element_record.h"

#include <string_view>

namespace veltrano {

namespace kind {
constexpr ElementKind SelectTool = 247;
constexpr ElementKind HashedWedgeReversed = 248;
constexpr ElementKind SolidWedgeReversed = 249;
constexpr ElementKind DashedBond = 250;
constexpr ElementKind HashedWedge = 251;
constexpr ElementKind SolidWedge = 252;
constexpr ElementKind TripleBond = 253;
constexpr ElementKind DoubleBond = 254;
constexpr ElementKind SingleBond = 255;
constexpr ElementKind StraightArrow = 401;
constexpr ElementKind DoubleArrow = 402;
constexpr ElementKind EquilibriumArrow = 403;
constexpr ElementKind LeftBracket = 404;
constexpr ElementKind RightBracket = 405;
constexpr ElementKind BracketPair = 406;
constexpr ElementKind CurvedArrowFirst = 407;
constexpr ElementKind CurvedArrowLast = 412;
constexpr ElementKind OpenArrow = 413;
constexpr ElementKind DoubleBondMarker = 38;  // the "DB" right-button code
constexpr ElementKind TextTool = 100;          // right-button code of the text tool
constexpr ElementKind CharacterOffset = 50;    // character kind = code + 50
constexpr ElementKind GreekOffset = 307;       // Greek kind = Windows-1253 code + 307
constexpr ElementKind LabelCount = 45;
}  // namespace kind

// The three layers of a repaint.
enum class Layer { Bonds, Text, Arrows, None };

constexpr bool isLabel(ElementKind k) { return k <= 44; }
constexpr bool isCharacter(ElementKind k) { return (k >= 65 && k <= 246) || (k >= 256 && k <= 400); }
constexpr bool isGreek(ElementKind k) { return k >= 500 && k <= 564; }
constexpr bool isBond(ElementKind k) { return k >= 248 && k <= 255; }
constexpr bool isArrowOrBracket(ElementKind k) { return k >= 401 && k <= 413; }
// Text kinds are placed by their first point alone; x2 is their font size.
constexpr bool isTextKind(ElementKind k) { return k <= 246 || (k >= 256 && k <= 400) || isGreek(k); }
constexpr bool isTwoPointKind(ElementKind k) { return isBond(k) || isArrowOrBracket(k); }
// The codes of the arrow layer: arrows, brackets and the undrawn codes
// after them up to 499 (arrow tools and their curved variants lie here).
constexpr bool isInArrowRange(ElementKind k) { return k >= 401 && k <= 499; }
// The codes whose second point travels with the first when elements are
// moved or pasted: the bonds and the whole arrow range 401..499, the undrawn
// codes beside the arrows included, so such a record keeps its shape.
constexpr bool movesBothPoints(ElementKind k) { return isBond(k) || isInArrowRange(k); }

// The layer whose pass draws (or, for undrawn kinds in its range, reads) a kind.
constexpr Layer layerOf(ElementKind k)
{
    if (k >= 247 && k <= 255)
        return Layer::Bonds;
    if (k <= 246 || (k >= 256 && k <= 400) || (k >= 500 && k <= 564))
        return Layer::Text;
    if (k >= 401 && k <= 499)
        return Layer::Arrows;
    return Layer::None;
}

// Label text of codes 0..44 as Windows-1252 bytes; empty for other codes.
std::string_view LabelText(ElementKind code);

}  // namespace veltrano
