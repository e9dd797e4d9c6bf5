// The commands of "&Bearbeiten" through the core with a scripted UI port:
// undo as its own redo, delete, copy and paste with their offsets, frames,
// marks and menu states, and documents past the classic 5001 records.

#include "command_fixture.h"
#include "commands/crash_recovery.h"
#include "commands/edit_commands.h"
#include "commands/move_commands.h"
#include "document/element_kind.h"
#include "document/working_file.h"
#include "editor/full_repaint.h"
#include "editor/pointer.h"
#include "editor/take_snapshot.h"
#include "render/page.h"

#include <cerrno>
#include <cstdio>
#include <limits>

namespace veltrano {
namespace {

using test::Bytes;
using test::fileBytes;
using test::fileExists;
using test::putFileBytes;
using test::recordFileBytes;

ElementRecord bond(double x, double y)
{
    return makeRecord(kind::SingleBond, x, y, x + 30, y);
}

class EditCommandTest : public test::CommandTest {
protected:
    // temp.dat holds the records, the page shows them and the marked
    // positions are the selection.
    void selected(const std::vector<ElementRecord>& records, const std::vector<std::uint32_t>& marked)
    {
        writeDocument(records);
        FullRepaint(editor);
        editor.editing.SelMarks.clearAll();
        for (std::uint32_t position : marked)
            editor.editing.SelMarks.mark(position);
        editor.editing.SelectionPresent = true;
        ui.setEnabled(ui::kDeleteItem, true);
        ui.setEnabled(ui::kCopyItem, true);
        ui.clearLog();
    }

    std::vector<ElementRecord> records() const { return editor.workingFile.readAll(); }
    Bytes copyBuffer() const { return fileBytes(editor.workingFile.pathOf(workfile::CopyBuffer)); }

