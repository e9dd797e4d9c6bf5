#include "render/line_raster.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace veltrano {

namespace {

using i128 = ExactCoordinate::Value;
using u128 = ExactCoordinate::Magnitude;

constexpr u128 kAllSteps = ~u128(0);

// A 256-bit product of two 128-bit magnitudes.
struct Product {
    u128 high;
    u128 low;
};

Product multiply(u128 a, u128 b)
{
    const u128 mask = u128(~std::uint64_t(0));
    const u128 a0 = a & mask, a1 = a >> 64, b0 = b & mask, b1 = b >> 64;
    const u128 p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const u128 middle = (p00 >> 64) + (p01 & mask) + (p10 & mask);
    return {p11 + (p01 >> 64) + (p10 >> 64) + (middle >> 64), (middle << 64) | (p00 & mask)};
}

Product plus(Product p, u128 value)
{
    const u128 low = p.low + value;
    return {p.high + (low < value ? 1 : 0), low};
}

// p - value; p >= value.
Product minus(Product p, u128 value)
{
    return {p.high - (p.low < value ? 1 : 0), p.low - value};
}

bool below(Product p, u128 value)
{
    return p.high == 0 && p.low < value;
}

struct Division {
    u128 quotient;  // kAllSteps when the quotient does not fit
    u128 remainder;
};

// p / divisor, divisor > 0: in one instruction sequence when p fits 128
// bits, else by long division (only lines with ends far off the page get
// there).
Division divide(Product p, u128 divisor)
{
    if (p.high == 0)
        return {p.low / divisor, p.low % divisor};
    if (p.high >= divisor)
        return {kAllSteps, 0};
    u128 remainder = p.high, quotient = 0;
    for (int bit = 127; bit >= 0; --bit) {
        const bool carry = (remainder >> 127) != 0;
        remainder = (remainder << 1) | ((p.low >> bit) & 1);
        quotient <<= 1;
        if (carry || remainder >= divisor) {
            remainder -= divisor;
            quotient |= 1;
        }
    }
    return {quotient, remainder};
}

// A closed interval of step indices or minor-step counts.
struct Interval {
    u128 low;
    u128 high;
    bool empty() const { return low > high; }
    Interval intersect(Interval other) const { return {std::max(low, other.low), std::min(high, other.high)}; }
};

constexpr Interval kNothing{1, 0};

// Values k >= 0 with start + step*k in [low, low + limit), step being +1 or
// -1. The differences of start and the bounds are taken modulo 2^128: they
// are below 2^128 for every start beyond -2^127 and bounds within an int.
Interval insideBox(i128 start, int step, int low, int limit)
{
    const i128 last = i128(low) + limit - 1;
    if (step > 0) {
        if (start > last)
            return kNothing;
        return {start >= low ? 0 : u128(i128(low)) - u128(start), u128(last) - u128(start)};
    }
    if (start < low)
        return kNothing;
    return {start > last ? u128(start) - u128(last) : 0, u128(start) - u128(i128(low))};
}

// start + step*k where the result is known to lie on the page: modular
// arithmetic gives it exactly even where start and k are huge.
int stepFrom(i128 start, int step, u128 k)
{
    const u128 value = step > 0 ? u128(start) + k : u128(start) - k;
    return int(i128(value));
}

// The line in major/minor terms.
struct AxisLine {
    i128 majorStart, minorStart;
    int majorStep, minorStep;
    u128 majorLength, minorLength;  // minorLength <= majorLength, majorLength > 0
    u128 half;                      // h = floor((major - 1 + bias) / 2)

    // Steps whose minor-step count n(i) lies in [count.low, count.high],
    // count.high <= minorLength, minorLength > 0.
    Interval stepsWithMinorCount(Interval count) const
    {
        // smallest i with minor*i + h >= major*low
        const Product lowest = multiply(majorLength, count.low);
        u128 first = 0;
        if (!below(lowest, half + 1)) {
            const Division d = divide(minus(lowest, half), minorLength);
            first = d.quotient == kAllSteps ? kAllSteps : d.quotient + (d.remainder != 0 ? 1 : 0);
        }
        // largest i with minor*i + h < major*(high+1)
        const Product beyond = multiply(majorLength, count.high + 1);
        if (below(beyond, half + 1))
            return kNothing;
        const u128 last = divide(minus(beyond, half + 1), minorLength).quotient;
        return {first, last};
    }
};

}  // namespace

