#include "render/line_raster.h"

#include <algorithm>

namespace veltrano {

namespace {

using u64 = std::uint64_t;
using i64 = std::int64_t;

// A closed interval of step indices or minor-step counts.
struct Interval {
    i64 low;
    i64 high;
    bool empty() const { return low > high; }
    Interval intersect(Interval other) const
    {
        return {std::max(low, other.low), std::min(high, other.high)};
    }
};

// Values k with start + step*k in [0, limit), step being +1 or -1.
Interval insideBox(i64 start, int step, int limit)
{
    if (step > 0)
        return {-start, limit - 1 - start};
    return {start - (limit - 1), start};
}

// The line in major/minor terms.
struct AxisLine {
    i64 majorStart, minorStart;
    int majorStep, minorStep;
    u64 majorLength, minorLength;  // minorLength <= majorLength
    u64 offset;                    // major - 1 + bias
    int majorLimit, minorLimit;    // box size along each axis

    u64 minorStepsBefore(u64 index) const
    {
        return (2 * minorLength * index + offset) / (2 * majorLength);
    }

    // Steps whose minor-step count n(i) lies in [count.low, count.high],
    // 0 <= low <= high <= minorLength.
    Interval stepsWithMinorCount(Interval count) const
    {
        const u64 twoMajor = 2 * majorLength, twoMinor = 2 * minorLength;
        const u64 low = u64(count.low), high = u64(count.high);
        // smallest i with 2*minor*i + offset >= 2*major*low
        const i64 first = low == 0 ? 0 : i64((twoMajor * low - offset + twoMinor - 1) / twoMinor);
        // largest i with 2*minor*i + offset < 2*major*(high+1)
        const i64 last = i64((twoMajor * (high + 1) - offset - 1) / twoMinor);
        return {first, last};
    }
};

}  // namespace

ThinLineRun clipThinLine(PixelPoint from, PixelPoint to, int width, int height)
{
    const i64 dx = to.x - from.x, dy = to.y - from.y;
    if (dx == 0 && dy == 0)
        return {};
    const u64 adx = u64(dx < 0 ? -dx : dx), ady = u64(dy < 0 ? -dy : dy);
    const bool xMajor = adx > ady;
    const int stepX = dx < 0 ? -1 : 1, stepY = dy < 0 ? -1 : 1;

    AxisLine line{};
    if (xMajor)
        line = {from.x, from.y, stepX, stepY, adx, ady, 0, width, height};
    else
        line = {from.y, from.x, stepY, stepX, ady, adx, 0, height, width};
    const bool towardSmaller = line.minorStep < 0 && line.minorLength != 0;
    line.offset = line.majorLength - 1 + (towardSmaller ? 1 : 0);

    // Every step on the box: no clipping, and no division either, because
    // the first remainder is the offset itself (offset < 2 * major).
    const bool startInside = from.x >= 0 && from.y >= 0 && from.x < width && from.y < height;
    const bool endInside = to.x >= 0 && to.y >= 0 && to.x < width && to.y < height;
    if (startInside && endInside) {
        ThinLineRun run;
        run.count = int(line.majorLength);
        run.x = int(from.x);
        run.y = int(from.y);
        run.remainder = line.offset;
        run.increment = 2 * line.minorLength;
        run.modulus = 2 * line.majorLength;
        (xMajor ? run.majorStepX : run.majorStepY) = line.majorStep;
        (xMajor ? run.minorStepY : run.minorStepX) = line.minorStep;
        return run;
    }

    Interval steps{0, i64(line.majorLength) - 1};
    steps = steps.intersect(insideBox(line.majorStart, line.majorStep, line.majorLimit));
    Interval counts = insideBox(line.minorStart, line.minorStep, line.minorLimit)
                          .intersect({0, i64(line.minorLength)});
    if (steps.empty() || counts.empty())
        return {};
    if (line.minorLength != 0)
        steps = steps.intersect(line.stepsWithMinorCount(counts));
    if (steps.empty())
        return {};

    const u64 first = u64(steps.low);
    const u64 numerator = 2 * line.minorLength * first + line.offset;
    const u64 twoMajor = 2 * line.majorLength;
    const i64 major = line.majorStart + line.majorStep * steps.low;
    const i64 minor = line.minorStart + line.minorStep * i64(numerator / twoMajor);

    ThinLineRun run;
    run.count = int(steps.high - steps.low + 1);
    run.remainder = numerator % twoMajor;
    run.increment = 2 * line.minorLength;
    run.modulus = twoMajor;
    if (xMajor) {
        run.x = int(major);
        run.y = int(minor);
        run.majorStepX = line.majorStep;
        run.minorStepY = line.minorStep;
    } else {
        run.y = int(major);
        run.x = int(minor);
        run.majorStepY = line.majorStep;
        run.minorStepX = line.minorStep;
    }
    return run;
}

namespace {

void plotRun(const RasterTarget& target, const ThinLineRun& run, QRgb colour)
{
    if (run.count <= 0)
        return;
    int x = run.x, y = run.y;
    u64 remainder = run.remainder;
    for (int k = 0; k < run.count; ++k) {
        target.bits[y * target.stride + x] = colour;
        x += run.majorStepX;
        y += run.majorStepY;
        remainder += run.increment;
        if (remainder >= run.modulus) {
            remainder -= run.modulus;
            x += run.minorStepX;
            y += run.minorStepY;
        }
    }
}

}  // namespace

void plotThinLine(QImage& image, const ThinLineRun& run, QRgb colour)
{
    if (run.count <= 0)
        return;
    plotRun(rasterTargetOf(image), run, colour);
}

void drawThinLine(QImage& image, PixelPoint from, PixelPoint to, QRgb colour)
{
    drawThinLine(rasterTargetOf(image), from, to, colour);
}

void drawThinLine(const RasterTarget& target, PixelPoint from, PixelPoint to, QRgb colour)
{
    const int width = target.width, height = target.height;
    const bool startInside = from.x >= 0 && from.y >= 0 && from.x < width && from.y < height;
    const bool endInside = to.x >= 0 && to.y >= 0 && to.x < width && to.y < height;
    if (!startInside || !endInside) {
        plotRun(target, clipThinLine(from, to, width, height), colour);
        return;
    }
    // Both ends on the image, so every step is: the same stepping as a run
    // from clipThinLine, in plain ints (differences are below the image size).
    const int dx = int(to.x - from.x), dy = int(to.y - from.y);
    if (dx == 0 && dy == 0)
        return;
    const qsizetype stride = target.stride;
    QRgb* pixel = target.bits + from.y * stride + from.x;
    const int adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    const qsizetype stepX = dx < 0 ? -1 : 1, stepY = dy < 0 ? -stride : stride;
    const bool xMajor = adx > ady;
    const int major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    const qsizetype majorStep = xMajor ? stepX : stepY, minorStep = xMajor ? stepY : stepX;
    const bool towardSmaller = (xMajor ? dy : dx) < 0 && minor != 0;
    const int modulus = 2 * major, increment = 2 * minor;
    if (minor == 0) {
        for (int k = 0; k < major; ++k, pixel += majorStep)
            *pixel = colour;
        return;
    }
    // Slanted: the minor steps follow no pattern the branch predictor could
    // learn, so they are taken through masks.
    int remainder = major - 1 + (towardSmaller ? 1 : 0);
    for (int k = 0; k < major; ++k) {
        *pixel = colour;
        pixel += majorStep;
        remainder += increment;
        const int carry = -int(remainder >= modulus);
        remainder -= modulus & carry;
        pixel += minorStep & qsizetype(carry);
    }
}

}  // namespace veltrano
