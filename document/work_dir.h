#pragma once
// WorkDirLock: reserves a WorkDir for one running editor. Two editors that
// shared one folder would write the same temp.dat, so a folder locked by a
// live process is passed over for the first free of WorkDir + "2", "3", ...
// A lock left behind by a process that no longer runs is taken over, and
// tookOverStaleLock() tells so: the editor that held the folder ended
// without releasing it (a crash, a kill, a power cut), so its temp.dat may
// hold a drawing nobody saved. The lock is released, and its file removed,
// when the object is destroyed: a clean exit leaves no lock behind.

#include <memory>
#include <string>

class QLockFile;

namespace veltrano {

class WorkDirLock {
public:
    enum class Status {
        Locked,        // path() is created and ours
        CannotCreate,  // no candidate could be created or locked, and at least one failed for that
        AllBusy,       // every candidate is held by a live editor
    };

    // The candidates are base, base + "2", ... base + "99".
    static constexpr int kLastCandidate = 99;

    // The name of the lock file inside the locked folder.
    static constexpr const char* kLockFileName = "veltrano.lock";

    // base is the preferred WorkDir, with or without a trailing separator;
    // missing parent folders are created.
    explicit WorkDirLock(const std::string& base);
    ~WorkDirLock();
    WorkDirLock(WorkDirLock&&) noexcept;
    WorkDirLock& operator=(WorkDirLock&&) noexcept;

    Status status() const { return m_status; }
    bool isLocked() const { return m_status == Status::Locked; }
    // The folder in use, ending with a separator; the base when not locked.
    const std::string& path() const { return m_path; }
    // True when the folder in use held a lock file that no live process
    // owned (stale or damaged) and this object took it over.
    bool tookOverStaleLock() const { return m_tookOver; }

private:
    Status m_status = Status::AllBusy;
    bool m_tookOver = false;
    std::string m_path;
    std::unique_ptr<QLockFile> m_lock;
};

}  // namespace veltrano
