#include "document/element_kind.h"
#include "document/io_error.h"
#include "document/working_file.h"
#include "support/file_helpers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace veltrano;
using veltrano::test::Bytes;
using veltrano::test::fileBytes;
using veltrano::test::fileExists;
using veltrano::test::putFileBytes;
using veltrano::test::recordFileBytes;

namespace {

ElementRecord bond(double x)
{
    return makeRecord(kind::SingleBond, x, 10, x + 20, 10);
}

class WorkingFileTest : public ::testing::Test {
protected:
    WorkingFileTest() : work(FileSystem::system(), m_dir.path().toStdString()) { work.createEmpty(); }

    std::string file(std::string_view name) const { return work.pathOf(name); }
    Bytes document() const { return fileBytes(work.path()); }
    Bytes snapshot() const { return fileBytes(file(workfile::Snapshot)); }

private:
    QTemporaryDir m_dir;

protected:
    WorkingFile work;
};

}  // namespace

TEST_F(WorkingFileTest, PathsLieInWorkDirWithOrWithoutSeparator)
{
    WorkingFile bare(FileSystem::system(), "/some/dir");
    WorkingFile slashed(FileSystem::system(), "/some/dir/");
    EXPECT_EQ(bare.path(), "/some/dir/temp.dat");
    EXPECT_EQ(slashed.path(), "/some/dir/temp.dat");
    EXPECT_EQ(bare.pathOf(workfile::Snapshot), "/some/dir/sicher1.dat");
    EXPECT_TRUE(fileExists(work.path()));
    EXPECT_EQ(work.recordCount(), 0u);
}

TEST_F(WorkingFileTest, AppendGivesPositionsAndCountsAreNotLimitedTo5001)
{
    EXPECT_EQ(work.AppendRecord(bond(1)), 0u);
    EXPECT_EQ(work.AppendRecord(bond(2)), 1u);
    std::vector<ElementRecord> many;
    for (int i = 0; i < 6000; ++i)
        many.push_back(bond(i));
    EXPECT_EQ(work.AppendRecords(many), 2u);
    EXPECT_EQ(work.AppendRecord(bond(-1)), 6002u);
    EXPECT_EQ(work.recordCount(), 6003u);
    std::vector<ElementRecord> buffer(3);
    work.readAll(buffer);
    ASSERT_EQ(buffer.size(), 6003u);
    EXPECT_EQ(buffer[6001], bond(5999));
    EXPECT_EQ(buffer[6002], bond(-1));
}

TEST_F(WorkingFileTest, UndoTwiceGivesBackTheStateBeforeTheFirst)
{
    work.AppendRecord(bond(1));
    work.TakeSnapshot();
    work.AppendRecord(bond(2));
    const Bytes before = recordFileBytes({bond(1)});
    const Bytes after = recordFileBytes({bond(1), bond(2)});
    ASSERT_EQ(snapshot(), before);

    work.RestoreSnapshot();
    EXPECT_EQ(document(), before);
    EXPECT_EQ(snapshot(), after);
    work.RestoreSnapshot();
    EXPECT_EQ(document(), after);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(work.AppendRecord(bond(3)), 2u);
}

TEST_F(WorkingFileTest, UndoWithoutSnapshotKeepsTheDocumentAndCreatesOne)
{
    work.AppendRecord(bond(1));
    work.AppendRecord(bond(2));
    ASSERT_FALSE(fileExists(file(workfile::Snapshot)));
    work.RestoreSnapshot();
    const Bytes expected = recordFileBytes({bond(1), bond(2)});
    EXPECT_EQ(document(), expected);
    EXPECT_EQ(snapshot(), expected);
}

TEST_F(WorkingFileTest, UndoAfterOpenOrNewReturnsToTheLastSnapshotOfThePreviousDocument)
{
    work.AppendRecord(bond(1));
    work.TakeSnapshot();
    work.AppendRecord(bond(2));
    const Bytes previous = recordFileBytes({bond(1)});

    const std::string other = file("other.cfd");
    putFileBytes(other, recordFileBytes({bond(7), bond(8), bond(9)}));
    EXPECT_EQ(work.loadFile(other), 3u);
    work.RestoreSnapshot();
    EXPECT_EQ(document(), previous);
    EXPECT_EQ(snapshot(), recordFileBytes({bond(7), bond(8), bond(9)}));

    work.TakeSnapshot();
    work.AppendRecord(bond(4));
    work.createEmpty();
    EXPECT_EQ(work.recordCount(), 0u);
    work.RestoreSnapshot();
    EXPECT_EQ(document(), previous);
    EXPECT_TRUE(snapshot().empty());
}

