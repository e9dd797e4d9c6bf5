#include "editor/painted_area.h"

#include "document/element_kind.h"
#include "render/canvas_test_util.h"
#include "render/page.h"
#include "render/painter.h"

#include <gtest/gtest.h>

namespace veltrano {
namespace {

// Every pixel the painter sets for a record lies in its painted area.
TEST(PaintedArea, CoversEverythingThePainterDraws)
{
    std::vector<ElementRecord> records;
    for (ElementKind k = 248; k <= 255; ++k) {
        records.push_back(makeRecord(k, 600, 500, 626, 485));
        records.push_back(makeRecord(k, 600, 500, 600, 470));
    }
    for (ElementKind k = 401; k <= 413; ++k) {
        records.push_back(makeRecord(k, 500, 500, 700, 500));
        records.push_back(makeRecord(k, 600, 400, 600, 600));
        records.push_back(makeRecord(k, 500, 400, 640, 560));
        records.push_back(makeRecord(k, 700, 600, 520, 450));
    }
    for (ElementKind k : {ElementKind(0), ElementKind(5), ElementKind(27), ElementKind(36), ElementKind(38),
                          ElementKind(39), ElementKind(44)}) {
        records.push_back(makeRecord(k, 500, 500, 12, 0));
        records.push_back(makeRecord(k, 400, 300, 60, 0));
    }
    for (ElementKind k : {ElementKind('W' + 50), ElementKind('j' + 50), ElementKind(0xC6 + 50),
                          ElementKind(0xFF + 50), ElementKind(532), ElementKind(544), ElementKind(500)}) {
        records.push_back(makeRecord(k, 500, 500, 14, 0));
        records.push_back(makeRecord(k, 300, 300, 90, 0));
    }
    for (const ElementRecord& record : records) {
        QImage page = makeBlankPage();
        Canvas canvas(page);
        PaintElement(canvas, ViewState{}, record);
        const QRect area = PaintedArea(record, ViewState{});
        const auto pixels = test::nonWhitePixels(page);
        EXPECT_FALSE(pixels.empty()) << "kind " << record.kind;
        for (const auto& [x, y] : pixels)
            ASSERT_TRUE(area.contains(x, y)) << "kind " << record.kind << " pixel " << x << "," << y;
    }
}

TEST(PaintedArea, IsClippedToThePageAndEmptyForUndrawnKinds)
{
    EXPECT_TRUE(PaintedArea(makeRecord(kind::SelectTool, 10, 10, 50, 50), ViewState{}).isEmpty());
    EXPECT_TRUE(PaintedArea(makeRecord(50, 10, 10, 12, 0), ViewState{}).isEmpty());
    EXPECT_TRUE(PaintedArea(makeRecord(450, 10, 10, 50, 50), ViewState{}).isEmpty());
    EXPECT_TRUE(PaintedArea(makeRecord(600, 10, 10, 50, 50), ViewState{}).isEmpty());
    EXPECT_TRUE(PaintedArea(makeRecord(kind::SingleBond, -500, -500, -400, -450), ViewState{}).isEmpty());
    // Too far out to bound: any pixel of the page.
    EXPECT_EQ(PaintedArea(makeRecord(kind::SingleBond, -1e38, 500, 1e38, 500), ViewState{}),
              QRect(0, 0, 1200, 1000));
    EXPECT_EQ(PaintedArea(makeRecord(kind::SingleBond, -100, 500, 100, 500), ViewState{}),
              QRect(QPoint(0, 490), QPoint(110, 510)));
    EXPECT_EQ(PaintedArea(makeRecord(412, 0, 0, 1e30, 1e30), ViewState{}), QRect(0, 0, 1200, 1000));
}

}  // namespace
}  // namespace veltrano
