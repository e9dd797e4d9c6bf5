#include "document/document_state.h"
#include "document/element_kind.h"
#include "document/working_file.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace veltrano;

TEST(DocumentState, UnsavedChangesThroughCountOrModified)
{
    DocumentState state;
    EXPECT_EQ(state.SavedRecordCount, 0u);
    EXPECT_TRUE(state.DocumentName.empty());
    EXPECT_FALSE(hasUnsavedChanges(state, 0u, false));
    EXPECT_TRUE(hasUnsavedChanges(state, 1u, false));

    state.SavedRecordCount = 7000;  // counts beyond 16 bits
    EXPECT_FALSE(hasUnsavedChanges(state, 7000u, false));
    EXPECT_TRUE(hasUnsavedChanges(state, 6999u, false));
    EXPECT_TRUE(hasUnsavedChanges(state, 7000u + 65536u, false));
    // Same count, moved or recoloured elements: only Modified tells.
    EXPECT_TRUE(hasUnsavedChanges(state, 7000u, true));
}

TEST(DocumentState, UnsavedChangesReadTheWorkingFile)
{
    QTemporaryDir dir;
    WorkingFile work(FileSystem::system(), dir.path().toStdString());
    DocumentState state;
    // A working file that cannot be read counts as changed.
    EXPECT_TRUE(hasUnsavedChanges(state, work, false));

    work.createEmpty();
    EXPECT_FALSE(hasUnsavedChanges(state, work, false));
    work.AppendRecord(makeRecord(kind::SingleBond, 0, 0, 10, 0));
    EXPECT_TRUE(hasUnsavedChanges(state, work, false));
    state.SavedRecordCount = work.saveTo(dir.path().toStdString() + "/a.cfd");
    EXPECT_FALSE(hasUnsavedChanges(state, work, false));
    work.RewriteThroughScratch([](ElementRecord& r, std::uint32_t) { r.color = 0xFF; });
    EXPECT_FALSE(hasUnsavedChanges(state, work, false));
    EXPECT_TRUE(hasUnsavedChanges(state, work, true));
}

TEST(DocumentState, DirectoryOfKeepsTheTrailingSeparator)
{
    EXPECT_EQ(directoryOf("/home/anna/Dokumente/benzol.cfd"), "/home/anna/Dokumente/");
    EXPECT_EQ(directoryOf("/benzol.cfd"), "/");
    EXPECT_EQ(directoryOf("benzol.cfd"), "");
    EXPECT_EQ(directoryOf(""), "");
}
