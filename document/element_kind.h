#pragma once
// The ElementKind code table: for every range of codes what its records
// are (label, character, bond, ...), what they draw, the repaint layer that
// draws them, what moving and selecting does with their points, whether
// they offer their second point for snapping and where a drag with them
// as the left tool ends. The document, the painter, the paint bounds and
// the pointer code all read this one table; and the label texts of codes
// 0..44.

#include "document/element_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
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

// What records of a kind are.
enum class KindGroup { Label, Character, GreekLetter, Bond, ArrowOrBracket, SelectTool, Undrawn };

// What PaintElement draws for a kind (render/painter.cpp has the painter
// of each).
enum class Drawing : std::uint8_t {
    Nothing,
    Label,        // the label text, "Arial"
    Character,    // one Windows-1252 character, "Courier New"
    GreekLetter,  // one Windows-1253 character, "Courier New", Greek set
    HashedWedgeReversed,
    SolidWedgeReversed,
    DashedLine,
    HashedWedge,
    SolidWedge,
    TripleLine,
    DoubleLine,
    SmoothLine,
    StraightArrow,
    DoubleArrow,
    EquilibriumArrow,
    LeftBracket,
    RightBracket,
    BracketPair,
    CurvedArrow,
    OpenArrow,
};
constexpr std::size_t kDrawingCount = std::size_t(Drawing::OpenArrow) + 1;

// The three layers of a repaint.
enum class Layer { Bonds, Text, Arrows, None };

// Which points a move (selection drag, move buttons, paste offset) shifts.
enum class Motion { FirstPoint, BothPoints, Stays };

// How a selection rectangle catches a record: by its first point, by both
// ends (bonds: both or either, as the rectangle's button says) or never.
enum class Catch { FirstPoint, Ends, Never };

// Where a drawing drag with the kind as left tool ends: a bond's end at
// the line length on the angle raster, or the pointer (snapped onto the
// axes when nearly horizontal or vertical), always on the vertical through
// the start, or always horizontal or vertical.
enum class DragEnd { BondRaster, Pointer, Vertical, AxisAligned };

struct KindTraits {
    ElementKind first;
    ElementKind last;
    KindGroup group;
    Drawing drawing;
    Layer layer;
    Motion motion;
    Catch caught;
    bool offersSecondPoint;  // to the snap search of a drawing press
    DragEnd dragEnd;
};

