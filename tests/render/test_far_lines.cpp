// A one-pixel line whose ends lie far off the page lights exactly the page
// pixels of the unclipped line between its rounded ends, for every end a
// record can hold (magnitudes up to about 1.7e38), in both drawing
// directions. The reference steps the unclipped line over the page's range
// in exact integer arithmetic of its own.
#include "canvas_test_util.h"
#include "render/canvas.h"
#include "render/page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace veltrano {
namespace {

using test::PixelList;
using i128 = __int128;
using u128 = unsigned __int128;

// Unsigned integers of 384 bits, enough for the products below.
struct Big {
    std::array<std::uint64_t, 6> limb{};

    static Big of(u128 value)
    {
        Big big;
        big.limb[0] = std::uint64_t(value);
        big.limb[1] = std::uint64_t(value >> 64);
        return big;
    }
    friend Big operator*(const Big& a, const Big& b)
    {
        Big product;
        for (std::size_t i = 0; i < 6; ++i) {
            u128 carry = 0;
            for (std::size_t j = 0; i + j < 6; ++j) {
                const u128 sum = u128(a.limb[i]) * b.limb[j] + product.limb[i + j] + carry;
                product.limb[i + j] = std::uint64_t(sum);
                carry = sum >> 64;
            }
        }
        return product;
    }
    friend Big operator+(const Big& a, const Big& b)
    {
        Big sum;
        u128 carry = 0;
        for (std::size_t i = 0; i < 6; ++i) {
            const u128 s = u128(a.limb[i]) + b.limb[i] + carry;
            sum.limb[i] = std::uint64_t(s);
            carry = s >> 64;
        }
        return sum;
    }
    friend bool operator<=(const Big& a, const Big& b)
    {
        for (std::size_t i = 6; i-- > 0;)
            if (a.limb[i] != b.limb[i])
                return a.limb[i] < b.limb[i];
        return true;
    }
};

u128 distance(i128 a, i128 b)
{
    return a >= b ? u128(a) - u128(b) : u128(b) - u128(a);
}

// The page pixels of the line from (x0, y0) up to (not including) (x1, y1),
// ends already whole: at major step i the minor coordinate moves by
// k = floor((2*minor*i + major - 1 + bias) / (2*major)), the nearest pixel to
// the ideal line with ties to the smaller coordinate. k is found by
// bisection among the values that put the pixel on the page.
PixelList exactReference(i128 x0, i128 y0, i128 x1, i128 y1)
{
    const u128 adx = distance(x1, x0), ady = distance(y1, y0);
    const bool xMajor = adx > ady;
    const i128 majorStart = xMajor ? x0 : y0, minorStart = xMajor ? y0 : x0;
    const int majorStep = (xMajor ? x1 < x0 : y1 < y0) ? -1 : 1;
    const int minorStep = (xMajor ? y1 < y0 : x1 < x0) ? -1 : 1;
    const u128 major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    const int bias = minorStep < 0 && minor != 0 ? 1 : 0;
    const int majorLimit = xMajor ? kPageWidth : kPageHeight, minorLimit = xMajor ? kPageHeight : kPageWidth;
    PixelList pixels;
    if (major == 0)
        return pixels;
    const Big twoMajor = Big::of(major) * Big::of(2);
    for (int m = 0; m < majorLimit; ++m) {
        // step index of major coordinate m, if the line reaches it
        const bool ahead = majorStep > 0 ? i128(m) >= majorStart : i128(m) <= majorStart;
        if (!ahead)
            continue;
        const u128 i = distance(m, majorStart);
        if (i >= major)
            continue;
        const Big numerator = Big::of(2) * Big::of(minor) * Big::of(i) + Big::of(major - 1 + u128(bias));
        // The values of k that put the pixel on the page: [kLow, kHigh].
        i128 kLow = minorStep > 0 ? -minorStart : minorStart - (minorLimit - 1);
        const i128 kHigh = minorStep > 0 ? minorLimit - 1 - minorStart : minorStart;
        kLow = std::max<i128>(kLow, 0);
        if (kHigh < kLow)
            continue;
        auto atMost = [&](i128 k) { return Big::of(u128(k)) * twoMajor <= numerator; };  // k <= floor(N / D)
        if (!atMost(kLow) || atMost(kHigh + 1))
            continue;  // the pixel of this step lies off the page
        i128 low = kLow, high = kHigh + 1;  // atMost(low), !atMost(high)
        while (high - low > 1) {
            const i128 middle = low + (high - low) / 2;
            (atMost(middle) ? low : high) = middle;
        }
        const int c = int(minorStart + minorStep * low);
        pixels.emplace_back(xMajor ? m : c, xMajor ? c : m);
    }
    return test::sorted(pixels);
}

PixelList drawn(double x0, double y0, double x1, double y1)
{
    QImage page = makeBlankPage();
    Canvas canvas(page);
    canvas.moveTo(x0, y0);
    canvas.lineTo(x1, y1);
    return test::nonWhitePixels(page);
}

i128 whole(double value)
{
    return i128(std::nearbyint(value));
}

void expectExact(double x0, double y0, double x1, double y1)
{
    SCOPED_TRACE(testing::Message() << "(" << x0 << ", " << y0 << ") -> (" << x1 << ", " << y1 << ")");
    const PixelList forward = exactReference(whole(x0), whole(y0), whole(x1), whole(y1));
    const PixelList backward = exactReference(whole(x1), whole(y1), whole(x0), whole(y0));
    EXPECT_EQ(drawn(x0, y0, x1, y1), forward);
    EXPECT_EQ(drawn(x1, y1, x0, y0), backward);
}

TEST(FarLines, TheExampleLightsTheRowOfTheUnclippedLine)
{
    // y = 500 + (x + 3e9) * 11 / 8e9 is 504.125 .. 504.127 across the page.
    EXPECT_EQ(drawn(-3e9, 500, 5e9, 511), test::sorted([] {
                  PixelList row;
                  for (int x = 0; x < kPageWidth; ++x)
                      row.emplace_back(x, 504);
                  return row;
              }()));
    expectExact(-3e9, 500, 5e9, 511);
}

constexpr double kMagnitudes[] = {0x1p30 + 1, 3e9, 1e12, 0x1p53 + 2, 1e16, 1e20, 1e30, 1e38, 1.7e38};

// Nearly horizontal and nearly vertical lines whose far ends differ by a few
// pixels on the minor axis: which row (or column) the page sees is decided
// by the last digit of the ends.
TEST(FarLines, NearlyAxisParallelLinesAtEveryMagnitude)
{
    const double minorPairs[][2] = {{500, 511}, {511, 500}, {-20, 1020}, {999.5, 0.5}, {300, 300.5}, {10, -3}};
    for (double far : kMagnitudes) {
        for (const auto& pair : minorPairs) {
            expectExact(-far, pair[0], far * 0.8, pair[1]);
            expectExact(-far * 0.75, pair[0], far, pair[1]);
            expectExact(pair[0], -far, pair[1], far * 0.8);
            expectExact(pair[0] + 200, -far * 0.5, pair[1] + 200, far);
        }
    }
}

// Lines through the page's corner at the origin with every slope, so the
// visible part crosses the page diagonally: the ends are exact multiples of
// one direction, scaled by powers of two.
TEST(FarLines, SlantedLinesThroughTheCornerAtEveryMagnitude)
{
    const double slopes[] = {1.0, 0.5, 2.0, 0.8333, 1.2, 0.0001, 7.0, 0.999999, 1.000001};
    for (double far : kMagnitudes) {
        for (double slope : slopes) {
            const double dx = slope <= 1 ? far : far / slope, dy = slope <= 1 ? far * slope : far;
            expectExact(-dx, -dy, dx, dy);
            expectExact(-dx / 4, -dy / 4, dx / 2, dy / 2);
        }
    }
}

// Ends within double's exact integers can be put anywhere: lines through
// points of the page in all eight octants.
TEST(FarLines, LinesThroughThePageInEveryOctant)
{
    const double directions[][2] = {{7, 3}, {3, 7}, {-7, 3}, {-3, 7}, {7, -3}, {3, -7}, {-7, -3}, {-3, -7},
                                    {5, 5}, {5, -5}, {1, 0}, {0, 1}};
    const double throughPoints[][2] = {{600, 500}, {0.5, 999.5}, {1199, 3}};
    for (double far : {0x1p31, 1e12, 0x1p50}) {
        for (const auto& d : directions) {
            for (const auto& p : throughPoints) {
                const double scale = far / 7;
                expectExact(p[0] - scale * d[0], p[1] - scale * d[1], p[0] + 0.5 * scale * d[0] + 0.3,
                            p[1] + 0.5 * scale * d[1]);
            }
        }
    }
}

// Ends beyond what a record can hold still draw the line (to double
// precision) and never take long.
TEST(FarLines, EndsBeyondTheRecordRangeStillDraw)
{
    EXPECT_FALSE(drawn(-1e300, 500, 1e300, 500).empty());
    EXPECT_FALSE(drawn(-1e300, -1e300, 1e300, 1e300).empty());
    EXPECT_TRUE(drawn(-1e300, -2e300, 1e300, -1e300).empty());
}

}  // namespace
}  // namespace veltrano
