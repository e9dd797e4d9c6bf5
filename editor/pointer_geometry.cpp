#include "editor/pointer_geometry.h"

#include "document/rounding.h"
#include "render/code_pages.h"

#include <array>
#include <cmath>

namespace veltrano {

// --- Start of a drawing drag ---------------------------------------------

namespace {
bool nearPointer(double px, double py, int x, int y)
{
    return std::fabs(px - x) < kSnapTolerance && std::fabs(py - y) < kSnapTolerance;
}
}  // namespace

std::optional<PointF> snapPointOf(const ElementRecord& record, int x, int y)
{
    const double x1 = record.X1();
    const double y1 = record.Y1();
    if (nearPointer(x1, y1, x, y))
        return PointF{x1, y1};
    if (traitsOf(record.kind).offersSecondPoint) {
        const double x2 = record.X2();
        const double y2 = record.Y2();
        if (nearPointer(x2, y2, x, y))
            return PointF{x2, y2};
    }
    return std::nullopt;
}

std::optional<SnapMatch> findSnapPoint(std::span<const ElementRecord> records, int x, int y)
{
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (auto point = snapPointOf(records[i], x, y))
            return SnapMatch{i, *point};
    }
    return std::nullopt;
}

// --- The end of a dragged element ----------------------------------------

PointF bondEnd(PointF start, int x, int y, double lineLength, double ringStep, bool gridOn)
{
    const double sx = start.x;
    const double sy = start.y;
    double theta;
    if (x != sx)
        theta = std::atan((sy - y) / (x - sx));
    else
        theta = y < sy ? kPi / 2 : 3 * kPi / 2;  // straight up, else straight down

    if (gridOn && ringStep != 0.0) {
        const double k = roundHalfEven(theta * (180.0 / kPi) / ringStep);
        theta = k * ringStep * kPi / 180.0;
    }

    double ex = std::cos(theta) * lineLength;
    double ey = -std::sin(theta) * lineLength;
    // arctan only covers the right half-plane; a pointer left of the start
    // turns the direction round.
    if (x < sx) {
        ex = -ex;
        ey = -ey;
    }
    return PointF{ex + sx, ey + sy};
}

PointF arrowEnd(PointF start, int x, int y, ElementKind tool)
{
    const double sx = start.x;
    const double sy = start.y;
    const double r = std::fabs((sx - x) / ((sy - y) + kRatioGuard));

    PointF end{double(x), double(y)};
    if (r > kHorizontalSnapRatio)
        end.y = sy;
    if (r < kVerticalSnapRatio)
        end.x = sx;

    const DragEnd rule = traitsOf(tool).dragEnd;
    if (rule == DragEnd::Vertical)
        end.x = sx;
    if (rule == DragEnd::AxisAligned) {
        if (r > 1)
            end.y = sy;
        if (r < 1)
            end.x = sx;
    }
    return end;
}

// --- Text placed by a right-button press ---------------------------------

namespace {
// Offsets of the top-left corner of a text cell from the pointer.
double originX(int x, double size) { return x - roundHalfEven(size / 5.8); }
double originY(int y, double size) { return y - roundHalfEven(size / 3.2); }

constexpr double kLabelSizeDivisor = 2.4;
constexpr double kTextSizeDivisor = 2.1;
constexpr double kCellDivisor = 2.3;
constexpr double kSubscriptDrop = 12.0;
constexpr double kScriptSizeFactor = 0.75;
constexpr double kScriptAdvanceRest = 0.4;  // of a cell, after a lowered or raised character
constexpr ElementKind kSubscriptMarker = '<' + kind::CharacterOffset;
constexpr ElementKind kSuperscriptMarker = '>' + kind::CharacterOffset;
}  // namespace

TextCell labelPlacement(ElementKind code, int x, int y, double lineLength)
{
    const bool subscriptDigit = code >= kFirstSubscriptDigit && code <= kLastSubscriptDigit;
    const double size = subscriptDigit ? lineLength / kSubscriptDigitScale : lineLength;
    return TextCell{originX(x, size), originY(y, size), roundHalfEven(size / kLabelSizeDivisor), code};
}

TextCell greekPlacement(ElementKind code, int x, int y, double lineLength)
{
    return TextCell{originX(x, lineLength), originY(y, lineLength),
                    roundHalfEven(lineLength / kTextSizeDivisor), code};
}

