// Drawing drags with the left button: bonds on the angle raster, rings drawn
// bond by bond, arrows and brackets, the feedback on the page, and clicks.

#include "editor/pointer_geometry.h"
#include "pointer_fixture.h"
#include "render/canvas_test_util.h"
#include "render/page.h"
#include "render/painter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace veltrano {
namespace {

using test::expectRecord;
using test::Point;
using test::stored;

class PointerDrawing : public test::PointerTest {
protected:
    // A blank page with these records painted in order.
    static QImage pageWith(const std::vector<ElementRecord>& painted)
    {
        QImage page = makeBlankPage();
        Canvas canvas(page);
        for (const ElementRecord& r : painted)
            PaintElement(canvas, ViewState{}, r);
        return page;
    }

    // Draws a ring bond by bond: each bond starts with a press on the
    // rounded end of the previous one (snapping to it) and is dragged 60
    // pixels in the direction of the next edge.
    void drawRing(Point start, double firstDegrees, double exteriorDegrees, int sides)
    {
        double x = start.x;
        double y = start.y;
        double degrees = firstDegrees;
        for (int i = 0; i < sides; ++i) {
            const double rad = degrees * kPi / 180.0;
            const Point press{int(std::lround(x)), int(std::lround(y))};
            const Point pointer{int(std::lround(x + 60 * std::cos(rad))), int(std::lround(y - 60 * std::sin(rad)))};
            drag(press, {pointer});
            const ElementRecord last = records().back();
            x = last.X2();
            y = last.Y2();
            degrees -= exteriorDegrees;
        }
    }

