// Every step of the file operations is made to fail in turn; after each
// failure every file must still hold its last complete content, and the
// error must carry the German run-time text.

#include "document/element_kind.h"
#include "document/io_error.h"
#include "document/record_file.h"
#include "document/working_file.h"
#include "support/faulty_file_system.h"
#include "support/file_helpers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

using namespace veltrano;
using veltrano::test::Bytes;
using veltrano::test::FaultyFileSystem;
using veltrano::test::fileBytes;
using veltrano::test::fileExists;
using veltrano::test::putFileBytes;
using veltrano::test::recordFileBytes;

namespace {

struct Fault {
    int error;
    const char* text;
};

constexpr Fault kFaults[] = {
    {ENOSPC, "Zu wenig Speicherplatz"},
    {EACCES, "Dateizugriff verweigert"},
    {EIO, "E/A-Fehler 5"},
};

ElementRecord bondAt(double x, std::int32_t color = 0)
{
    return makeRecord(kind::SingleBond, x, 10, x + 20, 10, color);
}

class FaultLoopTest : public ::testing::Test {
protected:
    FaultLoopTest() : work(fs, m_dir.path().toStdString()) {}

    std::string file(std::string_view name) const { return work.pathOf(name); }

    // Runs the operation with a fault at step 1, 2, ... until it runs
    // without one. reset restores the starting files; check(succeeded)
    // inspects them after each round. Returns the number of steps.
    int faultLoop(const std::function<void()>& reset, const std::function<void()>& operation,
                  const std::function<void(bool succeeded)>& check)
    {
        int steps = 0;
        for (const Fault& fault : kFaults) {
            for (int n = 1; n < 1000; ++n) {
                reset();
                fs.failAt(n, fault.error);
                bool succeeded = true;
                std::string message;
                try {
                    operation();
                } catch (const IoError& error) {
                    succeeded = false;
                    message = error.what();
                }
                const bool injected = fs.injected();
                fs.disarm();
                SCOPED_TRACE("fault at step " + std::to_string(n) + ": " + fault.text);
                for (const std::string& name : test::folderEntries(work.workDir()))
                    EXPECT_EQ(name.find(".part"), std::string::npos) << name;
                if (!injected) {
                    EXPECT_TRUE(succeeded);
                    check(true);
                    steps = n - 1;
                    break;
                }
                if (!succeeded) {
                    EXPECT_EQ(message, fault.text);
                }
                check(succeeded);
            }
        }
        return steps;
    }

    FaultyFileSystem fs;

private:
    QTemporaryDir m_dir;

protected:
    WorkingFile work;
    const Bytes oldDocument = recordFileBytes({bondAt(1), bondAt(2), bondAt(3)});
    const Bytes oldSnapshot = recordFileBytes({bondAt(1)});
};

}  // namespace

TEST_F(FaultLoopTest, RewriteFailingAtAnyStepKeepsTheOldDocument)
{
    const Bytes recoloured = recordFileBytes({bondAt(1, 0xFF), bondAt(2, 0xFF), bondAt(3, 0xFF)});
    const int steps = faultLoop(
        [&] {
            putFileBytes(work.path(), oldDocument);
            putFileBytes(file(workfile::Snapshot), oldSnapshot);
        },
        [&] { work.RewriteThroughScratch([](ElementRecord& r, std::uint32_t) { r.color = 0xFF; }); },
        [&](bool succeeded) {
            EXPECT_EQ(fileBytes(work.path()), succeeded ? recoloured : oldDocument);
            EXPECT_EQ(fileBytes(file(workfile::Snapshot)), oldSnapshot);
            // A failed pass takes its scratch file with it (a full disk
            // gets its space back at once).
            EXPECT_FALSE(fileExists(file(workfile::Scratch)));
        });
    EXPECT_GE(steps, 8);
}

TEST_F(FaultLoopTest, UndoExchangeFailingAtAnyStepChangesNeitherFile)
{
    const int steps = faultLoop(
        [&] {
            putFileBytes(work.path(), oldDocument);
            putFileBytes(file(workfile::Snapshot), oldSnapshot);
        },
        [&] { work.RestoreSnapshot(); },
        [&](bool succeeded) {
            EXPECT_EQ(fileBytes(work.path()), succeeded ? oldSnapshot : oldDocument);
            EXPECT_EQ(fileBytes(file(workfile::Snapshot)), succeeded ? oldDocument : oldSnapshot);
        });
    EXPECT_GE(steps, 20);
}

TEST_F(FaultLoopTest, UndoWithoutSnapshotFailingKeepsTheDocument)
{
    faultLoop(
        [&] {
            putFileBytes(work.path(), oldDocument);
            std::remove(file(workfile::Snapshot).c_str());
        },
        [&] { work.RestoreSnapshot(); },
        [&](bool succeeded) {
            EXPECT_EQ(fileBytes(work.path()), oldDocument);
            EXPECT_EQ(fileExists(file(workfile::Snapshot)), succeeded);
            if (succeeded) {
                EXPECT_EQ(fileBytes(file(workfile::Snapshot)), oldDocument);
            }
        });
}

