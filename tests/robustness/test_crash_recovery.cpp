// Start-up after an editor ended without releasing its WorkDir: its unsaved
// drawing is offered, restored or kept under a dated name; a clean exit,
// or a drawing saved just before the crash, asks nothing; leftovers of
// interrupted writes are removed.

#include "commands/crash_recovery.h"
#include "commands/file_commands.h"
#include "commands/startup.h"
#include "document/element_kind.h"
#include "document/work_dir.h"
#include "editor/full_repaint.h"
#include "render/page.h"
#include "support/fake_ui_port.h"
#include "support/faulty_file_system.h"
#include "support/file_helpers.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>

#include <sys/wait.h>
#include <unistd.h>

namespace veltrano {
namespace {

using test::fileBytes;
using test::fileExists;
using test::folderEntries;
using test::putFileBytes;
using test::recordFileBytes;

const std::vector<ElementRecord> kDrawing = {
    makeRecord(kind::SingleBond, 100, 100, 130, 100),
    makeRecord(kind::DoubleBond, 130, 100, 145, 126),
    makeRecord(5, 200, 200, 14, 0),
};

// An editor that locks the WorkDir and is killed before it can release it.
void crashWhileHolding(const std::string& base)
{
    const pid_t child = ::fork();
    if (child == 0) {
        WorkDirLock lock(base);
        ::_exit(lock.isLocked() ? 0 : 1);  // no destructors: the lock stays
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

class CrashRecovery : public ::testing::Test {
protected:
    std::string base() const { return root.path().toStdString() + "/veltrano/temp/"; }
    std::string inWorkDir(const std::string& name) const { return base() + name; }

    // A start on the WorkDir: the lock, the editor, the start state and
    // the working document. Returns what startWorkingDocument returned.
    bool start()
    {
        lock.emplace(base());
        editor.emplace(fs, ui, lock->path());
        setStartState(*editor);
        return startWorkingDocument(*editor, *lock);
    }

    QTemporaryDir root;
    test::FaultyFileSystem fs;
    test::FakeUiPort ui;
    std::optional<WorkDirLock> lock;
    std::optional<Editor> editor;
};

TEST_F(CrashRecovery, TheUnsavedDrawingOfACrashedRunIsRestoredAsAModifiedUntitledDocument)
{
    crashWhileHolding(base());
    putFileBytes(inWorkDir("temp.dat"), recordFileBytes(kDrawing));
    ui.messageAnswers.push_back(MessageResult::Yes);

    EXPECT_TRUE(start());
    EXPECT_TRUE(lock->tookOverStaleLock());
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, "Veltrano wurde nicht ordnungsgemäß beendet. Soll die ungesicherte "
                                       "Zeichnung (3 Elemente) wiederhergestellt werden?");
    EXPECT_EQ(ui.messageBoxes[0].caption, "Bestätigen");
    EXPECT_EQ(ui.messageBoxes[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(fileBytes(inWorkDir("temp.dat")), recordFileBytes(kDrawing));
    EXPECT_TRUE(editor->editing.Modified);
    EXPECT_EQ(editor->document.DocumentName, "");
    EXPECT_EQ(ui.currentCaption, "Veltrano");

    // The first showing draws it; closing now asks before discarding it.
    FormShow(*editor);
    test::FakeUiPort quiet;
    Editor fresh(FileSystem::system(), quiet, lock->path());
    FullRepaint(fresh);
    EXPECT_TRUE(editor->page == fresh.page);
    EXPECT_FALSE(editor->page == makeBlankPage());
    ui.messageAnswers.push_back(MessageResult::Cancel);
    EXPECT_FALSE(FormCloseQuery(*editor));
}

TEST_F(CrashRecovery, ADeclinedDrawingIsKeptUnderADatedNameAndTheDocumentStartsEmpty)
{
    crashWhileHolding(base());
    putFileBytes(inWorkDir("temp.dat"), recordFileBytes(kDrawing));
    lock.emplace(base());
    editor.emplace(fs, ui, lock->path());
    const QDateTime when(QDate(2026, 12, 8), QTime(14, 30, 12));
    // One of the same second exists already.
    putFileBytes(inWorkDir("wiederherstellung-2026-12-08-143012.dat"), {1, 2, 3});
    ui.messageAnswers.push_back(MessageResult::No);
    EXPECT_FALSE(offerRecovery(*editor, when));
    EXPECT_EQ(fileBytes(inWorkDir("wiederherstellung-2026-12-08-143012-2.dat")), recordFileBytes(kDrawing));
    EXPECT_EQ(fileBytes(inWorkDir("wiederherstellung-2026-12-08-143012.dat")), (test::Bytes{1, 2, 3}));

    // Through the start-up: the copy is made, then temp.dat is emptied.
    lock.reset();
    editor.reset();
    crashWhileHolding(base());
    ui.messageAnswers.push_back(MessageResult::No);
    EXPECT_FALSE(start());
    EXPECT_TRUE(fileBytes(inWorkDir("temp.dat")).empty());
    EXPECT_FALSE(editor->editing.Modified);
    int kept = 0;
    for (const std::string& name : folderEntries(base()))
        kept += name.rfind("wiederherstellung-", 0) == 0 && fileBytes(inWorkDir(name)) == recordFileBytes(kDrawing);
    EXPECT_EQ(kept, 2);
}

TEST_F(CrashRecovery, WhenTheDatedCopyCannotBeWrittenTheDrawingIsRestoredInstead)
{
    crashWhileHolding(base());
    putFileBytes(inWorkDir("temp.dat"), recordFileBytes(kDrawing));
    ui.messageAnswers.push_back(MessageResult::No);
    fs.onlyPathsContaining("wiederherstellung");
    fs.failAt(1, ENOSPC, test::FsOp::Write);
    EXPECT_TRUE(start());
    EXPECT_TRUE(fs.injected());
    EXPECT_EQ(ui.errors, std::vector<std::string>{"Zu wenig Speicherplatz"});
    EXPECT_EQ(fileBytes(inWorkDir("temp.dat")), recordFileBytes(kDrawing));
    EXPECT_TRUE(editor->editing.Modified);
    for (const std::string& name : folderEntries(base()))
        EXPECT_EQ(name.find("wiederherstellung"), std::string::npos) << name;
}

TEST_F(CrashRecovery, ACleanExitOrADrawingSavedBeforeTheCrashAsksNothing)
{
    // A clean exit releases the lock: the next start empties temp.dat.
    {
        WorkDirLock clean(base());
        ASSERT_TRUE(clean.isLocked());
        putFileBytes(inWorkDir("temp.dat"), recordFileBytes(kDrawing));
    }
    EXPECT_FALSE(start());
    EXPECT_FALSE(lock->tookOverStaleLock());
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_TRUE(fileBytes(inWorkDir("temp.dat")).empty());

    // Saved, then killed: nothing is lost, nothing is asked.
    putFileBytes(inWorkDir("temp.dat"), recordFileBytes(kDrawing));
    editor->document.DocumentName = root.path().toStdString() + "/benzol.cfd";
    Speichern2Click(*editor);
    editor.reset();
    lock.reset();
    crashWhileHolding(base());
    EXPECT_FALSE(start());
    EXPECT_TRUE(lock->tookOverStaleLock());
    EXPECT_TRUE(ui.messageBoxes.empty());

    // Opened, drawn on, then killed: that is asked for.
    ui.openDialogAnswers.push_back(root.path().toStdString() + "/benzol.cfd");
    ffnen1Click(*editor);
    EXPECT_EQ(unsavedRecordCount(*editor), 0u);
    editor->workingFile.AppendRecord(makeRecord(kind::TripleBond, 300, 300, 330, 300));
    EXPECT_EQ(unsavedRecordCount(*editor), 4u);
    editor.reset();
    lock.reset();
    crashWhileHolding(base());
    ui.messageAnswers.push_back(MessageResult::Yes);
    EXPECT_TRUE(start());
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_NE(ui.messageBoxes[0].text.find("(4 Elemente)"), std::string::npos);
}

TEST_F(CrashRecovery, ADamagedLockCountsAsACrashAndAnEmptyDrawingIsNotOffered)
{
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(base())));
    putFileBytes(inWorkDir(WorkDirLock::kLockFileName), {'x', '\n'});
    // A fragment alone is no drawing.
    const test::Bytes whole = recordFileBytes(kDrawing);
    putFileBytes(inWorkDir("temp.dat"), test::Bytes(whole.begin(), whole.begin() + 20));
    EXPECT_FALSE(start());
    EXPECT_TRUE(lock->tookOverStaleLock());
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(CrashRecovery, EveryStartRemovesTheLeftoversOfInterruptedWrites)
{
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(base())));
    const test::Bytes some = recordFileBytes(kDrawing);
    for (const char* name : {"temp2.dat", "ttemp.dat", "kopie1.dat", "temp.dat.part4711", "sicher1.dat.part12",
                             "kopie.dat", "sicher1.dat", "notiz.part", "temp.dat"})
        putFileBytes(inWorkDir(name), some);
    EXPECT_FALSE(start());
    EXPECT_EQ(folderEntries(base()),
              (std::vector<std::string>{"kopie.dat", "notiz.part", "sicher1.dat", "temp.dat", "veltrano.lock"}));
    EXPECT_EQ(fileBytes(inWorkDir("kopie.dat")), some);
    EXPECT_EQ(fileBytes(inWorkDir("sicher1.dat")), some);
}

}  // namespace
}  // namespace veltrano
