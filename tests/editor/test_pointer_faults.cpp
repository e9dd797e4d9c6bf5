// Record-file failures in the middle of a gesture: the handler throws the
// run-time error, temp.dat keeps a whole document, and the gesture state
// still matches it so the next gesture works.

#include "document/io_error.h"
#include "document/record_file.h"
#include "document/working_file.h"
#include "editor/editor.h"
#include "editor/pointer.h"
#include "support/fake_ui_port.h"
#include "support/faulty_file_system.h"
#include "support/file_helpers.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cerrno>

namespace veltrano {
namespace {

using test::FsOp;

class PointerFaults : public ::testing::Test {
protected:
    QTemporaryDir workDir;
    test::FaultyFileSystem fs;
    test::FakeUiPort ui;
    Editor editor{fs, ui, workDir.path().toStdString()};

    void SetUp() override
    {
        editor.workingFile.createEmpty();
        writeRecords(FileSystem::system(), editor.workingFile.path(),
                     {makeRecord(kind::SingleBond, 100, 100, 130, 100), makeRecord(0, 300, 300, 12, 0)});
    }

    test::Bytes document() const { return test::fileBytes(editor.workingFile.path()); }
};

TEST_F(PointerFaults, FailedSnapshotCommitsNothingAndEndsTheDrag)
{
    const auto before = document();
    I1MouseDown(editor, PointerButton::Left, 500, 500);
    I1MouseMove(editor, 560, 500);
    fs.onlyPathsContaining("sicher1");
    fs.failAt(1, EACCES);
    EXPECT_THROW(I1MouseUp(editor, PointerButton::Left, 560, 500), IoError);
    EXPECT_TRUE(fs.injected());
    EXPECT_EQ(document(), before);
    EXPECT_FALSE(editor.editing.PressActive);
    EXPECT_EQ(editor.editing.FeedbackEnd.x, 0.0);

    // The next drag starts afresh: its first move erases nothing.
    fs.disarm();
    I1MouseDown(editor, PointerButton::Left, 700, 700);
    I1MouseMove(editor, 760, 700);
    I1MouseUp(editor, PointerButton::Left, 760, 700);
    const auto records = parseRecords(document());
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[2], makeRecord(kind::SingleBond, 700, 700, 730, 700));
}

TEST_F(PointerFaults, FailedMoveStepLeavesDocumentAndSelectionInStep)
{
    editor.tools.LeftTool = kind::SelectTool;
    I1MouseDown(editor, PointerButton::Left, 90, 90);
    I1MouseMove(editor, 140, 110);
    I1MouseUp(editor, PointerButton::Left, 140, 110);
    ASSERT_TRUE(editor.editing.SelMarks[0]);
    I1MouseDown(editor, PointerButton::Left, 100, 100);
    const auto before = document();
    const SelectionRect rect = editor.editing.SelRect;

    // Fail each file operation of the step in turn: temp.dat is either
    // unmoved or moved, never half-written, and the rectangle and the last
    // position always say which.
    for (int n = 1;; ++n) {
        fs.failAt(n, EIO);
        try {
            I1MouseMove(editor, 110, 105);
        } catch (const IoError&) {
            const auto records = parseRecords(document());
            ASSERT_EQ(records.size(), 2u) << "failure at operation " << n;
            const double moved = records[0].X1() - 100;
            EXPECT_TRUE(moved == 0 || moved == 10) << "failure at operation " << n;
            EXPECT_EQ(editor.editing.SelRect.SelX1 - rect.SelX1, moved);
            EXPECT_EQ(editor.editing.MoveLast.x - 100, moved);
            EXPECT_TRUE(editor.editing.SelectionPresent);
            // Back to the state before the step for the next round.
            fs.disarm();
            writeRecords(FileSystem::system(), editor.workingFile.path(), parseRecords(before));
            editor.editing.SelRect = rect;
            editor.editing.MoveLast = {100, 100};
            continue;
        }
        if (!fs.injected())
            break;
        FAIL() << "operation " << n << " failed without an error";
    }
    fs.disarm();
    const auto records = parseRecords(document());
    EXPECT_EQ(records[0], makeRecord(kind::SingleBond, 110, 105, 140, 105));
    EXPECT_EQ(records[1], makeRecord(0, 300, 300, 12, 0));
    EXPECT_EQ(editor.editing.SelRect, (SelectionRect{rect.SelX1 + 10, rect.SelX2 + 10, rect.SelY1 + 5, rect.SelY2 + 5}));
}

TEST_F(PointerFaults, FailedPlacementAppendsNothing)
{
    editor.tools.RightLabel = kind::TextTool;
    ui.texts["Edit1"] = "CH";
    const auto before = document();
    fs.onlyPathsContaining("temp.dat");
    fs.failAt(1, ENOSPC, FsOp::Write);
    EXPECT_THROW(I1MouseDown(editor, PointerButton::Right, 400, 400), IoError);
    EXPECT_TRUE(fs.injected());
    // A failed write may leave a fragment shorter than a record behind,
    // which no reader counts and the next append overwrites.
    EXPECT_EQ(parseRecords(document()), parseRecords(before));
    EXPECT_FALSE(editor.editing.PressActive);
}

}  // namespace
}  // namespace veltrano
