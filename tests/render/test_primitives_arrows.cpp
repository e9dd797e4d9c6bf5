#include "painter_test_util.h"
#include "render/primitives.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace veltrano {
namespace {

using test::column;
using test::joined;
using test::pixelsDrawnBy;
using test::PixelList;
using test::polyline;
using test::run;

ElementRecord arrow(ElementKind kind, double x1, double y1, double x2, double y2)
{
    return makeRecord(kind, x1, y1, x2, y2);
}

using test::kView;

TEST(StraightArrow, HorizontalArrowHasItsBarbsAtFortyFiveDegrees)
{
    // theta = pi/4 + arctan(100 / 0.00001), very nearly 3 pi / 4.
    const double b = 10 * std::sqrt(0.5);
    CanvasState after;
    const PixelList drawn = pixelsDrawnBy([&](Canvas& c) {
        StraightArrow(c, kView, arrow(401, 100, 100, 200, 100));
        after = c.state();
    });
    EXPECT_EQ(drawn, pixelsDrawnBy([&](Canvas& c) {
                  polyline(c, {{100, 100}, {200, 100}, {200 - b, 100 - b}});
                  polyline(c, {{200, 100}, {200 - b, 100 + b}});
              }));
    // The barbs end at about (193, 93) and (193, 107); their end pixels are not drawn.
    EXPECT_TRUE(std::binary_search(drawn.begin(), drawn.end(), test::Pixel{194, 94}));
    EXPECT_TRUE(std::binary_search(drawn.begin(), drawn.end(), test::Pixel{194, 106}));
    EXPECT_FALSE(std::binary_search(drawn.begin(), drawn.end(), test::Pixel{193, 93}));
    EXPECT_NEAR(after.penPosition.x, 200 - b, 1e-3);
    EXPECT_NEAR(after.penPosition.y, 100 + b, 1e-3);
}

TEST(StraightArrow, UpwardArrowFlipsTheBarbs)
{
    // Y2 < Y1: s = -1 and theta = pi/4 + arctan(0 / (-100 + 0.00001)) = pi/4.
    const double b = 10 * std::sqrt(0.5);
    EXPECT_EQ(pixelsDrawnBy([&](Canvas& c) { StraightArrow(c, kView, arrow(401, 300, 300, 300, 200)); }),
              pixelsDrawnBy([&](Canvas& c) {
                  polyline(c, {{300, 300}, {300, 200}, {300 - b, 200 + b}});
                  polyline(c, {{300, 200}, {300 + b, 200 + b}});
              }));
}

TEST(DoubleArrow, HasMirroredBarbsAtTheTail)
{
    const double b = 10 * std::sqrt(0.5);
    EXPECT_EQ(pixelsDrawnBy([&](Canvas& c) { DoubleArrow(c, kView, arrow(402, 100, 100, 200, 100)); }),
              pixelsDrawnBy([&](Canvas& c) {
                  polyline(c, {{100, 100}, {200, 100}, {200 - b, 100 - b}});
                  polyline(c, {{100, 100}, {100 + b, 100 + b}});
                  polyline(c, {{200, 100}, {200 - b, 100 + b}});
                  polyline(c, {{100, 100}, {100 + b, 100 - b}});
              }));
}

TEST(EquilibriumArrow, HorizontalAndVerticalHarpoons)
{
    EXPECT_EQ(pixelsDrawnBy([&](Canvas& c) { EquilibriumArrow(c, kView, arrow(403, 100, 100, 200, 100)); }),
              pixelsDrawnBy([](Canvas& c) {
                  polyline(c, {{100, 99}, {200, 99}, {193, 92}});
                  polyline(c, {{200, 102}, {100, 102}, {107, 109}});
              }));
    EXPECT_EQ(pixelsDrawnBy([&](Canvas& c) { EquilibriumArrow(c, kView, arrow(403, 200, 100, 100, 100)); }),
              pixelsDrawnBy([](Canvas& c) {
                  polyline(c, {{200, 99}, {100, 99}, {107, 92}});
                  polyline(c, {{100, 102}, {200, 102}, {193, 109}});
              }));
    // Vertical from (50, 10) to (50, 90): shafts at x = 49 and x = 52.
    const PixelList vertical =
        pixelsDrawnBy([&](Canvas& c) { EquilibriumArrow(c, kView, arrow(403, 50, 10, 50, 90)); });
    EXPECT_EQ(vertical, pixelsDrawnBy([](Canvas& c) {
                  polyline(c, {{49, 10}, {49, 90}, {42, 83}});
                  polyline(c, {{52, 90}, {52, 10}, {59, 17}});
              }));
    for (int y = 20; y < 80; ++y) {
        EXPECT_TRUE(std::binary_search(vertical.begin(), vertical.end(), test::Pixel{49, y}));
        EXPECT_TRUE(std::binary_search(vertical.begin(), vertical.end(), test::Pixel{52, y}));
    }
}

TEST(EquilibriumArrow, UpperShaftKeepsTheFirstRowWhenTheEndsDiffer)
{
    // The upper shaft runs along y1 - 1 at both ends; the lower one starts at y2 + 2.
    EXPECT_EQ(pixelsDrawnBy([&](Canvas& c) { EquilibriumArrow(c, kView, arrow(403, 100, 100, 200, 110)); }),
              pixelsDrawnBy([](Canvas& c) {
                  polyline(c, {{100, 99}, {200, 99}, {193, 92}});
                  polyline(c, {{200, 112}, {100, 102}, {107, 109}});
              }));
}

TEST(OpenArrow, DoubleShaftWithAnOpenHeadBeyondTheTip)
{
    EXPECT_EQ(pixelsDrawnBy([&](Canvas& c) { OpenArrow(c, kView, arrow(413, 100, 100, 200, 100)); }),
              pixelsDrawnBy([](Canvas& c) {
                  polyline(c, {{100, 98}, {200, 98}});
                  polyline(c, {{100, 102}, {200, 102}});
                  polyline(c, {{202, 100}, {194, 92}});
                  polyline(c, {{202, 100}, {194, 108}});
              }));
    EXPECT_EQ(pixelsDrawnBy([&](Canvas& c) { OpenArrow(c, kView, arrow(413, 200, 100, 100, 100)); }),
              pixelsDrawnBy([](Canvas& c) {
                  polyline(c, {{200, 98}, {100, 98}});
                  polyline(c, {{98, 100}, {106, 92}});
                  polyline(c, {{98, 100}, {106, 108}});
                  polyline(c, {{200, 102}, {100, 102}});
              }));
    EXPECT_EQ(pixelsDrawnBy([&](Canvas& c) { OpenArrow(c, kView, arrow(413, 100, 200, 100, 100)); }),
              pixelsDrawnBy([](Canvas& c) {
                  polyline(c, {{98, 200}, {98, 100}});
                  polyline(c, {{100, 98}, {92, 106}});
                  polyline(c, {{100, 98}, {108, 106}});
                  polyline(c, {{102, 200}, {102, 100}});
              }));
    EXPECT_EQ(pixelsDrawnBy([&](Canvas& c) { OpenArrow(c, kView, arrow(413, 100, 100, 100, 200)); }),
              pixelsDrawnBy([](Canvas& c) {
                  polyline(c, {{98, 100}, {98, 200}});
                  polyline(c, {{102, 100}, {102, 200}});
                  polyline(c, {{100, 202}, {92, 194}});
                  polyline(c, {{100, 202}, {108, 194}});
              }));
}

TEST(CurvedArrow, ArcBulgesByTheCurvatureOfItsKind)
{
    // Kind 410 (c = 3) from (100, 300) to (200, 300): L = 100, h = 15, the
    // middle of the arc 15 pixels below the chord; 407 (c = -3) above it.
    const PixelList down = pixelsDrawnBy([&](Canvas& c) { CurvedArrow(c, kView, arrow(410, 100, 300, 200, 300)); });
    const PixelList up = pixelsDrawnBy([&](Canvas& c) { CurvedArrow(c, kView, arrow(407, 100, 300, 200, 300)); });
    const auto lit = [](const PixelList& pixels, int x, int y) {
        return std::binary_search(pixels.begin(), pixels.end(), test::Pixel{x, y});
    };
    EXPECT_TRUE(lit(down, 150, 315) || lit(down, 149, 315));
    EXPECT_TRUE(lit(up, 150, 285) || lit(up, 149, 285));
    // A quarter of the way: off = 15 - 60 * 625 / 10000 = 11.25.
    EXPECT_TRUE(lit(down, 125, 311) || lit(down, 124, 311));
    for (const auto& [x, y] : down)
        EXPECT_LE(y, 315) << x;
    for (const auto& [x, y] : up)
        EXPECT_GE(y, 285) << x;
    // Larger curvatures bulge further: 45 % and 100 % of the chord.
    const PixelList deep = pixelsDrawnBy([&](Canvas& c) { CurvedArrow(c, kView, arrow(412, 100, 300, 200, 300)); });
    EXPECT_TRUE(lit(deep, 150, 400) || lit(deep, 149, 400));
    const PixelList medium = pixelsDrawnBy([&](Canvas& c) { CurvedArrow(c, kView, arrow(408, 100, 300, 200, 300)); });
    EXPECT_TRUE(lit(medium, 150, 255) || lit(medium, 149, 255));
}

// The arc and head of a curved arrow stepped over every i, with no regard
// for the page: what the bounded loop must reproduce on the page.
PixelList curvedArrowUnbounded(ElementKind kind, double X1, double Y1, double X2, double Y2)
{
    return pixelsDrawnBy([&](Canvas& c) {
        const double L = std::nearbyint(std::hypot(X2 - X1, Y2 - Y1));
        const double h = L * curvatureOf(kind) / 20;
        const double phi = std::atan((Y1 - Y2) / ((X2 - X1) - 0.001));
        c.moveTo(X1, Y1);
        for (int i = 1; i <= int(L); ++i) {
            const double off = h - 4 * h * (i - L / 2) * (i - L / 2) / (L * L);
            const double dx = i * std::cos(phi) + off * std::sin(phi);
            const double dy = -i * std::sin(phi) + off * std::cos(phi);
            if (X2 - X1 > 0)
                c.lineTo(X1 + dx, Y1 + dy);
            else
                c.lineTo(X1 - dx, Y1 - dy);
        }
        const double theta = std::atan((X2 - X1) / ((Y2 - Y1) + 0.00001)) + std::atan(3 * h / L)
            + std::numbers::pi / 4;
        const double s = Y2 >= Y1 ? 1 : -1;
        polyline(c, {{X2, Y2}, {X2 + 10 * s * std::cos(theta), Y2 - 10 * s * std::sin(theta)}});
        polyline(c, {{X2, Y2},
                     {X2 + 10 * s * std::cos(theta + std::numbers::pi / 2),
                      Y2 - 10 * s * std::sin(theta + std::numbers::pi / 2)}});
    });
}

TEST(CurvedArrow, ArcsReachingOffThePageDrawExactlyTheirVisiblePart)
{
    struct Case {
        ElementKind kind;
        double x1, y1, x2, y2;
    };
    const Case cases[] = {
        {410, 100, 300, 200, 300},    {412, -3000, 500, 600, 450},  {409, 600, 450, -3000, 500},
        {411, 500, -2500, 520, 900},  {407, 700, 3500, 650, 100},   {412, -2000, -2000, 3000, 3000},
        {408, 1190, 10, -100, 990},   {410, 5000, 500, 1100, 500},  {409, 300, 300, 300, 700},
        {411, 300, 700, 300, 300},    {412, 0, 999, 1199, 0},
    };
    for (const Case& k : cases) {
        const PixelList bounded = pixelsDrawnBy(
            [&](Canvas& c) { CurvedArrow(c, kView, arrow(k.kind, k.x1, k.y1, k.x2, k.y2)); });
        EXPECT_EQ(bounded, curvedArrowUnbounded(k.kind, k.x1, k.y1, k.x2, k.y2))
            << k.kind << " (" << k.x1 << ", " << k.y1 << ") -> (" << k.x2 << ", " << k.y2 << ")";
    }
}

TEST(CurvedArrow, HugeArrowsFinishAndKeepTheHeadOnThePage)
{
    const PixelList drawn =
        pixelsDrawnBy([&](Canvas& c) { CurvedArrow(c, kView, arrow(412, -1.7e38, 500, 600, 500)); });
    // The head at (600, 500) is there, whatever the arc did far away.
    EXPECT_TRUE(std::binary_search(drawn.begin(), drawn.end(), test::Pixel{600, 500}));
    EXPECT_TRUE(pixelsDrawnBy([&](Canvas& c) {
        CurvedArrow(c, kView, arrow(409, 1e38, 1e38, 1.5e38, 1e38));
    }).empty());
}

TEST(Arrows, ZeroLengthArrowsDrawWhatTheirRulesGive)
{
    // No arc and no head for a curved arrow of length 0.
    for (ElementKind kind = 407; kind <= 412; ++kind)
        EXPECT_TRUE(pixelsDrawnBy([&](Canvas& c) { CurvedArrow(c, kView, arrow(kind, 300, 300, 300, 300)); }).empty());
    // Equilibrium and open arrows with equal points draw no barbs and no shaft.
    EXPECT_TRUE(pixelsDrawnBy([&](Canvas& c) { EquilibriumArrow(c, kView, arrow(403, 300, 300, 300, 300)); }).empty());
    EXPECT_TRUE(pixelsDrawnBy([&](Canvas& c) { OpenArrow(c, kView, arrow(413, 300, 300, 300, 300)); }).empty());
    // A straight arrow of length 0 keeps its two barbs: theta = pi/4, s = +1.
    const double b = 10 * std::sqrt(0.5);
    EXPECT_EQ(pixelsDrawnBy([&](Canvas& c) { StraightArrow(c, kView, arrow(401, 300, 300, 300, 300)); }),
              pixelsDrawnBy([&](Canvas& c) {
                  polyline(c, {{300, 300}, {300 + b, 300 - b}});
                  polyline(c, {{300, 300}, {300 - b, 300 - b}});
              }));
}

TEST(Arrows, ApplyTheViewTransformThemselves)
{
    ViewState view;
    view.OffsetX = 50;
    view.OffsetY = 20;
    view.Scale = 2;
    EXPECT_EQ(pixelsDrawnBy([&](Canvas& c) { EquilibriumArrow(c, view, arrow(403, 100, 70, 150, 70)); }),
              pixelsDrawnBy([&](Canvas& c) { EquilibriumArrow(c, kView, arrow(403, 100, 100, 200, 100)); }));
}

TEST(Arrows, CurvatureTableOfTheCurvedKinds)
{
    EXPECT_EQ(curvatureOf(407), -3);
    EXPECT_EQ(curvatureOf(408), -9);
    EXPECT_EQ(curvatureOf(409), -20);
    EXPECT_EQ(curvatureOf(410), 3);
    EXPECT_EQ(curvatureOf(411), 9);
    EXPECT_EQ(curvatureOf(412), 20);
    EXPECT_EQ(curvatureOf(401), 0);
}

}  // namespace
}  // namespace veltrano
