// Saving a document the user keeps through a symbolic link: the file the
// link points to gets the new content and keeps its permissions, the link
// stays a link, and the part file lies beside the real file.

#include "document/element_kind.h"
#include "document/io_error.h"
#include "document/record_file.h"
#include "document/working_file.h"
#include "support/file_helpers.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace veltrano;
using veltrano::test::fileBytes;
using veltrano::test::folderEntries;
using veltrano::test::putFileBytes;
using veltrano::test::recordFileBytes;

namespace {

class SaveThroughLinkTest : public ::testing::Test {
protected:
    SaveThroughLinkTest() : work(FileSystem::system(), (root() + "work").toStdString())
    {
        QDir(m_dir.path()).mkpath("work");
        QDir(m_dir.path()).mkpath("real");
        QDir(m_dir.path()).mkpath("links");
        work.createEmpty();
        work.AppendRecords({makeRecord(kind::SingleBond, 10, 10, 40, 10), makeRecord(0, 50, 50, 12, 0)});
    }

    QString root() const { return m_dir.path() + "/"; }
    std::string path(const char* relative) const { return (root() + relative).toStdString(); }

    static bool isLink(const std::string& p)
    {
        struct stat st {};
        return ::lstat(p.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
    }

    QTemporaryDir m_dir;
    WorkingFile work;
};

}  // namespace

TEST_F(SaveThroughLinkTest, TheLinkStaysAndItsTargetIsWritten)
{
    const std::string target = path("real/Benzol.cfd");
    putFileBytes(target, {1, 2, 3});
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    // A relative link in another folder, and a link to that link.
    const std::string link = path("links/Benzol.cfd");
    ASSERT_EQ(::symlink("../real/Benzol.cfd", link.c_str()), 0);
    const std::string second = path("links/Zweiter.cfd");
    ASSERT_EQ(::symlink(link.c_str(), second.c_str()), 0);

    EXPECT_EQ(work.saveTo(second), 2u);
    EXPECT_TRUE(isLink(link));
    EXPECT_TRUE(isLink(second));
    EXPECT_EQ(fileBytes(target), fileBytes(work.path()));
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    // Nothing was left beside the links or the target.
    EXPECT_EQ(folderEntries(path("links")), (std::vector<std::string>{"Benzol.cfd", "Zweiter.cfd"}));
    EXPECT_EQ(folderEntries(path("real")), (std::vector<std::string>{"Benzol.cfd"}));
}

TEST_F(SaveThroughLinkTest, ADanglingLinkCreatesItsTargetAndALoopIsRefused)
{
    const std::string link = path("links/neu.cfd");
    ASSERT_EQ(::symlink("../real/neu.cfd", link.c_str()), 0);
    work.saveTo(link);
    EXPECT_TRUE(isLink(link));
    EXPECT_EQ(fileBytes(path("real/neu.cfd")), fileBytes(work.path()));

    const std::string a = path("links/a.cfd");
    const std::string b = path("links/b.cfd");
    ASSERT_EQ(::symlink(b.c_str(), a.c_str()), 0);
    ASSERT_EQ(::symlink(a.c_str(), b.c_str()), 0);
    try {
        work.saveTo(a);
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_EQ(error.errorNumber(), ELOOP);
    }
    EXPECT_TRUE(isLink(a));
    EXPECT_TRUE(isLink(b));
}

TEST_F(SaveThroughLinkTest, WorkingFilesAreNotFollowed)
{
    // Scratch files in WorkDir are replaced as they are named: a link there
    // is replaced by an ordinary file and its target is left alone.
    const std::string target = path("real/fremd.dat");
    putFileBytes(target, {9, 9});
    const std::string link = work.pathOf(workfile::Snapshot);
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    work.TakeSnapshot();
    EXPECT_FALSE(isLink(link));
    EXPECT_EQ(fileBytes(target), (test::Bytes{9, 9}));
    EXPECT_EQ(fileBytes(link), fileBytes(work.path()));
}
