// The move buttons: which points of which records move, the selection
// rectangle and its frame, and the repeat through Timer2.

#include "commands/move_commands.h"
#include "document/element_kind.h"
#include "editor/editor_fixture.h"
#include "editor/full_repaint.h"
#include "render/canvas_test_util.h"

#include <gtest/gtest.h>

namespace veltrano {
namespace {

class MoveCommands : public test::EditorTest {
protected:
    std::vector<ElementRecord> records() const { return editor.workingFile.readAll(); }

    void select(std::initializer_list<std::uint32_t> positions, SelectionRect rect)
    {
        for (std::uint32_t p : positions)
            editor.editing.SelMarks.mark(p);
        editor.editing.SelRect = rect;
        editor.editing.SelectionPresent = true;
    }
};

TEST_F(MoveCommands, SelectedRecordsMoveByTheirKindsPointsAndTheFrameFollows)
{
    const std::vector<ElementRecord> before = {
        makeRecord(kind::SingleBond, 100, 100, 130, 100),  // 0: both points
        makeRecord(5, 100, 60, 12, 0),                     // 1: label, x2 is its size
        makeRecord(450, 10, 10, 20, 20),                   // 2: undrawn, in the arrow range: both points
        makeRecord(kind::SelectTool, 10, 10, 20, 20),      // 3: never moves with a selection
        makeRecord(600, 10, 10, 20, 20),                   // 4: neither
        makeRecord(kind::SingleBond, 300, 300, 330, 300),  // 5: not marked
    };
    writeDocument(before);
    select({0, 1, 2, 3, 4}, SelectionRect{95, 135, 95, 105});

    SpeedButton46Click(editor);

    const auto after = records();
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after[0], makeRecord(kind::SingleBond, 101, 100, 131, 100));
    EXPECT_EQ(after[1], makeRecord(5, 101, 60, 12, 0));
    EXPECT_EQ(after[2], makeRecord(450, 11, 10, 21, 20));
    EXPECT_EQ(after[3], before[3]);
    EXPECT_EQ(after[4], before[4]);
    EXPECT_EQ(after[5], before[5]);
    EXPECT_EQ(editor.editing.SelRect, (SelectionRect{96, 136, 95, 105}));
    EXPECT_TRUE(editor.editing.SelectionPresent);
    EXPECT_TRUE(ui.isEnabled(ui::kDeleteItem));
    EXPECT_TRUE(ui.isEnabled(ui::kCopyItem));
    // The frame is on the page at its new place: its top-left corner pixel
    // and nothing of the old left side.
    EXPECT_EQ(editor.page.pixel(96, 95) & 0xFFFFFF, 0u);
    EXPECT_EQ(editor.page.pixel(95, 97) & 0xFFFFFF, 0xFFFFFFu);

    // The other three directions, each on its own axis only.
    SpeedButton45Click(editor);
    SpeedButton47Click(editor);
    SpeedButton48Click(editor);
    SpeedButton48Click(editor);
    EXPECT_EQ(records()[0], makeRecord(kind::SingleBond, 100, 101, 130, 101));
    EXPECT_EQ(editor.editing.SelRect, (SelectionRect{95, 135, 96, 106}));
    // No step takes a snapshot or counts as a change.
    EXPECT_FALSE(test::fileExists(editor.workingFile.pathOf(workfile::Snapshot)));
    EXPECT_FALSE(editor.editing.Modified);
}

TEST_F(MoveCommands, WithoutSelectionEverythingMovesAndNoFrameIsDrawn)
{
    writeDocument({
        makeRecord(kind::SingleBond, 100, 100, 130, 100),
        makeRecord(5, 100, 60, 12, 0),
        makeRecord(kind::SelectTool, 10, 10, 20, 20),  // first point only
        makeRecord(600, 10, 10, 20, 20),               // first point only
    });
    editor.editing.SelRect = SelectionRect{0, 500, 0, 500};
    SpeedButton45Click(editor);

    const auto after = records();
    EXPECT_EQ(after[0], makeRecord(kind::SingleBond, 100, 99, 130, 99));
    EXPECT_EQ(after[1], makeRecord(5, 100, 59, 12, 0));
    EXPECT_EQ(after[2], makeRecord(kind::SelectTool, 10, 9, 20, 20));
    EXPECT_EQ(after[3], makeRecord(600, 10, 9, 20, 20));
    EXPECT_FALSE(editor.editing.SelectionPresent);
    EXPECT_EQ(editor.editing.SelRect, (SelectionRect{0, 500, 0, 500}));
    // Only the bond is on the page: no frame along the page's top-left.
    EXPECT_EQ(editor.page.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(editor.page.pixel(110, 99) & 0xFFFFFF, 0u);
}

TEST_F(MoveCommands, TimerTicksStepInTheDirectionOfTheirCodeAndAFailureStopsTheRepeat)
{
    writeDocument({makeRecord(kind::SingleBond, 100, 100, 130, 100)});
    moveButtonPressed(editor, 4);
    EXPECT_TRUE(ui.isTimerRunning(ui::kMoveRepeatTimer));
    // Five ticks while the left button is held, then the click's own step:
    // a hold of about 400 ms moves by six pixels.
    for (int tick = 0; tick < 5; ++tick)
        Timer2Timer(editor);
    moveButtonReleased(editor);
    EXPECT_FALSE(ui.isTimerRunning(ui::kMoveRepeatTimer));
    SpeedButton48Click(editor);
    EXPECT_EQ(records()[0], makeRecord(kind::SingleBond, 100, 106, 130, 106));

    // Codes without a direction do nothing.
    for (int code : {0, 5, -1}) {
        editor.editing.Timer2Tag = code;
        Timer2Timer(editor);
    }
    EXPECT_EQ(records()[0], makeRecord(kind::SingleBond, 100, 106, 130, 106));

    // A step that cannot read the document stops the repeat, so no error box
    // is stacked on every further tick.
    moveButtonPressed(editor, 1);
    std::filesystem::remove(editor.workingFile.path());
    EXPECT_ANY_THROW(Timer2Timer(editor));
    EXPECT_FALSE(ui.isTimerRunning(ui::kMoveRepeatTimer));
}

}  // namespace
}  // namespace veltrano