    // Every bond starts exactly where the previous one ended, has length
    // 30 and a direction on the raster; the last closes on the first point,
    // exactly as stored or (where the sines of the raster do not add up to
    // zero in floating point) within a billionth of a pixel.
    enum class Closure { Exact, Close };
    void expectClosedRing(int sides, double step, Closure closure)
    {
        const auto ring = records();
        ASSERT_EQ(ring.size(), std::size_t(sides));
        for (int i = 0; i < sides; ++i) {
            const ElementRecord& bond = ring[i];
            const ElementRecord& next = ring[(i + 1) % sides];
            EXPECT_EQ(bond.kind, kind::SingleBond);
            if (i + 1 < sides || closure == Closure::Exact) {
                EXPECT_EQ(bond.x2, next.x1) << "bond " << i;
                EXPECT_EQ(bond.y2, next.y1) << "bond " << i;
            } else {
                EXPECT_NEAR(bond.X2(), next.X1(), 1e-8);
                EXPECT_NEAR(bond.Y2(), next.Y1(), 1e-8);
            }
            const double dx = bond.X2() - bond.X1();
            const double dy = bond.Y1() - bond.Y2();
            EXPECT_NEAR(std::hypot(dx, dy), 30.0, 1e-9);
            const double k = std::atan2(dy, dx) * 180.0 / kPi / step;
            EXPECT_NEAR(k, std::nearbyint(k), 1e-9) << "bond " << i;
        }
    }
};

TEST_F(PointerDrawing, BenzeneRingClosesExactlyOnItsFirstPoint)
{
    drawRing({100, 100}, 30, 60, 6);
    expectClosedRing(6, 30.0, Closure::Exact);
    const auto ring = records();
    expectRecord(ring[0], kind::SingleBond, 100, 100, 125.98076211353316, 85);
    expectRecord(ring[1], kind::SingleBond, 125.98076211353316, 85, 151.96152422706632, 100);
    expectRecord(ring[2], kind::SingleBond, 151.96152422706632, 100, 151.96152422706632, 130);
    expectRecord(ring[5], kind::SingleBond, 100, 130, 100, 100);
}

TEST_F(PointerDrawing, PentagonAndHeptagonOnTheirRasters)
{
    editor.tools.RingStep = 18.0;
    drawRing({300, 300}, 0, 72, 5);
    expectClosedRing(5, 18.0, Closure::Exact);

    editor.workingFile.createEmpty();
    editor.tools.RingStep = 90.0 / 7.0;
    drawRing({300, 300}, 0, 360.0 / 7.0, 7);
    expectClosedRing(7, 90.0 / 7.0, Closure::Close);
}

TEST_F(PointerDrawing, RasterExamplesAndRasterOff)
{
    drag({100, 100}, {{150, 80}});
    drag({300, 100}, {{260, 100}});  // pointing left
    editor.tools.GridOn = false;
    drag({500, 100}, {{540, 130}});  // 3-4-5 triangle: exact direction
    const auto r = records();
    ASSERT_EQ(r.size(), 3u);
    expectRecord(r[0], kind::SingleBond, 100, 100, 125.98076211353316, 85);
    expectRecord(r[1], kind::SingleBond, 300, 100, 270, 100);
    expectRecord(r[2], kind::SingleBond, 500, 100, 524, 118);
}

TEST_F(PointerDrawing, BondTakesToolColourAndLengthAndSnapsToFirstRecord)
{
    writeDocument({makeRecord(kind::SingleBond, 200, 200, 230, 200), makeRecord(kind::SingleBond, 300, 300, 203, 202)});
    editor.tools.LeftTool = kind::SolidWedge;
    editor.tools.CurrentColour = 0xFF;
    editor.tools.LineLength = 40;
    // (203, 202) is nearer, but the first record's first point wins.
    drag({202, 202}, {{202, 260}});
    const auto r = records();
    ASSERT_EQ(r.size(), 3u);
    expectRecord(r[2], kind::SolidWedge, 200, 200, 200, 240, 0xFF);
}

TEST_F(PointerDrawing, ArrowsAndBracketsSnapToTheAxes)
{
    editor.tools.LeftTool = kind::StraightArrow;
    drag({100, 100}, {{150, 130}, {200, 95}});   // 100 right, 5 up: horizontal
    drag({100, 200}, {{200, 190}});              // 100 right, 10 up: diagonal
    editor.tools.LeftTool = kind::EquilibriumArrow;
    drag({100, 300}, {{130, 320}});              // "<=>" 30 right, 20 down
    drag({100, 400}, {{120, 430}});              // 20 right, 30 down
    editor.tools.LeftTool = kind::LeftBracket;
    drag({400, 100}, {{450, 160}});
    editor.tools.LeftTool = kind::CurvedArrowFirst + 2;
    drag({400, 300}, {{400, 300}});              // on the start: zero length
    const auto r = records();
    ASSERT_EQ(r.size(), 6u);
    expectRecord(r[0], kind::StraightArrow, 100, 100, 200, 100);
    expectRecord(r[1], kind::StraightArrow, 100, 200, 200, 190);
    expectRecord(r[2], kind::EquilibriumArrow, 100, 300, 130, 300);
    expectRecord(r[3], kind::EquilibriumArrow, 100, 400, 100, 430);
    expectRecord(r[4], kind::LeftBracket, 400, 100, 400, 160);
    expectRecord(r[5], 409, 400, 300, 400, 300);
}

TEST_F(PointerDrawing, ReleaseTakesSnapshotThenAppends)
{
    writeDocument({makeRecord(kind::SingleBond, 500, 500, 530, 500)});
    const auto before = documentBytes();
    drag({100, 100}, {{150, 80}});
    EXPECT_EQ(test::fileBytes(pathOf(workfile::Snapshot)), before);
    EXPECT_EQ(records().size(), 2u);
    EXPECT_TRUE(ui.logged("setEnabled Undo1 1"));
    EXPECT_FALSE(editor.editing.PressActive);
    EXPECT_EQ(editor.editing.FeedbackEnd.x, 0.0);
    EXPECT_EQ(editor.editing.FeedbackEnd.y, 0.0);
    EXPECT_TRUE(editor.editing.Modified);
}

TEST_F(PointerDrawing, ClickWithoutMoveAddsNothingAndTakesNoSnapshot)
{
    writeDocument({makeRecord(kind::SingleBond, 100, 100, 130, 100)});
    const auto before = documentBytes();
    drag({101, 101}, {});          // snaps onto the bond, releases at once
    drag({400, 400}, {});          // away from everything
    EXPECT_EQ(documentBytes(), before);
    EXPECT_FALSE(snapshotExists());
    EXPECT_TRUE(editor.editing.Modified);
    EXPECT_FALSE(editor.editing.PressActive);

    // The same with arrows, and after an earlier drag left its element in
    // the record buffer.
    editor.tools.LeftTool = kind::StraightArrow;
    drag({200, 200}, {{260, 200}});
    const auto afterArrow = documentBytes();
    drag({300, 300}, {});
    EXPECT_EQ(documentBytes(), afterArrow);
}

TEST_F(PointerDrawing, MovesWithoutPressDoNothing)
{
    I1MouseMove(editor, 100, 100);
    I1MouseUp(editor, PointerButton::Left, 100, 100);
    EXPECT_TRUE(records().empty());
    EXPECT_TRUE(ui.log.empty());
}

TEST_F(PointerDrawing, FeedbackIsErasedInWhiteAndSkippedWhenTheEndStays)
{
    I1MouseDown(editor, PointerButton::Left, 100, 100);
    clearUi();
    I1MouseMove(editor, 150, 80);  // 30 degrees
    const ElementRecord first = makeRecord(kind::SingleBond, 100, 100, 125.98076211353316, 85);
    EXPECT_EQ(editor.page, pageWith({first}));
    ASSERT_EQ(ui.changedAreas.size(), 1u);
    for (const auto& [x, y] : test::nonWhitePixels(editor.page))
        EXPECT_TRUE(ui.changedAreas[0].contains(x, y)) << x << "," << y;

    // Still 30 degrees: nothing is redrawn.
    I1MouseMove(editor, 160, 82);
    EXPECT_EQ(ui.changedAreas.size(), 1u);

    // Straight right: the old bond is overpainted in white, which leaves
    // exactly the new one on the page.
    I1MouseMove(editor, 160, 100);
    const ElementRecord second = makeRecord(kind::SingleBond, 100, 100, 130, 100);
    EXPECT_EQ(editor.page, pageWith({second}));
    ASSERT_EQ(ui.changedAreas.size(), 2u);
    EXPECT_TRUE(ui.changedAreas[1].contains(ui.changedAreas[0]));
    EXPECT_EQ(editor.editing.FeedbackEnd.x, 130.0);
    EXPECT_EQ(editor.editing.FeedbackEnd.y, 100.0);
    EXPECT_EQ(editor.editing.RecordBuffer, second);

    I1MouseUp(editor, PointerButton::Left, 160, 100);
    ASSERT_EQ(records().size(), 1u);
    EXPECT_EQ(records()[0], second);
    // Nothing is repainted by the release: the element is on the page.
    EXPECT_EQ(editor.page, pageWith({second}));
}

TEST_F(PointerDrawing, ArrowFeedbackIsRedrawnEvenAtTheSameEnd)
{
    editor.tools.LeftTool = kind::StraightArrow;
    I1MouseDown(editor, PointerButton::Left, 100, 100);
    clearUi();
    I1MouseMove(editor, 200, 100);
    I1MouseMove(editor, 200, 100);
    EXPECT_EQ(ui.changedAreas.size(), 2u);
    EXPECT_EQ(editor.canvas.pixel(150, 100), kBlack);
    I1MouseUp(editor, PointerButton::Left, 200, 100);
    EXPECT_EQ(records().size(), 1u);
}

TEST_F(PointerDrawing, PressRepaintsThePageFirst)
{
    writeDocument({makeRecord(kind::SingleBond, 100, 100, 130, 100)});
    editor.canvas.setPixel(700, 700, kBlack);
    editor.editing.SelectionPresent = true;
    I1MouseDown(editor, PointerButton::Left, 500, 500);
    EXPECT_EQ(editor.canvas.pixel(700, 700), kWhite);
    EXPECT_EQ(editor.canvas.pixel(115, 100), kBlack);
    EXPECT_FALSE(editor.editing.SelectionPresent);
    EXPECT_TRUE(editor.editing.PressActive);
    EXPECT_EQ(editor.editing.DragStart.x, 500.0);
}

TEST_F(PointerDrawing, CoalescedFeedbackMovesGiveTheSamePage)
{
    // A bond under the path of the feedback gets white holes from the
    // erasing; handling the moves as one step must leave the same holes.
    const std::vector<ElementRecord> document = {makeRecord(kind::SingleBond, 90, 110, 140, 70)};
    const std::vector<PointerPosition> moves = {{150, 80}, {150, 100}, {140, 130}, {100, 150}, {150, 60}};

    writeDocument(document);
    I1MouseDown(editor, PointerButton::Left, 100, 100);
    for (const PointerPosition& m : moves)
        I1MouseMove(editor, m.x, m.y);
    const QImage oneByOne = editor.page.copy();
    const ElementRecord bufferOneByOne = editor.editing.RecordBuffer;
    I1MouseUp(editor, PointerButton::Left, 150, 60);
    const auto bytesOneByOne = documentBytes();

    editor.workingFile.createEmpty();
    writeDocument(document);
    I1MouseDown(editor, PointerButton::Left, 100, 100);
    clearUi();
    I1MouseMoves(editor, moves);
    EXPECT_EQ(ui.changedAreas.size(), 1u);
    EXPECT_EQ(editor.page, oneByOne);
    EXPECT_EQ(editor.editing.RecordBuffer, bufferOneByOne);
    I1MouseUp(editor, PointerButton::Left, 150, 60);
    EXPECT_EQ(documentBytes(), bytesOneByOne);
}

}  // namespace
}  // namespace veltrano