ThinLineRun clipThinLine(LinePoint from, LinePoint to, int width, int top, int bottom)
{
    const int height = bottom - top;
    const u128 adx = to.x >= from.x ? u128(to.x) - u128(from.x) : u128(from.x) - u128(to.x);
    const u128 ady = to.y >= from.y ? u128(to.y) - u128(from.y) : u128(from.y) - u128(to.y);
    if (adx == 0 && ady == 0)
        return {};
    const bool xMajor = adx > ady;
    const int stepX = to.x < from.x ? -1 : 1, stepY = to.y < from.y ? -1 : 1;

    AxisLine line{};
    if (xMajor)
        line = {from.x, from.y, stepX, stepY, adx, ady, 0};
    else
        line = {from.y, from.x, stepY, stepX, ady, adx, 0};
    const bool towardSmaller = line.minorStep < 0 && line.minorLength != 0;
    line.half = (line.majorLength - 1 + (towardSmaller ? 1 : 0)) / 2;
    const int majorLimit = xMajor ? width : height, minorLimit = xMajor ? height : width;
    const int majorLow = xMajor ? 0 : top, minorLow = xMajor ? top : 0;

    Interval steps{0, line.majorLength - 1};
    steps = steps.intersect(insideBox(line.majorStart, line.majorStep, majorLow, majorLimit));
    const Interval counts =
        insideBox(line.minorStart, line.minorStep, minorLow, minorLimit).intersect({0, line.minorLength});
    if (steps.empty() || counts.empty())
        return {};
    if (line.minorLength != 0)
        steps = steps.intersect(line.stepsWithMinorCount(counts));
    if (steps.empty())
        return {};

    const Division first = divide(plus(multiply(line.minorLength, steps.low), line.half), line.majorLength);
    const int major = stepFrom(line.majorStart, line.majorStep, steps.low);
    const int minor = stepFrom(line.minorStart, line.minorStep, first.quotient);

    ThinLineRun run;
    run.count = int(steps.high - steps.low + 1);
    run.remainder = first.remainder;
    run.increment = line.minorLength;
    run.modulus = line.majorLength;
    if (xMajor) {
        run.x = major;
        run.y = minor;
        run.majorStepX = line.majorStep;
        run.minorStepY = line.minorStep;
    } else {
        run.y = major;
        run.x = minor;
        run.majorStepY = line.majorStep;
        run.minorStepX = line.minorStep;
    }
    return run;
}

namespace {

// The position of a line's stepping on the target: the pixel and what one
// step along the major or the minor axis adds to it.
struct PixelCursor {
    QRgb* pixel;
    qsizetype majorStep;
    qsizetype minorStep;

    void paint(QRgb colour) { *pixel = colour; }
    void stepMajor() { pixel += majorStep; }
    void stepMinor() { pixel += minorStep; }
};

// The same through a cover mask: the mask's index steps along with the
// pixel.
struct CoveredCursor {
    PixelCursor pixels;
    std::uint32_t at;
    std::uint32_t atMajor;
    std::uint32_t atMinor;
    CoverMask::Painter painter;

    void paint(QRgb colour) { painter.paint(pixels.pixel, at, colour); }
    void stepMajor()
    {
        pixels.stepMajor();
        at += atMajor;
    }
    void stepMinor()
    {
        pixels.stepMinor();
        at += atMinor;
    }
};

// The stepping loop of every one-pixel line: paints the run's pixels from
// the cursor on.
template <typename Remainder, typename Cursor>
void stepRun(const LineRun<Remainder>& run, Cursor& cursor, QRgb colour)
{
    if (run.increment == 0) {
        // Horizontal and vertical lines take no minor step.
        for (int k = 0; k < run.count; ++k, cursor.stepMajor())
            cursor.paint(colour);
        return;
    }
    Remainder remainder = run.remainder;
    // remainder + increment >= modulus, tested without the sum, which can
    // exceed 128 bits for the longest lines.
    const Remainder threshold = run.modulus - run.increment;
    for (int k = 0; k < run.count; ++k) {
        cursor.paint(colour);
        cursor.stepMajor();
        if (remainder >= threshold) {
            remainder -= threshold;
            cursor.stepMinor();
        } else {
            remainder += run.increment;
        }
    }
}

// A run's pixels all lie on the target.
template <typename Remainder>
void paintRun(const RasterTarget& target, const LineRun<Remainder>& run, QRgb colour)
{
    if (run.count <= 0)
        return;
    const qsizetype stride = target.stride();
    PixelCursor pixels{target.pixel(run.x, run.y), run.majorStepX + run.majorStepY * stride,
                       run.minorStepX + run.minorStepY * stride};
    CoverMask* const cover = target.cover();
    if (!cover) {
        stepRun(run, pixels, colour);
        return;
    }
    const std::int64_t rowStep = cover->rowStep();
    CoveredCursor covered{pixels, cover->indexOf(run.x, run.y),
                          std::uint32_t(run.majorStepX + run.majorStepY * rowStep),
                          std::uint32_t(run.minorStepX + run.minorStepY * rowStep),
                          cover->painter(std::size_t(run.count))};
    stepRun(run, covered, colour);
    cover->done(covered.painter);
}

// The run of a line with both ends on the target: every pixel is visible,
// and the differences are below the image size, so plain ints hold the
// same stepping as a run from clipThinLine.
LineRun<int> runOnTarget(PixelPoint from, PixelPoint to)
{
    const int dx = int(to.x - from.x), dy = int(to.y - from.y);
    const int adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    const int stepX = dx < 0 ? -1 : 1, stepY = dy < 0 ? -1 : 1;
    const bool xMajor = adx > ady;
    const int major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    const bool towardSmaller = (xMajor ? dy : dx) < 0 && minor != 0;
    LineRun<int> run;
    run.count = major;
    run.x = int(from.x);
    run.y = int(from.y);
    (xMajor ? run.majorStepX : run.majorStepY) = xMajor ? stepX : stepY;
    (xMajor ? run.minorStepY : run.minorStepX) = xMajor ? stepY : stepX;
    run.remainder = (major - 1 + (towardSmaller ? 1 : 0)) / 2;
    run.increment = minor;
    run.modulus = major;
    return run;
}

}  // namespace

