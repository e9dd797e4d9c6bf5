// Merging a formula file into the document: what is appended, what is
// marked, the frame, the drawing image switched off until the Twiederan
// tick, and the files that cannot be read.

#include "commands/merge.h"

#include "document/element_kind.h"
#include "document/io_error.h"
#include "document/record_file.h"
#include "editor/editor_fixture.h"
#include "render/page.h"
#include "support/faulty_file_system.h"
#include "tools/sample_documents.h"

#include <QDir>

#include <cerrno>

namespace veltrano {
namespace {

using test::Bytes;
using test::fileBytes;
using test::fileExists;
using test::recordFileBytes;

class Merge : public test::EditorTest {
protected:
    std::string source(const std::vector<ElementRecord>& records, const std::string& name = "quelle.cfd")
    {
        const std::string path = workDir.path().toStdString() + "/" + name;
        test::putFileBytes(path, recordFileBytes(records));
        return path;
    }

    static std::vector<ElementRecord> bonds(int count, double x)
    {
        std::vector<ElementRecord> records;
        for (int i = 0; i < count; ++i)
            records.push_back(makeRecord(kind::SingleBond, x, 100 + 10 * i, x + 30, 100 + 10 * i));
        return records;
    }

    std::uint32_t markedCount() const { return editor.editing.SelMarks.markedCount(); }
};

TEST_F(Merge, SixRecordsIntoTwelveAreAppendedUnchangedAndAloneMarked)
{
    writeDocument(bonds(12, 300));
    editor.editing.SelMarks.mark(3);  // an earlier selection is dropped
    std::vector<ElementRecord> added = bonds(6, 50);
    added[2].reserved = {0xAB, 0xCD};  // carried as it is
    mergeFormulaFile(editor, source(added));

    const std::vector<ElementRecord> document = editor.workingFile.readAll();
    ASSERT_EQ(document.size(), 18u);
    EXPECT_EQ(recordFileBytes({document.begin() + 12, document.end()}), recordFileBytes(added));
    for (std::uint32_t i = 0; i < 20; ++i)
        EXPECT_EQ(editor.editing.SelMarks[i], i >= 12 && i < 18) << i;
    EXPECT_TRUE(editor.editing.SelectionPresent);
    EXPECT_TRUE(ui.isEnabled(ui::kDeleteItem));
    EXPECT_TRUE(ui.isEnabled(ui::kCopyItem));
    EXPECT_TRUE(ui.isDown(ui::kSelectToolButton));
    EXPECT_EQ(editor.tools.LeftTool, kind::SelectTool);
    EXPECT_FALSE(ui.isEnabled(ui::kRightButtonGroup));
    // No snapshot, no change of Modified; ttemp.dat holds the merged file.
    EXPECT_FALSE(fileExists(editor.workingFile.pathOf(workfile::Snapshot)));
    EXPECT_FALSE(editor.editing.Modified);
    EXPECT_EQ(fileBytes(editor.workingFile.pathOf(workfile::MergeCopy)), recordFileBytes(added));
}

TEST_F(Merge, TheDrawingIgnoresThePointerUntilTheTwiederanTick)
{
    writeDocument(bonds(2, 300));
    mergeFormulaFile(editor, source(bonds(3, 50)));
    EXPECT_FALSE(ui.isEnabled(ui::kDrawingImage));
    EXPECT_TRUE(ui.isTimerRunning(ui::kReenableTimer));
    // The repaint comes after the records are appended.
    const auto calls = ui.log;
    const auto disabled = std::find(calls.begin(), calls.end(), "setEnabled I1 0");
    const auto started = std::find(calls.begin(), calls.end(), "startTimer Twiederan");
    EXPECT_LT(disabled, started);

    TwiederanTimer(editor);
    EXPECT_TRUE(ui.isEnabled(ui::kDrawingImage));
    EXPECT_FALSE(ui.isTimerRunning(ui::kReenableTimer));
}

TEST_F(Merge, FrameHoldsRoundedFirstPointsAndTheFarEndsOfBondsOnly)
{
    const std::vector<ElementRecord> added = {
        // A bond whose far end lies beyond every first point.
        makeRecord(kind::SolidWedge, 100.5, 200, 180, 260),
        // A label: x2 is its font size, never a point.
        makeRecord(0, 120, 180.5, 12, 0),
        // An arrow whose tip lies outside the frame of the other points.
        makeRecord(kind::StraightArrow, 110, 210, 400, 500),
        makeRecord(kind::DashedBond, 101.5, 230, 101.5, 240),
    };
    mergeFormulaFile(editor, source(added));
    // x: 100.5 -> 100 and 101.5 -> 102 (halves to even), the wedge's far end
    // 180; y: 180.5 -> 180 up to the wedge's 260. The arrow tip does not count.
    EXPECT_EQ(editor.editing.SelRect, (SelectionRect{95, 185, 175, 265}));
    EXPECT_EQ(editor.workingFile.recordCount(), 4u);
    // The frame is on the page: its left side at x = 95.
    int black = 0;
    for (int y = 175; y <= 265; ++y)
        black += (editor.page.pixel(95, y) & 0xFFFFFF) == 0;
    EXPECT_GT(black, 30);
}

TEST_F(Merge, AnEmptyFileAddsNothingFramesTheCornerAndReleasesTheDrawing)
{
    mergeFormulaFile(editor, source({}));
    EXPECT_EQ(editor.workingFile.recordCount(), 0u);
    EXPECT_EQ(markedCount(), 0u);
    EXPECT_TRUE(editor.editing.SelectionPresent);
    EXPECT_EQ(editor.editing.SelRect, (SelectionRect{-5, 5, -5, 5}));
    // Only the frame's corner near the origin is drawn on the blank page.
    bool inCorner = false, elsewhere = false;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            if ((editor.page.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                (x <= 5 && y <= 5 ? inCorner : elsewhere) = true;
        }
    }
    EXPECT_TRUE(inCorner);
    EXPECT_FALSE(elsewhere);
    EXPECT_TRUE(ui.isTimerRunning(ui::kReenableTimer));
    TwiederanTimer(editor);
    EXPECT_TRUE(ui.isEnabled(ui::kDrawingImage));
}

TEST_F(Merge, AFileThatCannotBeReadInsertsNothingNotEvenAnOldCopy)
{
    writeDocument(bonds(4, 300));
    // An earlier merge left its copy behind.
    test::putFileBytes(editor.workingFile.pathOf(workfile::MergeCopy), recordFileBytes(bonds(2, 50)));
    const Bytes before = fileBytes(editor.workingFile.path());
    editor.editing.SelMarks.mark(1);
    editor.editing.SelectionPresent = true;

    const std::string folder = workDir.path().toStdString() + "/ordner.cfd";
    QDir().mkpath(QString::fromStdString(folder));
    for (const std::string& path : {workDir.path().toStdString() + "/fehlt.cfd", folder}) {
        SCOPED_TRACE(path);
        ui.messages.clear();
        mergeFormulaFile(editor, path);
        EXPECT_EQ(ui.messages, std::vector<std::string>{"Die Datei konnte nicht geöffnet werden."});
        EXPECT_EQ(fileBytes(editor.workingFile.path()), before);
        EXPECT_TRUE(editor.editing.SelMarks[1]);
        EXPECT_TRUE(editor.editing.SelectionPresent);
        EXPECT_TRUE(ui.isEnabled(ui::kDrawingImage));
        EXPECT_TRUE(ui.errors.empty());
    }
}

TEST_F(Merge, PastFiveThousandAndOneRecordsEveryAddedRecordIsMarked)
{
    writeDocument(samples::mixedDocument(5001));
    const std::vector<ElementRecord> added = bonds(40, 50);
    mergeFormulaFile(editor, source(added));
    EXPECT_EQ(editor.workingFile.recordCount(), 5041u);
    EXPECT_EQ(markedCount(), 40u);
    EXPECT_FALSE(editor.editing.SelMarks[5000]);
    EXPECT_TRUE(editor.editing.SelMarks[5001]);
    EXPECT_TRUE(editor.editing.SelMarks[5040]);
}

TEST_F(Merge, AFailedAppendReportsTheErrorAndStillReleasesTheDrawing)
{
    test::FaultyFileSystem faulty;
    Editor faultyEditor(faulty, ui, workDir.path().toStdString());
    writeRecords(FileSystem::system(), faultyEditor.workingFile.path(), bonds(3, 300));
    const Bytes before = fileBytes(faultyEditor.workingFile.path());
    const std::string path = source(bonds(2, 50));
    faulty.onlyPathsContaining("/temp.dat");
    faulty.failAt(1, ENOSPC, test::FsOp::Write);
    EXPECT_THROW(mergeFormulaFile(faultyEditor, path), IoError);
    // What reached the disk before the failure stays; the document before
    // it is untouched.
    const Bytes after = fileBytes(faultyEditor.workingFile.path());
    ASSERT_GE(after.size(), before.size());
    EXPECT_EQ(Bytes(after.begin(), after.begin() + std::ptrdiff_t(before.size())), before);
    EXPECT_LT(faultyEditor.workingFile.recordCount(), 5u);
    EXPECT_TRUE(ui.isTimerRunning(ui::kReenableTimer));
}

TEST_F(Merge, CfdDateiEinfuegenAsksInLastDirAndMergesTheChoice)
{
    editor.document.LastDir = "/home/lehrer/Dokumente/";
    ui.openDialogAnswers.push_back(std::nullopt);
    Importieren1Click(editor);
    ASSERT_EQ(ui.openDialogs.size(), 1u);
    EXPECT_EQ(ui.openDialogs[0].initialDirectory, "/home/lehrer/Dokumente/");
    EXPECT_EQ(ui.openDialogs[0].filterDescription, "Formel-Dateien");
    EXPECT_EQ(ui.openDialogs[0].filterPattern, "*.cfd");
    EXPECT_TRUE(ui.callsStartingWith("setEnabled I1").empty());
    EXPECT_FALSE(editor.editing.SelectionPresent);

    ui.openDialogAnswers.push_back(source(bonds(2, 50)));
    Importieren1Click(editor);
    EXPECT_EQ(editor.workingFile.recordCount(), 2u);
    EXPECT_EQ(markedCount(), 2u);
    EXPECT_EQ(editor.document.LastDir, "/home/lehrer/Dokumente/");
}

}  // namespace
}  // namespace veltrano
