#include "support/exhausting_file_system.h"

#include <new>

namespace veltrano::test {

void ExhaustingFileSystem::exhaustAt(int n, std::string pathPart)
{
    m_at = n;
    m_counted = 0;
    m_exhausted = false;
    m_pathPart = std::move(pathPart);
}

int ExhaustingFileSystem::open(const std::string& path, OpenMode mode)
{
    const int fd = FileSystem::open(path, mode);
    if (fd >= 0)
        m_openPaths[fd] = path;
    return fd;
}

long long ExhaustingFileSystem::read(int fd, void* buffer, std::size_t size)
{
    const auto it = m_openPaths.find(fd);
    const bool matches = it != m_openPaths.end() && it->second.find(m_pathPart) != std::string::npos;
    if (m_at > 0 && matches && ++m_counted == m_at) {
        m_exhausted = true;
        throw std::bad_alloc();
    }
    return FileSystem::read(fd, buffer, size);
}

bool ExhaustingFileSystem::close(int fd)
{
    m_openPaths.erase(fd);
    return FileSystem::close(fd);
}

}  // namespace veltrano::test
