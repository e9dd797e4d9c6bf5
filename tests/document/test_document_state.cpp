#include "document/document_state.h"
#include "document/element_kind.h"
#include "document/working_file.h"
#include "support/file_helpers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace veltrano;
using veltrano::test::Bytes;
using veltrano::test::fileBytes;
using veltrano::test::putFileBytes;

TEST(DocumentState, UnsavedChangesAreADifferenceFromTheSavedContent)
{
    QTemporaryDir dir;
    WorkingFile work(FileSystem::system(), dir.path().toStdString());
    DocumentState state;
    // A working file that cannot be read counts as changed.
    EXPECT_TRUE(hasUnsavedChanges(state, work));

    work.createEmpty();
    EXPECT_FALSE(hasUnsavedChanges(state, work));
    work.AppendRecord(makeRecord(kind::SingleBond, 0, 0, 10, 0));
    EXPECT_TRUE(hasUnsavedChanges(state, work));
    work.saveTo(dir.path().toStdString() + "/a.cfd");
    state.SavedContent = ContentMark::ofFile(FileSystem::system(), work.path());
    EXPECT_FALSE(hasUnsavedChanges(state, work));
    EXPECT_EQ(ContentMark::of(work.readAll()), state.SavedContent);

    // Same count, recoloured: the content tells, no flag is needed.
    work.TakeSnapshot();
    work.RewriteThroughScratch([](ElementRecord& r, std::uint32_t) { r.color = 0xFF; });
    EXPECT_TRUE(hasUnsavedChanges(state, work));
    // Back to what was saved: nothing to lose.
    work.RestoreSnapshot();
    EXPECT_FALSE(hasUnsavedChanges(state, work));

    // The reserved bytes are part of the file, a trailing fragment is not.
    Bytes bytes = fileBytes(work.path());
    bytes.push_back(0x42);
    putFileBytes(work.path(), bytes);
    EXPECT_FALSE(hasUnsavedChanges(state, work));
    bytes[30] ^= 1;
    putFileBytes(work.path(), bytes);
    EXPECT_TRUE(hasUnsavedChanges(state, work));
}

TEST(DocumentState, DirectoryOfKeepsTheTrailingSeparator)
{
    EXPECT_EQ(directoryOf("/home/anna/Dokumente/benzol.cfd"), "/home/anna/Dokumente/");
    EXPECT_EQ(directoryOf("/benzol.cfd"), "/");
    EXPECT_EQ(directoryOf("benzol.cfd"), "");
    EXPECT_EQ(directoryOf(""), "");
}