TEST_F(WorkingFileTest, RewriteKeepsOrderCountAndMarks)
{
    for (int i = 0; i < 5; ++i)
        work.AppendRecord(bond(100 * i));
    const std::vector<bool> marks = {false, true, false, true};
    std::vector<std::uint32_t> seen;
    work.RewriteThroughScratch([&](ElementRecord& r, std::uint32_t position) {
        seen.push_back(position);
        if (position < marks.size() && marks[position]) {
            r.setX1(r.X1() + 5);
            r.setX2(r.X2() + 5);
            r.color = 0xFF;
        }
    });
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{0, 1, 2, 3, 4}));
    std::vector<ElementRecord> expected;
    for (int i = 0; i < 5; ++i)
        expected.push_back(bond(100 * i));
    for (int i : {1, 3}) {
        expected[i] = makeRecord(kind::SingleBond, 100 * i + 5, 10, 100 * i + 25, 10, 0xFF);
    }
    EXPECT_EQ(document(), recordFileBytes(expected));
    // The marks still pick the moved elements.
    EXPECT_EQ(work.filteredCopy(marks, FilterSense::Marked), 2u);
    EXPECT_EQ(fileBytes(file(workfile::CopyBuffer)), recordFileBytes({expected[1], expected[3]}));
}

TEST_F(WorkingFileTest, TransformThatThrowsLeavesTheDocumentAlone)
{
    work.AppendRecord(bond(1));
    work.AppendRecord(bond(2));
    const Bytes before = document();
    EXPECT_THROW(work.RewriteThroughScratch([](ElementRecord& r, std::uint32_t position) {
        r.color = 0xFF;
        if (position == 1)
            r.setX1(1e300);
    }),
                 Real6Overflow);
    EXPECT_EQ(document(), before);
}

TEST_F(WorkingFileTest, RewriteWithoutLastDropsOnlyTheLastRecord)
{
    work.rewriteWithoutLast();
    EXPECT_EQ(work.recordCount(), 0u);
    work.AppendRecords({bond(1), bond(2), bond(3)});
    work.rewriteWithoutLast();
    EXPECT_EQ(document(), recordFileBytes({bond(1), bond(2)}));
}

TEST_F(WorkingFileTest, FilteredCopyInBothSenses)
{
    const std::vector<ElementRecord> records = {bond(0), bond(1), bond(2), bond(3), bond(4)};
    work.AppendRecords(records);
    // Positions beyond the table count as unmarked.
    const std::vector<bool> marks = {true, false, true};

    EXPECT_EQ(work.filteredCopy(marks, FilterSense::Marked), 2u);
    EXPECT_EQ(fileBytes(file(workfile::CopyBuffer)), recordFileBytes({bond(0), bond(2)}));
    EXPECT_EQ(work.filteredCopy(marks, FilterSense::Unmarked), 3u);
    EXPECT_EQ(fileBytes(file(workfile::DeleteResult)), recordFileBytes({bond(1), bond(3), bond(4)}));
    EXPECT_EQ(document(), recordFileBytes(records));

    // "Löschen" then puts the unselected records in place of the document.
    EXPECT_EQ(work.loadFile(file(workfile::DeleteResult)), 3u);
    EXPECT_EQ(document(), recordFileBytes({bond(1), bond(3), bond(4)}));

    // An empty selection copies nothing and replaces an older buffer.
    EXPECT_EQ(work.filteredCopy({}, FilterSense::Marked), 0u);
    EXPECT_TRUE(fileBytes(file(workfile::CopyBuffer)).empty());
}

