#pragma once
// The seam through which every file operation of the document store passes.
// The real implementation calls the operating system; tests derive from it
// to make the n-th operation fail and show that no file loses its content.
// Each call returns -1 (or false) on failure and reports the error number
// through lastError().

#include <cstddef>
#include <cstdint>
#include <string>

namespace veltrano {

enum class OpenMode {
    Read,               // an existing file, for reading
    ReadWrite,          // created when missing, content kept
    ReadWriteExisting,  // an existing file only, content kept
    CreateTruncate,     // created when missing, emptied
    CreateNew,          // created here and now: an existing entry, a link among them, fails (EEXIST)
};

// What a path names once links are followed.
enum class EntryKind { Missing, RegularFile, Folder, Other };

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual int open(const std::string& path, OpenMode mode);
    virtual long long read(int fd, void* buffer, std::size_t size);
    virtual long long write(int fd, const void* buffer, std::size_t size);
    virtual long long size(int fd);
    virtual long long seek(int fd, long long offset);
    virtual bool truncate(int fd, long long size);
    virtual bool flush(int fd);  // to the disk, not only to the system
    // Makes renames and new entries in the folder of path durable.
    virtual bool flushFolderOf(const std::string& path);
    // Gives the open file the permission bits of the file at model; a
    // missing model leaves them as they are and counts as success.
    virtual bool adoptPermissions(int fd, const std::string& model);
    virtual bool close(int fd);
    virtual bool rename(const std::string& from, const std::string& to);
    virtual bool remove(const std::string& path);
    virtual bool exists(const std::string& path);
    // A path that cannot be examined counts as missing: the open or rename
    // that follows reports the true error.
    virtual EntryKind kindOf(const std::string& path);
    // The file that path names once symbolic links in its last component are
    // followed (path itself when it is no link; a dangling link gives its
    // missing target). False with ELOOP for a loop of links.
    virtual bool resolveLinks(const std::string& path, std::string& resolved);

    int lastError() const { return m_lastError; }

    // The process-wide pass-through to the operating system; it holds no
    // state of its own beyond the last error.
    static FileSystem& system();

protected:
    void setLastError(int error) { m_lastError = error; }

private:
    int m_lastError = 0;
};

}  // namespace veltrano
