// The arrow shapes: straight, double-headed, equilibrium, open and curved.
#include "document/rounding.h"
#include "render/canvas.h"
#include "render/primitive_math.h"
#include "render/primitives.h"

#include "document/element_kind.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <cmath>
#include <numbers>
#include <span>

namespace veltrano {

using primitive_math::arctanOfRatio;

namespace {

constexpr double kBarbLength = 10.0;
// Keeps the angle of a horizontal arrow (and the chord of a vertical curved
// one) away from a division by zero, as the stored drawings were made with.
constexpr double kHeadAngleNudge = 0.00001;
constexpr double kChordAngleNudge = 0.001;
// How far beyond the page a piece of the arc may start and still light a page
// pixel once its ends are rounded.
constexpr double kArcMargin = 4.0;
// The steps of a curved arrow's arc handed to the canvas at once, and tested
// together for whether they can reach the page.
constexpr std::size_t kArcBlock = 32;
// Up to this size of start point, chord and bulge the arc's points are
// computed to far better than a pixel, so a block can be judged by its ends.
constexpr double kBoundedArc = 1e6;

struct SurfacePoints {
    double X1, Y1, X2, Y2;
};

SurfacePoints surfacePoints(const ViewState& view, const ElementRecord& r)
{
    return {view.toSurfaceX(r.X1()), view.toSurfaceY(r.Y1()), view.toSurfaceX(r.X2()),
            view.toSurfaceY(r.Y2())};
}

double headAngle(const SurfacePoints& p)
{
    return std::numbers::pi / 4 + arctanOfRatio(p.X2 - p.X1, (p.Y2 - p.Y1) + kHeadAngleNudge);
}

double headSign(const SurfacePoints& p)
{
    return p.Y2 >= p.Y1 ? 1.0 : -1.0;
}

// A barb from the end (x, y) of the shaft, 45 degrees beside a shaft whose
// direction theta encodes. s is headSign at the tip and its opposite at the
// tail, so the same routine draws the barbs of both ends.
void barb(DrawingSurface& canvas, double x, double y, double theta, double s)
{
    canvas.moveTo(x, y);
    canvas.lineTo(x + kBarbLength * s * std::cos(theta), y - kBarbLength * s * std::sin(theta));
}

// The two barbs at the tip, pointing back towards the tail on either side
// of the shaft.
void tipBarbs(DrawingSurface& canvas, const SurfacePoints& p, double theta)
{
    const double s = headSign(p);
    barb(canvas, p.X2, p.Y2, theta, s);
    barb(canvas, p.X2, p.Y2, theta + std::numbers::pi / 2, s);
}

void shaft(DrawingSurface& canvas, const SurfacePoints& p)
{
    canvas.moveTo(p.X1, p.Y1);
    canvas.lineTo(p.X2, p.Y2);
}

}  // namespace

void StraightArrow(DrawingSurface& canvas, const ViewState& view, const ElementRecord& record)
{
    const SurfacePoints p = surfacePoints(view, record);
    shaft(canvas, p);
    tipBarbs(canvas, p, headAngle(p));
}

void DoubleArrow(DrawingSurface& canvas, const ViewState& view, const ElementRecord& record)
{
    const SurfacePoints p = surfacePoints(view, record);
    const double theta = headAngle(p);
    const double s = headSign(p);
    shaft(canvas, p);
    // Tip and tail alternate, each pair of barbs on one side of the shaft.
    for (const double side : {theta, theta + std::numbers::pi / 2}) {
        barb(canvas, p.X2, p.Y2, side, s);
        barb(canvas, p.X1, p.Y1, side, -s);
    }
}

void EquilibriumArrow(DrawingSurface& canvas, const ViewState& view, const ElementRecord& record)
{
    const SurfacePoints p = surfacePoints(view, record);
    const double x1 = roundHalfEven(p.X1), y1 = roundHalfEven(p.Y1);
    const double x2 = roundHalfEven(p.X2), y2 = roundHalfEven(p.Y2);
    if (x1 != x2) {
        canvas.moveTo(x1, y1 - 1);
        canvas.lineTo(x2, y1 - 1);
        if (p.X1 < p.X2)
            canvas.lineTo(p.X2 - 7, y1 - 8);
        else if (p.X1 > p.X2)
            canvas.lineTo(p.X2 + 7, y1 - 8);
        canvas.moveTo(x2, y2 + 2);
        canvas.lineTo(x1, y1 + 2);
        if (p.X1 < p.X2)
            canvas.lineTo(p.X1 + 7, y1 + 9);
        else if (p.X1 > p.X2)
            canvas.lineTo(p.X1 - 7, y1 + 9);
    } else {
        canvas.moveTo(x1 - 1, y1);
        canvas.lineTo(x2 - 1, y2);
        if (p.Y1 < p.Y2)
            canvas.lineTo(p.X2 - 8, y2 - 7);
        else if (p.Y1 > p.Y2)
            canvas.lineTo(p.X2 - 8, y2 + 7);
        canvas.moveTo(x2 + 2, y2);
        canvas.lineTo(x1 + 2, y1);
        if (p.Y1 < p.Y2)
            canvas.lineTo(p.X1 + 9, y1 + 7);
        else if (p.Y1 > p.Y2)
            canvas.lineTo(p.X1 + 9, y1 - 7);
    }
}

void OpenArrow(DrawingSurface& canvas, const ViewState& view, const ElementRecord& record)
{
    const SurfacePoints p = surfacePoints(view, record);
    const double x1 = roundHalfEven(p.X1), y1 = roundHalfEven(p.Y1);
    const double x2 = roundHalfEven(p.X2), y2 = roundHalfEven(p.Y2);
    if (x1 != x2) {
        canvas.moveTo(x1, y1 - 2);
        canvas.lineTo(x2, y1 - 2);
        if (p.X1 > p.X2) {
            canvas.moveTo(p.X2 - 2, y1);
            canvas.lineTo(p.X2 + 6, y1 - 8);
            canvas.moveTo(p.X2 - 2, y1);
            canvas.lineTo(p.X2 + 6, y1 + 8);
        }
        canvas.moveTo(x1, y1 + 2);
        canvas.lineTo(x2, y2 + 2);
        if (p.X1 < p.X2) {
            canvas.moveTo(p.X2 + 2, y1);
            canvas.lineTo(p.X2 - 6, y1 - 8);
            canvas.moveTo(p.X2 + 2, y1);
            canvas.lineTo(p.X2 - 6, y1 + 8);
        }
    } else {
        canvas.moveTo(x1 - 2, y1);
        canvas.lineTo(x2 - 2, y2);
        if (p.Y1 > p.Y2) {
            canvas.moveTo(x2, p.Y2 - 2);
            canvas.lineTo(p.X2 - 8, y2 + 6);
            canvas.moveTo(x2, p.Y2 - 2);
            canvas.lineTo(p.X2 + 8, y2 + 6);
        }
        canvas.moveTo(x1 + 2, y1);
        canvas.lineTo(x2 + 2, y2);
        if (p.Y1 < p.Y2) {
            canvas.moveTo(x2, p.Y2 + 2);
            canvas.lineTo(p.X2 - 8, y2 - 6);
            canvas.moveTo(x2, p.Y2 + 2);
            canvas.lineTo(p.X2 + 8, y2 - 6);
        }
    }
}

int curvatureOf(ElementKind k)
{
    // The six curved kinds in order: three bent to one side, three to the
    // other, each more strongly than the one before.
    static constexpr int kCurvatures[] = {-3, -9, -20, 3, 9, 20};
    static_assert(std::size(kCurvatures) == kind::CurvedArrowLast - kind::CurvedArrowFirst + 1);
    if (k < kind::CurvedArrowFirst || k > kind::CurvedArrowLast)
        return 0;
    return kCurvatures[k - kind::CurvedArrowFirst];
}

namespace {

// The arc of a curved arrow in its own frame: the point of step i lies at
// start + side * (i * along + offset(i) * across), with along and across
// orthonormal, so its coordinate along the chord is exactly i. That makes
// the steps that can reach the rows the surface sets a range of i found from
// their corners.
struct Arc {
    double X1, Y1;
    double length;  // L, a whole number
    double height;  // h
    double cosPhi, sinPhi;
    double side;    // +1 or -1: which way along the chord the steps go
    double top, bottom;  // the rows set: top <= y < bottom

