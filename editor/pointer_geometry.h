#pragma once
// The calculations behind a pointer gesture on the drawing page, free of any
// file, canvas or window: where a drag starts, where a bond or arrow being
// dragged ends, where labels, Greek letters and free text are placed, the
// inner line that "DB" adds inside a bond, and which records a selection
// rectangle catches. The pointer handlers (editor/pointer.h) feed them the
// records of temp.dat and the tool state and write what they return.
//
// Pointer positions are whole pixels of I1 (signed: a drag may leave the
// image); everything computed is real-valued and written to the records
// unrounded, except where a rule rounds with nearest (halves to even).

#include "document/element_kind.h"
#include "document/element_record.h"
#include "editor/editing_state.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veltrano {

// --- Start of a drawing drag ---------------------------------------------

// A record point lies within the snap tolerance of the pointer when it is
// strictly less than this many pixels away on both axes.
constexpr double kSnapTolerance = 5.0;

// The point of this record the pointer snaps to, if any: the first point
// wins over the second, which only kinds that offer it (KindTraits) give.
std::optional<PointF> snapPointOf(const ElementRecord& record, int x, int y);

struct SnapMatch {
    std::size_t position = 0;  // of the record in file order
    PointF point;
};

// The first record in file order that offers a point near the pointer; no
// distances are compared.
std::optional<SnapMatch> findSnapPoint(std::span<const ElementRecord> records, int x, int y);

// --- The end of a dragged element ----------------------------------------

constexpr double kPi = 3.141592653589793;

// The end of a bond dragged from start toward the pointer: always
// lineLength away; with the raster on, its direction is the nearest whole
// multiple of ringStep degrees (halves to the even multiple).
PointF bondEnd(PointF start, int x, int y, double lineLength, double ringStep, bool gridOn);

// Ratio limits of the arrow and bracket snaps: horizontal above 13, vertical
// below 0.07, where the ratio is |dx / (dy + 0.01)| of the drag.
constexpr double kHorizontalSnapRatio = 13.0;
constexpr double kVerticalSnapRatio = 0.07;
constexpr double kRatioGuard = 0.01;

// The end of an arrow or bracket (a tool whose drag does not end on the bond
// raster) dragged from start to the pointer: the pointer itself, snapped
// onto the axes through start when the drag is nearly horizontal or
// vertical. Tools with DragEnd::Vertical ("[" and "]") are always vertical,
// those with DragEnd::AxisAligned ("<=>" and "=>") always horizontal or
// vertical.
PointF arrowEnd(PointF start, int x, int y, ElementKind tool);

// --- Text placed by a right-button press ---------------------------------

// A text element ready to be written: top-left corner of its cell, font
// size in points (stored in x2) and kind.
struct TextCell {
    double x1 = 0.0;
    double y1 = 0.0;
    double fontSize = 0.0;
    ElementKind kind = 0;

    friend bool operator==(const TextCell&, const TextCell&) = default;
};

// Label codes drawn with the smaller subscript size: the digits "2" to "6".
constexpr ElementKind kFirstSubscriptDigit = 40;
constexpr ElementKind kLastSubscriptDigit = 44;
constexpr double kSubscriptDigitScale = 1.7;

// An atom or group label (codes 0..44) at the pointer, "Arial".
TextCell labelPlacement(ElementKind code, int x, int y, double lineLength);

// A Greek letter (codes 500 and above) at the pointer, "Courier New".
TextCell greekPlacement(ElementKind code, int x, int y, double lineLength);

// The characters of a free text (their kinds, see typedText in
// editor/typed_text.h) at the pointer, "Courier New", one cell of
// lineLength / 2.3 pixels each. A "<" or ">" takes no cell and places
// nothing itself; the character after it is lowered (or raised), drawn at
// three quarters of the size, and the text goes on 0.6 of a cell after it.
// A marker right after a marker of the same sort is placed as a lowered (or
// raised) character. A Greek letter takes its cell like any character.
std::vector<TextCell> textPlacement(std::span<const ElementKind> kinds, int x, int y, double lineLength);

// The Windows-1252 code of a Unicode character, if it has one.
std::optional<unsigned char> windows1252Code(char32_t character);

// --- The inner line of "DB" ----------------------------------------------

constexpr double kInnerLineMatchFactor = 1.2;
constexpr double kInnerLineShortening = 0.1;
constexpr double kInnerLineOffsetFactor = 0.8;

struct Segment {
    PointF first;
    PointF second;
};

// A press matches a record (of any kind) when the distances from the
// pointer to its two points add up to less than 1.2 lineLength.
bool innerLineMatches(const ElementRecord& record, int x, int y, double lineLength);

// The second line inside the record's bond, on the side of the press:
// shortened by a tenth of the bond at each end and 0.8 sqrt(lineLength)
// pixels away from it. A bond of length zero gets no offset.
Segment innerLineOf(const ElementRecord& bond, int x, int y, double lineLength);

struct InnerLineMatch {
    std::size_t position = 0;  // of the bond in file order
    Segment line;
};

// The inner line for the first matching record in file order, if any.
std::optional<InnerLineMatch> findInnerLine(std::span<const ElementRecord> records, int x, int y,
                                            double lineLength);

// --- Catching by the selection rectangle ---------------------------------

// How a rectangle catches bonds: a left-button rectangle needs both ends
// inside, a right- or middle-button one either end.
enum class CatchRule { BothEnds, EitherEnd };

// Whether the rectangle catches the record, as its kind's Catch says: bonds
// by their ends and the rule, the selection tool's code never, every other
// kind by its first point. Inside means min <= v < max on each axis.
bool isCaught(const ElementRecord& record, const SelectionRect& rect, CatchRule rule);

}  // namespace veltrano