void drawThinLine(const RasterTarget& target, PixelPoint from, PixelPoint to, QRgb colour)
{
    // Every pixel of the line lies in the box of its ends: a line wholly
    // beside the target (the pieces of a curve off the page, or off a band
    // of it) needs no clipping.
    if (std::max(from.x, to.x) < 0 || std::max(from.y, to.y) < target.top() || std::min(from.x, to.x) >= target.width()
        || std::min(from.y, to.y) >= target.bottom())
        return;
    if (target.holds(from.x, from.y) && target.holds(to.x, to.y))
        paintRun(target, runOnTarget(from, to), colour);
    else
        paintRun(target, clipThinLine(from, to, target.width(), target.top(), target.bottom()), colour);
}

void drawThinLine(const RasterTarget& target, LinePoint from, LinePoint to, QRgb colour)
{
    paintRun(target, clipThinLine(from, to, target.width(), target.top(), target.bottom()), colour);
}

namespace {

// The pixels of every one-pixel piece of at most kPieceReach pixels on each
// axis, as offsets from its start: the pieces of a curve are nearly all this
// short, and a table lookup costs less than setting up a run for each.
constexpr int kPieceReach = 4;
constexpr int kPieceSide = 2 * kPieceReach + 1;

struct ShortPiece {
    int count = 0;
    std::array<std::int8_t, kPieceReach> dx{}, dy{};
};

using ShortPieces = std::array<ShortPiece, kPieceSide * kPieceSide>;

// Made by stepping each piece as runOnTarget does, so the table holds the
// same pixels by construction.
ShortPieces makeShortPieces()
{
    ShortPieces pieces{};
    for (int dx = -kPieceReach; dx <= kPieceReach; ++dx) {
        for (int dy = -kPieceReach; dy <= kPieceReach; ++dy) {
            ShortPiece& piece = pieces[std::size_t((dx + kPieceReach) * kPieceSide + dy + kPieceReach)];
            if (dx == 0 && dy == 0)
                continue;
            const LineRun<int> run = runOnTarget({0, 0}, {dx, dy});
            struct OffsetCursor {
                ShortPiece& piece;
                int x = 0, y = 0;
                int majorX, majorY, minorX, minorY;
                void paint(QRgb)
                {
                    piece.dx[std::size_t(piece.count)] = std::int8_t(x);
                    piece.dy[std::size_t(piece.count)] = std::int8_t(y);
                    ++piece.count;
                }
                void stepMajor() { x += majorX, y += majorY; }
                void stepMinor() { x += minorX, y += minorY; }
            } cursor{piece, 0, 0, run.majorStepX, run.majorStepY, run.minorStepX, run.minorStepY};
            stepRun(run, cursor, 0);
        }
    }
    return pieces;
}

const ShortPieces& shortPieces()
{
    static const ShortPieces pieces = makeShortPieces();
    return pieces;
}

}  // namespace

void drawThinPolyline(const RasterTarget& target, std::span<const PixelPoint> points, QRgb colour)
{
    const bool plain = target.cover() == nullptr;
    const ShortPieces& pieces = shortPieces();
    const qsizetype stride = target.stride();
    for (std::size_t i = 1; i < points.size(); ++i) {
        const PixelPoint from = points[i - 1], to = points[i];
        const std::int64_t dx = to.x - from.x, dy = to.y - from.y;
        // A piece at most one pixel long on each axis steps once: it lights
        // its start pixel alone (none when it has no length).
        if (plain && dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) {
            if ((dx != 0 || dy != 0) && target.holds(from.x, from.y))
                *target.pixel(int(from.x), int(from.y)) = colour;
            continue;
        }
        // A short piece with both ends on the target is painted from the
        // table; its pixels lie in the box of its ends.
        if (plain && dx >= -kPieceReach && dx <= kPieceReach && dy >= -kPieceReach && dy <= kPieceReach
            && target.holds(from.x, from.y) && target.holds(to.x, to.y)) {
            const ShortPiece& piece = pieces[std::size_t((dx + kPieceReach) * kPieceSide + dy + kPieceReach)];
            QRgb* const start = target.pixel(int(from.x), int(from.y));
            for (int k = 0; k < piece.count; ++k)
                start[piece.dy[std::size_t(k)] * stride + piece.dx[std::size_t(k)]] = colour;
            continue;
        }
        drawThinLine(target, from, to, colour);
    }
}

}  // namespace veltrano
