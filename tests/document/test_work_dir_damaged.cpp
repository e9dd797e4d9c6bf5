// WorkDir locks that a power cut or a full disk leave in odd states: a
// damaged lock is taken over unless a live editor holds it, and a folder
// that cannot be used is not left behind.

#include "document/work_dir.h"
#include "support/file_helpers.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace veltrano;

namespace {

std::string lockPathIn(const std::string& folder)
{
    return folder + "/" + WorkDirLock::kLockFileName;
}

// The pid this process's lock file names.
qint64 lockOwner(const std::string& folder)
{
    QLockFile probe(QString::fromStdString(lockPathIn(folder)));
    qint64 pid = 0;
    QString host, app;
    return probe.getLockInfo(&pid, &host, &app) ? pid : -1;
}

TEST(WorkDirLockDamaged, EmptyGarbageOrAFolderInPlaceOfTheLockIsTakenOver)
{
    struct Case {
        const char* what;
        void (*leave)(const std::string& lockPath);
    };
    const Case cases[] = {
        {"empty file", [](const std::string& path) { test::putFileBytes(path, {}); }},
        {"garbage", [](const std::string& path) { test::putFileBytes(path, {0xFF, 0x00, 'x', '\n', 0x7F}); }},
        {"folder", [](const std::string& path) {
             QDir().mkpath(QString::fromStdString(path + "/inner"));
             test::putFileBytes(path + "/inner/rest", {1, 2, 3});
         }},
    };
    for (const Case& c : cases) {
        QTemporaryDir root;
        const std::string base = root.path().toStdString() + "/temp";
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(base)));
        c.leave(lockPathIn(base));
        test::putFileBytes(base + "/temp.dat", {7});

        WorkDirLock lock(base);
        ASSERT_TRUE(lock.isLocked()) << c.what;
        EXPECT_EQ(lock.path(), base + "/") << c.what;
        EXPECT_EQ(lockOwner(base), qint64(::getpid())) << c.what;
        // Only the lock was replaced; the working files stay.
        EXPECT_EQ(test::fileBytes(base + "/temp.dat"), test::Bytes{7}) << c.what;
        EXPECT_FALSE(test::fileExists(base + "2")) << c.what;
    }
}

TEST(WorkDirLockDamaged, ALockAnEditorIsStillWritingIsNotTakenAway)
{
    // A live editor holds its lock file from the moment it creates it, so
    // a lock caught before its content is written must stay.
    QTemporaryDir root;
    const std::string base = root.path().toStdString() + "/temp";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(base)));
    const std::string lockPath = lockPathIn(base);
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_EXCL, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);

    {
        WorkDirLock second(base);
        ASSERT_TRUE(second.isLocked());
        EXPECT_EQ(second.path(), base + "2/");
    }
    EXPECT_TRUE(test::fileExists(lockPath));
    ::close(fd);
}

TEST(WorkDirLockDamaged, FoldersThatCannotHoldALockAreRemovedAgain)
{
    // A folder that can be made but whose lock file cannot be written (here
    // its path is too long for a file inside it, as a full disk or a
    // read-only mount would refuse it): every candidate fails, and none of
    // the folders made for them, nor their missing parents, stays behind.
    QTemporaryDir root;
    std::string deep = root.path().toStdString();
    const std::string part(200, 'd');
    constexpr std::size_t kStemLength = 4085;  // + "/veltrano.lock" exceeds the path limit, + "99" does not
    const std::string tail = "/veltrano/temp";
    while (deep.size() + 1 + part.size() + 1 + tail.size() < kStemLength)
        deep += "/" + part;
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(deep)));
    const std::string folder = deep + "/" + std::string(kStemLength - deep.size() - 1 - tail.size(), 'p');
    const std::string stem = folder + tail;
    ASSERT_EQ(stem.size(), kStemLength);

    WorkDirLock lock(stem + "/");
    EXPECT_EQ(lock.status(), WorkDirLock::Status::CannotCreate);
    EXPECT_FALSE(lock.isLocked());
    EXPECT_EQ(lock.path(), stem + "/");
    EXPECT_TRUE(test::folderEntries(deep).empty());
}

}  // namespace
