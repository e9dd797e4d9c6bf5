// Large documents are painted in horizontal bands on threads of their own.
// Each band must set exactly the pixels of its rows that painting the whole
// page in file order sets, whatever the band boundaries cut through: lines
// stepped from far off the page, wide pens, text cells, glyphs rendered for
// the first time by two threads at once.
#include "page_mismatch.h"
#include "render/canvas.h"
#include "render/page.h"
#include "render/painter.h"
#include "render/view_state.h"
#include "tools/sample_documents.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltrano {
namespace {

using test::samePages;

QImage paintedInFileOrder(const std::vector<ElementRecord>& records, const ViewState& view)
{
    QImage page = makeBlankPage();
    Canvas canvas(page);
    for (Layer layer : {Layer::Bonds, Layer::Text, Layer::Arrows})
        PaintLayer(canvas, view, records, layer);
    return page;
}

TEST(Bands, EveryBandCountPaintsThePixelsOfFileOrder)
{
    using Maker = std::vector<ElementRecord> (*)(std::size_t);
    struct Case {
        const char* name;
        Maker make;
        std::size_t count;
    };
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