TEST_F(FaultLoopTest, SnapshotFailingKeepsTheOldSnapshot)
{
    faultLoop(
        [&] {
            putFileBytes(work.path(), oldDocument);
            putFileBytes(file(workfile::Snapshot), oldSnapshot);
        },
        [&] { work.TakeSnapshot(); },
        [&](bool succeeded) {
            EXPECT_EQ(fileBytes(work.path()), oldDocument);
            EXPECT_EQ(fileBytes(file(workfile::Snapshot)), succeeded ? oldDocument : oldSnapshot);
        });
}

TEST_F(FaultLoopTest, LoadFailingKeepsTheCurrentDocument)
{
    const Bytes opened = recordFileBytes({bondAt(7), bondAt(8)});
    const std::string source = file("quelle.cfd");
    const int steps = faultLoop(
        [&] {
            putFileBytes(work.path(), oldDocument);
            putFileBytes(source, opened);
        },
        [&] { work.loadFile(source); },
        [&](bool succeeded) {
            EXPECT_EQ(fileBytes(work.path()), succeeded ? opened : oldDocument);
            EXPECT_EQ(fileBytes(source), opened);
        });
    EXPECT_GE(steps, 8);
}

TEST_F(FaultLoopTest, SaveFailingKeepsTheSavedFile)
{
    const Bytes earlier = recordFileBytes({bondAt(40)});
    const std::string target = file("formel.cfd");
    const int steps = faultLoop(
        [&] {
            putFileBytes(work.path(), oldDocument);
            putFileBytes(target, earlier);
        },
        [&] { work.saveTo(target); },
        [&](bool succeeded) {
            EXPECT_EQ(fileBytes(target), succeeded ? oldDocument : earlier);
            EXPECT_EQ(fileBytes(work.path()), oldDocument);
        });
    EXPECT_GE(steps, 10);  // includes the flush to the disk
}

TEST_F(FaultLoopTest, AppendFailingLeavesTheRecordsBeforeIt)
{
    faultLoop([&] { putFileBytes(work.path(), oldDocument); }, [&] { work.AppendRecord(bondAt(9)); },
              [&](bool succeeded) {
                  const std::vector<ElementRecord> before = {bondAt(1), bondAt(2), bondAt(3)};
                  std::vector<ElementRecord> after = before;
                  after.push_back(bondAt(9));
                  // A half-written record is a trailing fragment, which is not a
                  // record; a close that fails after the write has kept it.
                  const std::vector<ElementRecord> now = readAllRecords(FileSystem::system(), work.path());
                  if (succeeded) {
                      EXPECT_EQ(now, after);
                  } else {
                      EXPECT_TRUE(now == before || now == after);
                  }
              });
    // The next append writes over the fragment.
    putFileBytes(work.path(), oldDocument);
    fs.failAt(1, ENOSPC, test::FsOp::Write);
    EXPECT_THROW(work.AppendRecord(bondAt(9)), IoError);
    fs.disarm();
    EXPECT_EQ(work.AppendRecord(bondAt(10)), 3u);
    EXPECT_EQ(fileBytes(work.path()), recordFileBytes({bondAt(1), bondAt(2), bondAt(3), bondAt(10)}));
}

TEST_F(FaultLoopTest, FilteredCopyFailingKeepsTheOldCopyBuffer)
{
    const Bytes oldBuffer = recordFileBytes({bondAt(50)});
    faultLoop(
        [&] {
            putFileBytes(work.path(), oldDocument);
            putFileBytes(file(workfile::CopyBuffer), oldBuffer);
        },
        [&] { work.filteredCopy({false, true}, FilterSense::Marked); },
        [&](bool succeeded) {
            EXPECT_EQ(fileBytes(file(workfile::CopyBuffer)), succeeded ? recordFileBytes({bondAt(2)}) : oldBuffer);
            EXPECT_EQ(fileBytes(work.path()), oldDocument);
        });
}

TEST_F(FaultLoopTest, OnlyTheChosenKindOfOperationFails)
{
    putFileBytes(work.path(), oldDocument);
    putFileBytes(file(workfile::Snapshot), oldSnapshot);
    fs.failAt(2, EACCES, test::FsOp::Rename);
    try {
        work.RestoreSnapshot();
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_STREQ(error.what(), "Dateizugriff verweigert");
    }
    EXPECT_TRUE(fs.injected());
    EXPECT_GT(fs.operations(), 2);
    fs.disarm();
    EXPECT_EQ(fileBytes(work.path()), oldDocument);
    EXPECT_EQ(fileBytes(file(workfile::Snapshot)), oldSnapshot);
}

TEST_F(FaultLoopTest, FaultsCanBeAimedAtOneFile)
{
    const std::string target = file("formel.cfd");
    putFileBytes(work.path(), oldDocument);
    putFileBytes(target, oldSnapshot);
    fs.onlyPathsContaining("formel.cfd");
    // The first open of the target's side is the writability probe, the
    // second the new content beside it.
    for (int n = 1; n <= 2; ++n) {
        fs.failAt(n, EACCES, test::FsOp::Open);
        EXPECT_THROW(work.saveTo(target), IoError);
        EXPECT_TRUE(fs.injected());
        EXPECT_EQ(fileBytes(target), oldSnapshot);
    }
    // Reads of temp.dat were not counted: the fault hit the target only.
    fs.failAt(1, EIO, test::FsOp::Read);
    EXPECT_NO_THROW(work.saveTo(target));
    EXPECT_FALSE(fs.injected());
    EXPECT_EQ(fileBytes(target), oldDocument);
    fs.onlyPathsContaining("");
    fs.disarm();
}
