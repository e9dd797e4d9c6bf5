// The content edges of the fitted export and the cut-out built from them.

#include "render/content_cutout.h"
#include "render/page.h"
#include "canvas_test_util.h"

#include <gtest/gtest.h>

namespace veltrano {
namespace {

QImage pageWithInk(std::initializer_list<QPoint> points)
{
    QImage page = makeBlankPage();
    for (QPoint p : points)
        page.setPixel(p, 0xFF000000u | 0x102030);
    return page;
}

TEST(ContentCutOut, EdgesLieOneLineOutsideTheInkAndFollowTheArea)
{
    const QImage page = pageWithInk({{40, 30}, {60, 35}, {45, 70}, {700, 600}});
    const ContentEdges inArea = findContentEdges(page, QSize(502, 413));
    EXPECT_EQ(inArea.top, 29);
    EXPECT_EQ(inArea.bottom, 71);
    EXPECT_EQ(inArea.left, 39);
    EXPECT_EQ(inArea.right, 61);

    // The far pixel counts once the area reaches it; an area larger than
    // the page is cut to the page.
    const ContentEdges whole = findContentEdges(page, QSize(5000, 5000));
    EXPECT_EQ(whole.bottom, 601);
    EXPECT_EQ(whole.right, 701);

    // Ink on the first row and column gives edges of -1. The searches from
    // the far side stop before line 0, so ink there alone leaves them at
    // the far edge of the area.
    const ContentEdges corner = findContentEdges(pageWithInk({{0, 0}, {3, 2}}), QSize(502, 413));
    EXPECT_EQ(corner.top, -1);
    EXPECT_EQ(corner.left, -1);
    EXPECT_EQ(corner.bottom, 3);
    EXPECT_EQ(corner.right, 4);
    const ContentEdges onlyCorner = findContentEdges(pageWithInk({{0, 0}}), QSize(502, 413));
    EXPECT_EQ(onlyCorner.bottom, 412);
    EXPECT_EQ(onlyCorner.right, 501);

    // No ink: 0, H - 1, W - 1, 0.
    const ContentEdges none = findContentEdges(makeBlankPage(), QSize(502, 413));
    EXPECT_EQ(none.top, 0);
    EXPECT_EQ(none.bottom, 412);
    EXPECT_EQ(none.right, 501);
    EXPECT_EQ(none.left, 0);
}

TEST(ContentCutOut, TheCutOutHoldsTheInkInsideAWhiteMargin)
{
    const QImage cutOut = fittedCutOut(pageWithInk({{40, 30}, {60, 35}}), QSize(502, 413));
    EXPECT_EQ(cutOut.size(), QSize(61 - 39 + 20, 36 - 29 + 20));
    EXPECT_EQ(test::nonWhitePixels(cutOut), (test::PixelList{{11, 11}, {31, 16}}));

    // A pixel at the page's corner: the line outside the page comes out white.
    const QImage corner = fittedCutOut(pageWithInk({{0, 0}, {3, 2}}), QSize(502, 413));
    EXPECT_EQ(corner.size(), QSize(4 + 1 + 20, 3 + 1 + 20));
    EXPECT_EQ(test::nonWhitePixels(corner), (test::PixelList{{11, 11}, {14, 13}}));

    // An area of nothing is the margin alone.
    EXPECT_EQ(fittedCutOut(makeBlankPage(), QSize(0, 0)).size(), QSize(20, 20));
}

}  // namespace
}  // namespace veltrano
