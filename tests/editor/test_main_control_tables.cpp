// The tables of the move buttons, colour buttons and line lengths: each
// start value the window shows is the value the editor starts with.

#include "editor/main_control_tables.h"
#include "editor/tool_state.h"

#include <gtest/gtest.h>

#include <set>

namespace veltrano {
namespace {

TEST(MainControlTables, StartValuesAgreeWithWhatTheControlsShow)
{
    // ComboBox1 starts on "30", and so does LineLength.
    ASSERT_LT(std::size_t(kStartLineLengthIndex), lineLengthItems().size());
    EXPECT_EQ(lineLengthItems()[kStartLineLengthIndex], 30);
    EXPECT_EQ(startLineLength(), 30.0);
    EXPECT_EQ(ToolState{}.LineLength, startLineLength());

    // Exactly one colour is pressed at start: black, the start colour.
    int pressed = 0;
    for (const ColourButton& row : colourButtons())
        pressed += row.downAtStart ? 1 : 0;
    EXPECT_EQ(pressed, 1);
    EXPECT_EQ(startColour(), kBlack);
    EXPECT_EQ(ToolState{}.CurrentColour, startColour());
}

TEST(MainControlTables, MoveButtonsHaveDistinctRepeatCodesAndAreFoundByName)
{
    std::set<int> codes;
    for (const MoveButton& row : moveButtons()) {
        EXPECT_TRUE(codes.insert(row.repeatCode).second) << row.name;
        EXPECT_EQ(findMoveButton(row.name), &row);
    }
    EXPECT_EQ(codes, (std::set<int>{1, 2, 3, 4}));
    EXPECT_EQ(findMoveButton("SpeedButton44"), nullptr);
    EXPECT_EQ(findMoveButton("SpeedButton46")->picture, ButtonPicture::ArrowRight);
}

}  // namespace
}  // namespace veltrano