    double offset(double i) const
    {
        const double d = i - length / 2;
        return height - 4 * height * d * d / (length * length);
    }
    double x(double i) const { return X1 + side * (i * cosPhi + offset(i) * sinPhi); }
    double y(double i) const { return Y1 + side * (-i * sinPhi + offset(i) * cosPhi); }
    double alongChord(double px, double py) const
    {
        return side * ((px - X1) * cosPhi - (py - Y1) * sinPhi);
    }
    // Whether a piece between steps a and b (a < b) can light a pixel set.
    // The points of the steps between them lie beside the straight line from
    // step a to step b by at most the parabola's sagitta over that stretch,
    // 4|h|/L^2 * ((b - a) / 2)^2, so all pieces lie in the box of the two
    // ends widened by that and by the margin of rounding.
    // Far from the page (coordinates of damaged records reach 10^38) the
    // rounding of x and y is no longer small next to the margin, and every
    // piece is drawn as computed.
    bool blockCanReachPage(double a, double b) const
    {
        if (!(std::max({std::abs(X1), std::abs(Y1), length, std::abs(height)}) < kBoundedArc))
            return true;
        const double half = (b - a) / 2;
        const double reach = 4 * std::abs(height) / (length * length) * half * half + kArcMargin;
        const double xa = x(a), xb = x(b), ya = y(a), yb = y(b);
        return std::max(xa, xb) + reach >= 0 && std::min(xa, xb) - reach <= kPageWidth
            && std::max(ya, yb) + reach >= top && std::min(ya, yb) - reach <= bottom;
    }
};

// First and last step whose piece (from step i - 1 to step i) can touch the
// rows set, within 1..L; first > last when none can.
void stepsInRows(const Arc& arc, double& first, double& last)
{
    const double corners[4][2] = {{-kArcMargin, arc.top - kArcMargin},
                                  {kPageWidth + kArcMargin, arc.top - kArcMargin},
                                  {-kArcMargin, arc.bottom + kArcMargin},
                                  {kPageWidth + kArcMargin, arc.bottom + kArcMargin}};
    double low = arc.alongChord(corners[0][0], corners[0][1]);
    double high = low;
    for (const auto& c : corners) {
        const double u = arc.alongChord(c[0], c[1]);
        low = std::min(low, u);
        high = std::max(high, u);
    }
    first = std::max(1.0, std::floor(low));
    last = std::min(arc.length, std::ceil(high) + 1);
}

}  // namespace

void CurvedArrow(DrawingSurface& canvas, const ViewState& view, const ElementRecord& record)
{
    const SurfacePoints p = surfacePoints(view, record);
    const double length = roundHalfEven(std::hypot(p.X2 - p.X1, p.Y2 - p.Y1));
    const double height = length * curvatureOf(record.kind) / 20;
    const double phi = arctanOfRatio(p.Y1 - p.Y2, (p.X2 - p.X1) - kChordAngleNudge);
    canvas.moveTo(p.X1, p.Y1);
    if (length <= 0.0)
        return;

    const auto [top, bottom] = canvas.rowsSet();
    const Arc arc{p.X1, p.Y1, length, height, std::cos(phi), std::sin(phi),
                  p.X2 - p.X1 > 0 ? 1.0 : -1.0, double(top), double(bottom)};
    double first = 0, last = -1;
    stepsInRows(arc, first, last);
    if (first <= last) {
        // The range spans at most the page diagonal plus margins; counting
        // steps in an integer keeps the loop finite even where i is so large
        // that adding 1 no longer changes it.
        const double span = std::min(last - first, double(kPageWidth + kPageHeight) * 2);
        const int steps = int(span);
        // The steps go to the canvas in blocks, which it draws with the
        // page's pixels fetched once. A strongly bent arc leaves the page
        // for long stretches: a block whose points all lie well beside it
        // is passed over, and the pen moved to the start of the next block
        // drawn, so every piece drawn has the ends it has in the whole arc.
        std::array<PenPosition, kArcBlock> batch;
        bool penAtBlockStart = first == 1;
        for (int k = 0; k <= steps; k += int(kArcBlock)) {
            const int count = std::min(int(kArcBlock), steps - k + 1);
            const double begin = first + k, end = begin + (count - 1);
            if (!arc.blockCanReachPage(begin - 1, end)) {
                penAtBlockStart = false;
                continue;
            }
            if (!penAtBlockStart)
                canvas.moveTo(arc.x(begin - 1), arc.y(begin - 1));
            for (int n = 0; n < count; ++n)
                batch[std::size_t(n)] = {arc.x(begin + n), arc.y(begin + n)};
            canvas.polylineTo(std::span<const PenPosition>(batch.data(), std::size_t(count)));
            penAtBlockStart = true;
        }
    }

    const double theta = arctanOfRatio(p.X2 - p.X1, (p.Y2 - p.Y1) + kHeadAngleNudge)
        + std::atan(3 * height / length) + std::numbers::pi / 4;
    tipBarbs(canvas, p, theta);
}

}  // namespace veltrano
