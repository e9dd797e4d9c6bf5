#include "canvas_test_util.h"
#include "render/canvas.h"
#include "render/page.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <span>

namespace veltrano {
namespace {

using test::nonWhitePixels;
using test::PixelList;
using test::sorted;

PixelList drawLine(double x0, double y0, double x1, double y1)
{
    QImage page = makeBlankPage();
    Canvas canvas(page);
    canvas.moveTo(x0, y0);
    canvas.lineTo(x1, y1);
    return nonWhitePixels(page);
}

// The classic Bresenham stepping of the one-pixel line rule (err starts at
// 2*minor - major, a minor step when err + bias > 0, bias 1 toward smaller
// coordinates), run over the whole unclipped line.
PixelList bresenhamReference(int x0, int y0, int x1, int y1)
{
    PixelList pixels;
    const int dx = x1 - x0, dy = y1 - y0;
    const int adx = std::abs(dx), ady = std::abs(dy);
    const bool xMajor = adx > ady;
    const int major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    const int minorDelta = xMajor ? dy : dx;
    const int bias = minorDelta < 0 ? 1 : 0;
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    int x = x0, y = y0;
    int err = 2 * minor - major;
    for (int i = 0; i < major; ++i) {
        pixels.emplace_back(x, y);
        if (err + bias > 0) {
            (xMajor ? y : x) += xMajor ? sy : sx;
            err += 2 * minor - 2 * major;
        } else {
            err += 2 * minor;
        }
        (xMajor ? x : y) += xMajor ? sx : sy;
    }
    return pixels;
}

// The diamond rule stated directly: at each major coordinate between the
// start (included) and the end (excluded) the nearest minor coordinate of the
// ideal line, ties to the smaller one. Only the steps with a major coordinate
// in [0, majorLimit) are evaluated, so far-away lines cost nothing.
PixelList nearestReference(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1)
{
    PixelList pixels;
    const std::int64_t dx = x1 - x0, dy = y1 - y0;
    const bool xMajor = std::llabs(dx) > std::llabs(dy);
    const std::int64_t majorStart = xMajor ? x0 : y0, majorEnd = xMajor ? x1 : y1;
    const std::int64_t minorStart = xMajor ? y0 : x0;
    const std::int64_t dMajor = xMajor ? dx : dy, dMinor = xMajor ? dy : dx;
    const int majorLimit = xMajor ? kPageWidth : kPageHeight;
    for (std::int64_t m = 0; m < majorLimit; ++m) {
        const bool inRange = dMajor > 0 ? (m >= majorStart && m < majorEnd) : (m <= majorStart && m > majorEnd);
        if (!inRange)
            continue;
        // minor = minorStart + (m - majorStart) * dMinor / dMajor, nearest, ties down
        __int128 num = __int128(m - majorStart) * dMinor;
        __int128 den = dMajor;
        if (den < 0) {
            num = -num;
            den = -den;
        }
        // floor((2*num + den - 1) / (2*den)) rounds to nearest with ties down
        __int128 twice = 2 * num + den - 1;
        __int128 q = twice / (2 * den);
        if (twice % (2 * den) != 0 && twice < 0)
            --q;
        const std::int64_t minor = minorStart + std::int64_t(q);
        const std::int64_t x = xMajor ? m : minor, y = xMajor ? minor : m;
        if (x >= 0 && y >= 0 && x < kPageWidth && y < kPageHeight)
            pixels.emplace_back(int(x), int(y));
    }
    return sorted(pixels);
}

// A shallow line lights its start, not its end, and the same pixels between
// in both directions.
TEST(CanvasLines, ShallowLineInBothDirections)
{
    EXPECT_EQ(drawLine(0, 0, 4, 2), sorted({{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    EXPECT_EQ(drawLine(4, 2, 0, 0), sorted({{4, 2}, {3, 1}, {2, 1}, {1, 0}}));
}

TEST(CanvasLines, ExactTiesGoToTheSmallerCoordinateInEveryDirection)
{
    // x-major tie at x = 11: the upper pixel (y = 10) in both directions
    EXPECT_EQ(drawLine(10, 10, 12, 11), sorted({{10, 10}, {11, 10}}));
    EXPECT_EQ(drawLine(12, 11, 10, 10), sorted({{12, 11}, {11, 10}}));
    EXPECT_EQ(drawLine(10, 11, 12, 10), sorted({{10, 11}, {11, 10}}));
    EXPECT_EQ(drawLine(12, 10, 10, 11), sorted({{12, 10}, {11, 10}}));
    // y-major tie at y = 11: the left pixel (x = 10) in both directions
    EXPECT_EQ(drawLine(10, 10, 11, 12), sorted({{10, 10}, {10, 11}}));
    EXPECT_EQ(drawLine(11, 12, 10, 10), sorted({{11, 12}, {10, 11}}));
    EXPECT_EQ(drawLine(11, 10, 10, 12), sorted({{11, 10}, {10, 11}}));
    EXPECT_EQ(drawLine(10, 12, 11, 10), sorted({{10, 12}, {10, 11}}));
}

TEST(CanvasLines, FortyFiveDegreeLinesAreDiagonal)
{
    EXPECT_EQ(drawLine(0, 0, 3, 3), sorted({{0, 0}, {1, 1}, {2, 2}}));
    EXPECT_EQ(drawLine(3, 0, 0, 3), sorted({{3, 0}, {2, 1}, {1, 2}}));
    EXPECT_EQ(drawLine(3, 3, 0, 0), sorted({{3, 3}, {2, 2}, {1, 1}}));
    EXPECT_EQ(drawLine(0, 3, 3, 0), sorted({{0, 3}, {1, 2}, {2, 1}}));
}

TEST(CanvasLines, HorizontalAndVerticalSpansOmitTheEndPixel)
{
    EXPECT_EQ(drawLine(10, 5, 14, 5), sorted({{10, 5}, {11, 5}, {12, 5}, {13, 5}}));
    EXPECT_EQ(drawLine(14, 5, 10, 5), sorted({{14, 5}, {13, 5}, {12, 5}, {11, 5}}));
    EXPECT_EQ(drawLine(7, 20, 7, 23), sorted({{7, 20}, {7, 21}, {7, 22}}));
    EXPECT_EQ(drawLine(7, 23, 7, 20), sorted({{7, 23}, {7, 22}, {7, 21}}));
}

TEST(CanvasLines, ZeroLengthDrawsNothingAndLengthOneDrawsTheStart)
{
    EXPECT_TRUE(drawLine(50, 50, 50, 50).empty());
    EXPECT_TRUE(drawLine(50.2, 50, 49.8, 50.4).empty());  // both round to (50, 50)
    EXPECT_EQ(drawLine(50, 50, 51, 50), PixelList({{50, 50}}));
    EXPECT_EQ(drawLine(50, 50, 49, 51), PixelList({{50, 50}}));
}

TEST(CanvasLines, CoordinatesRoundToNearestWithTiesToEven)
{
    // 2.5 -> 2, 6.5 -> 6: pixels 2..5
    EXPECT_EQ(drawLine(2.5, 10, 6.5, 10), sorted({{2, 10}, {3, 10}, {4, 10}, {5, 10}}));
    // 3.5 -> 4, 7.5 -> 8: pixels 4..7
    EXPECT_EQ(drawLine(3.5, 10.5, 7.5, 10.5), sorted({{4, 10}, {5, 10}, {6, 10}, {7, 10}}));
    EXPECT_EQ(drawLine(-0.5, 0, 1.4999, 0), PixelList({{0, 0}}));
}

TEST(CanvasLines, AllOctantsInBothDirectionsMatchTheSteppingRule)
{
    struct Case {
        int dx, dy;
    };
    const Case cases[] = {{7, 3}, {3, 7}, {-3, 7}, {-7, 3}, {-7, -3}, {-3, -7}, {3, -7}, {7, -3},
                          {9, 2}, {2, 9}, {-9, 4}, {4, -9}, {10, 5}, {5, 10}, {-10, -5}, {6, -12},
                          {11, 1}, {1, -11}, {8, 8}, {-8, 8}};
    for (const Case& c : cases) {
        const int x0 = 100, y0 = 100, x1 = x0 + c.dx, y1 = y0 + c.dy;
        SCOPED_TRACE(testing::Message() << "dx " << c.dx << " dy " << c.dy);
        const PixelList forward = drawLine(x0, y0, x1, y1);
        EXPECT_EQ(forward, sorted(bresenhamReference(x0, y0, x1, y1)));
        EXPECT_EQ(forward, nearestReference(x0, y0, x1, y1));
        // The reverse line lights the same pixels except that it swaps which
        // end is drawn.
        PixelList reverse = drawLine(x1, y1, x0, y0);
        std::erase(reverse, std::pair(x1, y1));
        reverse.emplace_back(x0, y0);
        EXPECT_EQ(forward, sorted(reverse));
    }
}

// The pieces of a polyline (a curve's short steps go through a table) light
// the pixels of the stepping rule, in the image's middle and where they
// cross its edges.
TEST(CanvasLines, ShortPolylinePiecesMatchTheSteppingRule)
{
    constexpr int kWidth = 64, kHeight = 48;
    const std::pair<int, int> starts[] = {{32, 24}, {1, 2}, {62, 45}, {0, 47}};
    for (const auto& [x0, y0] : starts) {
        for (int dx = -5; dx <= 5; ++dx) {
            for (int dy = -5; dy <= 5; ++dy) {
                SCOPED_TRACE(testing::Message() << "from " << x0 << "," << y0 << " by " << dx << "," << dy);
                QImage page(kWidth, kHeight, QImage::Format_RGB32);
                page.fill(Qt::white);
                Canvas canvas(page);
                canvas.moveTo(x0, y0);
                const PenPosition end{double(x0 + dx), double(y0 + dy)};
                canvas.polylineTo(std::span<const PenPosition>(&end, 1));
                PixelList expected = bresenhamReference(x0, y0, x0 + dx, y0 + dy);
                std::erase_if(expected, [](const auto& p) {
                    return p.first < 0 || p.second < 0 || p.first >= kWidth || p.second >= kHeight;
                });
                EXPECT_EQ(nonWhitePixels(page), sorted(expected));
            }
        }
    }
}

TEST(CanvasLines, PenPositionIsTheUnroundedEndPoint)
{
    QImage page = makeBlankPage();
    Canvas canvas(page);
    canvas.moveTo(1.25, 2.75);
    EXPECT_EQ(canvas.penPosition().x, 1.25);
    canvas.lineTo(30.5, 40.5);
    EXPECT_EQ(canvas.penPosition().x, 30.5);
    EXPECT_EQ(canvas.penPosition().y, 40.5);
    // Consecutive segments meet: the second starts at the omitted end pixel.
    canvas.lineTo(35, 40.5);
    EXPECT_EQ(canvas.pixel(30, 40), kBlack);
    EXPECT_EQ(canvas.pixel(34, 40), kBlack);
    EXPECT_EQ(canvas.pixel(35, 40), kWhite);
}

TEST(CanvasLines, PenColourIsUsedAsWindowsColourValue)
{
    QImage page = makeBlankPage();
    Canvas canvas(page);
    canvas.setPenColour(0x00336699);  // red 0x99, green 0x66, blue 0x33
    canvas.moveTo(5, 5);
    canvas.lineTo(6, 5);
    EXPECT_EQ(page.pixel(5, 5), qRgb(0x99, 0x66, 0x33));
    EXPECT_EQ(canvas.pixel(5, 5), Colour(0x00336699));
}

TEST(CanvasLines, ClippedLinesLightExactlyTheVisiblePixelsOfTheUnclippedLine)
{
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> near(-2500, 3700);
    QImage big(3 * kPageWidth, 3 * kPageHeight, QImage::Format_RGB32);
    for (int trial = 0; trial < 150; ++trial) {
        const int x0 = near(random), y0 = near(random), x1 = near(random), y1 = near(random);
        SCOPED_TRACE(testing::Message() << x0 << "," << y0 << " -> " << x1 << "," << y1);
        const PixelList onPage = drawLine(x0, y0, x1, y1);
        ASSERT_EQ(onPage, test::insideBox(bresenhamReference(x0, y0, x1, y1), kPageWidth, kPageHeight));

        // The same line on an image three times the size, shifted into its
        // middle, then cropped back to the page.
        big.fill(Qt::white);
        Canvas canvas(big);
        canvas.moveTo(x0 + kPageWidth, y0 + kPageHeight);
        canvas.lineTo(x1 + kPageWidth, y1 + kPageHeight);
        const QImage cropped = big.copy(kPageWidth, kPageHeight, kPageWidth, kPageHeight);
        ASSERT_EQ(onPage, nonWhitePixels(cropped));
    }
}

TEST(CanvasLines, FarAwayLinesWithinTheExactRangeAreStillExact)
{
    std::mt19937 random(777);
    std::uniform_int_distribution<std::int64_t> far(-1'000'000'000, 1'000'000'000);
    std::uniform_int_distribution<std::int64_t> page(-50, 1250);
    int linesCrossingThePage = 0;
    for (int trial = 0; trial < 120; ++trial) {
        // One end far away, the other near or on the page, so most cross it.
        const std::int64_t x0 = far(random), y0 = far(random), x1 = page(random), y1 = page(random);
        SCOPED_TRACE(testing::Message() << x0 << "," << y0 << " -> " << x1 << "," << y1);
        const PixelList expected = nearestReference(x0, y0, x1, y1);
        EXPECT_EQ(drawLine(double(x0), double(y0), double(x1), double(y1)), expected);
        PixelList reverse = nearestReference(x1, y1, x0, y0);
        EXPECT_EQ(drawLine(double(x1), double(y1), double(x0), double(y0)), reverse);
        linesCrossingThePage += expected.empty() ? 0 : 1;
    }
    EXPECT_GT(linesCrossingThePage, 40);

    // The corners of the exact range, where the error products are largest.
    const std::int64_t edge = std::int64_t(1) << 30;
    const std::int64_t corners[][4] = {{-edge, -edge + 3, edge, edge - 1001}, {edge, -edge, -edge + 1, edge},
                                       {-edge, 7, edge, 993}, {599, -edge, 601, edge}};
    for (const auto& c : corners) {
        SCOPED_TRACE(testing::Message() << c[0] << "," << c[1] << " -> " << c[2] << "," << c[3]);
        EXPECT_EQ(drawLine(double(c[0]), double(c[1]), double(c[2]), double(c[3])),
                  nearestReference(c[0], c[1], c[2], c[3]));
    }
}

TEST(CanvasLines, HugeCoordinatesDrawTheVisiblePartAndNothingBeyond)
{
    PixelList row;
    for (int x = 0; x < kPageWidth; ++x)
        row.emplace_back(x, 500);
    EXPECT_EQ(drawLine(-1e38, 500, 1e38, 500), row);
    EXPECT_EQ(drawLine(1e38, 500, -1e38, 500), row);

    PixelList diagonal;
    for (int i = 0; i < kPageHeight; ++i)
        diagonal.emplace_back(i, i);
    EXPECT_EQ(drawLine(-1e38, -1e38, 1e38, 1e38), sorted(diagonal));
    EXPECT_EQ(drawLine(-1.7e308, -1.7e308, 1.7e308, 1.7e308), sorted(diagonal));

    // A line whose huge end points both lie far from the page, but whose
    // line passes through it: its position is kept, not lost to cancellation.
    const double far = std::ldexp(1.0, 100);
    EXPECT_EQ(drawLine(-far, 0, far, 1000), row);
    EXPECT_EQ(drawLine(far, 1000, -far, 0), row);

    // A steep hostile line through the origin with slope 3: every lit pixel
    // lies within a pixel of it, one per row.
    const PixelList steep = drawLine(-1e38, -3e38, 1e38, 3e38);
    EXPECT_EQ(steep.size(), std::size_t(kPageHeight));
    for (const auto& [x, y] : steep)
        EXPECT_LE(std::fabs(y / 3.0 - x), 1.0) << x << "," << y;

    // One end on the page, the other huge: the start pixel is exact.
    const PixelList fromCentre = drawLine(600, 500, 600 + 1e37, 500 - 1e37);
    EXPECT_EQ(fromCentre.size(), 501u);
    EXPECT_TRUE(std::binary_search(fromCentre.begin(), fromCentre.end(), std::pair(600, 500)));
    EXPECT_TRUE(std::binary_search(fromCentre.begin(), fromCentre.end(), std::pair(1100, 0)));

    EXPECT_TRUE(drawLine(-1e38, -1e38, -1e37, 5e37).empty());
    EXPECT_TRUE(drawLine(2e9, 2e9, 3e9, 3e9).empty());
}

TEST(CanvasLines, NonFiniteCoordinatesDrawNothing)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(drawLine(nan, 0, 100, 100).empty());
    EXPECT_TRUE(drawLine(0, 0, 100, inf).empty());
    EXPECT_TRUE(drawLine(-inf, 10, inf, 10).empty());

    QImage page = makeBlankPage();
    Canvas canvas(page);
    canvas.moveTo(nan, nan);
    canvas.lineTo(10, 10);  // from an undefined position: nothing
    canvas.lineTo(20, 10);  // the pen is at (10, 10) again
    EXPECT_EQ(nonWhitePixels(page).size(), 10u);
}

TEST(CanvasPixels, ReadAndWriteStayInsideTheImage)
{
    QImage page = makeBlankPage();
    Canvas canvas(page);
    canvas.setPixel(0, 0, 0x0000FF);
    canvas.setPixel(kPageWidth - 1, kPageHeight - 1, 0x123456);
    canvas.setPixel(-1, 5, kBlack);
    canvas.setPixel(kPageWidth, 5, kBlack);
    canvas.setPixel(5, kPageHeight, kBlack);
    EXPECT_EQ(canvas.pixel(0, 0), Colour(0x0000FF));
    EXPECT_EQ(page.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(kPageWidth - 1, kPageHeight - 1), Colour(0x123456));
    EXPECT_EQ(canvas.pixel(-1, 0), kWhite);
    EXPECT_EQ(canvas.pixel(0, -1), kWhite);
    EXPECT_EQ(canvas.pixel(kPageWidth, 0), kWhite);
    EXPECT_EQ(nonWhitePixels(page).size(), 2u);

    // Another pixel format is taken over as 32 bits; an empty image is safe.
    QImage rgb888(10, 10, QImage::Format_RGB888);
    rgb888.fill(Qt::white);
    Canvas other(rgb888);
    other.moveTo(0, 5);
    other.lineTo(20, 5);
    EXPECT_EQ(rgb888.format(), QImage::Format_RGB32);
    EXPECT_EQ(other.pixel(9, 5), kBlack);
    EXPECT_EQ(other.pixel(9, 4), kWhite);
    QImage empty;
    other.setImage(empty);
    other.lineTo(0, 0);
    other.setPenWidth(5);
    other.lineTo(3, 3);
    other.textOut(0, 0, "A");
    EXPECT_EQ(other.pixel(0, 0), kWhite);
}

}  // namespace
}  // namespace veltrano
