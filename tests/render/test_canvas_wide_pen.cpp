#include "canvas_test_util.h"
#include "render/canvas.h"
#include "render/page.h"
#include "render/wide_pen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace veltrano {
namespace {

using test::nonWhitePixels;
using test::PixelList;
using test::sorted;

PixelList drawWide(int width, double x0, double y0, double x1, double y1)
{
    QImage page = makeBlankPage();
    Canvas canvas(page);
    canvas.setPenWidth(width);
    canvas.moveTo(x0, y0);
    canvas.lineTo(x1, y1);
    return nonWhitePixels(page);
}

PixelList block(int firstX, int lastX, int firstY, int lastY)
{
    PixelList pixels;
    for (int x = firstX; x <= lastX; ++x)
        for (int y = firstY; y <= lastY; ++y)
            pixels.emplace_back(x, y);
    return pixels;
}

PixelList unite(std::initializer_list<PixelList> parts)
{
    PixelList all;
    for (const PixelList& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return sorted(all);
}

TEST(CanvasWidePen, ZeroLengthLinesDrawTheCapShapes)
{
    EXPECT_EQ(drawWide(2, 20, 20, 20, 20), block(19, 20, 19, 20));
    EXPECT_EQ(drawWide(3, 20, 20, 20, 20), unite({block(19, 21, 20, 20), block(20, 20, 19, 21)}));
    EXPECT_EQ(drawWide(5, 20, 20, 20, 20), unite({block(19, 21, 18, 22), block(18, 22, 19, 21)}));
}

TEST(CanvasWidePen, HorizontalAndVerticalSegmentsWithTheirCaps)
{
    // width 2: rows 9 and 10, columns 9 to 50, in both directions
    EXPECT_EQ(drawWide(2, 10, 10, 50, 10), block(9, 50, 9, 10));
    EXPECT_EQ(drawWide(2, 50, 10, 10, 10), block(9, 50, 9, 10));
    // width 3: rows 9..11 over the segment, the plus caps add one column each side
    EXPECT_EQ(drawWide(3, 10, 10, 20, 10), unite({block(10, 20, 9, 11), block(9, 21, 10, 10)}));
    // width 5: rows 8..12; the caps reach two columns beyond the ends on the middle rows
    EXPECT_EQ(drawWide(5, 10, 10, 20, 10), unite({block(9, 21, 8, 12), block(8, 22, 9, 11)}));
    // vertical width 2: columns x-1 and x, rows y1-1 .. y2
    EXPECT_EQ(drawWide(2, 30, 40, 30, 60), block(29, 30, 39, 60));
    EXPECT_EQ(drawWide(2, 30, 60, 30, 40), block(29, 30, 39, 60));
    EXPECT_EQ(drawWide(3, 30, 40, 30, 44), unite({block(29, 31, 40, 44), block(30, 30, 39, 45)}));
}

TEST(CanvasWidePen, SlantedSegmentsCoverTheirCentreLineAndStayNearIt)
{
    std::mt19937 random(99);
    std::uniform_int_distribution<int> coordinate(20, 180);
    for (int width : {2, 3, 5}) {
        for (int trial = 0; trial < 20; ++trial) {
            const int x0 = coordinate(random), y0 = coordinate(random);
            const int x1 = coordinate(random), y1 = coordinate(random);
            SCOPED_TRACE(testing::Message() << "width " << width << ": " << x0 << "," << y0 << " -> " << x1 << ","
                                            << y1);
            const PixelList wide = drawWide(width, x0, y0, x1, y1);
            EXPECT_EQ(wide, drawWide(width, x1, y1, x0, y0));  // direction does not matter
            for (const auto& pixel : drawWide(1, x0, y0, x1, y1))
                EXPECT_TRUE(std::binary_search(wide.begin(), wide.end(), pixel));
            // Every pixel lies within half the width (plus the even-width
            // half-pixel shift) of the ideal segment.
            const double dx = x1 - x0, dy = y1 - y0, lengthSquared = dx * dx + dy * dy;
            for (const auto& [x, y] : wide) {
                double t = lengthSquared == 0 ? 0 : ((x - x0) * dx + (y - y0) * dy) / lengthSquared;
                t = std::clamp(t, 0.0, 1.0);
                const double distance = std::hypot(x - (x0 + t * dx), y - (y0 + t * dy));
                EXPECT_LE(distance, width / 2.0 + 0.75) << x << "," << y;
            }
        }
    }
}

TEST(CanvasWidePen, SegmentsJoinRoundAndTheStrokeFollowsThePenWidth)
{
    QImage page = makeBlankPage();
    Canvas canvas(page);
    canvas.setPenWidth(3);
    canvas.moveTo(10, 10);
    canvas.lineTo(20, 10);
    canvas.lineTo(20, 20);
    // The corner is covered by both caps: no notch at (21, 10) or (20, 9).
    EXPECT_EQ(canvas.pixel(21, 10), kBlack);
    EXPECT_EQ(canvas.pixel(20, 9), kBlack);
    EXPECT_EQ(canvas.pixel(21, 9), kWhite);

    CanvasState state = canvas.state();
    state.penWidth = 1;
    canvas.restoreState(state);
    canvas.moveTo(100, 100);
    canvas.lineTo(110, 100);
    EXPECT_EQ(canvas.pixel(100, 99), kWhite);
    EXPECT_EQ(canvas.pixel(100, 100), kBlack);
    EXPECT_EQ(canvas.pixel(110, 100), kWhite);
}

TEST(CanvasWidePen, ClippedWideLinesEqualTheCroppedUnclippedOnes)
{
    std::mt19937 random(4321);
    std::uniform_int_distribution<int> near(-300, 1500);
    QImage big(kPageWidth + 1000, kPageHeight + 1000, QImage::Format_RGB32);
    for (int trial = 0; trial < 60; ++trial) {
        const int width = trial % 3 == 0 ? 2 : trial % 3 == 1 ? 3 : 5;
        const int x0 = near(random), y0 = near(random), x1 = near(random), y1 = near(random);
        SCOPED_TRACE(testing::Message() << "width " << width << ": " << x0 << "," << y0 << " -> " << x1 << ","
                                        << y1);
        big.fill(Qt::white);
        Canvas canvas(big);
        canvas.setPenWidth(width);
        canvas.moveTo(x0 + 500, y0 + 500);
        canvas.lineTo(x1 + 500, y1 + 500);
        EXPECT_EQ(drawWide(width, x0, y0, x1, y1), nonWhitePixels(big.copy(500, 500, kPageWidth, kPageHeight)));
    }
}

TEST(CanvasWidePen, HugeAndHostileInputsStayBounded)
{
    EXPECT_EQ(drawWide(2, -1e38, 500, 1e38, 500), block(0, kPageWidth - 1, 499, 500));
    EXPECT_EQ(drawWide(5, 600, -1e38, 600, 1e38), block(598, 602, 0, kPageHeight - 1));
    EXPECT_TRUE(drawWide(5, 1e38, 1e38, 1e38, 1e38).empty());
    EXPECT_TRUE(drawWide(3, NAN, 0, 10, 10).empty());
    // A hostile width is limited; the line stays a band around its centre.
    const PixelList fat = drawWide(1'000'000, 600, 500, 601, 500);
    EXPECT_FALSE(fat.empty());
    EXPECT_LE(fat.size(), std::size_t((kMaxPenWidth + 2) * (kMaxPenWidth + 2)));
}

}  // namespace
}  // namespace veltrano