    bool menuEnabled(Control item) const { return ui.isEnabled(item); }
};

TEST_F(EditCommandTest, UndoGoesBackStepByStepAndRedoForwardAgainKeepingTheSavedState)
{
    // Twenty mixed steps: bonds drawn, a selection deleted, a paste, each
    // with its snapshot; the documents after each step are kept.
    std::vector<Bytes> states = {document()};
    editor.document.DocumentName = path("Formeln/a.cfd");
    editor.document.SavedRecordCount = 2;
    for (int step = 0; step < 20; ++step) {
        if (step % 7 == 6) {
            editor.editing.SelMarks.clearAll();
            editor.editing.SelMarks.mark(0);
            editor.editing.SelectionPresent = true;
            run(step % 2 ? Lschen1Click : Kopieren1Click);
            if (step % 2 == 0)
                run(Einfgen1Click);
        } else {
            I1MouseDown(editor, PointerButton::Left, 100 + 20 * step, 300);
            I1MouseMove(editor, 160 + 20 * step, 300);
            I1MouseUp(editor, PointerButton::Left, 160 + 20 * step, 300);
        }
        states.push_back(document());
    }
    ASSERT_TRUE(ui.errors.empty());
    EXPECT_FALSE(menuEnabled(ui::kRedoItem));

    // Back to the start, byte for byte at every step; one more press keeps
    // the empty start.
    for (std::size_t i = states.size() - 1; i-- > 0;) {
        run(Undo1Click);
        EXPECT_EQ(document(), states[i]) << "undo to step " << i;
        EXPECT_TRUE(menuEnabled(ui::kRedoItem));
    }
    run(Undo1Click);
    EXPECT_EQ(document(), states[0]);
    // Forward again to the end.
    for (std::size_t i = 1; i < states.size(); ++i) {
        run(redo);
        EXPECT_EQ(document(), states[i]) << "redo to step " << i;
    }
    EXPECT_FALSE(menuEnabled(ui::kRedoItem));
    run(redo);
    EXPECT_EQ(document(), states.back());

    // A new change after an undo drops what could be redone, also one that
    // takes no snapshot (a move step).
    run(Undo1Click);
    run(Undo1Click);
    moveStep(editor, MoveDirection::Right);
    const Bytes moved = document();
    run(redo);
    EXPECT_EQ(document(), moved);
    EXPECT_FALSE(menuEnabled(ui::kRedoItem));
    run(Undo1Click);
    I1MouseDown(editor, PointerButton::Left, 700, 700);
    I1MouseMove(editor, 760, 700);
    I1MouseUp(editor, PointerButton::Left, 760, 700);
    const Bytes drawn = document();
    run(redo);
    EXPECT_EQ(document(), drawn);

    EXPECT_EQ(editor.document.DocumentName, path("Formeln/a.cfd"));
    EXPECT_EQ(editor.document.SavedRecordCount, 2u);
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(EditCommandTest, TheHistoryKeepsAHundredStepsAndTheNextStartRemovesItsFiles)
{
    for (int step = 0; step < 30; ++step)
        editor.workingFile.AppendRecord(bond(10, 10 + step));
    for (int step = 0; step < 130; ++step) {
        TakeSnapshot(editor);
        editor.workingFile.AppendRecord(bond(50, 10 + step));
    }
    EXPECT_EQ(editor.history.olderSteps() + 1, UndoHistory::kMaxSteps);
    const auto stepFiles = [&] {
        int files = 0;
        for (const std::string& name : test::folderEntries(editor.workingFile.workDir()))
            files += UndoHistory::isStepFile(name);
        return files;
    };
    EXPECT_EQ(stepFiles(), int(UndoHistory::kMaxSteps) - 1);
    for (int step = 0; step < 150; ++step)
        run(Undo1Click);
    // 130 records were appended after a snapshot each: a hundred steps
    // back leaves the first 30 of them on top of the 30 before them.
    EXPECT_EQ(editor.workingFile.recordCount(), 60u);
    removeScratchFiles(editor);
    EXPECT_EQ(stepFiles(), 0);
}

TEST_F(EditCommandTest, DeleteKeepsTheUnmarkedRecordsInOrderAndCanBeUndone)
{
    const std::vector<ElementRecord> all = {bond(10, 10), bond(10, 50), bond(10, 90), bond(10, 130)};
    selected(all, {1, 3});
    run(Lschen1Click);
    EXPECT_EQ(document(), recordFileBytes({all[0], all[2]}));
    EXPECT_EQ(fileBytes(editor.workingFile.pathOf(workfile::DeleteResult)), recordFileBytes({all[0], all[2]}));
    EXPECT_FALSE(editor.editing.SelectionPresent);
    EXPECT_FALSE(menuEnabled(ui::kDeleteItem));
    EXPECT_FALSE(menuEnabled(ui::kCopyItem));
    // The marks stay; only the selection has ended.
    EXPECT_TRUE(editor.editing.SelMarks[1]);
    EXPECT_FALSE(editor.editing.Modified);
    EXPECT_EQ(editor.canvas.pixel(25, 50), kWhite);
    EXPECT_EQ(editor.canvas.pixel(25, 90), kBlack);

    run(Undo1Click);
    EXPECT_EQ(document(), recordFileBytes(all));
}

TEST_F(EditCommandTest, DeletingEverythingLeavesAnEmptyDocumentWithoutFrame)
{
    selected({bond(100, 100), bond(200, 200)}, {0, 1});
    editor.editing.SelRect = SelectionRect{95, 235, 95, 205};
    SelectionFrame(editor);
    run(Lschen1Click);
    EXPECT_TRUE(document().empty());
    EXPECT_EQ(editor.page, makeBlankPage());
}

TEST_F(EditCommandTest, CopyWritesTheMarkedRecordsAndEnablesPasteOnly)
{
    const std::vector<ElementRecord> all = {bond(10, 10), bond(10, 50), makeRecord(3, 80, 80, 14, 0)};
    selected(all, {0, 2});
    ui.setEnabled(ui::kPasteItem, false);
    run(Kopieren1Click);
    EXPECT_EQ(copyBuffer(), recordFileBytes({all[0], all[2]}));
    EXPECT_EQ(document(), recordFileBytes(all));
    EXPECT_FALSE(fileExists(editor.workingFile.pathOf(workfile::Snapshot)));
    EXPECT_FALSE(editor.editing.SelectionPresent);
    EXPECT_FALSE(menuEnabled(ui::kDeleteItem));
    EXPECT_FALSE(menuEnabled(ui::kCopyItem));
    EXPECT_TRUE(menuEnabled(ui::kPasteItem));
}

TEST_F(EditCommandTest, PasteMovesTheCopyAndSelectsAndFramesIt)
{
    const ElementRecord copied = makeRecord(kind::SingleBond, 100, 100, 130, 100, 0x00FF00);
    const std::vector<ElementRecord> all = {bond(400, 400), copied};
    selected(all, {1});
    run(Kopieren1Click);
    ui.clearLog();

    run(Einfgen1Click);

    const ElementRecord pasted = makeRecord(kind::SingleBond, 110, 110, 140, 110, 0x00FF00);
    EXPECT_EQ(document(), recordFileBytes({all[0], all[1], pasted}));
    EXPECT_EQ(editor.editing.SelRect, (SelectionRect{105, 145, 105, 115}));
    EXPECT_TRUE(editor.editing.SelectionPresent);
    EXPECT_EQ(editor.editing.SelMarks.markedCount(), 1u);
    EXPECT_TRUE(editor.editing.SelMarks[2]);
    EXPECT_TRUE(menuEnabled(ui::kDeleteItem));
    EXPECT_TRUE(menuEnabled(ui::kCopyItem));
    EXPECT_TRUE(menuEnabled(ui::kPasteItem));
    // The selection tool is chosen and shown pressed.
    EXPECT_EQ(editor.tools.LeftTool, kind::SelectTool);
    EXPECT_TRUE(ui.isDown(ui::kSelectToolButton));
    EXPECT_FALSE(menuEnabled(ui::kRightButtonGroup));
    // The snapshot holds the document before the paste.
    EXPECT_EQ(fileBytes(editor.workingFile.pathOf(workfile::Snapshot)), recordFileBytes(all));
    // The pasted bond is drawn, and so is the dashed frame on its left side.
    EXPECT_EQ(editor.canvas.pixel(125, 110), Colour(0x00FF00));
    int framePixels = 0;
    for (int y = 105; y <= 115; ++y)
        framePixels += editor.canvas.pixel(105, y) == kBlack;
    EXPECT_GT(framePixels, 0);

    run(Undo1Click);
    EXPECT_EQ(document(), recordFileBytes(all));
}

TEST_F(EditCommandTest, PastingKeepsTheFontSizeOfTextAndMovesBothPointsOfTwoPointKinds)
{
    const std::vector<ElementRecord> copied = {
        makeRecord(0, 100, 50, 12, 0),                        // label "O", font size 12
        makeRecord(kind::GreekOffset + 0xE1, 300, 60, 16, 3),  // alpha
        makeRecord(kind::CurvedArrowFirst, 200, 200, 260, 240),
        makeRecord(450, 20, 20, 900, 900),                    // undrawn kind of the arrow range
    };
    selected(copied, {0, 1, 2, 3});
    run(Kopieren1Click);
    writeDocument({});
    run(Einfgen1Click);
    const std::vector<ElementRecord> got = records();
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0], makeRecord(0, 110, 60, 12, 0));
    EXPECT_EQ(got[1], makeRecord(kind::GreekOffset + 0xE1, 310, 70, 16, 3));
    EXPECT_EQ(got[2], makeRecord(kind::CurvedArrowFirst, 210, 210, 270, 250));
    EXPECT_EQ(got[3], makeRecord(450, 30, 30, 910, 910));
    // The frame: first points of all, second points of the two-point kinds.
    EXPECT_EQ(editor.editing.SelRect, (SelectionRect{25, 915, 25, 915}));
}

TEST_F(EditCommandTest, ABoundStillZeroCountsAsUnsetForTheFirstPointOnly)
{
    // A first point at x 0 leaves SelX1 unset, so the next record's x
    // replaces it; a second point never sees the rule.
    EXPECT_EQ(pastedFrame({makeRecord(0, 0, 40, 12, 0), makeRecord(0, 30, 50, 12, 0)}),
              (SelectionRect{25, 35, 35, 55}));
    EXPECT_EQ(pastedFrame({makeRecord(kind::SingleBond, 100, 100, 0, -20)}), (SelectionRect{-5, 105, -25, 105}));
    EXPECT_EQ(pastedFrame({}), (SelectionRect{-5, 5, -5, 5}));
    // Rounding to the nearest pixel, halves to the even neighbour.
    EXPECT_EQ(pastedFrame({makeRecord(0, 100.5, 101.5, 12, 0)}), (SelectionRect{95, 105, 97, 107}));
    // Far-off coordinates of a damaged file stop at the ends of the range.
    const SelectionRect far = pastedFrame({makeRecord(kind::SingleBond, 1e30, -1e30, 10, 10)});
    EXPECT_EQ(far.SelX2, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(far.SelY1, std::numeric_limits<std::int32_t>::min());
}

TEST_F(EditCommandTest, PasteOfAnEmptyCopyAddsNothingAndFramesTheCorner)
{
    selected({bond(100, 100)}, {});
    run(Kopieren1Click);
    EXPECT_TRUE(fileExists(editor.workingFile.pathOf(workfile::CopyBuffer)));
    EXPECT_TRUE(copyBuffer().empty());
    run(Einfgen1Click);
    EXPECT_EQ(document(), recordFileBytes({bond(100, 100)}));
    EXPECT_EQ(editor.editing.SelRect, (SelectionRect{-5, 5, -5, 5}));
    EXPECT_TRUE(editor.editing.SelectionPresent);
    EXPECT_EQ(editor.editing.SelMarks.markedCount(), 0u);
    int framePixels = 0;
    for (int y = 0; y <= 5; ++y)
        framePixels += editor.canvas.pixel(5, y) == kBlack;
    EXPECT_GT(framePixels, 0);
}

TEST_F(EditCommandTest, PastingTwicePastesTheSameBufferAtTheSamePlace)
{
    const std::vector<ElementRecord> original = {bond(100, 100)};
    selected(original, {0});
    run(Kopieren1Click);
    run(Einfgen1Click);
    run(Einfgen1Click);
    const ElementRecord moved = bond(110, 110);
    EXPECT_EQ(document(), recordFileBytes({original[0], moved, moved}));
    EXPECT_EQ(editor.editing.SelMarks.markedCount(), 1u);
    EXPECT_TRUE(editor.editing.SelMarks[2]);
    EXPECT_EQ(editor.editing.SelRect, (SelectionRect{105, 145, 105, 115}));
}

TEST_F(EditCommandTest, PastingPastTheClassicLimitMarksEveryAddedRecord)
{
    std::vector<ElementRecord> many;
    std::vector<std::uint32_t> all;
    for (std::uint32_t i = 0; i < 6000; ++i) {
        many.push_back(bond(i % 1000, i % 900));
        all.push_back(i);
    }
    selected(many, all);
    run(Kopieren1Click);
    EXPECT_EQ(copyBuffer().size(), 6000 * kRecordSize);
    run(Einfgen1Click);
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_EQ(editor.workingFile.recordCount(), 12000u);
    const SelectionMarks& marks = editor.editing.SelMarks;
    EXPECT_EQ(marks.markedCount(), 6000u);
    EXPECT_GE(marks.size(), 12000u);
    EXPECT_FALSE(marks[5999]);
    EXPECT_TRUE(marks[6000]);
    EXPECT_TRUE(marks[11999]);
    EXPECT_FALSE(marks[12000]);
}

TEST_F(EditCommandTest, PasteWithoutACopyBufferLeavesTheDocument)
{
    selected({bond(100, 100), bond(200, 200)}, {1});
    ASSERT_FALSE(fileExists(editor.workingFile.pathOf(workfile::CopyBuffer)));
    run(Einfgen1Click);
    EXPECT_EQ(ui.errors, std::vector<std::string>{"Datei nicht gefunden"});
    EXPECT_EQ(document(), recordFileBytes({bond(100, 100), bond(200, 200)}));
    // The snapshot was taken and the marks cleared before the buffer was
    // opened; nothing was added or selected.
    EXPECT_EQ(fileBytes(editor.workingFile.pathOf(workfile::Snapshot)), document());
    EXPECT_EQ(editor.editing.SelMarks.markedCount(), 0u);
}

TEST_F(EditCommandTest, AFailedSnapshotStopsDeleteAndPasteBeforeTheDocumentChanges)
{
    for (void (*command)(Editor&) : {Lschen1Click, Einfgen1Click}) {
        selected({bond(100, 100), bond(200, 200)}, {0});
        putFileBytes(editor.workingFile.pathOf(workfile::CopyBuffer), recordFileBytes({bond(1, 1)}));
        ui.errors.clear();
        fs.onlyPathsContaining(workfile::Snapshot.data());
        fs.failAt(1, ENOSPC, test::FsOp::Write);
        run(command);
        fs.disarm();
        fs.onlyPathsContaining("");
        EXPECT_EQ(ui.errors, std::vector<std::string>{"Zu wenig Speicherplatz"});
        EXPECT_EQ(document(), recordFileBytes({bond(100, 100), bond(200, 200)}));
    }
}

}  // namespace
}  // namespace veltrano
