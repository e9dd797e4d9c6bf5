// The selection tool: rectangles with each button and in each direction,
// single-pixel clicks, and dragging the selection.

#include "editor/full_repaint.h"
#include "editor/pointer_move_queue.h"
#include "pointer_fixture.h"
#include "render/canvas_test_util.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

namespace veltrano {
namespace {

using test::Point;

class PointerSelection : public test::PointerTest {
protected:
    // Positions 0..7.
    const std::vector<ElementRecord> document = {
        makeRecord(kind::SingleBond, 20, 30, 40, 50),         // 0: both ends inside
        makeRecord(kind::DoubleBond, 20, 30, 80, 50),         // 1: one end inside
        makeRecord(kind::StraightArrow, 20, 40, 200, 200),    // 2: tail inside
        makeRecord(kind::StraightArrow, 200, 200, 20, 40),    // 3: tail outside
        makeRecord(5, 45, 55, 12, 0),                         // 4: label corner inside
        makeRecord(0, 50, 30, 12, 0),                         // 5: on the right edge
        makeRecord(0, 10, 20, 12, 0),                         // 6: on the top-left corner
        makeRecord(kind::SelectTool, 20, 30, 40, 50),         // 7: never caught
    };

    void SetUp() override
    {
        test::PointerTest::SetUp();
        writeDocument(document);
        editor.tools.LeftTool = kind::SelectTool;
    }

