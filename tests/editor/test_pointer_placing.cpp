// Right- and middle-button presses that place an element at once: labels,
// Greek letters, free text and the inner line of "DB".

#include "editor/pointer_geometry.h"
#include "pointer_fixture.h"
#include "render/canvas_test_util.h"

#include <gtest/gtest.h>

#include <cmath>

namespace veltrano {
namespace {

using test::expectRecord;

class PointerPlacing : public test::PointerTest {
protected:
    const ElementRecord bond = makeRecord(kind::SingleBond, 100, 100, 130, 100);

    void SetUp() override
    {
        test::PointerTest::SetUp();
        writeDocument({bond});
    }

    void expectOnlyMarked(std::uint32_t first, std::uint32_t count)
    {
        EXPECT_TRUE(editor.editing.SelectionPresent);
        EXPECT_EQ(editor.editing.SelMarks.markedCount(), count);
        for (std::uint32_t i = 0; i < count; ++i)
            EXPECT_TRUE(editor.editing.SelMarks[first + i]) << first + i;
    }
};

TEST_F(PointerPlacing, LabelsWithTheirFontSizeAndOrigin)
{
    editor.tools.RightLabel = 0;  // "O"
    editor.tools.CurrentColour = 0xFF0000;
    click({200, 150});
    editor.tools.RightLabel = 42;  // subscript "4"
    click({300, 150}, PointerButton::Middle);
    editor.tools.RightLabel = 5;  // "COOH"
    editor.tools.LineLength = 50;
    const QImage before = editor.page.copy();
    clearUi();
    click({400, 150});
    // The press repaints the whole page (which draws the earlier labels
    // again), then the label is drawn and only its area is reported.
    ASSERT_EQ(ui.changedAreas.size(), 2u);
    EXPECT_EQ(ui.changedAreas[0], QRect(0, 0, 1200, 1000));
    int changed = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != editor.page.pixel(x, y)) {
                ++changed;
                EXPECT_TRUE(ui.changedAreas[1].contains(x, y)) << x << "," << y;
            }
    EXPECT_GT(changed, 20);

    const auto r = records();
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0], bond);
    expectRecord(r[1], 0, 195, 141, 12, 0, 0xFF0000);
    expectRecord(r[2], 42, 297, 144, 7, 0, 0xFF0000);
    expectRecord(r[3], 5, 391, 134, 21, 0, 0xFF0000);

    // The newest label is the selection; the items stay disabled.
    expectOnlyMarked(3, 1);
    EXPECT_EQ(ui.isEnabled(ui::kDeleteItem), false);
    EXPECT_FALSE(editor.editing.PressActive);
    EXPECT_TRUE(editor.editing.Modified);

}

TEST_F(PointerPlacing, EveryPlacementTakesTheSnapshotFirst)
{
    const auto before = documentBytes();
    editor.tools.RightLabel = 20;  // "OH"
    click({300, 300});
    EXPECT_EQ(test::fileBytes(pathOf(workfile::Snapshot)), before);
    EXPECT_TRUE(ui.logged("setEnabled Undo1 1"));
}

TEST_F(PointerPlacing, GreekAlphaAndNu)
{
    editor.tools.RightLabel = 532;
    click({200, 150});
    editor.tools.RightLabel = 544;
    editor.tools.LineLength = 15;
    click({10, 10});
    const auto r = records();
    ASSERT_EQ(r.size(), 3u);
    expectRecord(r[1], 532, 195, 141, 14, 0);
    expectRecord(r[2], 544, 7, 5, 7, 0);
    expectOnlyMarked(2, 1);
    EXPECT_FALSE(test::nonWhitePixels(editor.page).empty());
}

TEST_F(PointerPlacing, FreeTextWithSubscriptMarker)
{
    editor.tools.RightLabel = kind::TextTool;
    ui.texts["Edit1"] = "H<2O";
    click({200, 150});
    const double cell = 30.0 / 2.3;
    const auto r = records();
    ASSERT_EQ(r.size(), 4u);  // the marker appends nothing
    expectRecord(r[1], 'H' + 50, 195, 141, 14, 0);
    expectRecord(r[2], '2' + 50, 195 + cell, 152, 10, 0);
    expectRecord(r[3], 'O' + 50, 195 + 1.6 * cell, 141, 14, 0);
    expectOnlyMarked(1, 3);
}

