#include "editor/editing_state.h"
#include "editor/tool_state.h"
#include "render/canvas.h"
#include "editor_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace veltrano {
namespace {

TEST(SelectionRect, SmallerBoundInsideLargerOutsideInEitherDragDirection)
{
    const SelectionRect forward{10, 20, 30, 40};
    const SelectionRect backward{20, 10, 40, 30};
    for (const SelectionRect& r : {forward, backward}) {
        EXPECT_TRUE(r.containsX(10));
        EXPECT_TRUE(r.containsX(19.999));
        EXPECT_FALSE(r.containsX(20));
        EXPECT_FALSE(r.containsX(9.999));
        EXPECT_TRUE(r.containsY(30));
        EXPECT_FALSE(r.containsY(40));
        EXPECT_TRUE(r.contains(10, 30));
        EXPECT_TRUE(r.contains(15.5, 39.5));
        EXPECT_FALSE(r.contains(20, 35));
        EXPECT_FALSE(r.contains(15, 40));
        EXPECT_FALSE(r.contains(25, 35));
    }
}

TEST(SelectionRect, EqualBoundsAndTheToolButtonRectangleContainNothing)
{
    EXPECT_FALSE(kEmptySelectionRect.contains(1, 1));
    EXPECT_FALSE(kEmptySelectionRect.contains(0.5, 0.5));
    EXPECT_FALSE(kEmptySelectionRect.contains(1.5, 1.5));
    EXPECT_EQ(kEmptySelectionRect, (SelectionRect{1, 1, 1, 1}));

    const SelectionRect line{50, 50, 0, 100};  // no width: nothing inside
    EXPECT_TRUE(line.containsY(10));
    EXPECT_FALSE(line.contains(50, 10));

    const SelectionRect zero;  // the start-up rectangle
    EXPECT_FALSE(zero.contains(0, 0));
}

TEST(SelectionRect, NegativeCornersAndNonNumbers)
{
    const SelectionRect r{-30, 5, 5, -30};
    EXPECT_TRUE(r.contains(-30, -30));
    EXPECT_TRUE(r.contains(4.9, 4.9));
    EXPECT_FALSE(r.contains(5, 0));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(r.contains(nan, 0));
    EXPECT_FALSE(r.contains(0, nan));
    EXPECT_FALSE(r.containsX(-std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(r.containsX(1e300));
}

TEST(SelectionMarks, GrowBeyondTheClassicTableAndKeepEarlierMarks)
{
    SelectionMarks marks;
    EXPECT_EQ(marks.size(), 5001u);
    EXPECT_EQ(marks.markedCount(), 0u);
    marks.mark(0);
    marks.mark(5000);
    EXPECT_TRUE(marks[5000]);
    EXPECT_FALSE(marks[5001]);
    EXPECT_FALSE(marks.isMarked(4'000'000'000u));  // far beyond: unmarked, no growth
    EXPECT_EQ(marks.size(), 5001u);

    marks.mark(70'000);
    EXPECT_GE(marks.size(), 70'001u);
    EXPECT_TRUE(marks[0]);
    EXPECT_TRUE(marks[5000]);
    EXPECT_TRUE(marks[70'000]);
    EXPECT_FALSE(marks[69'999]);
    EXPECT_EQ(marks.markedCount(), 3u);
    EXPECT_TRUE(marks.bits()[70'000]);

    const std::uint32_t grown = marks.size();
    marks.mark(grown + 10, false);  // clearing beyond the table needs no room
    EXPECT_EQ(marks.size(), grown);

    marks.mark(5000, false);
    EXPECT_FALSE(marks[5000]);
    marks.clearAll();
    EXPECT_EQ(marks.markedCount(), 0u);
    EXPECT_EQ(marks.size(), grown);
}

using EditorDefaults = test::EditorTest;

TEST_F(EditorDefaults, StartUpValuesOfToolEditingAndViewState)
{
    const ToolState& tools = editor.tools;
    EXPECT_EQ(tools.LeftTool, 255);
    EXPECT_EQ(tools.RightLabel, 38);
    EXPECT_EQ(tools.RingStep, 30.0);
    EXPECT_EQ(tools.LineLength, 30.0);
    EXPECT_EQ(tools.CurrentColour, 0u);
    EXPECT_TRUE(tools.GridOn);

    const EditingState& s = editor.editing;
    EXPECT_EQ(s.RecordBuffer, ElementRecord{});
    EXPECT_FALSE(s.PressActive);
    EXPECT_EQ(s.DragStart.x, 0.0);
    EXPECT_EQ(s.DragStart.y, 0.0);
    EXPECT_EQ(s.FeedbackEnd.x, 0.0);
    EXPECT_EQ(s.FeedbackEnd.y, 0.0);
    EXPECT_EQ(s.SelRect, (SelectionRect{0, 0, 0, 0}));
    EXPECT_FALSE(s.SelectionPresent);
    EXPECT_EQ(s.SelMarks.markedCount(), 0u);
    EXPECT_FALSE(s.MovingSelection);
    EXPECT_EQ(s.MoveLast.x, 0);
    EXPECT_EQ(s.MoveLast.y, 0);
    EXPECT_FALSE(s.Modified);

    EXPECT_EQ(editor.view.OffsetX, 0.0);
    EXPECT_EQ(editor.view.Scale, 1.0);
    EXPECT_EQ(editor.page.width(), kPageWidth);
    EXPECT_EQ(editor.page.height(), kPageHeight);
    EXPECT_EQ(&editor.canvas.image(), &editor.page);
    EXPECT_EQ(editor.canvas.pixel(600, 500), kWhite);

    // Building the editor touches neither the window nor the disk.
    EXPECT_TRUE(ui.log.empty());
    EXPECT_FALSE(test::fileExists(editor.workingFile.path()));
    EXPECT_EQ(editor.workingFile.workDir().rfind(workDir.path().toStdString(), 0), 0u);
}

}  // namespace
}  // namespace veltrano
