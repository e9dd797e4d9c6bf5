#include "render/line_raster.h"

#include <algorithm>

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

ThinLineRun clipThinLine(LinePoint from, LinePoint to, int width, int height, int top)
{
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
        run.y = minor - top;
        run.majorStepX = line.majorStep;
        run.minorStepY = line.minorStep;
    } else {
        run.y = major - top;
        run.x = minor;
        run.majorStepY = line.majorStep;
        run.minorStepX = line.minorStep;
    }
    return run;
}

namespace {

// Calls plot(x, y) for each pixel of the run in turn.
template <typename Plot>
void stepRun(const ThinLineRun& run, Plot plot)
{
    int x = run.x, y = run.y;
    u128 remainder = run.remainder;
    // remainder + increment >= modulus, tested without the sum, which can
    // exceed 128 bits for the longest lines.
    const u128 threshold = run.modulus - run.increment;
    for (int k = 0; k < run.count; ++k) {
        plot(x, y);
        x += run.majorStepX;
        y += run.majorStepY;
        if (remainder >= threshold) {
            remainder -= threshold;
            x += run.minorStepX;
            y += run.minorStepY;
        } else {
            remainder += run.increment;
        }
    }
}

void plotRun(const RasterTarget& target, const ThinLineRun& run, QRgb colour)
{
    if (!target.cover) {
        stepRun(run, [&](int x, int y) { target.bits[y * target.stride + x] = colour; });
        return;
    }
    CoverMask& cover = *target.cover;
    CoverMask::Painter painter = cover.painter(std::size_t(std::max(run.count, 0)));
    stepRun(run, [&](int x, int y) {
        painter.paint(target.bits + y * target.stride + x, cover.indexOf(x, y), colour);
    });
    cover.done(painter);
}

bool onTarget(const RasterTarget& target, PixelPoint p)
{
    return p.x >= 0 && p.y >= 0 && p.x < target.width && p.y < target.height;
}

// Both ends on the image, so every step is: the same stepping as a run from
// clipThinLine, in plain ints (differences are below the image size).
void drawOnTarget(const RasterTarget& target, PixelPoint from, PixelPoint to, QRgb colour)
{
    const int dx = int(to.x - from.x), dy = int(to.y - from.y);
    if (dx == 0 && dy == 0)
        return;
    const qsizetype stride = target.stride;
    QRgb* pixel = target.bits + qsizetype(from.y) * stride + qsizetype(from.x);
    const int adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    const qsizetype stepX = dx < 0 ? -1 : 1, stepY = dy < 0 ? -stride : stride;
    const bool xMajor = adx > ady;
    const int major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    const qsizetype majorStep = xMajor ? stepX : stepY, minorStep = xMajor ? stepY : stepX;
    const bool towardSmaller = (xMajor ? dy : dx) < 0 && minor != 0;
    if (minor == 0) {
        for (int k = 0; k < major; ++k, pixel += majorStep)
            *pixel = colour;
        return;
    }
    int remainder = (major - 1 + (towardSmaller ? 1 : 0)) / 2;
    for (int k = 0; k < major; ++k) {
        *pixel = colour;
        pixel += majorStep;
        remainder += minor;
        if (remainder >= major) {
            remainder -= major;
            pixel += minorStep;
        }
    }
}

// drawOnTarget through the cover mask: the mask's index steps along with
// the pixel.
void drawCoveredOnTarget(const RasterTarget& target, PixelPoint from, PixelPoint to, QRgb colour)
{
    const int dx = int(to.x - from.x), dy = int(to.y - from.y);
    if (dx == 0 && dy == 0)
        return;
    CoverMask& cover = *target.cover;
    const qsizetype stride = target.stride;
    QRgb* pixel = target.bits + qsizetype(from.y) * stride + qsizetype(from.x);
    std::uint32_t at = cover.indexOf(int(from.x), int(from.y));
    const int adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    const qsizetype stepX = dx < 0 ? -1 : 1, stepY = dy < 0 ? -stride : stride;
    const std::int64_t atStepX = dx < 0 ? -1 : 1, atStepY = dy < 0 ? -cover.rowStep() : cover.rowStep();
    const bool xMajor = adx > ady;
    const int major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    const qsizetype majorStep = xMajor ? stepX : stepY, minorStep = xMajor ? stepY : stepX;
    const std::uint32_t atMajor = std::uint32_t(xMajor ? atStepX : atStepY);
    const std::uint32_t atMinor = std::uint32_t(xMajor ? atStepY : atStepX);
    const bool towardSmaller = (xMajor ? dy : dx) < 0 && minor != 0;
    int remainder = (major - 1 + (towardSmaller ? 1 : 0)) / 2;
    CoverMask::Painter painter = cover.painter(std::size_t(major));
    for (int k = 0; k < major; ++k) {
        painter.paint(pixel, at, colour);
        pixel += majorStep;
        at += atMajor;
        remainder += minor;
        if (remainder >= major) {
            remainder -= major;
            pixel += minorStep;
            at += atMinor;
        }
    }
    cover.done(painter);
}

}  // namespace

void drawThinLine(QImage& image, PixelPoint from, PixelPoint to, QRgb colour)
{
    drawThinLine(rasterTargetOf(image), from, to, colour);
}

void drawThinLine(const RasterTarget& target, PixelPoint from, PixelPoint to, QRgb colour)
{
    from.y -= target.top;
    to.y -= target.top;
    // Every pixel of the line lies in the box of its ends: a line wholly
    // beside the target (the pieces of a curve off the page, or off a band
    // of it) needs no clipping.
    if (std::max(from.x, to.x) < 0 || std::max(from.y, to.y) < 0 || std::min(from.x, to.x) >= target.width
        || std::min(from.y, to.y) >= target.height)
        return;
    if (onTarget(target, from) && onTarget(target, to)) {
        if (target.cover) {
            drawCoveredOnTarget(target, from, to, colour);
        } else {
            drawOnTarget(target, from, to, colour);
        }
    } else {
        plotRun(target, clipThinLine(from, to, target.width, target.height), colour);
    }
}

void drawThinLine(const RasterTarget& target, LinePoint from, LinePoint to, QRgb colour)
{
    plotRun(target, clipThinLine(from, to, target.width, target.height, target.top), colour);
}

}  // namespace veltrano
