// A typed character or Greek letter whose code has no glyph in the font
// (control codes, the bytes Windows-1252 and Windows-1253 leave undefined)
// still has a text cell: the advance the font gives its missing glyph by the
// line height, painted white like every other cell, so it cuts the bond
// under it. It leaves no ink.
#include "document/element_kind.h"
#include "document/element_record.h"
#include "painter_test_util.h"
#include "render/painter.h"

#include <gtest/gtest.h>

namespace veltrano {
namespace {

constexpr int kBondRow = 300;
constexpr int kBondStart = 20, kBondEnd = 500;
constexpr double kAnchorX = 200;
constexpr Colour kInkColour = 0x0000FF;  // red, so ink and bond differ

// The columns of the bond row that a text element left white, as one run:
// its first column and its length (0 when the bond is whole). Fails when
// the white columns are not one run.
std::pair<int, int> cutOfBondUnder(ElementKind kind, double points)
{
    const QImage page = test::pageDrawnBy([&](Canvas& canvas) {
        canvas.setPenColour(kBlack);
        canvas.moveTo(kBondStart, kBondRow);
        canvas.lineTo(kBondEnd, kBondRow);
        PaintElement(canvas, test::identityView(), makeRecord(kind, kAnchorX, kBondRow - 6, points, 0, kInkColour));
    });
    int first = -1, count = 0, runs = 0;
    for (int x = kBondStart; x < kBondEnd; ++x) {
        const bool cut = test::colourAt(page, x, kBondRow) != kBlack;
        if (cut && (x == kBondStart || test::colourAt(page, x - 1, kBondRow) == kBlack)) {
            ++runs;
            first = x;
        }
        count += cut ? 1 : 0;
    }
    EXPECT_LE(runs, 1) << "kind " << kind;
    return {first, count};
}

bool leavesInk(ElementKind kind, double points)
{
    const test::PixelList ink = test::pixelsDrawnBy([&](Canvas& canvas) {
        PaintElement(canvas, test::identityView(), makeRecord(kind, kAnchorX, kBondRow - 6, points, 0, kInkColour));
    });
    return !ink.empty();
}

TEST(MissingGlyphCells, CharactersWithoutAGlyphCutTheBondLikeAnyOther)
{
    struct Case {
        const char* what;
        ElementKind kind;
    };
    const auto typed = [](int code) { return ElementKind(code + kind::CharacterOffset); };
    const auto greek = [](int code) { return ElementKind(code + kind::GreekOffset); };
    const Case cases[] = {
        {"control 15", typed(15)},          {"control 27", typed(27)},    {"control 31", typed(31)},
        {"DEL", typed(127)},                {"1252 0x81", typed(0x81)},   {"1252 0x8D", typed(0x8D)},
        {"1252 0x8F", typed(0x8F)},         {"1252 0x90", typed(0x90)},   {"1252 0x9D", typed(0x9D)},
        {"control 0 (kind 306)", 306},      {"control 5 (kind 311)", 311}, {"1253 0xD2", greek(0xD2)},
        {"1253 0xFF", greek(0xFF)},         {"1253 control 1 (kind 564)", 564},
    };
    // Courier New gives every glyph, the missing one included, the same
    // advance, so the cut must be as wide as that of a letter.
    for (double points : {9.0, 14.0, 30.0}) {
        const auto [letterStart, letterWidth] = cutOfBondUnder(typed('A'), points);
        ASSERT_EQ(letterStart, int(kAnchorX)) << points;
        ASSERT_GT(letterWidth, 0) << points;
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.what << " at " << points << " pt");
            const auto [start, width] = cutOfBondUnder(c.kind, points);
            EXPECT_EQ(start, int(kAnchorX));
            EXPECT_EQ(width, letterWidth);
            EXPECT_FALSE(leavesInk(c.kind, points));
        }
    }
}

// The cell of a missing glyph also counts in the advance of a longer text,
// so what follows it starts where it would after any other character.
TEST(MissingGlyphCells, MissingGlyphsAdvanceTheText)
{
    QImage page = makeBlankPage();
    Canvas canvas(page);
    canvas.setFontName("Courier New");
    canvas.setFontSize(12);
    EXPECT_EQ(canvas.textExtent("A\x01" "B").width(), canvas.textExtent("AxB").width());
    EXPECT_EQ(canvas.textExtent("\x81").width(), canvas.textExtent("x").width());
    canvas.setFontName("Arial");
    EXPECT_GT(canvas.textExtent("\x1F").width(), 0);
    canvas.setCharSet(CharSet::Greek);
    EXPECT_GT(canvas.textExtent("\xAA").width(), 0);
}

}  // namespace
}  // namespace veltrano
