#include "editor/pointer_geometry.h"
#include "editor/typed_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace veltrano {
namespace {

// The cells of a text typed into Edit1.
std::vector<TextCell> textPlacement(std::string_view typed, int x, int y, double lineLength)
{
    return veltrano::textPlacement(typedText(typed).kinds, x, y, lineLength);
}

ElementRecord bond(double x1, double y1, double x2, double y2, ElementKind k = kind::SingleBond)
{
    return makeRecord(k, x1, y1, x2, y2);
}

TEST(PointerGeometry, SnapTakesFirstRecordAndFirstPointWithStrictTolerance)
{
    // Two bonds share (100, 100); a third ends 3 pixels from the pointer.
    const std::vector<ElementRecord> records = {
        makeRecord(0, 300, 300, 12, 0),        // a label far away
        bond(130, 110, 100, 100),              // second point matches
        bond(100, 100, 70, 110),               // first point matches, but later
        bond(50, 50, 103, 101),                // nearest, but last
    };
    auto match = findSnapPoint(records, 102, 101);
    ASSERT_TRUE(match);
    EXPECT_EQ(match->position, 1u);
    EXPECT_EQ(match->point.x, 100.0);
    EXPECT_EQ(match->point.y, 100.0);

    // Exactly 5 pixels away on one axis does not snap; 4.99 does.
    EXPECT_FALSE(snapPointOf(bond(105, 100, 400, 400), 100, 100));
    EXPECT_FALSE(snapPointOf(bond(100, 95, 400, 400), 100, 100));
    EXPECT_TRUE(snapPointOf(bond(104.99, 95.01, 400, 400), 100, 100));

    // Within one record the first point wins even if the second is nearer.
    auto both = snapPointOf(bond(104, 104, 100, 100), 100, 100);
    ASSERT_TRUE(both);
    EXPECT_EQ(both->x, 104.0);

    // Only kinds above 240 offer their second point; a label's x2/y2 (font
    // size and leftover) are no point.
    EXPECT_FALSE(snapPointOf(makeRecord(0, 300, 300, 100, 100), 100, 100));
    EXPECT_FALSE(snapPointOf(makeRecord(240, 300, 300, 100, 100), 100, 100));
    EXPECT_TRUE(snapPointOf(makeRecord(241, 300, 300, 100, 100), 100, 100));
    EXPECT_TRUE(snapPointOf(makeRecord(kind::StraightArrow, 300, 300, 100, 100), 100, 100));
    // A label snaps by its text origin.
    auto label = snapPointOf(makeRecord(0, 95, 91, 12, 0), 97, 93);
    ASSERT_TRUE(label);
    EXPECT_EQ(label->x, 95.0);
    EXPECT_EQ(label->y, 91.0);

    // The snapped start keeps the stored fractional coordinates.
    const double fx = 125.98076211353316;
    auto fractional = snapPointOf(bond(100, 100, fx, 85), 126, 86);
    ASSERT_TRUE(fractional);
    EXPECT_EQ(fractional->x, Real6::fromDouble(fx).toDouble());

    EXPECT_FALSE(findSnapPoint({}, 0, 0));
}

TEST(PointerGeometry, BondEndFollowsTheAngleRaster)
{
    const PointF start{100, 100};
    // Ring size 6, the two worked examples.
    PointF end = bondEnd(start, 150, 80, 30, 30, true);
    EXPECT_DOUBLE_EQ(end.x, 125.98076211353316);
    EXPECT_DOUBLE_EQ(end.y, 85.0);
    end = bondEnd(start, 60, 100, 30, 30, true);
    EXPECT_DOUBLE_EQ(end.x, 70.0);
    EXPECT_DOUBLE_EQ(end.y, 100.0);

    // The length is LineLength however far the pointer is.
    end = bondEnd(start, 900, 120, 30, 30, true);
    EXPECT_NEAR(std::hypot(end.x - 100, end.y - 100), 30.0, 1e-12);
    EXPECT_DOUBLE_EQ(end.y, 100.0);

    // Straight up and down when x equals the start; the pointer on the
    // start itself gives a bond straight down.
    end = bondEnd(start, 100, 40, 30, 30, true);
    EXPECT_NEAR(end.x, 100.0, 1e-12);
    EXPECT_DOUBLE_EQ(end.y, 70.0);
    end = bondEnd(start, 100, 100, 30, 30, true);
    EXPECT_NEAR(end.x, 100.0, 1e-12);
    EXPECT_DOUBLE_EQ(end.y, 130.0);

    // A drag at exactly 45 degrees: k = 45 / step lies on a half and goes to
    // the even neighbour: 1.5 -> 2 (60 degrees), 2.5 -> 2 (36), 3.5 -> 4.
    const double sevenStep = 90.0 / 7.0;
    struct Case {
        double step;
        double degrees;
    };
    for (const Case& c : {Case{30.0, 60.0}, Case{18.0, 36.0}, Case{sevenStep, 4 * sevenStep}}) {
        end = bondEnd(start, 110, 90, 30, c.step, true);
        const double rad = c.degrees * kPi / 180.0;
        EXPECT_NEAR(end.x, 100 + 30 * std::cos(rad), 1e-12) << c.step;
        EXPECT_NEAR(end.y, 100 - 30 * std::sin(rad), 1e-12) << c.step;
    }

    // Raster off: the pointer's exact direction.
    end = bondEnd(start, 140, 130, 50, 30, false);
    EXPECT_NEAR(end.x, 140.0, 1e-12);
    EXPECT_NEAR(end.y, 130.0, 1e-12);
    end = bondEnd(start, 70, 140, 25, 30, false);
    EXPECT_NEAR(end.x, 85.0, 1e-12);
    EXPECT_NEAR(end.y, 120.0, 1e-12);

    // A zero length gives the start itself.
    end = bondEnd(start, 150, 80, 0, 30, true);
    EXPECT_EQ(end.x, 100.0);
    EXPECT_EQ(end.y, 100.0);
}

TEST(PointerGeometry, ArrowAndBracketEndsSnapToTheAxes)
{
    const PointF start{100, 100};
    auto check = [&](ElementKind tool, int x, int y, double ex, double ey) {
        const PointF end = arrowEnd(start, x, y, tool);
        EXPECT_EQ(end.x, ex) << tool << " to " << x << "," << y;
        EXPECT_EQ(end.y, ey) << tool << " to " << x << "," << y;
    };
    // r = 100 / 5.01 > 13: horizontal; r = 100 / 10.01 stays diagonal.
    check(kind::StraightArrow, 200, 95, 200, 100);
    check(kind::StraightArrow, 200, 90, 200, 90);
    // Nearly vertical: r = 1 / 40.01 < 0.07.
    check(kind::DoubleArrow, 101, 60, 100, 60);
    check(kind::CurvedArrowFirst, 103, 60, 103, 60);
    // The pointer on the start: a zero-length arrow.
    check(kind::StraightArrow, 100, 100, 100, 100);
    // "<=>" and "=>": 30 right 20 down horizontal, 20 right 30 down vertical.
    check(kind::EquilibriumArrow, 130, 120, 130, 100);
    check(kind::EquilibriumArrow, 120, 130, 100, 130);
    check(kind::OpenArrow, 70, 80, 70, 100);
    check(kind::OpenArrow, 80, 70, 100, 70);
    // "[" and "]" always vertical, zero height when nearly horizontal.
    check(kind::LeftBracket, 150, 140, 100, 140);
    check(kind::RightBracket, 40, 70, 100, 70);
    check(kind::LeftBracket, 200, 101, 100, 100);
    // "[]" keeps the diagonal: its points are opposite corners.
    check(kind::BracketPair, 160, 140, 160, 140);
}

TEST(PointerGeometry, LabelsAndGreekLettersSitAtTheirOrigin)
{
    // "O" at 30: size 30 / 2.4 = 12.5 goes to 12; origin (X - 5, Y - 9).
    EXPECT_EQ(labelPlacement(0, 200, 150, 30), (TextCell{195, 141, 12, 0}));
    // "4" uses L = 30 / 1.7: size 7, origin (X - 3, Y - 6).
    EXPECT_EQ(labelPlacement(42, 200, 150, 30), (TextCell{197, 144, 7, 42}));
    EXPECT_EQ(labelPlacement(40, 10, 10, 30).fontSize, 7.0);
    EXPECT_EQ(labelPlacement(39, 10, 10, 30).fontSize, 12.0);
    // "COOH" at 50: size 21, origin (X - 9, Y - 16).
    EXPECT_EQ(labelPlacement(5, 100, 100, 50), (TextCell{91, 84, 21, 5}));
    // alpha at 30: size 30 / 2.1 = 14.29 -> 14, the label origin.
    EXPECT_EQ(greekPlacement(532, 200, 150, 30), (TextCell{195, 141, 14, 532}));
    EXPECT_EQ(greekPlacement(544, 0, 0, 15), (TextCell{-3, -5, 7, 544}));
}

TEST(PointerGeometry, FreeTextAdvancesByCellsAndLowersAfterMarkers)
{
    const double cell = 30.0 / 2.3;
    // "H<2O": H at the origin, the 2 one cell right, lowered by 2 and at
    // size 10 (14 x 0.75 = 10.5 -> 10), the O 1.6 cells right of the H.
    auto cells = textPlacement("H<2O", 200, 150, 30);
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[0], (TextCell{195, 141, 14, 'H' + 50}));
    EXPECT_EQ(cells[1], (TextCell{195 + cell, 152, 10, '2' + 50}));
    EXPECT_DOUBLE_EQ(cells[2].x1, 195 + 1.6 * cell);
    EXPECT_EQ(cells[2].y1, 141.0);
    EXPECT_EQ(cells[2].fontSize, 14.0);
    EXPECT_EQ(cells[2].kind, 'O' + 50);