    std::vector<std::uint32_t> marked() const
    {
        std::vector<std::uint32_t> positions;
        for (std::uint32_t i = 0; i < 20; ++i)
            if (editor.editing.SelMarks[i])
                positions.push_back(i);
        return positions;
    }
};

using Positions = std::vector<std::uint32_t>;

TEST_F(PointerSelection, RectanglesCatchByButtonWhicheverWayTheyAreDragged)
{
    struct Case {
        Point from;
        Point to;
        PointerButton button;
        Positions expected;
    };
    const Case cases[] = {
        {{10, 20}, {50, 60}, PointerButton::Left, {0, 2, 4, 6}},
        {{50, 60}, {10, 20}, PointerButton::Left, {0, 2, 4, 6}},
        {{10, 60}, {50, 20}, PointerButton::Left, {0, 2, 4, 6}},
        {{10, 20}, {50, 60}, PointerButton::Right, {0, 1, 2, 4, 6}},
        {{50, 20}, {10, 60}, PointerButton::Middle, {0, 1, 2, 4, 6}},
        // A bond with only its second end inside.
        {{70, 45}, {90, 55}, PointerButton::Right, {1}},
        {{70, 45}, {90, 55}, PointerButton::Left, {}},
    };
    for (const Case& c : cases) {
        // "Neu zeichnen" ends the previous selection, so that no press
        // lands inside it and moves it.
        FullRepaint(editor);
        drag(c.from, {{(c.from.x + c.to.x) / 2, (c.from.y + c.to.y) / 2}, c.to}, c.button);
        EXPECT_EQ(marked(), c.expected) << c.from.x << "," << c.from.y << " to " << c.to.x << "," << c.to.y;
        EXPECT_TRUE(editor.editing.SelectionPresent);
        EXPECT_EQ(editor.editing.SelRect, (SelectionRect{c.from.x, c.to.x, c.from.y, c.to.y}));
        EXPECT_TRUE(ui.isEnabled(ui::kDeleteItem));
        EXPECT_TRUE(ui.isEnabled(ui::kCopyItem));
        EXPECT_FALSE(editor.editing.PressActive);
    }
    // The rectangle's snapshot is the document as it was when selecting.
    EXPECT_EQ(test::fileBytes(pathOf(workfile::Snapshot)), documentBytes());
}

TEST_F(PointerSelection, RectangleDragDrawsTheDashedFrameAndStoresNothing)
{
    I1MouseDown(editor, PointerButton::Left, 300, 300);
    clearUi();
    I1MouseMove(editor, 370, 370);
    // The frame's dashes begin at the press corner: sevenths 1, 3, 5, 7.
    EXPECT_EQ(editor.canvas.pixel(300, 300), kBlack);
    EXPECT_EQ(editor.canvas.pixel(300, 315), kWhite);
    EXPECT_EQ(editor.canvas.pixel(305, 370), kBlack);
    EXPECT_EQ(editor.canvas.pixel(370, 365), kBlack);
    EXPECT_EQ(editor.canvas.pixel(365, 300), kBlack);
    EXPECT_EQ(ui.changedAreas.back(), QRect(QPoint(300, 300), QPoint(370, 370)));
    EXPECT_EQ(editor.editing.SelRect.SelX1, 300);
    EXPECT_EQ(editor.editing.SelRect.SelY1, 300);
    EXPECT_EQ(editor.editing.SelRect.SelX2, 0);  // left for the release

    // The next move repaints: the old frame is gone.
    I1MouseMove(editor, 340, 320);
    EXPECT_EQ(editor.canvas.pixel(305, 370), kWhite);
    EXPECT_EQ(editor.canvas.pixel(300, 300), kBlack);
    I1MouseUp(editor, PointerButton::Left, 340, 320);
    EXPECT_TRUE(editor.editing.SelectionPresent);
    EXPECT_TRUE(marked().empty());  // catches nothing, still a selection
    EXPECT_TRUE(ui.isEnabled(ui::kDeleteItem));
}

TEST_F(PointerSelection, SinglePixelRectangleSelectsNothing)
{
    drag({10, 20}, {{50, 60}});
    ASSERT_TRUE(editor.editing.SelectionPresent);
    std::filesystem::remove(pathOf(workfile::Snapshot));
    // Pressed and released on one pixel outside the selection.
    drag({500, 500}, {});
    EXPECT_FALSE(editor.editing.SelectionPresent);
    EXPECT_FALSE(ui.isEnabled(ui::kDeleteItem));
    EXPECT_FALSE(ui.isEnabled(ui::kCopyItem));
    EXPECT_FALSE(snapshotExists());
    // Moving away and back to the press pixel is also no rectangle.
    drag({500, 500}, {{600, 600}, {500, 500}});
    EXPECT_FALSE(editor.editing.SelectionPresent);
    EXPECT_FALSE(snapshotExists());
}

TEST_F(PointerSelection, DraggingTheSelectionMovesExactlyTheMarkedRecords)
{
    // A selection with a fractional bond end, a label and the undrawn codes
    // that still move (45, 414) or stay (247, 600).
    std::vector<ElementRecord> doc = {
        makeRecord(kind::SingleBond, 100, 100, 125.98076211353316, 85),  // 0 selected
        makeRecord(kind::SingleBond, 500, 500, 530, 500),                 // 1 not
        makeRecord(20, 110, 110, 12, 7),                                  // 2 selected
        makeRecord(45, 120, 120, 3, 4),                                   // 3 selected
        makeRecord(414, 121, 121, 5, 6),                                  // 4 selected
        makeRecord(kind::SelectTool, 122, 122, 8, 9),                     // 5 never caught
        makeRecord(600, 123, 123, 8, 9),                                  // 6 selected, stays
    };
    writeDocument(doc);
    drag({90, 80}, {{140, 130}});
    ASSERT_EQ(marked(), (Positions{0, 2, 3, 4, 6}));
    const auto snapshot = test::fileBytes(pathOf(workfile::Snapshot));

    // Press inside the selection: nothing is repainted.
    clearUi();
    I1MouseDown(editor, PointerButton::Left, 100, 100);
    EXPECT_TRUE(editor.editing.MovingSelection);
    EXPECT_TRUE(ui.changedAreas.empty());
    I1MouseMove(editor, 104, 103);
    I1MouseMove(editor, 110, 95);
    // Left of and above the image: the true difference, no wrap.
    I1MouseMove(editor, -20, -30);
    I1MouseMove(editor, 112, 107);
    I1MouseUp(editor, PointerButton::Left, 112, 107);

    const auto r = records();
    ASSERT_EQ(r.size(), doc.size());
    test::expectRecord(r[0], kind::SingleBond, 112, 107, 125.98076211353316 + 12, 92);
    EXPECT_EQ(r[1], doc[1]);
    test::expectRecord(r[2], 20, 122, 117, 12, 7);  // font size stays
    test::expectRecord(r[3], 45, 132, 127, 3, 4);
    test::expectRecord(r[4], 414, 133, 128, 17, 13);
    EXPECT_EQ(r[5], doc[5]);
    EXPECT_EQ(r[6], doc[6]);

    EXPECT_EQ(editor.editing.SelRect, (SelectionRect{102, 152, 87, 137}));
    EXPECT_FALSE(editor.editing.MovingSelection);
    EXPECT_FALSE(editor.editing.PressActive);
    EXPECT_TRUE(editor.editing.SelectionPresent);
    EXPECT_TRUE(ui.isEnabled(ui::kDeleteItem));
    // No snapshot while moving: undo goes back to the selection's moment.
    EXPECT_EQ(test::fileBytes(pathOf(workfile::Snapshot)), snapshot);
    // The moved frame is on the page.
    EXPECT_EQ(editor.canvas.pixel(102, 87), kBlack);
}

TEST_F(PointerSelection, CoalescedSelectionMovesMatchSingleMoves)
{
    // Coordinates whose stored form loses bits when they cross a power of
    // two, so that the rounding after every step matters.
    const std::vector<ElementRecord> doc = {
        makeRecord(kind::SingleBond, 127.3 + 1e-9, 100.1, 255.987654321, 63.0000001),
        makeRecord(31, 120.123456789, 110.7, 12, 0),
        makeRecord(kind::CurvedArrowFirst, 900, 900, 950, 950),
    };
    const std::vector<PointerPosition> moves = {{101, 101}, {230, 90}, {-400, 77}, {1000, -5}, {130, 110}};

    auto run = [&](bool coalesced) {
        editor.workingFile.createEmpty();
        writeDocument(doc);
        drag({110, 50}, {{300, 200}});
        I1MouseDown(editor, PointerButton::Left, 120, 105);
        clearUi();
        if (coalesced) {
            PointerMoveQueue queue;
            bool scheduled = false;
            for (const PointerPosition& m : moves)
                scheduled = queue.push(m.x, m.y) || scheduled;
            EXPECT_TRUE(scheduled);
            EXPECT_EQ(queue.size(), moves.size());
            queue.flush(editor);
            EXPECT_TRUE(queue.empty());
            // One rewrite, one repaint and one frame for all moves.
            EXPECT_EQ(ui.callsStartingWith("pageChanged 0,0 1200x1000").size(), 1u);
        } else {
            for (const PointerPosition& m : moves)
                I1MouseMove(editor, m.x, m.y);
        }
        const QImage page = editor.page.copy();
        const SelectionRect rect = editor.editing.SelRect;
        I1MouseUp(editor, PointerButton::Left, 130, 110);
        return std::tuple(documentBytes(), page, rect);
    };
    const auto single = run(false);
    const auto together = run(true);
    EXPECT_EQ(std::get<0>(together), std::get<0>(single));
    EXPECT_TRUE(std::get<1>(together) == std::get<1>(single));
    EXPECT_EQ(std::get<2>(together), std::get<2>(single));
    // And the moves did change the records.
    EXPECT_NE(parseRecords(std::get<0>(single))[0], doc[0]);
}

TEST_F(PointerSelection, PressOutsideTheSelectionStartsANewRectangle)
{
    drag({10, 20}, {{50, 60}});
    ASSERT_TRUE(editor.editing.SelectionPresent);
    I1MouseDown(editor, PointerButton::Left, 50, 60);  // the larger corner is outside
    EXPECT_FALSE(editor.editing.SelectionPresent);
    EXPECT_FALSE(editor.editing.MovingSelection);
    EXPECT_EQ(editor.editing.SelRect.SelX1, 50);
    EXPECT_EQ(editor.editing.SelRect.SelX2, 50);  // the old second corner stays
    EXPECT_TRUE(editor.editing.Modified);
}

}  // namespace
}  // namespace veltrano