TEST_F(WorkingFileTest, UnknownKindsAndReservedBytesTravelUnchanged)
{
    std::vector<ElementRecord> records;
    for (ElementKind k : {ElementKind(45), ElementKind(247), ElementKind(450), ElementKind(565), ElementKind(65535)}) {
        ElementRecord r = makeRecord(k, k, 2 * k, 3, 4, 0x123456);
        r.reserved = {std::uint8_t(k), 0xEE};
        records.push_back(r);
    }
    Bytes bytes = recordFileBytes(records);
    bytes[18] = 0;  // zero exponent with noise after it in y2 of the first record
    bytes[20] = 0x42;
    const std::string source = file("odd.cfd");
    putFileBytes(source, bytes);

    EXPECT_EQ(work.loadFile(source), 5u);
    EXPECT_EQ(document(), bytes);
    work.RewriteThroughScratch([](ElementRecord&, std::uint32_t) {});
    EXPECT_EQ(document(), bytes);
    work.filteredCopy({true, true, true, true, true}, FilterSense::Marked);
    EXPECT_EQ(fileBytes(file(workfile::CopyBuffer)), bytes);
    work.TakeSnapshot();
    EXPECT_EQ(snapshot(), bytes);
    EXPECT_EQ(work.saveTo(file("saved.cfd")), 5u);
    EXPECT_EQ(fileBytes(file("saved.cfd")), bytes);

    // A recolouring pass changes the colour and nothing else.
    work.RewriteThroughScratch([](ElementRecord& r, std::uint32_t) { r.color = 0xFF; });
    Bytes recoloured = bytes;
    for (std::size_t at = 24; at < recoloured.size(); at += 32) {
        recoloured[at] = 0xFF;
        recoloured[at + 1] = recoloured[at + 2] = recoloured[at + 3] = 0;
    }
    EXPECT_EQ(document(), recoloured);
}

TEST_F(WorkingFileTest, LoadingAReadOnlyFileGivesAWritableDocument)
{
    const std::string source = file("protected.cfd");
    putFileBytes(source, recordFileBytes({bond(1)}));
    ASSERT_EQ(::chmod(source.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(work.path().c_str(), 0444), 0);

    EXPECT_EQ(work.loadFile(source), 1u);
    struct stat st {};
    ASSERT_EQ(::stat(work.path().c_str(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IWUSR);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(work.AppendRecord(bond(2)), 1u);
    EXPECT_EQ(document(), recordFileBytes({bond(1), bond(2)}));
    EXPECT_EQ(fileBytes(source), recordFileBytes({bond(1)}));
}

TEST_F(WorkingFileTest, SaveWritesACompleteCopyAndLeavesNoScratchBehind)
{
    work.AppendRecords({bond(1), bond(2)});
    const std::string target = file("formel.cfd");
    putFileBytes(target, Bytes(100, 0x33));
    EXPECT_EQ(work.saveTo(target), 2u);
    EXPECT_EQ(fileBytes(target), recordFileBytes({bond(1), bond(2)}));
    for (const std::string& name : test::folderEntries(work.workDir()))
        EXPECT_EQ(name.find(".part"), std::string::npos) << name;

    // A private file stays private when it is saved over.
    ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
    work.AppendRecord(bond(3));
    EXPECT_EQ(work.saveTo(target), 3u);
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(fileBytes(target), recordFileBytes({bond(1), bond(2), bond(3)}));

    try {
        work.saveTo(file("no-such-folder") + "/x.cfd");
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_STREQ(error.what(), "Datei nicht gefunden");
    }
    try {
        work.loadFile(file("missing.cfd"));
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_STREQ(error.what(), "Datei nicht gefunden");
    }
    EXPECT_EQ(document(), recordFileBytes({bond(1), bond(2), bond(3)}));
}

TEST_F(WorkingFileTest, UndoAfterPassesWithoutSnapshotReturnsToTheLastSnapshot)
{
    work.AppendRecords({bond(1), bond(2), bond(3)});
    // Completing a selection rectangle takes the snapshot ...
    work.TakeSnapshot();
    const Bytes atSelection = document();
    // ... then moves, a recolouring and "Einzeln löschen" take none.
    for (int step = 0; step < 3; ++step) {
        work.RewriteThroughScratch([](ElementRecord& r, std::uint32_t position) {
            if (position != 1) {
                r.setX1(r.X1() + 1);
                r.setX2(r.X2() + 1);
            }
        });
    }
    work.RewriteThroughScratch([](ElementRecord& r, std::uint32_t) { r.color = 0xFF0000; });
    work.rewriteWithoutLast();
    const Bytes edited = recordFileBytes({makeRecord(kind::SingleBond, 4, 10, 24, 10, 0xFF0000),
                                          makeRecord(kind::SingleBond, 2, 10, 22, 10, 0xFF0000)});
    ASSERT_EQ(document(), edited);

    work.RestoreSnapshot();
    EXPECT_EQ(document(), atSelection);
    work.RestoreSnapshot();
    EXPECT_EQ(document(), edited);
}