    // A leading marker takes no cell.
    cells = textPlacement("<2", 200, 150, 30);
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells[0], (TextCell{195, 152, 10, '2' + 50}));

    // Raised: Y - nearest(30 / 2.3) = Y - 13.
    cells = textPlacement("a>+", 200, 150, 30);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[1], (TextCell{195 + cell, 137, 10, '+' + 50}));

    // A marker after a marker of the same sort is itself lowered.
    cells = textPlacement("<<", 200, 150, 30);
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells[0], (TextCell{195, 152, 10, '<' + 50}));
    // A marker of the other sort switches; the next character is raised.
    cells = textPlacement("<>x", 200, 150, 30);
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells[0], (TextCell{195 + cell, 137, 10, 'x' + 50}));
    // A trailing marker places nothing.
    EXPECT_EQ(textPlacement("ab<", 0, 0, 30).size(), 2u);
    EXPECT_TRUE(textPlacement("", 0, 0, 30).empty());

    // Plain text: one cell per character; characters above 205 give 256+.
    cells = textPlacement("A\u00E9", 100, 100, 23);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_DOUBLE_EQ(cells[1].x1, 100 - 4 + 10.0);
    EXPECT_EQ(cells[1].kind, 0xE9 + 50);
}

TEST(PointerGeometry, Edit1TextBecomesKindsAndNamesWhatItLeavesOut)
{
    const struct {
        const char* typed;
        std::vector<ElementKind> kinds;
        std::u32string leftOut;
    } cases[] = {
        // Windows-1252 characters, above code 205 from kind 256 on.
        {"H<ü€", {'H' + 50, '<' + 50, 0xFC + 50, 0x80 + 50}, U""},
        // Greek letters as the Greek buttons store them; the micro sign is Windows-1252.
        {"α\u03BCΩώ\u00B5", {532, 543, 524, 561, 0xB5 + 50}, U""},
        // No kind: Greek below 0xC1 (tonos capitals), CJK, emoji, invalid
        // UTF-8, codes below 15 and 197..205 (Å..Í); each named once.
        {"a\u0386中\U0001F600中\xFF\tÅÍÄ\x0E\x0F", {'a' + 50, 0xC4 + 50, 15 + 50},
         U"\u0386中\U0001F600\uFFFD\tÅÍ\x0E"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(typedText(c.typed).kinds, c.kinds) << c.typed;
        EXPECT_EQ(typedText(c.typed).leftOut, c.leftOut) << c.typed;
    }
    // The five bytes without a character pass through as U+0081 and so on.
    EXPECT_EQ(windows1252Code(0x81), 0x81);
    EXPECT_EQ(windows1252Code(0x2122), 0x99);
    EXPECT_FALSE(windows1252Code(0x80));
    EXPECT_FALSE(windows1252Code(0x100));
    EXPECT_EQ(leftOutMessage(U"中\t"), "Diese Zeichen können in einer Formel nicht gespeichert werden und wurden "
                                         "ausgelassen: „中“ (U+4E2D), U+0009");
}

TEST(PointerGeometry, InnerLineOfDoubleBond)
{
    const ElementRecord horizontal = bond(100, 100, 130, 100);
    ASSERT_TRUE(innerLineMatches(horizontal, 115, 103, 30));
    const double offset = 0.8 * std::sqrt(30.0);
    Segment line = innerLineOf(horizontal, 115, 103, 30);
    EXPECT_DOUBLE_EQ(line.first.x, 103.0);
    EXPECT_DOUBLE_EQ(line.first.y, 100 + offset);
    EXPECT_DOUBLE_EQ(line.second.x, 127.0);
    EXPECT_DOUBLE_EQ(line.second.y, 100 + offset);
    EXPECT_NEAR(line.first.y, 104.382, 0.0005);

    // A press above the bond puts the line above it.
    line = innerLineOf(horizontal, 115, 97, 30);
    EXPECT_DOUBLE_EQ(line.first.y, 100 - offset);
    // A press exactly on the bond keeps the quarter turn (y1 - y2, x2 - x1).
    line = innerLineOf(horizontal, 115, 100, 30);
    EXPECT_DOUBLE_EQ(line.first.y, 100 + offset);

    // d1 + d2 must stay below 1.2 x 30 = 36.
    EXPECT_FALSE(innerLineMatches(horizontal, 115, 110, 30));
    EXPECT_FALSE(innerLineMatches(horizontal, 90, 100, 30));

    // The first matching record in file order wins.
    const std::vector<ElementRecord> records = {bond(0, 0, 30, 0), bond(100, 90, 130, 90), horizontal};
    auto match = findInnerLine(records, 115, 95, 30);
    ASSERT_TRUE(match);
    EXPECT_EQ(match->position, 1u);
    EXPECT_FALSE(findInnerLine(records, 500, 500, 30));

    // A zero-length record gets no offset rather than a division by zero.
    line = innerLineOf(bond(50, 50, 50, 50), 51, 50, 30);
    EXPECT_EQ(line.first.x, 50.0);
    EXPECT_EQ(line.first.y, 50.0);
    EXPECT_EQ(line.second.x, 50.0);
}

TEST(PointerGeometry, RectangleCatchingRules)
{
    const SelectionRect rect{10, 50, 20, 60};        // dragged from top left
    const SelectionRect reversed{50, 10, 60, 20};    // and from bottom right
    const ElementRecord inside = bond(20, 30, 40, 50);
    const ElementRecord halfIn = bond(20, 30, 80, 50);
    const ElementRecord arrowTailIn = makeRecord(kind::StraightArrow, 20, 30, 200, 200);
    const ElementRecord arrowTailOut = makeRecord(kind::StraightArrow, 200, 200, 20, 30);
    const ElementRecord label = makeRecord(5, 45, 55, 12, 0);
    const ElementRecord leftEdge = makeRecord(0, 10, 20, 12, 0);
    const ElementRecord rightEdge = makeRecord(0, 50, 30, 12, 0);
    const ElementRecord lowerEdge = makeRecord(0, 30, 60, 12, 0);
    const ElementRecord selectCode = makeRecord(kind::SelectTool, 20, 30, 40, 50);
    const ElementRecord greek = makeRecord(532, 30, 30, 14, 0);

    for (const SelectionRect& r : {rect, reversed}) {
        for (CatchRule rule : {CatchRule::BothEnds, CatchRule::EitherEnd}) {
            EXPECT_TRUE(isCaught(inside, r, rule));
            EXPECT_TRUE(isCaught(arrowTailIn, r, rule));
            EXPECT_FALSE(isCaught(arrowTailOut, r, rule));
            EXPECT_TRUE(isCaught(label, r, rule));
            EXPECT_TRUE(isCaught(leftEdge, r, rule));
            EXPECT_FALSE(isCaught(rightEdge, r, rule));
            EXPECT_FALSE(isCaught(lowerEdge, r, rule));
            EXPECT_FALSE(isCaught(selectCode, r, rule));
            EXPECT_TRUE(isCaught(greek, r, rule));
        }
        EXPECT_FALSE(isCaught(halfIn, r, CatchRule::BothEnds));
        EXPECT_TRUE(isCaught(halfIn, r, CatchRule::EitherEnd));
    }
    // A bond with only its second end inside counts for either end.
    EXPECT_TRUE(isCaught(bond(0, 0, 30, 30), rect, CatchRule::EitherEnd));
    EXPECT_FALSE(isCaught(bond(0, 0, 30, 30), rect, CatchRule::BothEnds));
    // The tool buttons' rectangle (1, 1, 1, 1) catches nothing.
    EXPECT_FALSE(isCaught(makeRecord(0, 1, 1, 12, 0), kEmptySelectionRect, CatchRule::EitherEnd));
}

}  // namespace
}  // namespace veltrano
