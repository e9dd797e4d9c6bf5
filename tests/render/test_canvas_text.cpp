#include "canvas_test_util.h"
#include "render/canvas.h"
#include "render/code_pages.h"
#include "render/glyph_cache.h"
#include "render/page.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace veltrano {
namespace {

using test::nonWhitePixels;
using test::PixelList;

struct TextPage {
    QImage page = makeBlankPage();
    Canvas canvas{page};

    TextPage(const char* font, int points, CharSet charSet = CharSet::Ansi)
    {
        canvas.setFontName(font);
        canvas.setFontSize(points);
        canvas.setCharSet(charSet);
    }
};

// The ink of one text drawn at (10, 10) on a white page, relative to its
// anchor.
PixelList inkOf(const char* font, int points, CharSet charSet, std::string_view bytes)
{
    TextPage text(font, points, charSet);
    text.canvas.textOut(10, 10, bytes);
    PixelList ink;
    for (const auto& [x, y] : nonWhitePixels(text.page))
        ink.emplace_back(x - 10, y - 10);
    return ink;
}

TEST(CanvasText, PointSizesBecomeMulDivPixelHeights)
{
    const std::pair<int, int> sizes[] = {{7, 9}, {8, 11}, {9, 12}, {10, 13}, {11, 15}, {12, 16}, {14, 19}, {17, 23},
                                         {3, 4}, {1, 1}};
    for (const auto& [points, pixels] : sizes) {
        EXPECT_EQ(pixelHeightForPoints(points), -pixels) << points;
        EXPECT_EQ(pixelHeightForPoints(-points), pixels) << points;
    }
    EXPECT_EQ(pixelHeightForPoints(0), 0);
}

TEST(CanvasText, CellsOfArialAndCourierNew)
{
    struct Case {
        const char* font;
        int points;
        int ascent, descent;
    };
    // 9 pt = 12 px, 12 pt = 16 px, 14 pt = 19 px
    const Case cases[] = {{"Arial", 9, 11, 3},        {"Arial", 12, 14, 3},       {"Arial", 14, 17, 4},
                          {"Courier New", 9, 10, 4}, {"Courier New", 12, 13, 5}, {"Courier New", 14, 16, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.font << " " << c.points);
        const auto face = GlyphCache::shared().face(c.font, pixelHeightForPoints(c.points), CharSet::Ansi);
        EXPECT_EQ(face->ascent(), c.ascent);
        EXPECT_EQ(face->descent(), c.descent);
        TextPage text(c.font, c.points);
        EXPECT_EQ(text.canvas.textExtent("OH").height(), c.ascent + c.descent);
    }
    // Courier New: every character 1229/2048 em wide, 16 px -> 10 px
    TextPage courier("Courier New", 12);
    EXPECT_EQ(courier.canvas.textExtent("i").width(), 10);
    EXPECT_EQ(courier.canvas.textExtent("WWiiW").width(), 50);
    // Arial at 16 px: advances are the rounded design widths (H 1479, O 1593 units)
    TextPage arial("Arial", 12);
    EXPECT_EQ(arial.canvas.textExtent("H").width(), 12);
    EXPECT_EQ(arial.canvas.textExtent("OH").width(), 24);
    EXPECT_EQ(arial.canvas.textExtent("").width(), 0);
}

TEST(CanvasText, TheCellIsFilledWhiteThenTheGlyphsGetTheFontColour)
{
    TextPage text("Arial", 12);
    // A black background block larger than the cell.
    for (int y = 90; y < 130; ++y)
        for (int x = 90; x < 150; ++x)
            text.canvas.setPixel(x, y, kBlack);
    const Colour red = 0x0000FF;
    text.canvas.setFontColour(red);
    text.canvas.moveTo(3, 4);
    text.canvas.textOut(100, 100, "OH");
    const QSize cell = text.canvas.textExtent("OH");
    ASSERT_EQ(cell, QSize(24, 17));

    int ink = 0;
    for (int y = 90; y < 130; ++y) {
        for (int x = 90; x < 150; ++x) {
            const Colour colour = text.canvas.pixel(x, y);
            const bool inCell = x >= 100 && x < 100 + cell.width() && y >= 100 && y < 100 + cell.height();
            if (!inCell) {
                EXPECT_EQ(colour, kBlack) << x << "," << y;
            } else {
                EXPECT_TRUE(colour == kWhite || colour == red) << x << "," << y;  // no antialiasing
                ink += colour == red ? 1 : 0;
            }
        }
    }
    EXPECT_GT(ink, 40);
    // The baseline lies at y + ascent: "OH" has no ink below it.
    for (int x = 100; x < 124; ++x)
        EXPECT_EQ(text.canvas.pixel(x, 100 + 14), kWhite) << x;
    EXPECT_EQ(text.canvas.penPosition().x, 3);  // text leaves the pen alone
    EXPECT_EQ(text.canvas.penPosition().y, 4);
}

TEST(CanvasText, LettersLookDifferentAndTheSameTextDrawsTheSame)
{
    const PixelList o = inkOf("Arial", 12, CharSet::Ansi, "O");
    const PixelList h = inkOf("Arial", 12, CharSet::Ansi, "H");
    EXPECT_FALSE(o.empty());
    EXPECT_NE(o, h);
    EXPECT_EQ(o, inkOf("Arial", 12, CharSet::Ansi, "O"));
    // The second glyph of "OH" is the H moved by the advance of O.
    PixelList oh = inkOf("Arial", 12, CharSet::Ansi, "OH");
    PixelList expected = o;
    for (const auto& [x, y] : h)
        expected.emplace_back(x + 12, y);
    EXPECT_EQ(oh, test::sorted(expected));
    // Sizes and fonts differ.
    EXPECT_NE(o, inkOf("Arial", 14, CharSet::Ansi, "O"));
    EXPECT_NE(o, inkOf("Courier New", 12, CharSet::Ansi, "O"));
}

TEST(CanvasText, GreekBytesDrawGreekGlyphs)
{
    // 0xE1: alpha in Windows-1253, a-acute in Windows-1252.
    const PixelList alpha = inkOf("Courier New", 12, CharSet::Greek, "\xE1");
    const PixelList aAcute = inkOf("Courier New", 12, CharSet::Ansi, "\xE1");
    EXPECT_FALSE(alpha.empty());
    EXPECT_NE(alpha, aAcute);
    // Capital alpha (0xC1) has the shape of the Latin A.
    EXPECT_EQ(inkOf("Courier New", 12, CharSet::Greek, "\xC1"), inkOf("Courier New", 12, CharSet::Ansi, "A"));
    // ASCII is the same in both character sets.
    EXPECT_EQ(inkOf("Courier New", 12, CharSet::Greek, "x"), inkOf("Courier New", 12, CharSet::Ansi, "x"));
    // Undefined Greek bytes draw nothing visible and never fail.
    for (const char* undefined : {"\xAA", "\xD2", "\xFF", "\x81"})
        EXPECT_TRUE(inkOf("Courier New", 12, CharSet::Greek, undefined).empty());
}

TEST(CanvasText, CodePageTables)
{
    EXPECT_EQ(windows1252ToUnicode(0x41), u'A');
    EXPECT_EQ(windows1252ToUnicode(0x80), u'\u20AC');
    EXPECT_EQ(windows1252ToUnicode(0x8A), u'\u0160');
    EXPECT_EQ(windows1252ToUnicode(0x9F), u'\u0178');
    EXPECT_EQ(windows1252ToUnicode(0x81), u'\u0081');
    EXPECT_EQ(windows1252ToUnicode(0xFA), u'\u00FA');
    EXPECT_EQ(windows1253ToUnicode(0xC1), u'\u0391');
    EXPECT_EQ(windows1253ToUnicode(0xD3), u'\u03A3');
    EXPECT_EQ(windows1253ToUnicode(0xD9), u'\u03A9');
    EXPECT_EQ(windows1253ToUnicode(0xE1), u'\u03B1');
    EXPECT_EQ(windows1253ToUnicode(0xEC), u'\u03BC');
    EXPECT_EQ(windows1253ToUnicode(0xED), u'\u03BD');
    EXPECT_EQ(windows1253ToUnicode(0xF2), u'\u03C2');
    EXPECT_EQ(windows1253ToUnicode(0xFE), u'\u03CE');
    EXPECT_EQ(windows1253ToUnicode(0xA2), u'\u0386');
    EXPECT_EQ(windows1253ToUnicode(0xAF), u'\u2015');
    EXPECT_EQ(windows1253ToUnicode(0xBB), u'\u00BB');
    EXPECT_EQ(windows1253ToUnicode(0xBD), u'\u00BD');
    EXPECT_EQ(windows1253ToUnicode(0x80), u'\u20AC');
    EXPECT_EQ(windows1253ToUnicode(0x8A), u'\u008A');
    EXPECT_EQ(windows1253ToUnicode(0xD2), 0);
    EXPECT_EQ(windows1253ToUnicode(0xFF), 0);
    for (unsigned byte = 1; byte < 256; ++byte) {  // every defined Greek byte back from its character
        if (const char32_t character = windows1253ToUnicode(static_cast<unsigned char>(byte))) {
            EXPECT_EQ(windows1253FromUnicode(character), byte) << byte;
        }
    }
    EXPECT_FALSE(windows1253FromUnicode(U'\u00E9'));
}

TEST(CanvasText, TextPartlyOffThePageIsClippedLikeTheWholeText)
{
    // The same labels on a larger image, shifted, then cropped back.
    QImage big(kPageWidth + 200, kPageHeight + 200, QImage::Format_RGB32);
    const std::pair<int, int> anchors[] = {{-5, 300}, {600, -9}, {1190, 500}, {300, 990}, {-20, -12}, {1195, 995}};
    for (const auto& [x, y] : anchors) {
        SCOPED_TRACE(testing::Message() << x << "," << y);
        TextPage text("Arial", 12);
        text.canvas.textOut(x, y, "COOH");
        big.fill(Qt::white);
        Canvas bigCanvas(big);
        bigCanvas.setFontSize(12);
        bigCanvas.textOut(x + 100, y + 100, "COOH");
        EXPECT_EQ(nonWhitePixels(text.page), nonWhitePixels(big.copy(100, 100, kPageWidth, kPageHeight)));
        EXPECT_FALSE(nonWhitePixels(text.page).empty());
    }
}

TEST(CanvasText, FarAwayAndUndefinedPositionsDrawNothing)
{
    TextPage text("Arial", 12);
    text.canvas.setPixel(0, 0, kBlack);
    for (double far : {-1e9, 1e9, 1e38, -1e38, double(NAN), double(INFINITY)}) {
        text.canvas.textOut(far, 10, "CH3");
        text.canvas.textOut(10, far, "CH3");
    }
    // Cells just beside the page, within reach of their ink margin: the
    // glyphs of "OH" (cell 24 x 17) do not reach the page either.
    text.canvas.textOut(-25, 10, "OH");
    text.canvas.textOut(1201, 10, "OH");
    text.canvas.textOut(10, 1001, "OH");
    text.canvas.textOut(10, -18, "OH");
    text.canvas.textOut(-200, 10, "CH3");
    text.canvas.textOut(1200, 10, "CH3");
    text.canvas.textOut(10, -100, "CH3");
    text.canvas.textOut(10, 1000, "CH3");
    EXPECT_EQ(nonWhitePixels(text.page), PixelList({{0, 0}}));
}

TEST(CanvasText, OddFontsAndSizesStillDraw)
{
    EXPECT_FALSE(inkOf("No Such Font Anywhere", 12, CharSet::Ansi, "A").empty());
    EXPECT_FALSE(inkOf("Times New Roman", 12, CharSet::Ansi, "A").empty());
    EXPECT_FALSE(inkOf("Arial", 0, CharSet::Ansi, "A").empty());
    // A negative size asks for the cell height: 12 pt -> a 16 px cell.
    TextPage negative("Arial", -12);
    EXPECT_EQ(negative.canvas.textExtent("A").height(), 16);
    // Far more sizes than the cache keeps: a canvas holding its font across
    // the churn, and a fresh one, still draw the same glyphs.
    const PixelList before = inkOf("Arial", 12, CharSet::Ansi, "Oi");
    TextPage kept("Arial", 12);
    kept.canvas.textOut(10, 10, "O");
    {
        TextPage many("Arial", 1);
        for (std::size_t points = 1; points < 600; ++points) {
            many.canvas.setFontSize(int(points));
            many.canvas.textOut(0, 0, "i");
        }
    }
    kept.canvas.textOut(10 + 12, 10, "i");
    EXPECT_EQ(inkOf("Arial", 12, CharSet::Ansi, "Oi"), before);
    PixelList keptInk;
    for (const auto& [x, y] : nonWhitePixels(kept.page))
        keptInk.emplace_back(x - 10, y - 10);
    EXPECT_EQ(keptInk, before);

    // Hostile sizes are limited and return.
    TextPage huge("Arial", 16384);
    huge.canvas.textOut(10, 10, "O");
    EXPECT_LE(huge.canvas.textExtent("O").height(), 2 * kMaxTextPixelSize);
}

TEST(CanvasCopyRect, CopiesUnscaledWithWhiteOutsideTheSource)
{
    QImage source = makeBlankPage();
    Canvas page(source);
    page.setPixel(0, 0, 0x010203);
    page.setPixel(5, 3, 0x0A0B0C);
    QImage target(20, 10, QImage::Format_RGB32);
    target.fill(Qt::black);
    Canvas canvas(target);
    // From (-1, -1): the outside row and column arrive white.
    canvas.copyRect(QPoint(10, 2), source, QRect(-1, -1, 8, 6));
    EXPECT_EQ(canvas.pixel(10, 2), kWhite);
    EXPECT_EQ(canvas.pixel(11, 3), Colour(0x010203));
    EXPECT_EQ(canvas.pixel(16, 6), Colour(0x0A0B0C));
    EXPECT_EQ(canvas.pixel(9, 2), kBlack);    // left of the target
    EXPECT_EQ(canvas.pixel(18, 2), kBlack);   // right of the 8 copied columns
    EXPECT_EQ(canvas.pixel(12, 8), kBlack);   // below the 6 copied rows
    EXPECT_EQ(canvas.pixel(17, 7), kWhite);

    // Onto itself, overlapping: the result is the original shifted.
    page.copyRect(QPoint(1, 1), source, QRect(0, 0, 10, 10));
    EXPECT_EQ(page.pixel(1, 1), Colour(0x010203));
    EXPECT_EQ(page.pixel(6, 4), Colour(0x0A0B0C));
    EXPECT_EQ(page.pixel(2, 2), kWhite);
    // Entirely outside: nothing happens.
    canvas.copyRect(QPoint(100, 100), source, QRect(0, 0, 5, 5));
    canvas.copyRect(QPoint(0, 0), source, QRect(0, 0, 0, 0));
}

}  // namespace
}  // namespace veltrano
