#include "editor/palette.h"

#include "editor/full_repaint.h"
#include "editor_fixture.h"
#include "render/canvas_test_util.h"

#include <gtest/gtest.h>

namespace veltrano {
namespace {

using test::nonWhitePixels;

class PaletteTest : public test::EditorTest {
protected:
    // A document with one bond, a selection of it with its frame on screen,
    // and a stray pixel that only a repaint removes.
    void SetUp() override
    {
        writeDocument({makeRecord(kind::SingleBond, 300, 300, 330, 300)});
        editor.editing.SelectionPresent = true;
        editor.editing.SelMarks.mark(0);
        editor.editing.SelRect = {290, 340, 290, 310};
        SelectionFrame(editor);
        editor.canvas.setPixel(900, 900, kBlack);
        ui.clearLog();
    }

    const PaletteButton& button(std::string_view name)
    {
        const PaletteButton* found = findPaletteButton(name);
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
};

TEST_F(PaletteTest, LeftToolDropsTheSelectionRepaintsAndEmptiesTheRectangle)
{
    ASSERT_TRUE(PaletteButtonClick(editor, "SpeedButton2"));

    EXPECT_EQ(editor.tools.LeftTool, kind::DoubleBond);
    EXPECT_FALSE(editor.editing.SelectionPresent);
    EXPECT_EQ(editor.editing.SelRect, kEmptySelectionRect);
    EXPECT_TRUE(editor.editing.SelMarks[0]);  // marks stay, only the flag ends
    EXPECT_EQ(ui.log, (std::vector<std::string>{"setEnabled ComboBox2 0", "setEnabled GroupBox2 1",
                                                "setEnabled Lschen1 0", "setEnabled Kopieren1 0",
                                                "pageChanged 0,0 1200x1000"}));
    // The frame and the stray pixel are gone, the bond is drawn again.
    EXPECT_EQ(editor.canvas.pixel(900, 900), kWhite);
    EXPECT_EQ(editor.canvas.pixel(290, 290), kWhite);
    EXPECT_EQ(editor.canvas.pixel(310, 300), kBlack);
}

TEST_F(PaletteTest, EveryLeftToolStoresItsCode)
{
    ui.itemIndices["ComboBox2"] = 0;
    for (const PaletteButton& tool : leftToolButtons()) {
        if (tool.code == kind::SelectTool)
            continue;
        editor.tools.LeftTool = 0;
        leftToolClick(editor, tool);
        EXPECT_EQ(editor.tools.LeftTool, tool.code) << tool.name;
        EXPECT_EQ(ui.isEnabled(Control::ComboBox2), tool.name == "SpeedButton68") << tool.name;
        EXPECT_TRUE(ui.isEnabled(Control::GroupBox2));
        EXPECT_EQ(editor.editing.SelRect, kEmptySelectionRect);
    }
}

TEST_F(PaletteTest, SelectToolKeepsSelectionFrameAndRectangleAndLocksTheLabels)
{
    const QImage before = editor.page.copy();
    PaletteButtonClick(editor, "SpeedButton2");  // any tool first: enables the labels
    editor.editing.SelectionPresent = true;
    editor.editing.SelRect = {290, 340, 290, 310};
    SelectionFrame(editor);
    const QImage framed = editor.page.copy();
    ui.clearLog();

    ASSERT_TRUE(PaletteButtonClick(editor, "SpeedButton67"));

    EXPECT_EQ(editor.tools.LeftTool, kind::SelectTool);
    EXPECT_TRUE(editor.editing.SelectionPresent);
    EXPECT_EQ(editor.editing.SelRect, (SelectionRect{290, 340, 290, 310}));
    EXPECT_EQ(ui.log, (std::vector<std::string>{"setEnabled ComboBox2 0", "setEnabled GroupBox2 0"}));
    EXPECT_FALSE(ui.isEnabled(Control::GroupBox2));
    EXPECT_TRUE(editor.page == framed);
    EXPECT_FALSE(before == framed);  // the first click did repaint
}

TEST_F(PaletteTest, ArrowToolFollowsTheCurvatureBox)
{
    ui.itemIndices["ComboBox2"] = 5;  // "-2"
    PaletteButtonClick(editor, "SpeedButton68");
    EXPECT_EQ(editor.tools.LeftTool, 411);
    EXPECT_TRUE(ui.isEnabled(Control::ComboBox2));

    ui.itemIndices["ComboBox2"] = 3;  // "3": takes effect without another click
    ComboBox2Change(editor);
    EXPECT_EQ(editor.tools.LeftTool, 409);

    ui.itemIndices["ComboBox2"] = 0;
    ComboBox2Change(editor);
    EXPECT_EQ(editor.tools.LeftTool, kind::StraightArrow);

    // No item chosen: the tool stays, everything else of the click happens.
    editor.tools.LeftTool = kind::TripleBond;
    ui.itemIndices["ComboBox2"] = -1;
    ComboBox2Change(editor);
    EXPECT_EQ(editor.tools.LeftTool, kind::TripleBond);
    editor.editing.SelRect = {5, 6, 7, 8};
    PaletteButtonClick(editor, "SpeedButton68");
    EXPECT_EQ(editor.tools.LeftTool, kind::TripleBond);
    EXPECT_EQ(editor.editing.SelRect, kEmptySelectionRect);
}

TEST_F(PaletteTest, RightLabelsStoreTheirCodeAndNothingElse)
{
    const QImage before = editor.page.copy();
    for (const PaletteButton& label : rightLabelButtons()) {
        editor.tools.RightLabel = 999;
        ASSERT_TRUE(PaletteButtonClick(editor, label.name));
        EXPECT_EQ(editor.tools.RightLabel, label.code) << label.name;
    }
    EXPECT_TRUE(ui.log.empty());
    EXPECT_TRUE(editor.editing.SelectionPresent);
    EXPECT_TRUE(editor.page == before);

    PaletteButtonClick(editor, "SpeedButton55");
    EXPECT_EQ(editor.tools.RightLabel, 38);
    PaletteButtonClick(editor, "SpeedButton38");
    EXPECT_EQ(editor.tools.RightLabel, kind::TextTool);
    PaletteButtonClick(editor, "SpeedButton80");
    EXPECT_EQ(editor.tools.RightLabel, 544);
    PaletteButtonClick(editor, "speedbutton31");
    EXPECT_EQ(editor.tools.RightLabel, 39);
}

TEST_F(PaletteTest, RingSizesStoreTheAngleStep)
{
    PaletteButtonClick(editor, "SpeedButton56");
    EXPECT_EQ(editor.tools.RingStep, 18.0);
    PaletteButtonClick(editor, "SpeedButton58");
    EXPECT_DOUBLE_EQ(editor.tools.RingStep, 12.857142857142858);
    EXPECT_EQ(editor.tools.RingStep, 90.0 / 7.0);
    PaletteButtonClick(editor, "SpeedButton57");
    EXPECT_EQ(editor.tools.RingStep, 30.0);
    EXPECT_TRUE(ui.log.empty());
    EXPECT_EQ(editor.tools.LeftTool, kind::SingleBond);
}

TEST_F(PaletteTest, UnknownNamesDoNothing)
{
    const ToolState before = editor.tools;
    EXPECT_FALSE(PaletteButtonClick(editor, "SpeedButton11"));  // a colour button, not a palette tool
    EXPECT_FALSE(PaletteButtonClick(editor, "SpeedButton31"));  // the label button is spelled in lower case
    EXPECT_FALSE(PaletteButtonClick(editor, ""));
    EXPECT_EQ(editor.tools.LeftTool, before.LeftTool);
    EXPECT_EQ(editor.tools.RightLabel, before.RightLabel);
    EXPECT_TRUE(ui.log.empty());
    EXPECT_TRUE(editor.editing.SelectionPresent);
}

}  // namespace
}  // namespace veltrano
