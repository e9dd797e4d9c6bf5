#pragma once
// A FileSystem whose reads can run out of memory: the n-th read of a file
// whose path contains a given text throws std::bad_alloc, as reading a
// document too large for the memory left does. Everything else passes to
// the real file system.

#include "document/file_system.h"

#include <map>
#include <string>

namespace veltrano::test {

class ExhaustingFileSystem : public FileSystem {
public:
    // Arms the n-th read (1-based, counted from now) of a path containing
    // pathPart (empty: any path); n = 0 disarms.
    void exhaustAt(int n, std::string pathPart = {});
    void disarm() { exhaustAt(0); }
    // Whether the armed read has thrown since exhaustAt.
    bool exhausted() const { return m_exhausted; }

    int open(const std::string& path, OpenMode mode) override;
    long long read(int fd, void* buffer, std::size_t size) override;
    bool close(int fd) override;

private:
    int m_at = 0;
    int m_counted = 0;
    bool m_exhausted = false;
    std::string m_pathPart;
    std::map<int, std::string> m_openPaths;
};

}  // namespace veltrano::test
