#include "document/file_system.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veltrano {

int FileSystem::open(const std::string& path, OpenMode mode)
{
    int flags = 0;
    switch (mode) {
    case OpenMode::Read:
        flags = O_RDONLY;
        break;
    case OpenMode::ReadWrite:
        flags = O_RDWR | O_CREAT;
        break;
    case OpenMode::ReadWriteExisting:
        flags = O_RDWR;
        break;
    case OpenMode::CreateTruncate:
        flags = O_RDWR | O_CREAT | O_TRUNC;
        break;
    case OpenMode::CreateNew:
        flags = O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW;
        break;
    }
    // Record files are regular files. A FIFO, a device or a folder in their
    // place (chosen as a document, or put there behind the editor's back)
    // is refused before it is opened, so that opening cannot block or touch
    // a device, and checked again on the descriptor, in case it was swapped
    // in between; O_NONBLOCK keeps that second open from waiting. The
    // user reads "Dateizugriff verweigert".
    struct stat before {};
    if (::stat(path.c_str(), &before) == 0 && !S_ISREG(before.st_mode)) {
        setLastError(EACCES);
        return -1;
    }
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd < 0) {
        setLastError(errno);
        return -1;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        setLastError(EACCES);
        return -1;
    }
    return fd;
}

long long FileSystem::read(int fd, void* buffer, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, static_cast<char*>(buffer) + done, size - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            setLastError(errno);
            return -1;
        }
        if (n == 0)
            break;
        done += std::size_t(n);
    }
    return (long long)done;
}

long long FileSystem::write(int fd, const void* buffer, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, static_cast<const char*>(buffer) + done, size - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            setLastError(errno);
            return -1;
        }
        done += std::size_t(n);
    }
    return (long long)done;
}

long long FileSystem::size(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        setLastError(errno);
        return -1;
    }
    return (long long)st.st_size;
}

long long FileSystem::seek(int fd, long long offset)
{
    const off_t at = ::lseek(fd, off_t(offset), SEEK_SET);
    if (at < 0)
        setLastError(errno);
    return (long long)at;
}

bool FileSystem::truncate(int fd, long long size)
{
    if (::ftruncate(fd, off_t(size)) == 0)
        return true;
    setLastError(errno);
    return false;
}

bool FileSystem::flush(int fd)
{
    if (::fsync(fd) == 0)
        return true;
    setLastError(errno);
    return false;
}

bool FileSystem::flushFolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        setLastError(errno);
        return false;
    }
    const bool ok = ::fsync(fd) == 0;
    if (!ok)
        setLastError(errno);
    ::close(fd);
    return ok;
}

bool FileSystem::adoptPermissions(int fd, const std::string& model)
{
    struct stat st {};
    if (::stat(model.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return true;
        setLastError(errno);
        return false;
    }
    if (::fchmod(fd, st.st_mode & 07777) == 0)
        return true;
    setLastError(errno);
    return false;
}

bool FileSystem::close(int fd)
{
    if (::close(fd) == 0)
        return true;
    setLastError(errno);
    return false;
}

bool FileSystem::rename(const std::string& from, const std::string& to)
{
    if (std::rename(from.c_str(), to.c_str()) == 0)
        return true;
    setLastError(errno);
    return false;
}

bool FileSystem::remove(const std::string& path)
{
    if (::unlink(path.c_str()) == 0)
        return true;
    setLastError(errno);
    return false;
}

bool FileSystem::exists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

EntryKind FileSystem::kindOf(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return EntryKind::Missing;
    if (S_ISREG(st.st_mode))
        return EntryKind::RegularFile;
    return S_ISDIR(st.st_mode) ? EntryKind::Folder : EntryKind::Other;
}

bool FileSystem::resolveLinks(const std::string& path, std::string& resolved)
{
    // The limit of links the system itself follows in one path.
    constexpr int kMaxLinkHops = 40;
    std::string current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        // A missing or unreadable entry is left to the open that follows,
        // which reports the true error.
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            resolved = current;
            return true;
        }
        std::string target(std::size_t(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0) {
            setLastError(errno);
            return false;
        }
        target.resize(std::size_t(length));
        if (!target.empty() && target.front() == '/') {
            current = target;
        } else {
            const std::size_t slash = current.find_last_of('/');
            current = (slash == std::string::npos ? std::string() : current.substr(0, slash + 1)) + target;
        }
    }
    setLastError(ELOOP);
    return false;
}

FileSystem& FileSystem::system()
{
    static FileSystem instance;
    return instance;
}

}  // namespace veltrano
