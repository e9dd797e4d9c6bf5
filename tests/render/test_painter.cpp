#include "painter_test_util.h"
#include "document/element_kind.h"
#include "document/io_error.h"
#include "document/record_file.h"
#include "render/painter.h"
#include "render/primitives.h"
#include "support/file_helpers.h"
#include "tools/sample_documents.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <string>
#include <vector>

namespace veltrano {
namespace {

using test::pageDrawnBy;
using test::pixelsDrawnBy;
using test::PixelList;

using test::kView;
constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;

ElementRecord element(ElementKind kind, double x1, double y1, double x2, double y2, Colour colour = kBlack)
{
    return makeRecord(kind, x1, y1, x2, y2, std::int32_t(colour));
}

ElementRecord text(ElementKind kind, double x, double y, double points, Colour colour = kBlack)
{
    return element(kind, x, y, points, 0, colour);
}

void expectSameState(const CanvasState& a, const CanvasState& b)
{
    EXPECT_EQ(a.penColour, b.penColour);
    EXPECT_EQ(a.penWidth, b.penWidth);
    EXPECT_EQ(a.penPosition.x, b.penPosition.x);
    EXPECT_EQ(a.penPosition.y, b.penPosition.y);
    EXPECT_EQ(a.fontName, b.fontName);
    EXPECT_EQ(a.fontSize, b.fontSize);
    EXPECT_EQ(a.fontColour, b.fontColour);
    EXPECT_EQ(a.charSet, b.charSet);
}

// A canvas state no kind sets by itself, so that a test sees what changed.
void setUnusualState(Canvas& c)
{
    c.setPenColour(0x345678);
    c.setPenWidth(3);
    c.setFontName("Times New Roman");
    c.setFontSize(33);
    c.setFontColour(0x654321);
    c.setCharSet(CharSet::Ansi);
}

TEST(Painter, PenKindsSetColourAndWidthAndLeaveTheFontAlone)
{
    struct Case {
        ElementKind kind;
        int widthAfter;
    };
    const Case cases[] = {{248, 2}, {249, 2}, {250, 1}, {251, 2}, {252, 2}, {253, 1}, {254, 1},
                          {255, 1}, {401, 1}, {402, 1}, {403, 1}, {404, 1}, {405, 1}, {406, 1},
                          {407, 1}, {408, 1}, {409, 1}, {410, 1}, {411, 1}, {412, 1}, {413, 1}};
    for (const Case& k : cases) {
        QImage page = makeBlankPage();
        Canvas canvas(page);
        setUnusualState(canvas);
        const CanvasState before = canvas.state();
        PaintElement(canvas, kView, element(k.kind, 100, 100, 160, 130, kRed));
        const CanvasState& after = canvas.state();
        EXPECT_EQ(after.penColour, kRed) << k.kind;
        EXPECT_EQ(after.penWidth, k.widthAfter) << k.kind;
        EXPECT_EQ(after.fontName, before.fontName) << k.kind;
        EXPECT_EQ(after.fontSize, before.fontSize) << k.kind;
        EXPECT_EQ(after.fontColour, before.fontColour) << k.kind;
        EXPECT_EQ(after.charSet, before.charSet) << k.kind;
    }
}

TEST(Painter, TextKindsSetTheFontAndLeaveThePenAlone)
{
    struct Case {
        ElementKind kind;
        const char* fontAfter;
    };
    // Labels leave "Arial", characters set "Arial" back, Greek letters restore
    // whatever was there.
    const Case cases[] = {{0, "Arial"}, {20, "Arial"}, {44, "Arial"}, {65, "Arial"}, {115, "Arial"},
                          {246, "Arial"}, {256, "Arial"}, {400, "Arial"}, {500, "Times New Roman"},
                          {532, "Times New Roman"}, {564, "Times New Roman"}};
    for (const Case& k : cases) {
        QImage page = makeBlankPage();
        Canvas canvas(page);
        setUnusualState(canvas);
        canvas.moveTo(3, 4);
        const CanvasState before = canvas.state();
        PaintElement(canvas, kView, text(k.kind, 100, 100, 12, kRed));
        const CanvasState& after = canvas.state();
        EXPECT_EQ(after.fontName, k.fontAfter) << k.kind;
        EXPECT_EQ(after.fontSize, 12) << k.kind;
        EXPECT_EQ(after.fontColour, kRed) << k.kind;
        EXPECT_EQ(after.charSet, CharSet::Ansi) << k.kind;
        EXPECT_EQ(after.penColour, before.penColour) << k.kind;
        EXPECT_EQ(after.penWidth, before.penWidth) << k.kind;
    }
    // The Greek character set is restored too, not just reset.
    QImage page = makeBlankPage();
    Canvas canvas(page);
    canvas.setCharSet(CharSet::Greek);
    canvas.setFontName("Courier New");
    PaintElement(canvas, kView, text(532, 100, 100, 12));
    EXPECT_EQ(canvas.charSet(), CharSet::Greek);
    EXPECT_EQ(canvas.fontName(), "Courier New");
}

TEST(Painter, FontSizeIsTheRoundedScaledSecondCoordinate)
{
    QImage page = makeBlankPage();
    Canvas canvas(page);
    ViewState view;
    view.Scale = 2;
    PaintElement(canvas, view, text(0, 10, 10, 6.25));  // 12.5 goes to the even 12
    EXPECT_EQ(canvas.state().fontSize, 12);
    PaintElement(canvas, view, text(0, 10, 10, 6.75));  // 13.5 goes to 14
    EXPECT_EQ(canvas.state().fontSize, 14);
    // A damaged font size still gives a size the canvas can take.
    PaintElement(canvas, kView, text(0, 10, 10, 1e38));
    EXPECT_GT(canvas.state().fontSize, 1000);
    PaintElement(canvas, kView, text(0, 10, 10, -1e38));
    EXPECT_LT(canvas.state().fontSize, -1000);
}

// The text a record of kind should draw, drawn directly on the canvas.
PixelList textDrawnDirectly(const char* font, CharSet charSet, double x, double y, int points,
                            std::string_view bytes)
{
    return pixelsDrawnBy([&](Canvas& c) {
        c.setFontName(font);
        c.setCharSet(charSet);
        c.setFontSize(points);
        c.setFontColour(kBlack);
        c.textOut(x, y, bytes);
    });
}

PixelList painted(const ElementRecord& record, const ViewState& view = kView)
{
    return pixelsDrawnBy([&](Canvas& c) { PaintElement(c, view, record); });
}

TEST(Painter, TextKindsDrawTheirCharactersAtTheRoundedAnchor)
{
    EXPECT_EQ(painted(text(20, 100.5, 200.5, 12)),
              textDrawnDirectly("Arial", CharSet::Ansi, 100, 200, 12, "OH"));
    EXPECT_EQ(painted(text(38, 100, 200, 12)), textDrawnDirectly("Arial", CharSet::Ansi, 100, 200, 12, "{DB}"));
    EXPECT_EQ(painted(text(18, 100, 200, 12)), textDrawnDirectly("Arial", CharSet::Ansi, 100, 200, 12, "\xB2"));
    EXPECT_EQ(painted(text(115, 101.5, 200, 12)),
              textDrawnDirectly("Courier New", CharSet::Ansi, 102, 200, 12, "A"));
    EXPECT_EQ(painted(text(300, 100, 200, 14)),
              textDrawnDirectly("Courier New", CharSet::Ansi, 100, 200, 14, "\xFA"));
    EXPECT_EQ(painted(text(532, 100, 200, 12)),
              textDrawnDirectly("Courier New", CharSet::Greek, 100, 200, 12, "\xE1"));
    EXPECT_EQ(painted(text(544, 100, 200, 12)),
              textDrawnDirectly("Courier New", CharSet::Greek, 100, 200, 12, "\xED"));
    EXPECT_FALSE(painted(text(20, 100, 200, 12)).empty());
    EXPECT_FALSE(painted(text(532, 100, 200, 12)).empty());
}

TEST(Painter, BondKindsDispatchToTheirPrimitiveAndDirection)
{
    const auto pen = [](Canvas& c, int width) {
        c.setPenColour(kBlack);
        c.setPenWidth(width);
    };
    EXPECT_EQ(painted(element(255, 10.5, 10, 50.5, 10)), pixelsDrawnBy([](Canvas& c) {
                  c.moveTo(10, 10);
                  SmoothLineTo(c, 50, 10);
              }));
    EXPECT_EQ(painted(element(248, 100, 100, 130, 110)), pixelsDrawnBy([&](Canvas& c) {
                  pen(c, 2);
                  HashedWedge(c, 130, 100, 110, 100);
              }));
    EXPECT_EQ(painted(element(251, 100, 100, 130, 110)), pixelsDrawnBy([&](Canvas& c) {
                  pen(c, 2);
                  HashedWedge(c, 100, 130, 100, 110);
              }));
    EXPECT_EQ(painted(element(249, 100, 100, 130, 110)), pixelsDrawnBy([&](Canvas& c) {
                  pen(c, 2);
                  SolidWedge(c, 130, 100, 110, 100);
              }));
    EXPECT_EQ(painted(element(252, 100, 100, 130, 110)), pixelsDrawnBy([&](Canvas& c) {
                  pen(c, 2);
                  SolidWedge(c, 100, 130, 100, 110);
              }));
    EXPECT_EQ(painted(element(250, 100, 100, 170, 100)),
              test::joined({test::run(100, 109, 100), test::run(120, 129, 100), test::run(140, 149, 100),
                            test::run(160, 169, 100)}));
    EXPECT_EQ(painted(element(254, 100, 100, 100, 140)),
              test::joined({test::column(99, 100, 139), test::column(101, 100, 139)}));
    // The wedges really differ in direction.
    EXPECT_NE(painted(element(248, 100, 100, 130, 110)), painted(element(251, 100, 100, 130, 110)));
}

TEST(Painter, ViewTransformMovesAndScalesEveryKind)
{
    ViewState view;
    view.OffsetX = 10;
    view.OffsetY = 20;
    view.Scale = 2;
    // The double line's offset scales too: 2.4 pixels round to 2.
    EXPECT_EQ(painted(element(254, 60, 70, 60, 90), view),
              test::joined({test::column(98, 100, 139), test::column(102, 100, 139)}));
    EXPECT_EQ(painted(element(404, 60, 70, 60, 90), view), painted(element(404, 100, 100, 100, 140)));
    EXPECT_EQ(painted(element(255, 60, 70, 80, 70), view), painted(element(255, 100, 100, 140, 100)));
    EXPECT_EQ(painted(text(0, 60, 70, 6), view), painted(text(0, 100, 100, 12)));
}

TEST(Painter, KindsWithoutADrawingChangeNothing)
{
    std::vector<ElementKind> undrawn;
    for (int k = 45; k <= 64; ++k)
        undrawn.push_back(ElementKind(k));
    undrawn.push_back(247);
    for (int k = 414; k <= 499; ++k)
        undrawn.push_back(ElementKind(k));
    for (int k = 565; k <= 65535; ++k)
        undrawn.push_back(ElementKind(k));

    QImage page = makeBlankPage();
    Canvas canvas(page);
    setUnusualState(canvas);
    canvas.moveTo(5, 6);
    const CanvasState before = canvas.state();
    for (ElementKind k : undrawn) {
        PaintElement(canvas, kView, element(k, 100, 100, 200, 150, kRed));
        PaintElement(canvas, kView, text(k, 100, 100, 12, kRed));
    }
    expectSameState(canvas.state(), before);
    EXPECT_TRUE(test::nonWhitePixels(page).empty());
}

// A row the kind table lists as drawing nothing draws nothing at its ends,
// as text or as two points; every other row draws (characters without a
// glyph only paint a white cell, so the first code of the row with ink).
TEST(Painter, DrawsExactlyWhatTheKindTableSays)
{
    for (const KindTraits& row : kindTable()) {
        if (row.drawing == Drawing::Nothing) {
            for (ElementKind k : {row.first, row.last}) {
                EXPECT_TRUE(painted(text(k, 100, 100, 12)).empty()) << k;
                EXPECT_TRUE(painted(element(k, 100, 100, 170, 130)).empty()) << k;
            }
            continue;
        }
        bool inked = false;
        for (std::uint32_t k = row.first; k <= row.last && !inked; ++k) {
            const ElementKind code = ElementKind(k);
            inked = !painted(isTextKind(code) ? text(code, 100, 100, 12) : element(code, 100, 100, 170, 130)).empty();
        }
        EXPECT_TRUE(inked) << row.first;
    }
}

TEST(Painter, ReservedBytesDoNotChangeTheDrawing)
{
    for (ElementKind k : {0, 20, 115, 248, 250, 253, 254, 255, 401, 403, 406, 410, 413, 532}) {
        ElementRecord plain = isTextKind(k) ? text(k, 100, 100, 12) : element(k, 100, 100, 170, 130);
        ElementRecord marked = plain;
        marked.reserved = {0xAB, 0xCD};
        EXPECT_EQ(painted(plain), painted(marked)) << k;
        EXPECT_FALSE(painted(marked).empty()) << k;
    }
}

TEST(LayeredRepaint, LabelsCutBondsWhateverTheFileOrder)
{
    const ElementRecord bond = element(255, 60, 105, 140, 105);
    const ElementRecord label = text(20, 100, 96, 12, kRed);
    const PixelList bondAlone = painted(bond);
    const QImage labelOverBond = pageDrawnBy([&](Canvas& c) {
        PaintElement(c, kView, bond);
        PaintElement(c, kView, label);
    });
    for (const std::vector<ElementRecord>& file : {std::vector{bond, label}, std::vector{label, bond}}) {
        const QImage page = pageDrawnBy([&](Canvas& c) { RepaintFile(c, kView, file); });
        EXPECT_EQ(page, labelOverBond);
    }
    // The label's white cell really erased part of the bond.
    const QImage bondOverLabel = pageDrawnBy([&](Canvas& c) {
        PaintElement(c, kView, label);
        PaintElement(c, kView, bond);
    });
    EXPECT_NE(labelOverBond, bondOverLabel);
    int erased = 0;
    for (const auto& [x, y] : bondAlone)
        erased += test::colourAt(labelOverBond, x, y) == kWhite;
    EXPECT_GT(erased, 0);
}

TEST(LayeredRepaint, ArrowsAndBracketsLieOverLabels)
{
    const ElementRecord arrow = element(401, 60, 102, 160, 102, kGreen);
    const ElementRecord bracket = element(406, 95, 90, 135, 115, kGreen);
    const ElementRecord label = text(5, 100, 96, 12);
    const PixelList arrowAlone = painted(arrow);
    const PixelList bracketAlone = painted(bracket);
    const QImage page = pageDrawnBy([&](Canvas& c) { RepaintFile(c, kView, {arrow, bracket, label}); });
    for (const auto& [x, y] : arrowAlone)
        EXPECT_EQ(test::colourAt(page, x, y), kGreen) << x << "," << y;
    for (const auto& [x, y] : bracketAlone)
        EXPECT_EQ(test::colourAt(page, x, y), kGreen) << x << "," << y;
}

TEST(LayeredRepaint, WithinALayerLaterRecordsPaintOverEarlierOnes)
{
    const ElementRecord red = element(255, 100, 100, 200, 100, kRed);
    const ElementRecord green = element(250, 100, 100, 170, 100, kGreen);
    const QImage page = pageDrawnBy([&](Canvas& c) { RepaintFile(c, kView, {red, green}); });
    EXPECT_EQ(test::colourAt(page, 105, 100), kGreen);
    EXPECT_EQ(test::colourAt(page, 115, 100), kRed);
    const QImage reversed = pageDrawnBy([&](Canvas& c) { RepaintFile(c, kView, {green, red}); });
    EXPECT_EQ(test::colourAt(reversed, 105, 100), kRed);
}

TEST(LayeredRepaint, ReadsWholeRecordsFromTheFileAndDrawsOverWhatIsThere)
{
    QTemporaryDir folder;
    const std::string path = folder.filePath("temp.dat").toStdString();
    const std::vector<ElementRecord> records = samples::benzoicAcid();
    test::Bytes bytes = test::recordFileBytes(records);
    bytes.push_back(0x81);  // a trailing fragment is never read
    test::putFileBytes(path, bytes);
    const QImage fromFile = pageDrawnBy([&](Canvas& c) { RepaintFile(c, kView, FileSystem::system(), path); });
    EXPECT_EQ(fromFile, pageDrawnBy([&](Canvas& c) { RepaintFile(c, kView, records); }));
    EXPECT_FALSE(test::nonWhitePixels(fromFile).empty());

    // An empty file leaves the surface as it was.
    const std::string empty = folder.filePath("empty.dat").toStdString();
    test::putFileBytes(empty, {});
    const QImage kept = pageDrawnBy([&](Canvas& c) {
        PaintElement(c, kView, element(255, 10, 10, 50, 10));
        RepaintFile(c, kView, FileSystem::system(), empty);
    });
    EXPECT_EQ(kept, pageDrawnBy([&](Canvas& c) { PaintElement(c, kView, element(255, 10, 10, 50, 10)); }));

    QImage page = makeBlankPage();
    Canvas canvas(page);
    EXPECT_THROW(RepaintFile(canvas, kView, FileSystem::system(), folder.filePath("missing.dat").toStdString()),
                 IoError);
}

TEST(LayeredRepaint, HostileRecordsFinishAndDrawOnlyWhatLiesOnThePage)
{
    QImage page = makeBlankPage();
    Canvas canvas(page);
    RepaintFile(canvas, kView, samples::hostileDocument());

    // A bond across the whole range of the format lights exactly the page's row.
    const QImage across = pageDrawnBy([](Canvas& c) { PaintElement(c, kView, element(255, -1.7e38, 500, 1.7e38, 500)); });
    EXPECT_EQ(test::nonWhitePixels(across), test::joined({test::run(0, kPageWidth - 1, 499), test::run(0, kPageWidth - 1, 500)}));
    for (int x = 0; x < kPageWidth; ++x)
        ASSERT_EQ(test::colourAt(across, x, 500), kBlack) << x;

    // A straight arrow from far away: the visible shaft and the head as for a near tail.
    EXPECT_EQ(painted(element(401, -1e38, 500, 600, 500)), painted(element(401, -5000, 500, 600, 500)));

    // Elements entirely off the page draw nothing, of every two-point kind.
    for (ElementKind k = 248; k <= 413; ++k) {
        if (k == 256)
            k = 401;
        EXPECT_TRUE(painted(element(k, 1e38, 1e38, 1.2e38, 1.1e38)).empty()) << k;
        EXPECT_TRUE(painted(element(k, -1e38, -5, 1.5e38, -40)).empty()) << k;
    }
}

TEST(Examples, BenzoicAcidFileIsWhatTheGeneratorMakes)
{
    const test::Bytes stored = test::fileBytes(VELTRANO_SOURCE_DIR "/examples/benzoesaeure.cfd");
    EXPECT_EQ(stored, test::recordFileBytes(samples::benzoicAcid()));
    // Six ring bonds, three of the carboxyl group, "O" and "OH".
    const std::vector<ElementRecord> records = samples::benzoicAcid();
    ASSERT_EQ(records.size(), 11u);
    EXPECT_EQ(records[9].kind, 0);
    EXPECT_EQ(records[10].kind, 20);
}

}  // namespace
}  // namespace veltrano