TEST_F(PointerPlacing, FreeTextPlacesGreekLettersAndNamesWhatItLeavesOut)
{
    editor.tools.RightLabel = kind::TextTool;
    ui.texts["Edit1"] = "a\u03B1Åb€";
    click({100, 200});
    const auto r = records();
    ASSERT_EQ(r.size(), 5u);
    const double cell = 30.0 / 2.3;
    expectRecord(r[1], 'a' + 50, 95, 191, 14, 0);
    // The alpha takes its cell as the Greek button's letter, same size.
    expectRecord(r[2], 532, 95 + cell, 191, 14, 0);
    expectRecord(r[3], 'b' + 50, 95 + 2 * cell, 191, 14, 0);
    expectRecord(r[4], 0x80 + 50, 95 + 3 * cell, 191, 14, 0);
    expectOnlyMarked(1, 4);
    // The Å was left out, and the user is told so.
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Dieses Zeichen kann in einer Formel nicht gespeichert werden "
                                                    "und wurde ausgelassen: „Å“ (U+00C5)"});

    // A text of markers alone places nothing; the selection is empty.
    ui.texts["Edit1"] = "<";
    click({100, 300});
    EXPECT_EQ(records().size(), 5u);
    EXPECT_TRUE(editor.editing.SelectionPresent);
    EXPECT_EQ(editor.editing.SelMarks.markedCount(), 0u);

    // An empty Edit1 places nothing and makes no selection.
    ui.texts["Edit1"] = "";
    click({100, 400});
    EXPECT_EQ(records().size(), 5u);
    EXPECT_FALSE(editor.editing.SelectionPresent);
}

TEST_F(PointerPlacing, DoubleBondInnerLine)
{
    editor.tools.RightLabel = kind::DoubleBondMarker;
    editor.tools.CurrentColour = 0xFF;
    click({115, 103});
    auto r = records();
    ASSERT_EQ(r.size(), 2u);
    const double offset = 0.8 * std::sqrt(30.0);
    expectRecord(r[1], kind::SingleBond, 103, 100 + offset, 127, 100 + offset, 0xFF);
    EXPECT_NEAR(r[1].Y1(), 104.382, 0.0005);
    // The page was repainted with both lines; no selection.
    EXPECT_FALSE(editor.editing.SelectionPresent);
    EXPECT_EQ(editor.canvas.pixel(115, 100), kBlack);
    EXPECT_EQ(editor.canvas.pixel(115, 104), 0xFFu);

    // With an arrow as the left tool the inner line is an arrow.
    editor.tools.LeftTool = kind::StraightArrow;
    click({115, 97});
    r = records();
    ASSERT_EQ(r.size(), 3u);
    expectRecord(r[2], kind::StraightArrow, 103, 100 - offset, 127, 100 - offset, 0xFF);
}

TEST_F(PointerPlacing, DoubleBondAwayFromEveryBondOnlyTakesTheSnapshot)
{
    editor.tools.RightLabel = kind::DoubleBondMarker;
    const auto before = documentBytes();
    click({400, 400});
    EXPECT_EQ(documentBytes(), before);
    EXPECT_EQ(test::fileBytes(pathOf(workfile::Snapshot)), before);
    EXPECT_TRUE(editor.editing.Modified);

    // An empty document: nothing added either.
    editor.workingFile.createEmpty();
    click({115, 103});
    EXPECT_TRUE(records().empty());
    EXPECT_TRUE(snapshotExists());
}

TEST_F(PointerPlacing, RightPressDuringADrawingDragDropsTheDrag)
{
    editor.tools.RightLabel = 20;  // "OH"
    I1MouseDown(editor, PointerButton::Left, 400, 400);
    I1MouseMove(editor, 460, 400);
    I1MouseDown(editor, PointerButton::Right, 200, 200);
    I1MouseUp(editor, PointerButton::Right, 200, 200);
    I1MouseMove(editor, 400, 460);
    I1MouseUp(editor, PointerButton::Left, 400, 460);
    const auto r = records();
    ASSERT_EQ(r.size(), 2u);  // the bond, and the label once
    expectRecord(r[1], 20, 195, 191, 12, 0);
    EXPECT_FALSE(editor.editing.PressActive);
}

TEST_F(PointerPlacing, RightPressWithSelectToolPlacesNothing)
{
    editor.tools.LeftTool = kind::SelectTool;
    editor.tools.RightLabel = 0;
    const auto before = documentBytes();
    I1MouseDown(editor, PointerButton::Right, 50, 50);
    EXPECT_TRUE(editor.editing.PressActive);
    EXPECT_EQ(editor.editing.SelRect.SelX1, 50);
    I1MouseUp(editor, PointerButton::Right, 50, 50);
    EXPECT_EQ(documentBytes(), before);
    EXPECT_FALSE(snapshotExists());
}

}  // namespace
}  // namespace veltrano
