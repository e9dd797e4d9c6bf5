// The colour buttons, the colour dialog, the raster switch, "Einzeln
// löschen" and the line length box.

#include "commands/colour_commands.h"
#include "commands/view_commands.h"
#include "document/element_kind.h"
#include "editor/editor_fixture.h"
#include "editor/pointer.h"

#include <gtest/gtest.h>

namespace veltrano {
namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;

using ColourCommands = test::EditorTest;
using ViewCommands = test::EditorTest;

TEST_F(ColourCommands, ASelectionIsRecolouredAndKeepsItsFrameWhileTheCurrentColourStays)
{
    writeDocument({makeRecord(kind::SingleBond, 100, 100, 130, 100), makeRecord(5, 200, 200, 12, 0),
                   makeRecord(kind::SingleBond, 300, 300, 330, 300)});
    editor.editing.SelMarks.mark(0);
    editor.editing.SelMarks.mark(1);
    editor.editing.SelRect = SelectionRect{95, 240, 95, 220};
    editor.editing.SelectionPresent = true;

    colourButtonClick(editor, Control::SpeedButton13);

    const auto records = editor.workingFile.readAll();
    EXPECT_EQ(records[0].color, std::int32_t(kRed));
    EXPECT_EQ(records[1].color, std::int32_t(kRed));
    EXPECT_EQ(records[2].color, 0);
    EXPECT_EQ(editor.tools.CurrentColour, kBlack);
    EXPECT_TRUE(ui.isDown("SpeedButton13"));
    EXPECT_TRUE(editor.editing.SelectionPresent);
    EXPECT_TRUE(ui.isEnabled(ui::kDeleteItem));
    EXPECT_EQ(editor.page.pixel(95, 95) & 0xFFFFFF, 0u);          // the frame's corner
    EXPECT_EQ(editor.page.pixel(110, 100) & 0xFFFFFF, 0xFF0000u); // the bond, red as RGB
    EXPECT_FALSE(editor.editing.Modified);
    EXPECT_FALSE(test::fileExists(editor.workingFile.pathOf(workfile::Snapshot)));

    // Without a selection the button sets the colour of what comes next.
    editor.editing.SelectionPresent = false;
    colourButtonClick(editor, Control::SpeedButton14);
    EXPECT_EQ(editor.tools.CurrentColour, kBlue);
    EXPECT_EQ(editor.workingFile.readAll()[2].color, 0);
}

TEST_F(ColourCommands, TheDialogOpensWithTheColourConfirmedLastAndACancelChangesNothing)
{
    ui.colourDialogAnswers = {Colour(0x123456), std::nullopt, Colour(0x00FF00)};
    SpeedButton17Click(editor);
    EXPECT_EQ(editor.tools.CurrentColour, 0x123456u);
    SpeedButton17Click(editor);
    EXPECT_EQ(editor.tools.CurrentColour, 0x123456u);
    SpeedButton17Click(editor);
    EXPECT_EQ(editor.tools.CurrentColour, 0x00FF00u);
    EXPECT_EQ(ui.colourDialogs, (std::vector<Colour>{kBlack, 0x123456, 0x123456}));
    EXPECT_TRUE(ui.isDown("SpeedButton17"));

    // A selection is not recoloured by the dialog.
    writeDocument({makeRecord(kind::SingleBond, 100, 100, 130, 100)});
    editor.editing.SelMarks.mark(0);
    editor.editing.SelectionPresent = true;
    ui.colourDialogAnswers = {Colour(kRed)};
    SpeedButton17Click(editor);
    EXPECT_EQ(editor.workingFile.readAll()[0].color, 0);
}

TEST_F(ViewCommands, TheRasterSwitchTogglesWithItsCaption)
{
    Button1Click(editor);
    EXPECT_FALSE(editor.tools.GridOn);
    EXPECT_EQ(ui.text(ui::kGridButton), "Raster ist aus");
    Button1Click(editor);
    EXPECT_TRUE(editor.tools.GridOn);
    EXPECT_EQ(ui.text(ui::kGridButton), "Raster ist an");
}

TEST_F(ViewCommands, EinzelnLoeschenRemovesTheLastRecordAndMarksTheDocumentChanged)
{
    editor.workingFile.createEmpty();
    BitBtn1Click(editor);
    EXPECT_EQ(editor.workingFile.recordCount(), 0u);
    EXPECT_TRUE(editor.editing.Modified);

    const ElementRecord bond = makeRecord(kind::SingleBond, 100, 100, 130, 100);
    writeDocument({bond, makeRecord(65 + 50, 10, 10, 12, 0), makeRecord(66 + 50, 20, 10, 12, 0)});
    BitBtn1Click(editor);
    BitBtn1Click(editor);
    EXPECT_EQ(editor.workingFile.readAll(), std::vector<ElementRecord>{bond});
    EXPECT_EQ(editor.page.pixel(110, 100) & 0xFFFFFF, 0u);
    EXPECT_FALSE(test::fileExists(editor.workingFile.pathOf(workfile::Snapshot)));
}

TEST_F(ViewCommands, LineLengthBoxTakesIntegersAndPutsTheLengthBackForAnythingElse)
{
    struct Case {
        std::string typed;
        double length;      // LineLength afterwards
        std::string shown;  // the box's text afterwards
    };
    const Case cases[] = {
        {"45", 45, "45"},   {"abc", 45, "45"}, {"0", 0, "0"},        {"-10", -10, "-10"},
        {"", -10, ""},      {"4.5", -10, "-10"}, {" 20", 20, " 20"}, {"+25", 25, "+25"},
        {"99999999999", 25, "25"}, {"30x", 25, "25"}, {"-", 25, "-"}, {"--", 25, "25"},
    };
    for (const Case& c : cases) {
        ui.setText(ui::kLineLengthBox, c.typed);
        ComboBox1Change(editor);
        EXPECT_EQ(editor.tools.LineLength, c.length) << c.typed;
        EXPECT_EQ(ui.text(ui::kLineLengthBox), c.shown) << c.typed;
    }
}

TEST_F(ViewCommands, ZeroAndNegativeLengthsStillDraw)
{
    editor.workingFile.createEmpty();
    for (const char* length : {"0", "-10"}) {
        ui.setText(ui::kLineLengthBox, length);
        ComboBox1Change(editor);
        I1MouseDown(editor, PointerButton::Left, 200, 200);
        I1MouseMove(editor, 260, 230);
        I1MouseUp(editor, PointerButton::Left, 260, 230);
    }
    // Both bonds are in the document; a negative length points backwards.
    const auto records = editor.workingFile.readAll();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].X1(), records[0].X2());
    EXPECT_LT(records[1].X2(), records[1].X1());
}

}  // namespace
}  // namespace veltrano