namespace kind_table {

constexpr KindTraits text(ElementKind first, ElementKind last, KindGroup group, Drawing drawing,
                          bool offersSecondPoint = true)
{
    return {first, last, group, drawing, Layer::Text, Motion::FirstPoint, Catch::FirstPoint, offersSecondPoint,
            DragEnd::BondRaster};
}

constexpr KindTraits bond(ElementKind code, Drawing drawing)
{
    return {code, code, KindGroup::Bond, drawing, Layer::Bonds, Motion::BothPoints, Catch::Ends, true,
            DragEnd::BondRaster};
}

constexpr KindTraits arrow(ElementKind first, ElementKind last, Drawing drawing, DragEnd end = DragEnd::Pointer,
                           KindGroup group = KindGroup::ArrowOrBracket)
{
    return {first, last, group, drawing, Layer::Arrows, Motion::BothPoints, Catch::FirstPoint, true, end};
}

// One row per range, in code order, together covering 0..65535. Undrawn
// codes belong to the layer and motion of the range they lie in: stored
// files carry such records, and the passes and moves treat them as their
// neighbours. Every code above 240 offers its second point for snapping,
// the characters 241..246 and the undrawn codes included.
inline constexpr std::array kRows{
    text(0, 44, KindGroup::Label, Drawing::Label, false),
    text(45, 64, KindGroup::Undrawn, Drawing::Nothing, false),
    text(65, 240, KindGroup::Character, Drawing::Character, false),
    text(241, 246, KindGroup::Character, Drawing::Character),
    KindTraits{kind::SelectTool, kind::SelectTool, KindGroup::SelectTool, Drawing::Nothing, Layer::Bonds,
               Motion::Stays, Catch::Never, true, DragEnd::BondRaster},
    bond(kind::HashedWedgeReversed, Drawing::HashedWedgeReversed),
    bond(kind::SolidWedgeReversed, Drawing::SolidWedgeReversed),
    bond(kind::DashedBond, Drawing::DashedLine),
    bond(kind::HashedWedge, Drawing::HashedWedge),
    bond(kind::SolidWedge, Drawing::SolidWedge),
    bond(kind::TripleBond, Drawing::TripleLine),
    bond(kind::DoubleBond, Drawing::DoubleLine),
    bond(kind::SingleBond, Drawing::SmoothLine),
    text(256, 400, KindGroup::Character, Drawing::Character),
    arrow(kind::StraightArrow, kind::StraightArrow, Drawing::StraightArrow),
    arrow(kind::DoubleArrow, kind::DoubleArrow, Drawing::DoubleArrow),
    arrow(kind::EquilibriumArrow, kind::EquilibriumArrow, Drawing::EquilibriumArrow, DragEnd::AxisAligned),
    arrow(kind::LeftBracket, kind::LeftBracket, Drawing::LeftBracket, DragEnd::Vertical),
    arrow(kind::RightBracket, kind::RightBracket, Drawing::RightBracket, DragEnd::Vertical),
    arrow(kind::BracketPair, kind::BracketPair, Drawing::BracketPair),
    arrow(kind::CurvedArrowFirst, kind::CurvedArrowLast, Drawing::CurvedArrow),
    arrow(kind::OpenArrow, kind::OpenArrow, Drawing::OpenArrow, DragEnd::AxisAligned),
    arrow(414, 499, Drawing::Nothing, DragEnd::Pointer, KindGroup::Undrawn),
    text(500, 564, KindGroup::GreekLetter, Drawing::GreekLetter),
    KindTraits{565, 65535, KindGroup::Undrawn, Drawing::Nothing, Layer::None, Motion::Stays, Catch::FirstPoint,
               true, DragEnd::BondRaster},
};

constexpr bool rowsCoverEveryCodeInOrder()
{
    std::uint32_t next = 0;
    for (const KindTraits& row : kRows) {
        if (row.first != next || row.last < row.first)
            return false;
        next = std::uint32_t(row.last) + 1;
    }
    return next == 65536;
}
static_assert(rowsCoverEveryCodeInOrder());

// The codes below the last row's first one, each with its row's index; the
// codes from there on all belong to the last row.
constexpr std::size_t kIndexedCodes = kRows.back().first;
inline constexpr auto kRowOfCode = [] {
    std::array<std::uint8_t, kIndexedCodes> rows{};
    for (std::size_t i = 0; i < kRows.size(); ++i)
        for (std::size_t code = kRows[i].first; code <= kRows[i].last && code < kIndexedCodes; ++code)
            rows[code] = std::uint8_t(i);
    return rows;
}();
static_assert(kRows.size() <= 256);

}  // namespace kind_table

constexpr const KindTraits& traitsOf(ElementKind k)
{
    using namespace kind_table;
    return k < kIndexedCodes ? kRows[kRowOfCode[k]] : kRows.back();
}

// Every row of the table, in code order.
constexpr std::span<const KindTraits> kindTable() { return kind_table::kRows; }

constexpr bool isLabel(ElementKind k) { return traitsOf(k).group == KindGroup::Label; }
constexpr bool isCharacter(ElementKind k) { return traitsOf(k).group == KindGroup::Character; }
constexpr bool isGreek(ElementKind k) { return traitsOf(k).group == KindGroup::GreekLetter; }
constexpr bool isBond(ElementKind k) { return traitsOf(k).group == KindGroup::Bond; }
constexpr bool isArrowOrBracket(ElementKind k) { return traitsOf(k).group == KindGroup::ArrowOrBracket; }
// Text kinds are placed by their first point alone; x2 is their font size.
constexpr bool isTextKind(ElementKind k) { return traitsOf(k).motion == Motion::FirstPoint; }
// The kinds that draw from both points.
constexpr bool isTwoPointKind(ElementKind k) { return isBond(k) || isArrowOrBracket(k); }
// The codes whose second point travels with the first when elements are
// moved or pasted, the undrawn codes beside the arrows included, so such a
// record keeps its shape.
constexpr bool movesBothPoints(ElementKind k) { return traitsOf(k).motion == Motion::BothPoints; }
// The layer whose pass draws (or, for undrawn kinds in its range, reads) a kind.
constexpr Layer layerOf(ElementKind k) { return traitsOf(k).layer; }

// Label text of codes 0..44 as Windows-1252 bytes; empty for other codes.
std::string_view LabelText(ElementKind code);

}  // namespace veltrano
