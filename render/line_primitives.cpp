// Bonds and brackets: the smoothed, dashed and segmented lines, the wedges,
// the double and triple lines and the three brackets.
#include "document/rounding.h"
#include "render/primitive_math.h"
#include "render/primitives.h"

#include <array>
#include <cmath>
#include <numbers>

namespace veltrano {

using primitive_math::arctanOfRatio;
using primitive_math::fractionOf;

namespace {

constexpr int kLineParts = 7;
constexpr double kHaloShare = 0.6;      // of the way from the pen colour to white
constexpr double kHashedWedgeWidth = 25.0;
constexpr double kSolidWedgeWidth = 30.0;
constexpr double kTripleShortening = 3.0;
// The outer lines of the triple bond: the middle of what the width-5 stroke
// shows beyond the white width-3 line.
constexpr double kTripleOuterOffset = 2.0;
constexpr double kBracketTick = 5.0;

Colour haloOf(Colour colour)
{
    auto towardsWhite = [](int v) { return v + int(roundHalfEven((255 - v) * kHaloShare)); };
    return makeColour(towardsWhite(redOf(colour)), towardsWhite(greenOf(colour)),
                      towardsWhite(blueOf(colour)));
}

using LineDrawer = void (*)(DrawingSurface&, double, double, double, double);

// Six lines from A to the perpendicular through B at whole-pixel offsets of
// rounded widths width/17, width/34 and width/51.
void wedgeFan(DrawingSurface& canvas, double xA, double xB, double yA, double yB, double width,
              LineDrawer drawLine)
{
    const double length = std::hypot(xA - xB, yA - yB);
    if (length == 0.0)
        return;
    for (int i = 1; i <= 3; ++i) {
        const double w = width / (17.0 * i);
        const double ox = roundHalfEven((yA - yB) / length * w);
        const double oy = roundHalfEven((xB - xA) / length * w);
        drawLine(canvas, xA, xB + ox, yA, yB + oy);
        drawLine(canvas, xA, xB - ox, yA, yB - oy);
    }
}

}  // namespace

void SmoothLineTo(DrawingSurface& canvas, double x, double y)
{
    const Colour colour = canvas.penColour();
    if (!canvas.isPixelPage()) {
        canvas.setPenWidth(1);
        canvas.lineTo(x, y);
        return;
    }
    const PenPosition start = canvas.penPosition();
    canvas.setPenWidth(2);
    canvas.setPenColour(haloOf(colour));
    canvas.lineTo(x, y);
    canvas.moveTo(start.x, start.y);
    canvas.setPenWidth(1);
    canvas.setPenColour(colour);
    canvas.lineTo(x, y);
}

void DashedLine(DrawingSurface& canvas, double xA, double xB, double yA, double yB)
{
    // Each dash is a move and a line: the canvas draws the four as pairs of
    // points with the page's pixels fetched once.
    std::array<PenPosition, 8> dashes;
    for (int i = 0; i < 8; ++i)
        dashes[std::size_t(i)] = {fractionOf(xA, xB, i, kLineParts), fractionOf(yA, yB, i, kLineParts)};
    canvas.separateLines(dashes);
}

void SegmentedLine(DrawingSurface& canvas, double xA, double xB, double yA, double yB)
{
    // Each piece starts where the previous one ended (the same fraction,
    // computed the same way), so the pieces are one polyline.
    std::array<PenPosition, kLineParts> ends;
    for (int i = 1; i <= kLineParts; ++i)
        ends[std::size_t(i - 1)] = {fractionOf(xA, xB, i, kLineParts), fractionOf(yA, yB, i, kLineParts)};
    canvas.moveTo(fractionOf(xA, xB, 0, kLineParts), fractionOf(yA, yB, 0, kLineParts));
    canvas.polylineTo(ends);
}

void HashedWedge(DrawingSurface& canvas, double xA, double xB, double yA, double yB)
{
    wedgeFan(canvas, xA, xB, yA, yB, kHashedWedgeWidth, DashedLine);
}

void SolidWedge(DrawingSurface& canvas, double xA, double xB, double yA, double yB)
{
    wedgeFan(canvas, xA, xB, yA, yB, kSolidWedgeWidth, SegmentedLine);
}

void DoubleLine(DrawingSurface& canvas, const ViewState& view, const ElementRecord& record, double offset)
{
    const double x1 = record.X1(), y1 = record.Y1(), x2 = record.X2(), y2 = record.Y2();
    const double angle = x2 == x1 ? std::numbers::pi / 2 : arctanOfRatio(y2 - y1, x2 - x1);
    const double nx = -offset * std::sin(angle);
    const double ny = offset * std::cos(angle);
    const double X1 = view.toSurfaceX(x1), Y1 = view.toSurfaceY(y1);
    const double X2 = view.toSurfaceX(x2), Y2 = view.toSurfaceY(y2);
    canvas.moveTo(X1 + nx, Y1 + ny);
    canvas.lineTo(X2 + nx, Y2 + ny);
    canvas.moveTo(X1 - nx, Y1 - ny);
    canvas.lineTo(X2 - nx, Y2 - ny);
}

namespace {

// The triple bond's three lines for a vector surface: what the width-5
// stroke leaves beside the white width-3 line (its outer pixel rows, 2
// pixels from the axis, over the shortened length), then the axis.
void tripleLineStrokes(DrawingSurface& canvas, double X1, double Y1, double X2, double Y2, double length,
                       Colour colour)
{
    canvas.setPenColour(colour);
    canvas.setPenWidth(1);
    const double trueLength = std::hypot(X2 - X1, Y2 - Y1);
    if (length != 0.0 && trueLength != 0.0 && std::isfinite(trueLength)) {
        const double sx = kTripleShortening * (X2 - X1) / length;
        const double sy = kTripleShortening * (Y2 - Y1) / length;
        const double nx = -kTripleOuterOffset * (Y2 - Y1) / trueLength;
        const double ny = kTripleOuterOffset * (X2 - X1) / trueLength;
        for (const double side : {1.0, -1.0}) {
            canvas.moveTo(X1 + sx + side * nx, Y1 + sy + side * ny);
            canvas.lineTo(X2 - sx + side * nx, Y2 - sy + side * ny);
        }
    }
    canvas.moveTo(X1, Y1);
    canvas.lineTo(X2, Y2);
}

}  // namespace

void TripleLine(DrawingSurface& canvas, double X1, double Y1, double X2, double Y2, Colour colour)
{
    // The rounded length is kept as an unsigned 16-bit number, as the stored
    // drawings were made with; fmod keeps it in double for any length.
    const double length = std::fmod(roundHalfEven(std::hypot(X2 - X1, Y2 - Y1)), 65536.0);
    if (!canvas.isPixelPage()) {
        tripleLineStrokes(canvas, X1, Y1, X2, Y2, length, colour);
        return;
    }
    if (length != 0.0) {
        const double sx = kTripleShortening * (X2 - X1) / length;
        const double sy = kTripleShortening * (Y2 - Y1) / length;
        canvas.setPenWidth(5);
        canvas.moveTo(X1 + sx, Y1 + sy);
        canvas.lineTo(X2 - sx, Y2 - sy);
    }
    canvas.setPenWidth(3);
    canvas.setPenColour(kWhite);
    canvas.moveTo(X1, Y1);
    canvas.lineTo(X2, Y2);
    canvas.setPenColour(colour);
    canvas.setPenWidth(1);
    canvas.moveTo(X1, Y1);
    canvas.lineTo(X2, Y2);
}

namespace {

// One bracket: the stroke from (X1, Y1) to (X2, Y2) with ticks of length
// tick along x at both ends (positive: toward +x, "[", negative: "]").
void bracket(DrawingSurface& canvas, double X1, double Y1, double X2, double Y2, double tick)
{
    canvas.moveTo(X1, Y1);
    canvas.lineTo(X2, Y2);
    canvas.lineTo(X2 + tick, Y2);
    canvas.moveTo(X1, Y1);
    canvas.lineTo(X1 + tick, Y1);
}

}  // namespace

void LeftBracket(DrawingSurface& canvas, double X1, double Y1, double X2, double Y2)
{
    bracket(canvas, X1, Y1, X2, Y2, kBracketTick);
}

void RightBracket(DrawingSurface& canvas, double X1, double Y1, double X2, double Y2)
{
    bracket(canvas, X1, Y1, X2, Y2, -kBracketTick);
}

void BracketPair(DrawingSurface& canvas, double X1, double Y1, double X2, double Y2)
{
    bracket(canvas, X1, Y1, X1, Y2, kBracketTick);
    bracket(canvas, X2, Y1, X2, Y2, -kBracketTick);
}

}  // namespace veltrano
