#include "support/faulty_file_system.h"

namespace veltrano::test {

void FaultyFileSystem::failAt(int n, int error, std::optional<FsOp> kind)
{
    m_failAt = n;
    m_error = error;
    m_kind = kind;
    m_operations = 0;
    m_counted = 0;
    m_injected = false;
}

bool FaultyFileSystem::shouldFail(FsOp op, int fd)
{
    const auto it = m_openPaths.find(fd);
    return shouldFail(op, it == m_openPaths.end() ? std::string() : it->second);
}

bool FaultyFileSystem::shouldFail(FsOp op, const std::string& path)
{
    ++m_operations;
    if (m_kind && *m_kind != op)
        return false;
    if (!m_pathFilter.empty() && path.find(m_pathFilter) == std::string::npos)
        return false;
    ++m_counted;
    if (m_failAt == 0 || m_counted != m_failAt)
        return false;
    m_injected = true;
    setLastError(m_error);
    return true;
}

int FaultyFileSystem::open(const std::string& path, OpenMode mode)
{
    if (shouldFail(FsOp::Open, path))
        return -1;
    const int fd = FileSystem::open(path, mode);
    if (fd >= 0)
        m_openPaths[fd] = path;
    return fd;
}

long long FaultyFileSystem::read(int fd, void* buffer, std::size_t size)
{
    if (shouldFail(FsOp::Read, fd))
        return -1;
    return FileSystem::read(fd, buffer, size);
}

long long FaultyFileSystem::write(int fd, const void* buffer, std::size_t size)
{
    if (shouldFail(FsOp::Write, fd)) {
        // A disk that fills up mid-write keeps part of the data: write half
        // of it before reporting the failure.
        FileSystem::write(fd, buffer, size / 2);
        setLastError(m_error);
        return -1;
    }
    return FileSystem::write(fd, buffer, size);
}

long long FaultyFileSystem::size(int fd)
{
    if (shouldFail(FsOp::Size, fd))
        return -1;
    return FileSystem::size(fd);
}

long long FaultyFileSystem::seek(int fd, long long offset)
{
    if (shouldFail(FsOp::Seek, fd))
        return -1;
    return FileSystem::seek(fd, offset);
}

bool FaultyFileSystem::truncate(int fd, long long size)
{
    if (shouldFail(FsOp::Truncate, fd))
        return false;
    return FileSystem::truncate(fd, size);
}

bool FaultyFileSystem::flush(int fd)
{
    if (shouldFail(FsOp::Flush, fd))
        return false;
    return FileSystem::flush(fd);
}

bool FaultyFileSystem::flushFolderOf(const std::string& path)
{
    if (shouldFail(FsOp::FlushFolder, path))
        return false;
    return FileSystem::flushFolderOf(path);
}

bool FaultyFileSystem::adoptPermissions(int fd, const std::string& model)
{
    if (shouldFail(FsOp::Permissions, fd))
        return false;
    return FileSystem::adoptPermissions(fd, model);
}

bool FaultyFileSystem::close(int fd)
{
    const bool fail = shouldFail(FsOp::Close, fd);
    m_openPaths.erase(fd);
    if (fail) {
        // A failing close still releases the descriptor, as on POSIX.
        FileSystem::close(fd);
        setLastError(m_error);
        return false;
    }
    return FileSystem::close(fd);
}

bool FaultyFileSystem::rename(const std::string& from, const std::string& to)
{
    if (shouldFail(FsOp::Rename, from + "\n" + to))
        return false;
    return FileSystem::rename(from, to);
}

bool FaultyFileSystem::remove(const std::string& path)
{
    if (shouldFail(FsOp::Remove, path))
        return false;
    return FileSystem::remove(path);
}

bool FaultyFileSystem::exists(const std::string& path)
{
    if (shouldFail(FsOp::Exists, path))
        return false;
    return FileSystem::exists(path);
}

bool FaultyFileSystem::resolveLinks(const std::string& path, std::string& resolved)
{
    if (shouldFail(FsOp::Links, path))
        return false;
    return FileSystem::resolveLinks(path, resolved);
}

}  // namespace veltrano::test
