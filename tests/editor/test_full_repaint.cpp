#include "editor/full_repaint.h"

#include "document/io_error.h"
#include "editor_fixture.h"
#include "render/canvas_test_util.h"
#include "render/painter.h"
#include "render/page.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

namespace veltrano {
namespace {

using test::PixelList;
using test::nonWhitePixels;
using test::sorted;

using FullRepaintTest = test::EditorTest;

// The column or row runs of a dashed axis-parallel line, as the dash rule
// gives them for a 70-pixel line: every dash omits its end pixel.
PixelList column(int x, std::initializer_list<std::pair<int, int>> runs)
{
    PixelList pixels;
    for (auto [from, to] : runs)
        for (int y = from; y <= to; ++y)
            pixels.emplace_back(x, y);
    return pixels;
}

PixelList row(int y, std::initializer_list<std::pair<int, int>> runs)
{
    PixelList pixels;
    for (auto [from, to] : runs)
        for (int x = from; x <= to; ++x)
            pixels.emplace_back(x, y);
    return pixels;
}

PixelList joined(std::initializer_list<PixelList> parts)
{
    PixelList all;
    for (const PixelList& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return sorted(all);
}

TEST_F(FullRepaintTest, EndsTheSelectionButKeepsMarksAndRectangle)
{
    writeDocument({makeRecord(kind::SingleBond, 10, 10, 40, 10)});
    editor.editing.SelectionPresent = true;
    editor.editing.SelMarks.mark(0);
    editor.editing.SelMarks.mark(7);
    editor.editing.SelRect = {5, 50, 5, 50};
    ui.setEnabled(ui::kDeleteItem, true);
    ui.setEnabled(ui::kCopyItem, true);
    ui.clearLog();

    FullRepaint(editor);

    EXPECT_FALSE(editor.editing.SelectionPresent);
    EXPECT_TRUE(editor.editing.SelMarks[0]);
    EXPECT_TRUE(editor.editing.SelMarks[7]);
    EXPECT_EQ(editor.editing.SelMarks.markedCount(), 2u);
    EXPECT_EQ(editor.editing.SelRect, (SelectionRect{5, 50, 5, 50}));
    EXPECT_FALSE(ui.isEnabled(ui::kDeleteItem));
    EXPECT_FALSE(ui.isEnabled(ui::kCopyItem));
    EXPECT_EQ(ui.log, (std::vector<std::string>{"setEnabled Lschen1 0", "setEnabled Kopieren1 0",
                                                "pageChanged 0,0 1200x1000"}));
}

TEST_F(FullRepaintTest, RemovesFrameAndStrayPixelsAndDrawsTheDocument)
{
    // Dashed bonds of 70 pixels: dashes 0-9, 20-29, 40-49, 60-69 of the way.
    const ElementRecord across = makeRecord(kind::DashedBond, 100, 300, 170, 300);
    const ElementRecord down = makeRecord(kind::DashedBond, 700, 700, 700, 770, 0x0000FF);
    writeDocument({across, down});
    editor.editing.SelRect = {10, 80, 10, 80};
    SelectionFrame(editor);
    editor.canvas.setPixel(900, 900, makeColour(255, 0, 0));

    FullRepaint(editor);

    const PixelList acrossPixels = row(300, {{100, 109}, {120, 129}, {140, 149}, {160, 169}});
    const PixelList downPixels = column(700, {{700, 709}, {720, 729}, {740, 749}, {760, 769}});
    EXPECT_EQ(nonWhitePixels(editor.page), joined({acrossPixels, downPixels}));
    for (auto [x, y] : acrossPixels)
        EXPECT_EQ(editor.canvas.pixel(x, y), kBlack);
    for (auto [x, y] : downPixels)
        EXPECT_EQ(editor.canvas.pixel(x, y), makeColour(255, 0, 0));
    EXPECT_EQ(editor.editing.RecordBuffer, down);  // the last record read
}

// A repaint of an unchanged document only takes the frames drawn since off
// the page: whatever was drawn in between, the page ends as a repaint from
// scratch leaves it.
TEST_F(FullRepaintTest, RepaintAfterFramesEndsAsARepaintFromScratch)
{
    std::vector<ElementRecord> records = {makeRecord(kind::SingleBond, 100, 100, 300, 140, 0x0000FF),
                                          makeRecord(kind::TripleBond, 120, 90, 120, 260),
                                          makeRecord(20, 110, 95, 24, 0),  // "OH" across both bonds
                                          makeRecord(kind::CurvedArrowFirst, 90, 250, 400, 120, 0x00FF00)};
    auto fromScratch = [&records] {
        QImage page = makeBlankPage();
        Canvas canvas(page);
        RepaintFile(canvas, ViewState{}, records);
        return page;
    };
    writeDocument(records);
    FullRepaint(editor);

    // Overlapping frames, through the page's edges and far beyond them.
    editor.editing.SelRect = {115, 300, 95, 200};
    SelectionFrame(editor);
    dashedFrame(editor, 300, 200, 105, 120);
    dashedFrame(editor, -2147483647 - 1, -50, 2147483647, 130);
    FullRepaint(editor);
    EXPECT_TRUE(editor.page == fromScratch());

    // Something else drawn over a frame: the whole document is painted.
    SelectionFrame(editor);
    editor.canvas.setPixel(600, 600, makeColour(255, 0, 0));
    FullRepaint(editor);
    EXPECT_TRUE(editor.page == fromScratch());

    // The document changed under a frame (a record recoloured in place).
    SelectionFrame(editor);
    records[2].color = 0x0000FF;
    writeDocument(records);
    FullRepaint(editor);
    EXPECT_TRUE(editor.page == fromScratch());

    // A frame, then a repaint in another view.
    SelectionFrame(editor);
    editor.view.OffsetX = 20;
    FullRepaint(editor);
    QImage shifted = makeBlankPage();
    Canvas canvas(shifted);
    RepaintFile(canvas, editor.view, records);
    EXPECT_TRUE(editor.page == shifted);
}

TEST_F(FullRepaintTest, EmptyDocumentGivesAWhitePageAndLeavesTheRecordBuffer)
{
    writeDocument({});
    const ElementRecord before = makeRecord(kind::TripleBond, 1, 2, 3, 4, 0x123456);
    editor.editing.RecordBuffer = before;
    editor.canvas.setPixel(3, 3, kBlack);

    FullRepaint(editor);

    EXPECT_TRUE(nonWhitePixels(editor.page).empty());
    EXPECT_EQ(editor.editing.RecordBuffer, before);
}

TEST_F(FullRepaintTest, UnreadableDocumentThrowsWithTheSelectionEndedAndThePageBlank)
{
    ASSERT_FALSE(std::filesystem::exists(editor.workingFile.path()));
    editor.editing.SelectionPresent = true;
    editor.canvas.setPixel(3, 3, kBlack);

    EXPECT_THROW(FullRepaint(editor), IoError);

    EXPECT_FALSE(editor.editing.SelectionPresent);
    EXPECT_TRUE(nonWhitePixels(editor.page).empty());
    EXPECT_TRUE(ui.logged("setEnabled Lschen1 0"));
    EXPECT_TRUE(ui.logged("pageChanged 0,0 1200x1000"));
}

TEST_F(FullRepaintTest, SelectionFrameDrawsFourDashedSidesInBlackWidthOne)
{
    editor.canvas.setPenColour(makeColour(255, 0, 0));
    editor.canvas.setPenWidth(5);
    editor.editing.SelRect = {100, 170, 200, 270};
    ui.clearLog();

    SelectionFrame(editor);

    // Left side down, bottom to the right, right side up, top to the right;
    // the right side is drawn upward, so its dashes omit their upper ends.
    const PixelList expected = joined({
        column(100, {{200, 209}, {220, 229}, {240, 249}, {260, 269}}),
        row(270, {{100, 109}, {120, 129}, {140, 149}, {160, 169}}),
        column(170, {{201, 210}, {221, 230}, {241, 250}, {261, 270}}),
        row(200, {{100, 109}, {120, 129}, {140, 149}, {160, 169}}),
    });
    EXPECT_EQ(nonWhitePixels(editor.page), expected);
    for (auto [x, y] : expected)
        EXPECT_EQ(editor.canvas.pixel(x, y), kBlack);
    EXPECT_EQ(editor.canvas.penWidth(), 1);
    EXPECT_EQ(ui.log, (std::vector<std::string>{"pageChanged 100,200 71x71"}));
}

TEST_F(FullRepaintTest, DegenerateFrameDrawsItsVerticalSidesOnTopOfEachOther)
{
    editor.editing.SelRect = {100, 100, 100, 170};
    SelectionFrame(editor);
    // Down from 100 and up from 170: the dashes of both sides together.
    EXPECT_EQ(nonWhitePixels(editor.page), column(100, {{100, 110}, {120, 130}, {140, 150}, {160, 170}}));

    editor.workingFile.createEmpty();
    FullRepaint(editor);
    EXPECT_TRUE(nonWhitePixels(editor.page).empty());
}

TEST_F(FullRepaintTest, FrameOfTheToolButtonRectangleDrawsNothing)
{
    editor.editing.SelRect = kEmptySelectionRect;
    SelectionFrame(editor);
    EXPECT_TRUE(nonWhitePixels(editor.page).empty());
}

TEST_F(FullRepaintTest, FrameAreaIsClippedToThePage)
{
    EXPECT_EQ(selectionFrameArea({-50, 30, 990, 2000}), QRect(0, 990, 31, 10));
    EXPECT_EQ(selectionFrameArea({1300, 1400, 10, 20}), QRect());
    EXPECT_EQ(selectionFrameArea({INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN}), QRect(0, 0, 1200, 1000));

    editor.editing.SelRect = {-500, -400, 10, 20};
    ui.clearLog();
    SelectionFrame(editor);  // entirely off the page
    EXPECT_TRUE(nonWhitePixels(editor.page).empty());
    EXPECT_TRUE(ui.log.empty());
}

}  // namespace
}  // namespace veltrano
