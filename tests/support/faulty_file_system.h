#pragma once
// A FileSystem that passes every call to the real one but can make the n-th
// operation fail with a chosen error number, optionally counting only the
// operations of one kind. It counts what it is asked, so a test can loop
// "fail at step n" for n = 1, 2, ... until an operation runs without a fault
// and check after each round that no file lost its content.

#include "document/file_system.h"

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace veltrano::test {

enum class FsOp { Open, Read, Write, Size, Seek, Truncate, Flush, FlushFolder, Permissions, Close, Rename, Remove, Exists, Links };

class FaultyFileSystem : public FileSystem {
public:
    // Fails the n-th operation (1-based) counted from now; with a kind, only
    // operations of that kind are counted for the fault. n = 0 disarms.
    void failAt(int n, int error, std::optional<FsOp> kind = std::nullopt);
    void disarm() { failAt(0, 0); }
    // Counts for the fault only operations on paths containing the text
    // (descriptor operations count by the path they were opened with;
    // a rename by either of its paths). Empty = every path. Kept by failAt.
    void onlyPathsContaining(std::string text) { m_pathFilter = std::move(text); }

    // Whether the armed fault has been injected since failAt.
    bool injected() const { return m_injected; }
    // Operations seen since failAt (of every kind).
    int operations() const { return m_operations; }

    int open(const std::string& path, OpenMode mode) override;
    long long read(int fd, void* buffer, std::size_t size) override;
    long long write(int fd, const void* buffer, std::size_t size) override;
    long long size(int fd) override;
    long long seek(int fd, long long offset) override;
    bool truncate(int fd, long long size) override;
    bool flush(int fd) override;
    bool flushFolderOf(const std::string& path) override;
    bool adoptPermissions(int fd, const std::string& model) override;
    bool close(int fd) override;
    bool rename(const std::string& from, const std::string& to) override;
    bool remove(const std::string& path) override;
    bool exists(const std::string& path) override;
    bool resolveLinks(const std::string& path, std::string& resolved) override;

private:
    // Counts the operation and tells whether it is the one to fail; if so,
    // the error is recorded as the last error.
    bool shouldFail(FsOp op, const std::string& path);
    bool shouldFail(FsOp op, int fd);

    int m_failAt = 0;
    int m_error = 0;
    std::optional<FsOp> m_kind;
    int m_operations = 0;
    int m_counted = 0;
    bool m_injected = false;
    std::string m_pathFilter;
    std::map<int, std::string> m_openPaths;
};

}  // namespace veltrano::test
