#include "document/work_dir.h"

#include <QDir>
#include <QLockFile>
#include <QString>

namespace veltrano {

namespace {

// Enough for any number of editors one user runs side by side; the bound
// keeps a folder that can never be locked from being retried forever.
constexpr int kLastCandidate = 99;

std::string withoutSeparator(std::string dir)
{
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    return dir;
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
    bool creationFailed = false;
    for (int number = 1; number <= kLastCandidate; ++number) {
        const std::string candidate = number == 1 ? stem : stem + std::to_string(number);
        const QString folder = QString::fromStdString(candidate);
        if (!QDir().mkpath(folder)) {
            creationFailed = true;
            continue;
        }
        auto lock = std::make_unique<QLockFile>(folder + "/" + kLockFileName);
        // Only a lock whose process has ended is stale; a long-running
        // editor keeps its folder however old its lock file is.
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) {
            m_lock = std::move(lock);
            m_path = candidate + "/";
            m_status = Status::Locked;
            return;
        }
        // A folder whose lock file cannot be written is no place for the
        // working files either.
        if (lock->error() != QLockFile::LockFailedError)
            creationFailed = true;
    }
    m_status = creationFailed ? Status::CannotCreate : Status::AllBusy;
}

WorkDirLock::~WorkDirLock() = default;
WorkDirLock::WorkDirLock(WorkDirLock&&) noexcept = default;
WorkDirLock& WorkDirLock::operator=(WorkDirLock&&) noexcept = default;

}  // namespace veltrano
