#include "document/element_kind.h"
#include "document/work_dir.h"
#include "document/working_file.h"
#include "support/file_helpers.h"

#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using namespace veltrano;

namespace {

// The id of a process that has ended and been reaped.
qint64 deadProcessId()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

// A lock file as QLockFile writes it, naming the given process.
void leaveLock(const std::string& folder, qint64 pid)
{
    const QString lockPath = QString::fromStdString(folder) + "/" + WorkDirLock::kLockFileName;
    QByteArray contents;
    {
        QLockFile live(lockPath + ".model");
        ASSERT_TRUE(live.tryLock(0));
        QFile model(lockPath + ".model");
        ASSERT_TRUE(model.open(QIODevice::ReadOnly));
        contents = model.readAll();
    }
    const qsizetype firstLineEnd = contents.indexOf('\n');
    ASSERT_GT(firstLineEnd, 0);
    contents = QByteArray::number(pid) + contents.mid(firstLineEnd);
    QFile stale(lockPath);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(contents);
}

}  // namespace

TEST(WorkDirLock, SecondEditorGetsTheNextFolderAndSeesNoneOfTheFirstsFiles)
{
    QTemporaryDir root;
    const std::string base = root.path().toStdString() + "/veltrano/temp/";
    WorkDirLock first(base);
    ASSERT_TRUE(first.isLocked());
    EXPECT_EQ(first.path(), base);
    WorkDirLock second(base);
    ASSERT_TRUE(second.isLocked());
    EXPECT_EQ(second.path(), root.path().toStdString() + "/veltrano/temp2/");
    WorkDirLock third(root.path().toStdString() + "/veltrano/temp");
    EXPECT_EQ(third.path(), root.path().toStdString() + "/veltrano/temp3/");

    WorkingFile one(FileSystem::system(), first.path());
    WorkingFile two(FileSystem::system(), second.path());
    one.createEmpty();
    one.AppendRecord(makeRecord(kind::SingleBond, 1, 2, 3, 4));
    EXPECT_FALSE(test::fileExists(two.path()));
    two.createEmpty();
    EXPECT_EQ(one.recordCount(), 1u);
    EXPECT_EQ(two.recordCount(), 0u);

    // A released folder is free again, for the next editor started.
    { WorkDirLock moved = std::move(second); }
    WorkDirLock fourth(base);
    EXPECT_EQ(fourth.path(), root.path().toStdString() + "/veltrano/temp2/");
    EXPECT_EQ(two.recordCount(), 0u);
}

TEST(WorkDirLock, StaleLockOfADeadProcessIsTakenOver)
{
    QTemporaryDir root;
    const std::string base = root.path().toStdString() + "/temp";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(base)));
    // A lock naming a live editor (this process) is respected ...
    leaveLock(base, ::getpid());
    {
        WorkDirLock busy(base);
        EXPECT_EQ(busy.path(), base + "2/");
    }
    // ... one that a crashed editor left behind is taken over.
    leaveLock(base, deadProcessId());

    WorkDirLock lock(base);
    ASSERT_TRUE(lock.isLocked());
    EXPECT_EQ(lock.path(), base + "/");
    QLockFile probe(QString::fromStdString(base) + "/" + WorkDirLock::kLockFileName);
    qint64 pid = 0;
    QString host, app;
    ASSERT_TRUE(probe.getLockInfo(&pid, &host, &app));
    EXPECT_EQ(pid, qint64(::getpid()));
}

TEST(WorkDirLock, FolderThatCannotBeCreatedIsReported)
{
    QTemporaryDir root;
    const std::string plain = root.path().toStdString() + "/plain";
    test::putFileBytes(plain, {});
    WorkDirLock lock(plain + "/temp");
    EXPECT_FALSE(lock.isLocked());
    EXPECT_EQ(lock.status(), WorkDirLock::Status::CannotCreate);
    EXPECT_EQ(WorkDirLock("").status(), WorkDirLock::Status::CannotCreate);
}