std::vector<TextCell> textPlacement(std::span<const ElementKind> kinds, int x, int y, double lineLength)
{
    enum class Marker { None, Subscript, Superscript };

    const double fontSize = roundHalfEven(lineLength / kTextSizeDivisor);
    const double cell = lineLength / kCellDivisor;
    const double left = originX(x, lineLength);
    std::vector<TextCell> cells;
    double shift = 0.0;
    Marker marker = Marker::None;
    ElementKind previous = 0;

    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const ElementKind kind = kinds[i];
        const bool isMarker = kind == kSubscriptMarker || kind == kSuperscriptMarker;
        if (marker == Marker::None && !isMarker) {
            cells.push_back({left + (double(i) - shift) * cell, originY(y, lineLength), fontSize, kind});
        } else {
            if (kind == kSubscriptMarker)
                marker = Marker::Subscript;
            else if (kind == kSuperscriptMarker)
                marker = Marker::Superscript;
            const bool lowered = marker == Marker::Subscript && previous == kSubscriptMarker;
            const bool raised = marker == Marker::Superscript && previous == kSuperscriptMarker;
            if (lowered || raised) {
                shift += 1.0;
                const double top = lowered ? y + roundHalfEven(lineLength / kSubscriptDrop)
                                           : y - roundHalfEven(lineLength / kCellDivisor);
                cells.push_back({left + (double(i) - shift) * cell, top,
                                 roundHalfEven(fontSize * kScriptSizeFactor), kind});
                marker = Marker::None;
                shift += kScriptAdvanceRest;
            }
        }
        previous = kind;
    }
    return cells;
}

std::optional<unsigned char> windows1252Code(char32_t character)
{
    return windows1252FromUnicode(character);
}

// --- The inner line of "DB" ----------------------------------------------

namespace {
double distance(double ax, double ay, double bx, double by)
{
    const double dx = ax - bx;
    const double dy = ay - by;
    return std::sqrt(dx * dx + dy * dy);
}
}  // namespace

bool innerLineMatches(const ElementRecord& record, int x, int y, double lineLength)
{
    const double d1 = distance(x, y, record.X1(), record.Y1());
    const double d2 = distance(x, y, record.X2(), record.Y2());
    return d1 + d2 < kInnerLineMatchFactor * lineLength;
}

Segment innerLineOf(const ElementRecord& bond, int x, int y, double lineLength)
{
    const double x1 = bond.X1();
    const double y1 = bond.Y1();
    const double x2 = bond.X2();
    const double y2 = bond.Y2();

    // The bond direction turned by a quarter turn, then pointed at the side
    // of the press.
    double a = y1 - y2;
    double b = x2 - x1;
    const double toward = distance(x + a, y + b, x1, y1);
    const double away = distance(x - a, y - b, x1, y1);
    if (away > toward) {
        a = -a;
        b = -b;
    }

    const double n = std::sqrt(a * a + b * b);
    const double offset = kInnerLineOffsetFactor * std::sqrt(lineLength);
    const double ox = n != 0.0 ? offset * a / n : 0.0;
    const double oy = n != 0.0 ? offset * b / n : 0.0;

    Segment line;
    line.first = {x1 + kInnerLineShortening * (x2 - x1) + ox, y1 + kInnerLineShortening * (y2 - y1) + oy};
    line.second = {x2 + kInnerLineShortening * (x1 - x2) + ox, y2 + kInnerLineShortening * (y1 - y2) + oy};
    return line;
}

std::optional<InnerLineMatch> findInnerLine(std::span<const ElementRecord> records, int x, int y,
                                            double lineLength)
{
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (innerLineMatches(records[i], x, y, lineLength))
            return InnerLineMatch{i, innerLineOf(records[i], x, y, lineLength)};
    }
    return std::nullopt;
}

// --- Catching by the selection rectangle ---------------------------------

bool isCaught(const ElementRecord& record, const SelectionRect& rect, CatchRule rule)
{
    const Catch caught = traitsOf(record.kind).caught;
    if (caught == Catch::Never)
        return false;
    const bool first = rect.contains(record.X1(), record.Y1());
    if (caught == Catch::FirstPoint)
        return first;
    const bool second = rect.contains(record.X2(), record.Y2());
    return rule == CatchRule::BothEnds ? first && second : first || second;
}

}  // namespace veltrano
