#include "document/work_dir.h"

#include "document/folder_path.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QString>

#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace veltrano {

namespace {

// Creates folder and its missing parents; the folders made are added to
// created, outermost first. False when something that is not a folder is
// in the way or a folder cannot be made.
bool makeFolders(const QString& folder, std::vector<QString>& created)
{
    const QFileInfo info(folder);
    if (info.isDir())
        return true;
    if (info.exists() || info.isSymLink())
        return false;
    const QString parent = info.absolutePath();
    if (parent != info.absoluteFilePath() && !makeFolders(parent, created))
        return false;
    if (!QDir().mkdir(folder))
        return false;
    created.push_back(folder);
    return true;
}

// Removes the folders this object made and could not use, innermost first,
// with whatever it left in them (a lock file that could not be written).
void removeFolders(std::vector<QString>& created, std::size_t keep = 0)
{
    while (created.size() > keep) {
        QDir(created.back()).removeRecursively();
        created.pop_back();
    }
}

// A lock file that QLockFile cannot read (empty, garbage, a folder in its
// place: what a power cut can leave) names no process, so it never becomes
// stale by itself. It is removed unless a live QLockFile holds it: a live
// holder keeps an exclusive flock on its lock file from the moment it
// creates it, so only a file nobody holds is taken away. True when the
// place is free now.
bool removeDamagedLock(const QString& lockPath)
{
    const QFileInfo info(lockPath);
    if (info.isDir() && !info.isSymLink())
        return QDir(lockPath).removeRecursively();
    const QByteArray native = QFile::encodeName(lockPath);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return QFile::remove(lockPath);  // a dangling link or an unreadable entry
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(native.constData()) == 0;
    ::close(fd);
    return free;
}

enum class Attempt { Locked, Busy, Unusable };

Attempt tryLock(QLockFile& lock, const QString& lockPath)
{
    // Only a lock whose process has ended is stale; a long-running editor
    // keeps its folder however old its lock file is.
    lock.setStaleLockTime(0);
    if (lock.tryLock(0))
        return Attempt::Locked;
    if (lock.error() != QLockFile::LockFailedError)
        return Attempt::Unusable;  // the lock file cannot be written here
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock.getLockInfo(&pid, &host, &application))
        return Attempt::Busy;  // a readable lock of a live editor
    if (!removeDamagedLock(lockPath))
        return Attempt::Busy;
    if (lock.tryLock(0))
        return Attempt::Locked;
    return lock.error() == QLockFile::LockFailedError ? Attempt::Busy : Attempt::Unusable;
}

}  // namespace

WorkDirLock::WorkDirLock(const std::string& base)
{
    const std::string stem = withoutSeparator(base);
    m_path = stem + "/";
    if (stem.empty()) {
        m_status = Status::CannotCreate;
        return;
    }
    // Every candidate lies in the same parent; if that cannot be made,
    // none can.
    std::vector<QString> created;
    const QFileInfo stemInfo(QString::fromStdString(stem));
    if (!makeFolders(stemInfo.absolutePath(), created)) {
        removeFolders(created);
        m_status = Status::CannotCreate;
        return;
    }
    const std::size_t parents = created.size();

    bool creationFailed = false;
    // Enough for any number of editors one user runs side by side; the
    // bound keeps a folder that can never be locked from being retried
    // forever.
    for (int number = 1; number <= kLastCandidate; ++number) {
        const std::string candidate = number == 1 ? stem : stem + std::to_string(number);
        const QString folder = QString::fromStdString(candidate);
        if (!makeFolders(folder, created)) {
            creationFailed = true;
            continue;
        }
        const QString lockPath = folder + "/" + kLockFileName;
        // A lock file that is there before ours was left by an editor that
        // did not end cleanly, unless it is a live editor's (Busy below).
        const QFileInfo previous(lockPath);
        const bool hadLock = previous.exists() || previous.isSymLink();
        auto lock = std::make_unique<QLockFile>(lockPath);
        const Attempt attempt = tryLock(*lock, lockPath);
        if (attempt == Attempt::Locked) {
            m_lock = std::move(lock);
            m_path = candidate + "/";
            m_status = Status::Locked;
            m_tookOver = hadLock;
            return;
        }
        // A folder whose lock file cannot be written is no place for the
        // working files either.
        if (attempt == Attempt::Unusable)
            creationFailed = true;
        lock.reset();
        removeFolders(created, parents);
    }
    removeFolders(created);
    m_status = creationFailed ? Status::CannotCreate : Status::AllBusy;
}

WorkDirLock::~WorkDirLock() = default;
WorkDirLock::WorkDirLock(WorkDirLock&&) noexcept = default;
WorkDirLock& WorkDirLock::operator=(WorkDirLock&&) noexcept = default;

}  // namespace veltrano
