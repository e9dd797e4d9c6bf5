#include "document/record_file.h"

#include "document/io_error.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <random>

namespace veltrano {

namespace {

// Closes a descriptor on every path out of a scope; a failed close on the
// error path is not reported over the first error.
class FileHandle {
public:
    FileHandle(FileSystem& fs, const std::string& path, OpenMode mode) : m_fs(fs), m_fd(fs.open(path, mode))
    {
        if (m_fd < 0)
            throw IoError(fs.lastError());
    }
    // Takes over a descriptor that is open already.
    FileHandle(FileSystem& fs, int fd) : m_fs(fs), m_fd(fd) {}
    ~FileHandle()
    {
        if (m_fd >= 0)
            m_fs.close(m_fd);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    int fd() const { return m_fd; }
    void close()
    {
        const int fd = m_fd;
        m_fd = -1;
        if (!m_fs.close(fd))
            throw IoError(m_fs.lastError());
    }

private:
    FileSystem& m_fs;
    int m_fd;
};

// Whole files are held in memory; a file far beyond any drawing (eight
// million records) is refused rather than exhausting memory.
constexpr long long kMaxFileBytes = 256LL * 1024 * 1024;

long long checked(FileSystem& fs, long long result)
{
    if (result < 0)
        throw IoError(fs.lastError());
    return result;
}

void writeAll(FileSystem& fs, int fd, const void* data, std::size_t size)
{
    if (checked(fs, fs.write(fd, data, size)) != (long long)size)
        throw IoError(ENOSPC);
}

// A partial file's name: the target's name (its first
// kPartialBaseBytes bytes, so that a target of the longest name the system
// allows still has one beside it), ".part" and random digits, so that
// nobody can put a link or a file in its place beforehand.
constexpr std::size_t kPartialBaseBytes = 128;
constexpr int kPartialDigits = 16;
// Names already taken are passed over; this many in a row mean that
// something fills the folder on purpose.
constexpr int kPartialAttempts = 32;

std::string randomPartialName(const std::string& path)
{
    static thread_local std::mt19937_64 dice{(std::uint64_t(std::random_device()()) << 32) ^ std::random_device()()};
    const std::size_t slash = path.find_last_of('/');
    const std::size_t base = slash == std::string::npos ? 0 : slash + 1;
    std::size_t baseEnd = std::min(path.size(), base + kPartialBaseBytes);
    // Not inside a UTF-8 sequence.
    while (baseEnd > base && baseEnd < path.size() && (static_cast<unsigned char>(path[baseEnd]) & 0xC0) == 0x80)
        --baseEnd;
    std::string name = path.substr(0, baseEnd);
    name.append(".part");
    for (int i = 0; i < kPartialDigits; ++i)
        name.push_back(char('0' + dice() % 10));
    return name;
}

// Creates a new partial file beside path and names it in part. It is made
// here and now (never an existing file, never through a link), so a link
// planted in the folder cannot redirect the write. The note learns each
// name before the file is made, so a process killed in between leaves no
// file it does not name.
int createPartialFile(FileSystem& fs, const std::string& path, std::string& part, const PartialFileNote& notePartial)
{
    for (int attempt = 0; attempt < kPartialAttempts; ++attempt) {
        part = randomPartialName(path);
        if (notePartial)
            notePartial(part);
        const int fd = fs.open(part, OpenMode::CreateNew);
        if (fd >= 0)
            return fd;
        if (fs.lastError() != EEXIST)
            throw IoError(fs.lastError());
    }
    throw IoError(EEXIST);
}

// A file the user keeps is replaced only where it is an ordinary file or
// missing: a device or a FIFO would otherwise turn into a file, a folder
// cannot be replaced at all.
void requireRegularIfPresent(FileSystem& fs, const std::string& resolved, const std::string& named)
{
    switch (fs.kindOf(resolved)) {
    case EntryKind::Folder:
        throw IoError(EISDIR);
    case EntryKind::Other:
        throw IoError(kNotRegularFile, named);
    case EntryKind::Missing:
    case EntryKind::RegularFile:
        break;
    }
}

}  // namespace

bool isPartialFileName(const std::string& path)
{
    // Also the names "<target>.part<pid>" of earlier versions.
    const std::size_t dot = path.rfind(".part");
    const std::size_t digits = dot == std::string::npos ? 0 : dot + 5;
    if (path.empty() || path.front() != '/' || digits == 0 || digits == path.size())
        return false;
    return path.find_first_not_of("0123456789", digits) == std::string::npos;
}

std::vector<ElementRecord> parseRecords(const std::vector<std::uint8_t>& bytes)
{
    std::vector<ElementRecord> records;
    const std::size_t count = bytes.size() / kRecordSize;
    records.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        records.push_back(decodeRecord(bytes.data() + i * kRecordSize));
    return records;
}

std::vector<std::uint8_t> serializeRecords(const std::vector<ElementRecord>& records)
{
    std::vector<std::uint8_t> bytes(records.size() * kRecordSize);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const RecordBytes one = encodeRecord(records[i]);
        std::copy(one.begin(), one.end(), bytes.begin() + std::ptrdiff_t(i * kRecordSize));
    }
    return bytes;
}

std::vector<std::uint8_t> readFileBytes(FileSystem& fs, const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    readFileBytes(fs, path, bytes);
    return bytes;
}

void readFileBytes(FileSystem& fs, const std::string& path, std::vector<std::uint8_t>& bytes)
{
    FileHandle file(fs, path, OpenMode::Read);
    const long long size = checked(fs, fs.size(file.fd()));
    if (size > kMaxFileBytes)
        throw IoError(EFBIG);
    bytes.resize(static_cast<std::size_t>(size));
    const long long got = checked(fs, fs.read(file.fd(), bytes.data(), bytes.size()));
    if (got != size)
        throw IoError(kReadPastEnd);
    file.close();
}

std::uint32_t recordCount(FileSystem& fs, const std::string& path)
{
    FileHandle file(fs, path, OpenMode::Read);
    const long long size = checked(fs, fs.size(file.fd()));
    file.close();
    return std::uint32_t(size / (long long)kRecordSize);
}

std::vector<ElementRecord> readAllRecords(FileSystem& fs, const std::string& path)
{
    return parseRecords(readFileBytes(fs, path));
}

void readAllRecords(FileSystem& fs, const std::string& path, std::vector<ElementRecord>& records,
                    std::vector<std::uint8_t>& bytes)
{
    readFileBytes(fs, path, bytes);
    const std::size_t count = bytes.size() / kRecordSize;
    records.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        records[i] = decodeRecord(bytes.data() + i * kRecordSize);
}

namespace {

// Several records (a paste, a merged file) replace the file by the whole
// new document: a process killed in the middle of one large write keeps
// the part of it that reached the file, which would leave some of the new
// records and not the others.
std::uint32_t appendByReplacing(FileSystem& fs, const std::string& path, const std::vector<ElementRecord>& records)
{
    std::vector<std::uint8_t> bytes;
    try {
        readFileBytes(fs, path, bytes);
    } catch (const IoError& error) {
        if (error.errorNumber() != ENOENT)
            throw;
    }
    bytes.resize(bytes.size() - bytes.size() % kRecordSize);
    const auto first = std::uint32_t(bytes.size() / kRecordSize);
    const std::vector<std::uint8_t> added = serializeRecords(records);
    bytes.insert(bytes.end(), added.begin(), added.end());
    writeFileBytes(fs, path, bytes);
    return first;
}

}  // namespace

void readAllRecordsInPlace(FileSystem& fs, const std::string& path, std::vector<ElementRecord>& records)
{
    try {
        FileHandle file(fs, path, OpenMode::Read);
        const long long size = checked(fs, fs.size(file.fd()));
        if (size > kMaxFileBytes)
            throw IoError(EFBIG);
        const std::size_t count = std::size_t(size) / kRecordSize;
        records.resize(count);
        // The struct has the size of a stored record: the bytes land in the
        // records' storage and each is decoded where it lies.
        const long long got = checked(fs, fs.read(file.fd(), records.data(), count * kRecordSize));
        if (got != (long long)(count * kRecordSize))
            throw IoError(kReadPastEnd);
        file.close();
        for (ElementRecord& record : records)
            record = decodeRecord(reinterpret_cast<const std::uint8_t*>(&record));
    } catch (...) {
        records.clear();
        throw;
    }
}

void rewriteRecords(FileSystem& fs, const std::string& from, const std::string& to,
                    const RecordTransform& transform, std::uint32_t dropAtEnd)
{
    // 64 KiB blocks: large enough that the system calls cost little next to
    // the bytes they move, small enough to stay in the cache.
    constexpr std::size_t kBlockRecords = 2048;
    FileHandle source(fs, from, OpenMode::Read);
    const long long size = checked(fs, fs.size(source.fd()));
    // The same limit as for the files read whole.
    if (size > kMaxFileBytes)
        throw IoError(EFBIG);
    const long long whole = size / (long long)kRecordSize;
    const std::uint32_t count = std::uint32_t(std::max<long long>(whole - (long long)dropAtEnd, 0));
    FileHandle target(fs, to, OpenMode::CreateTruncate);
    std::vector<std::uint8_t> block(std::min<std::size_t>(count, kBlockRecords) * kRecordSize);
    for (std::uint32_t done = 0; done < count;) {
        const std::uint32_t n = std::uint32_t(std::min<std::size_t>(count - done, kBlockRecords));
        const std::size_t bytes = std::size_t(n) * kRecordSize;
        if (checked(fs, fs.read(source.fd(), block.data(), bytes)) != (long long)bytes)
            throw IoError(kReadPastEnd);
        for (std::uint32_t i = 0; i < n; ++i) {
            std::uint8_t* const at = block.data() + std::size_t(i) * kRecordSize;
            ElementRecord record = decodeRecord(at);
            transform(record, done + i);
            const RecordBytes encoded = encodeRecord(record);
            std::copy(encoded.begin(), encoded.end(), at);
        }
        writeAll(fs, target.fd(), block.data(), bytes);
        done += n;
    }
    target.close();
    source.close();
}

std::uint32_t appendRecords(FileSystem& fs, const std::string& path, const std::vector<ElementRecord>& records)
{
    if (records.size() > 1)
        return appendByReplacing(fs, path, records);
    // One record is one write inside one page of the file (records start
    // at multiples of 32): it lands whole or not at all when the process is
    // killed.
    FileHandle file(fs, path, OpenMode::ReadWrite);
    const long long size = checked(fs, fs.size(file.fd()));
    const long long end = size - size % (long long)kRecordSize;
    checked(fs, fs.seek(file.fd(), end));
    const std::vector<std::uint8_t> bytes = serializeRecords(records);
    try {
        writeAll(fs, file.fd(), bytes.data(), bytes.size());
    } catch (const IoError&) {
        // A disk that filled up mid-write may have kept part of the new
        // records: cut them off again, so the document is the old one
        // (when even that fails, at most a fragment remains, see above).
        fs.truncate(file.fd(), end);
        throw;
    }
    file.close();
    return std::uint32_t(end / (long long)kRecordSize);
}

std::uint32_t appendRecord(FileSystem& fs, const std::string& path, const ElementRecord& record)
{
    return appendRecords(fs, path, {record});
}

void writeFileBytes(FileSystem& fs, const std::string& target, const std::vector<std::uint8_t>& bytes,
                    Durability durability, const PartialFileNote& notePartial)
{
    // A file the user keeps may be a symbolic link: the new content replaces
    // the file it points to, beside that file, and the link stays.
    std::string path = target;
    if (durability == Durability::Flushed) {
        if (!fs.resolveLinks(target, path))
            throw IoError(fs.lastError());
        requireRegularIfPresent(fs, path, target);
    }
    std::string part;
    const int fd = createPartialFile(fs, path, part, notePartial);
    try {
        FileHandle file(fs, fd);
        writeAll(fs, file.fd(), bytes.data(), bytes.size());
        if (durability == Durability::Flushed) {
            // A file the user keeps: it stays as private or as shared as it
            // was, and is on the disk before it replaces the old one.
            if (!fs.adoptPermissions(file.fd(), path))
                throw IoError(fs.lastError());
            if (!fs.flush(file.fd()))
                throw IoError(fs.lastError());
        }
        file.close();
        if (!fs.rename(part, path))
            throw IoError(fs.lastError());
        // The new content is in place; a folder that cannot be flushed only
        // makes the rename less certain to survive a power cut, so it is
        // not reported as a failed write.
        if (durability == Durability::Flushed)
            fs.flushFolderOf(path);
    } catch (...) {
        fs.remove(part);
        throw;
    }
}

void writeFileInPlace(FileSystem& fs, const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    FileHandle file(fs, path, OpenMode::CreateTruncate);
    writeAll(fs, file.fd(), bytes.data(), bytes.size());
    file.close();
}

void replaceFile(FileSystem& fs, const std::string& from, const std::string& to)
{
    if (!fs.rename(from, to))
        throw IoError(fs.lastError());
}

void requireWritableIfPresent(FileSystem& fs, const std::string& path)
{
    std::string resolved;
    if (!fs.resolveLinks(path, resolved))
        throw IoError(fs.lastError());
    requireRegularIfPresent(fs, resolved, path);
    const int fd = fs.open(path, OpenMode::ReadWriteExisting);
    if (fd < 0) {
        if (fs.lastError() == ENOENT)
            return;
        throw IoError(fs.lastError());
    }
    // Nothing was written through this descriptor, so a failing close
    // cannot have lost anything.
    fs.close(fd);
}

void writeRecords(FileSystem& fs, const std::string& path, const std::vector<ElementRecord>& records,
                  Durability durability)
{
    writeFileBytes(fs, path, serializeRecords(records), durability);
}

void copyFile(FileSystem& fs, const std::string& from, const std::string& to, Durability durability)
{
    writeFileBytes(fs, to, readFileBytes(fs, from), durability);
}

}  // namespace veltrano
