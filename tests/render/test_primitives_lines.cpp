#include "painter_test_util.h"
#include "render/primitives.h"

#include <gtest/gtest.h>

namespace veltrano {
namespace {

using test::column;
using test::joined;
using test::pageDrawnBy;
using test::pixelsDrawnBy;
using test::PixelList;
using test::polyline;
using test::run;

TEST(SmoothLine, BlackLineGetsAGreyHaloAndEndsWithThePenRestored)
{
    CanvasState after;
    const QImage page = pageDrawnBy([&](Canvas& c) {
        c.setPenColour(kBlack);
        c.moveTo(10, 10);
        SmoothLineTo(c, 50, 10);
        after = c.state();
    });
    const Colour grey = makeColour(153, 153, 153);
    for (int x = 10; x < 50; ++x) {
        EXPECT_EQ(test::colourAt(page, x, 10), kBlack) << x;
        EXPECT_EQ(test::colourAt(page, x, 9), grey) << x;
        EXPECT_EQ(test::colourAt(page, x, 11), kWhite) << x;
    }
    EXPECT_EQ(test::colourAt(page, 50, 10), grey);  // the halo's end cap, not the thin line
    EXPECT_EQ(after.penWidth, 1);
    EXPECT_EQ(after.penColour, kBlack);
    EXPECT_DOUBLE_EQ(after.penPosition.x, 50);
    EXPECT_DOUBLE_EQ(after.penPosition.y, 10);
}

TEST(SmoothLine, HaloMovesEachChannelSixtyPercentTowardsWhite)
{
    const auto haloAbove = [](Colour colour) {
        const QImage page = pageDrawnBy([&](Canvas& c) {
            c.setPenColour(colour);
            c.moveTo(10, 10);
            SmoothLineTo(c, 50, 10);
        });
        return test::colourAt(page, 30, 9);
    };
    EXPECT_EQ(haloAbove(0x0000FF), makeColour(255, 153, 153));
    EXPECT_EQ(haloAbove(0xFF0000), makeColour(153, 153, 255));
    // 100 + round(155 * 0.6) = 193, 20 + round(235 * 0.6) = 161, 250 + 3 = 253
    EXPECT_EQ(haloAbove(makeColour(100, 20, 250)), makeColour(193, 161, 253));
    // A white element leaves no trace at all.
    EXPECT_TRUE(pixelsDrawnBy([](Canvas& c) {
        c.setPenColour(kWhite);
        c.moveTo(10, 10);
        SmoothLineTo(c, 50, 10);
    }).empty());
}

TEST(DashedLine, DrawsTheOddSeventhsAndOmitsEachEndPixel)
{
    EXPECT_EQ(pixelsDrawnBy([](Canvas& c) { DashedLine(c, 0, 70, 0, 0); }),
              joined({run(0, 9, 0), run(20, 29, 0), run(40, 49, 0), run(60, 69, 0)}));

    // A slanted line: the dashes start at sevenths 0, 2, 4, 6 and end at 1, 3, 5, 7.
    CanvasState after;
    const PixelList dashed = pixelsDrawnBy([&](Canvas& c) {
        DashedLine(c, 100, 170, 100, 135);
        after = c.state();
    });
    EXPECT_EQ(dashed, pixelsDrawnBy([](Canvas& c) {
                  polyline(c, {{100, 100}, {110, 105}});
                  polyline(c, {{120, 110}, {130, 115}});
                  polyline(c, {{140, 120}, {150, 125}});
                  polyline(c, {{160, 130}, {170, 135}});
              }));
    EXPECT_DOUBLE_EQ(after.penPosition.x, 170);
    EXPECT_DOUBLE_EQ(after.penPosition.y, 135);
    EXPECT_EQ(after.penWidth, 1);
}

TEST(SegmentedLine, DrawsSevenPiecesThatTogetherCoverTheLine)
{
    const PixelList segmented = pixelsDrawnBy([](Canvas& c) { SegmentedLine(c, 100, 170, 100, 135); });
    EXPECT_EQ(segmented, pixelsDrawnBy([](Canvas& c) {
                  for (int i = 0; i < 7; ++i)
                      polyline(c, {{100 + 10 * i, 100 + 5 * i}, {110 + 10 * i, 105 + 5 * i}});
              }));
    EXPECT_EQ(pixelsDrawnBy([](Canvas& c) { SegmentedLine(c, 10, 80, 5, 5); }), run(10, 79, 5));
}

TEST(Wedges, FanOutToWholePixelOffsetsBesideTheWideEnd)
{
    // From (100, 100) to (130, 100): offsets round(1.47) = 1, round(0.74) = 1,
    // round(0.49) = 0 for the hashed wedge; 2, 1, 1 for the solid one.
    EXPECT_EQ(pixelsDrawnBy([](Canvas& c) { HashedWedge(c, 100, 130, 100, 100); }),
              pixelsDrawnBy([](Canvas& c) {
                  for (double end : {101.0, 99.0, 101.0, 99.0, 100.0, 100.0})
                      DashedLine(c, 100, 130, 100, end);
              }));
    EXPECT_EQ(pixelsDrawnBy([](Canvas& c) { SolidWedge(c, 100, 130, 100, 100); }),
              pixelsDrawnBy([](Canvas& c) {
                  for (double end : {102.0, 98.0, 101.0, 99.0})
                      SegmentedLine(c, 100, 130, 100, end);
              }));
    // Vertical wedge: the offsets are along x, ox = round((yA - yB) / len * w).
    EXPECT_EQ(pixelsDrawnBy([](Canvas& c) { SolidWedge(c, 200, 200, 100, 130); }),
              pixelsDrawnBy([](Canvas& c) {
                  for (double end : {198.0, 202.0, 199.0, 201.0})
                      SegmentedLine(c, 200, end, 100, 130);
              }));
}

TEST(Wedges, ZeroLengthWedgeDrawsNothingAndLeavesThePen)
{
    for (auto wedge : {HashedWedge, SolidWedge}) {
        CanvasState after;
        EXPECT_TRUE(pixelsDrawnBy([&](Canvas& c) {
            c.moveTo(7, 8);
            wedge(c, 300, 300, 200, 200);
            after = c.state();
        }).empty());
        EXPECT_DOUBLE_EQ(after.penPosition.x, 7);
        EXPECT_DOUBLE_EQ(after.penPosition.y, 8);
    }
}

ElementRecord twoPoint(ElementKind kind, double x1, double y1, double x2, double y2, Colour colour = kBlack)
{
    return makeRecord(kind, x1, y1, x2, y2, std::int32_t(colour));
}

TEST(DoubleLine, DrawsTwoLinesBesideTheAxis)
{
    const ViewState view = test::identityView();
    // Vertical: 1.2 pixels to either side round to x - 1 and x + 1.
    EXPECT_EQ(pixelsDrawnBy([&](Canvas& c) { DoubleLine(c, view, twoPoint(254, 100, 100, 100, 140), 1.2); }),
              joined({column(99, 100, 139), column(101, 100, 139)}));
    // Horizontal, drawn right to left.
    EXPECT_EQ(pixelsDrawnBy([&](Canvas& c) { DoubleLine(c, view, twoPoint(254, 140, 50, 100, 50), 1.2); }),
              joined({run(101, 140, 49), run(101, 140, 51)}));
    // 45 degrees down-right: n = 1.2 * (-sin a, cos a) with a = pi/4.
    const double n = 1.2 * std::sqrt(0.5);
    EXPECT_EQ(pixelsDrawnBy([&](Canvas& c) { DoubleLine(c, view, twoPoint(254, 100, 100, 130, 130), 1.2); }),
              pixelsDrawnBy([&](Canvas& c) {
                  polyline(c, {{100 - n, 100 + n}, {130 - n, 130 + n}});
                  polyline(c, {{100 + n, 100 - n}, {130 + n, 130 - n}});
              }));
}

TEST(TripleLine, ThreeLinesWithTheOuterOnesShortenedAndThePenLeftThin)
{
    const Colour red = 0x0000FF;
    CanvasState after;
    const QImage page = pageDrawnBy([&](Canvas& c) {
        c.setPenColour(red);
        c.setPenWidth(5);
        TripleLine(c, 100, 100, 140, 100, red);
        after = c.state();
    });
    EXPECT_EQ(test::nonWhitePixels(page), pixelsDrawnBy([&](Canvas& c) {
                  c.setPenColour(red);
                  c.setPenWidth(5);
                  polyline(c, {{103, 100}, {137, 100}});
                  c.setPenWidth(3);
                  c.setPenColour(kWhite);
                  polyline(c, {{100, 100}, {140, 100}});
                  c.setPenColour(red);
                  c.setPenWidth(1);
                  polyline(c, {{100, 100}, {140, 100}});
              }));
    for (int x = 104; x < 137; ++x) {
        EXPECT_EQ(test::colourAt(page, x, 98), red) << x;
        EXPECT_EQ(test::colourAt(page, x, 99), kWhite) << x;
        EXPECT_EQ(test::colourAt(page, x, 100), red) << x;
        EXPECT_EQ(test::colourAt(page, x, 101), kWhite) << x;
        EXPECT_EQ(test::colourAt(page, x, 102), red) << x;
    }
    EXPECT_EQ(after.penWidth, 1);
    EXPECT_EQ(after.penColour, red);
}

TEST(TripleLine, ZeroLengthDrawsNoBroadStroke)
{
    CanvasState after;
    EXPECT_TRUE(pixelsDrawnBy([&](Canvas& c) {
        c.setPenWidth(5);
        TripleLine(c, 300, 300, 300, 300, kBlack);
        after = c.state();
    }).empty());
    EXPECT_EQ(after.penWidth, 1);
    EXPECT_EQ(after.penColour, kBlack);
}

TEST(Brackets, StrokesWithFivePixelTicksAlongX)
{
    EXPECT_EQ(pixelsDrawnBy([](Canvas& c) { LeftBracket(c, 100, 100, 100, 140); }),
              joined({column(100, 100, 139), run(100, 104, 140), run(100, 104, 100)}));
    EXPECT_EQ(pixelsDrawnBy([](Canvas& c) { RightBracket(c, 100, 100, 100, 140); }),
              joined({column(100, 100, 139), run(96, 100, 140), run(96, 100, 100)}));
    EXPECT_EQ(pixelsDrawnBy([](Canvas& c) { BracketPair(c, 100, 100, 160, 140); }),
              joined({column(100, 100, 139), run(100, 104, 140), run(100, 104, 100),
                      column(160, 100, 139), run(156, 160, 140), run(156, 160, 100)}));
    // The ticks add 5 to the unrounded coordinate: 100.5 + 5 rounds to 106.
    EXPECT_EQ(pixelsDrawnBy([](Canvas& c) { LeftBracket(c, 100.5, 100, 100.5, 120); }),
              joined({column(100, 100, 119), run(100, 105, 120), run(100, 105, 100)}));
    // Zero length: only the ticks.
    EXPECT_EQ(pixelsDrawnBy([](Canvas& c) { LeftBracket(c, 100, 100, 100, 100); }), run(100, 104, 100));
}

TEST(PenTable, PrimitivesOnTheCurrentPenLeaveColourAndWidthAsTheyWere)
{
    const ViewState view = test::identityView();
    const ElementRecord bond = makeRecord(254, 100, 100, 170, 130);
    const std::function<void(Canvas&)> primitives[] = {
        [](Canvas& c) { DashedLine(c, 100, 170, 100, 130); },
        [](Canvas& c) { SegmentedLine(c, 100, 170, 100, 130); },
        [](Canvas& c) { HashedWedge(c, 100, 170, 100, 130); },
        [](Canvas& c) { SolidWedge(c, 100, 170, 100, 130); },
        [&](Canvas& c) { DoubleLine(c, view, bond, 1.2); },
        [](Canvas& c) { LeftBracket(c, 100, 100, 100, 130); },
        [](Canvas& c) { RightBracket(c, 100, 100, 100, 130); },
        [](Canvas& c) { BracketPair(c, 100, 100, 170, 130); },
        [&](Canvas& c) { StraightArrow(c, view, makeRecord(401, 100, 100, 170, 130)); },
        [&](Canvas& c) { DoubleArrow(c, view, makeRecord(402, 100, 100, 170, 130)); },
        [&](Canvas& c) { EquilibriumArrow(c, view, makeRecord(403, 100, 100, 170, 100)); },
        [&](Canvas& c) { OpenArrow(c, view, makeRecord(413, 100, 100, 170, 100)); },
        [&](Canvas& c) { CurvedArrow(c, view, makeRecord(411, 100, 100, 170, 130)); },
    };
    int index = 0;
    for (const auto& draw : primitives) {
        CanvasState after;
        const PixelList drawn = pixelsDrawnBy([&](Canvas& c) {
            c.setPenColour(0x0000FF);
            c.setPenWidth(2);
            draw(c);
            after = c.state();
        });
        EXPECT_FALSE(drawn.empty()) << index;
        EXPECT_EQ(after.penColour, Colour(0x0000FF)) << index;
        EXPECT_EQ(after.penWidth, 2) << index;
        ++index;
    }
}

}  // namespace
}  // namespace veltrano
