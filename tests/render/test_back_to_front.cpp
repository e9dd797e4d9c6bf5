// Large documents are painted from their last element to their first through
// a cover mask, leaving out elements whose pixels are all taken already, and
// in horizontal bands on threads of their own. The page must be exactly the
// one painting in file order gives, for every kind of document and view,
// whatever the band boundaries cut through (lines stepped from far off the
// page, wide pens, text cells, glyphs rendered by two threads at once), and
// the canvas state after the repaint the one before it.
#include "page_mismatch.h"
#include "render/canvas.h"
#include "render/cover_mask.h"
#include "render/hidden_text.h"
#include "render/page.h"
#include "render/painter.h"
#include "render/view_state.h"
#include "tools/sample_documents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace veltrano {
namespace {

using test::samePages;

// The three passes in file order, one record after the other.
QImage paintedInFileOrder(const std::vector<ElementRecord>& records, const ViewState& view)
{
    QImage page = makeBlankPage();
    Canvas canvas(page);
    for (Layer layer : {Layer::Bonds, Layer::Text, Layer::Arrows})
        PaintLayer(canvas, view, records, layer);
    return page;
}

using Maker = std::vector<ElementRecord> (*)(std::size_t);
struct Case {
    const char* name;
    Maker make;
    std::size_t count;
};

TEST(BackToFront, LargeDocumentsPaintTheSamePixelsAsInFileOrder)
{
    // 70 000 mixed records use up the mask's element numbers once.
    const Case cases[] = {
        {"mixed", &samples::mixedDocument, 70000},       {"bonds", &samples::bondsDocument, 25000},
        {"hostile", &samples::hostileDocument, 20000},   {"many-sizes", &samples::manySizesDocument, 20000},
        {"large-labels", &samples::largeLabelsDocument, 20000},
        {"curved-arrows", &samples::curvedArrowsDocument, 20000},
    };
    struct View {
        const char* name;
        ViewState view;
    };
    const View views[] = {{"reset", {0.0, 0.0, 1.0}}, {"zoomed", {300.0, 250.0, 2.5}}, {"small", {-40.0, 30.0, 0.4}}};
    for (const Case& c : cases) {
        const std::vector<ElementRecord> records = c.make(c.count);
        for (const View& v : views) {
            // The largest document is taken in the page's own view only.
            if (c.count > 50000 && std::string(v.name) != "reset")
                continue;
            QImage page = makeBlankPage();
            Canvas canvas(page);
            repaintBackToFront(canvas, v.view, records);
            EXPECT_TRUE(samePages(page, paintedInFileOrder(records, v.view), std::string(c.name) + "-" + v.name));
        }
    }
}

// Documents below 150 000 records whose text piles up leave out text that
// later text cells cover, in one canvas or in bands: the pixels stay those
// of painting every record.
TEST(HiddenText, LeftOutTextLeavesThePixelsOfFileOrder)
{
    const Case cases[] = {
        {"mixed", &samples::mixedDocument, 25000},           {"many-sizes", &samples::manySizesDocument, 5001},
        {"large-labels", &samples::largeLabelsDocument, 5001}, {"large-sizes", &samples::largeSizesDocument, 20000},
    };
    const ViewState views[] = {{0.0, 0.0, 1.0}, {300.0, 250.0, 2.5}, {-40.0, 30.0, 0.4}};
    for (const Case& c : cases) {
        const std::vector<ElementRecord> records = c.make(c.count);
        for (const ViewState& view : views) {
            QImage page = makeBlankPage();
            Canvas canvas(page);
            RepaintFile(canvas, view, records);
            const std::string name = std::string(c.name) + "-" + std::to_string(view.Scale);
            EXPECT_TRUE(samePages(page, paintedInFileOrder(records, view), name));
        }
    }

    // Where large characters pile up, most of them are left out, and of
    // 300-point labels many are painted in part of their rows only.
    auto countOf = [](const std::vector<ShownRows>& shown, auto which) {
        return std::count_if(shown.begin(), shown.end(), which);
    };
    QImage page = makeBlankPage();
    Canvas canvas(page);
    const ViewState view{0.0, 0.0, 1.0};
    const auto hidden = [](const ShownRows& rows) { return rows.hidden(); };
    EXPECT_GT(countOf(shownTextRows(canvas, view, samples::largeSizesDocument(20000)), hidden), 10000);
    const auto cut = [](const ShownRows& rows) { return !rows.hidden() && !rows.whole(); };
    EXPECT_GT(countOf(shownTextRows(canvas, view, samples::largeLabelsDocument(5001)), cut), 1000);
}

// A small character is hidden under a large one painted after it, never by
// one painted before it, nor by a bond; text off the page paints nothing.
TEST(HiddenText, OnlyLaterTextCellsHide)
{
    const ElementKind x = ElementKind(kind::CharacterOffset + 'X');
    const ElementRecord small = makeRecord(x, 100, 100, 10, 0, 0);
    const ElementRecord large = makeRecord(x, 60, 40, 120, 0, 0);
    const ElementRecord bond = makeRecord(kind::SingleBond, 0, 120, 400, 120, 0);
    const ElementRecord away = makeRecord(x, -5000, 100, 10, 0, 0);
    const ViewState view{0.0, 0.0, 1.0};
    QImage page = makeBlankPage();
    Canvas canvas(page);
    auto hiddenOf = [&](const std::vector<ElementRecord>& records) {
        std::vector<bool> hidden;
        for (const ShownRows& rows : shownTextRows(canvas, view, records))
            hidden.push_back(rows.hidden());
        return hidden;
    };
    EXPECT_EQ(hiddenOf({small, bond, large}), (std::vector<bool>{true, false, false}));
    EXPECT_TRUE(hiddenOf({large, small, bond}).empty());
    EXPECT_EQ(hiddenOf({away, small}), (std::vector<bool>{true, false}));
}

// On an image smaller than the text and not a whole number of tiles, with
// characters reaching past every edge and a bond under them, text is cut to
// rows or left out and the pixels are still those of painting every record.
TEST(HiddenText, CutTextOnASmallImageLeavesThePixelsOfFileOrder)
{
    std::vector<ElementRecord> records{makeRecord(kind::SingleBond, -10, 40, 130, 60, 0)};
    for (int i = 0; i < 200; ++i) {
        const ElementKind letter = ElementKind(kind::CharacterOffset + 'A' + i % 26);
        records.push_back(makeRecord(letter, (i * 37) % 250 - 40, (i * 53) % 230 - 50, 40 + (i * 7) % 90, 0,
                                     std::int32_t(0x10101 * (i % 200))));
    }
    bool anyHidden = false, anyCut = false;
    for (const ViewState& view : {ViewState{0.0, 0.0, 1.0}, ViewState{15.0, -7.0, 1.7}, ViewState{-30.0, 20.0, 2.2}}) {
        auto paint = [&](bool whole) {
            QImage image(197, 181, QImage::Format_RGB32);
            image.fill(QColor(200, 220, 240));  // not white, so every cell fill shows
            Canvas canvas(image);
            if (whole) {
                for (Layer layer : {Layer::Bonds, Layer::Text, Layer::Arrows})
                    PaintLayer(canvas, view, records, layer);
            } else {
                EXPECT_TRUE(textPilesUp(canvas, view, records));
                const std::vector<ShownRows> shown = shownTextRows(canvas, view, records);
                for (const ShownRows& rows : shown) {
                    anyHidden = anyHidden || rows.hidden();
                    anyCut = anyCut || (!rows.hidden() && !rows.whole());
                }
                RepaintFile(canvas, view, records);
            }
            return image;
        };
        EXPECT_TRUE(samePages(paint(false), paint(true), "small-image-" + std::to_string(view.Scale)));
    }
    EXPECT_TRUE(anyHidden);
    EXPECT_TRUE(anyCut);
}

TEST(BackToFront, RepaintLeavesTheCanvasStateAsItFoundIt)
{
    // The larger document is painted back to front.
    for (std::size_t count : {std::size_t(100), std::size_t(160000)}) {
        QImage page = makeBlankPage();
        Canvas canvas(page);
        canvas.setPenColour(0x123456);
        canvas.setPenWidth(7);
        canvas.moveTo(12.5, -3);
        canvas.setFontName("Courier New");
        canvas.setFontSize(31);
        canvas.setFontColour(0x00FF00);
        canvas.setCharSet(CharSet::Greek);
        const CanvasState before = canvas.state();
        ViewState view;
        ResetView(view);
        RepaintFile(canvas, view, samples::mixedDocument(count));
        const CanvasState& after = canvas.state();
        EXPECT_EQ(after.penColour, before.penColour);
        EXPECT_EQ(after.penWidth, before.penWidth);
        EXPECT_EQ(after.penPosition.x, before.penPosition.x);
        EXPECT_EQ(after.penPosition.y, before.penPosition.y);
        EXPECT_EQ(after.fontName, before.fontName);
        EXPECT_EQ(after.fontSize, before.fontSize);
        EXPECT_EQ(after.fontColour, before.fontColour);
        EXPECT_EQ(after.charSet, before.charSet);
        EXPECT_EQ(canvas.coverMask(), nullptr);
    }
}

// The mask itself on an image whose size is no multiple of its tiles: an
// element paints over its own pixels but not over those of an element
// started before it, and a box is hidden once every pixel of it (on the
// image) is taken.
TEST(BackToFront, CoverMaskKeepsThePixelsOfLaterElements)
{
    QImage image(13, 11, QImage::Format_RGB32);
    image.fill(Qt::white);
    CoverMask cover(13, 11);
    Canvas canvas(image);
    canvas.setCoverMask(&cover);

    EXPECT_TRUE(cover.hides(20, 0, 30, 5));  // off the image
    EXPECT_FALSE(cover.hides(0, 0, 0, 0));

    cover.nextElement();
    canvas.setPenColour(0x0000FF);
    canvas.moveTo(0, 2);
    canvas.lineTo(13, 2);
    canvas.setPenColour(0x00FF00);
    canvas.moveTo(4, 2);
    canvas.lineTo(6, 2);  // the element's own pixels: painted over
    EXPECT_EQ(canvas.pixel(3, 2), Colour(0x0000FF));
    EXPECT_EQ(canvas.pixel(4, 2), Colour(0x00FF00));
    EXPECT_EQ(canvas.pixel(6, 2), Colour(0x0000FF));

    cover.nextElement();
    canvas.setPenColour(0xFF0000);
    canvas.moveTo(5, 0);
    canvas.lineTo(5, 11);
    EXPECT_EQ(canvas.pixel(5, 2), Colour(0x00FF00));  // taken before
    EXPECT_EQ(canvas.pixel(5, 3), Colour(0xFF0000));
    EXPECT_FALSE(cover.hides(0, 2, 12, 2));  // the tiles of row 2 hold free pixels

    // Take every pixel; the edge tiles hold fewer than 64.
    cover.nextElement();
    canvas.setPenWidth(3);
    for (int y = 0; y < 11; ++y) {
        canvas.moveTo(0, y);
        canvas.lineTo(12, y);
    }
    EXPECT_EQ(canvas.pixel(5, 2), Colour(0x00FF00));
    EXPECT_EQ(canvas.pixel(12, 10), Colour(0xFF0000));
    cover.nextElement();
    EXPECT_TRUE(cover.hides(-5, -5, 40, 40));

    // A mask of another size is not used.
    QImage other(20, 20, QImage::Format_RGB32);
    other.fill(Qt::white);
    canvas.setImage(other);
    canvas.setPenWidth(1);
    canvas.moveTo(0, 0);
    canvas.lineTo(5, 0);
    EXPECT_EQ(canvas.pixel(2, 0), Colour(0xFF0000));
}

TEST(Bands, EveryBandCountPaintsThePixelsOfFileOrder)
{
    const Case cases[] = {
        {"mixed", &samples::mixedDocument, 5001},
        {"hostile", &samples::hostileDocument, 5001},
        {"many-sizes", &samples::manySizesDocument, 3000},
        {"large-labels", &samples::largeLabelsDocument, 2000},
        {"curved-arrows", &samples::curvedArrowsDocument, 2000},
    };
    const ViewState views[] = {{0.0, 0.0, 1.0}, {300.0, 250.0, 2.5}};
    // 7 bands give boundaries on odd rows; 40 asks for more than the page's
    // height allows.
    for (const Case& c : cases) {
        const std::vector<ElementRecord> records = c.make(c.count);
        for (const ViewState& view : views) {
            const QImage expected = paintedInFileOrder(records, view);
            for (int bands : {2, 3, 7, 40}) {
                QImage page = makeBlankPage();
                Canvas canvas(page);
                repaintInBands(canvas, view, records, bands);
                EXPECT_TRUE(samePages(page, expected,
                                      std::string(c.name) + "-scale" + std::to_string(view.Scale) + "-bands"
                                          + std::to_string(bands)));
            }
        }
    }
}

TEST(Bands, ABandPaintsOnlyItsRowsAlsoBackToFront)
{
    const std::vector<ElementRecord> records = samples::mixedDocument(20000);
    const ViewState view{0.0, 0.0, 1.0};
    const QImage whole = paintedInFileOrder(records, view);
    const int top = 333, bottom = 667;
    for (bool backToFront : {false, true}) {
        QImage page = makeBlankPage();
        Canvas canvas(page);
        canvas.setBand(top, bottom);
        EXPECT_EQ(canvas.bandTop(), top);
        EXPECT_EQ(canvas.bandHeight(), bottom - top);
        if (backToFront)
            repaintBackToFront(canvas, view, records);
        else
            RepaintFile(canvas, view, records);
        QImage expected = makeBlankPage();
        for (int y = top; y < bottom; ++y)
            std::copy_n(whole.constScanLine(y), whole.bytesPerLine(), expected.scanLine(y));
        EXPECT_TRUE(samePages(page, expected, backToFront ? "band-back-to-front" : "band-file-order"));
    }
}

}  // namespace
}  // namespace veltrano
