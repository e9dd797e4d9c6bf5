#include "document/working_file.h"

#include "document/folder_path.h"
#include "document/io_error.h"
#include "document/record_file.h"

#include <cerrno>
#include <utility>

namespace veltrano {

namespace {

std::uint32_t countOf(const std::vector<std::uint8_t>& bytes)
{
    return std::uint32_t(bytes.size() / kRecordSize);
}

// temp.dat deleted behind the editor's back: the command that finds it
// missing fails with "Datei nicht gefunden", and an empty document takes
// its place, so the next drawing starts again instead of failing forever.
template <typename Body>
auto recreatingMissing(const WorkingFile& working, Body&& body)
{
    try {
        return body();
    } catch (const IoError& error) {
        if (error.errorNumber() == ENOENT && !working.fileSystem().exists(working.path())) {
            try {
                writeFileBytes(working.fileSystem(), working.path(), {});
            } catch (const IoError&) {
                // The first error is the one reported.
            }
        }
        throw;
    }
}

}  // namespace

WorkingFile::WorkingFile(FileSystem& fs, std::string workDir) : m_fs(fs), m_workDir(withSeparator(std::move(workDir))) {}

std::string WorkingFile::path() const
{
    return pathOf(workfile::Document);
}

std::string WorkingFile::pathOf(std::string_view name) const
{
    return m_workDir + std::string(name);
}

void WorkingFile::createEmpty()
{
    writeFileBytes(m_fs, path(), {});
}

std::uint32_t WorkingFile::recordCount() const
{
    return recreatingMissing(*this, [&] { return veltrano::recordCount(m_fs, path()); });
}

std::vector<ElementRecord> WorkingFile::readAll() const
{
    return recreatingMissing(*this, [&] { return readAllRecords(m_fs, path()); });
}

void WorkingFile::readAll(std::vector<ElementRecord>& buffer) const
{
    recreatingMissing(*this, [&] { readAllRecordsInPlace(m_fs, path(), buffer); });
}

void WorkingFile::TakeSnapshot()
{
    recreatingMissing(*this, [&] { copyFile(m_fs, path(), pathOf(workfile::Snapshot)); });
}

void WorkingFile::RestoreSnapshot()
{
    const std::string document = path();
    const std::string snapshot = pathOf(workfile::Snapshot);
    const std::string exchange = pathOf(workfile::Exchange);

    const std::vector<std::uint8_t> current =
        recreatingMissing(*this, [&] { return readFileBytes(m_fs, document); });
    std::vector<std::uint8_t> restored;
    try {
        restored = readFileBytes(m_fs, snapshot);
    } catch (const IoError& error) {
        if (error.errorNumber() != ENOENT)
            throw;
        // No snapshot yet: the document stays and becomes the snapshot.
        writeFileBytes(m_fs, snapshot, current);
        return;
    }

    // The exchange buffer holds the current document until the snapshot
    // has been rewritten, so a failure there can put it back.
    writeFileBytes(m_fs, exchange, current);
    writeFileBytes(m_fs, document, restored);
    try {
        writeFileBytes(m_fs, snapshot, current);
    } catch (const IoError&) {
        // Undo the half-done exchange; the first error is the one reported.
        m_fs.rename(exchange, document);
        throw;
    }
}

std::uint32_t WorkingFile::AppendRecord(const ElementRecord& record)
{
    return appendRecord(m_fs, path(), record);
}

std::uint32_t WorkingFile::AppendRecords(const std::vector<ElementRecord>& records)
{
    return appendRecords(m_fs, path(), records);
}

void WorkingFile::RewriteThroughScratch(const RecordTransform& transform)
{
    rewriteThroughScratch(transform, 0);
}

void WorkingFile::rewriteWithoutLast()
{
    rewriteThroughScratch([](ElementRecord&, std::uint32_t) {}, 1);
}

void WorkingFile::rewriteThroughScratch(const RecordTransform& transform, std::uint32_t dropAtEnd)
{
    // The records stream from temp.dat through the transform into
    // temp2.dat; only a block of them is in memory at a time.
    const std::string scratch = pathOf(workfile::Scratch);
    try {
        recreatingMissing(*this, [&] { rewriteRecords(m_fs, path(), scratch, transform, dropAtEnd); });
        replaceFile(m_fs, scratch, path());
    } catch (...) {
        // An incomplete copy is of no use, and on a full disk it holds the
        // space the next command needs.
        m_fs.remove(scratch);
        throw;
    }
}

std::uint32_t WorkingFile::filteredCopy(const std::vector<bool>& marks, FilterSense sense)
{
    const std::vector<ElementRecord> records = readAll();
    const bool wanted = sense == FilterSense::Marked;
    std::vector<ElementRecord> kept;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const bool marked = i < marks.size() && marks[i];
        if (marked == wanted)
            kept.push_back(records[i]);
    }
    const std::string_view target = sense == FilterSense::Marked ? workfile::CopyBuffer : workfile::DeleteResult;
    writeRecords(m_fs, pathOf(target), kept);
    return std::uint32_t(kept.size());
}

std::uint32_t WorkingFile::loadFile(const std::string& source)
{
    // The bytes are written into a fresh file of our own, so none of the
    // source's attributes (read-only among them) reach temp.dat.
    const std::vector<std::uint8_t> bytes = readFileBytes(m_fs, source);
    writeFileBytes(m_fs, path(), bytes);
    return countOf(bytes);
}

std::uint32_t WorkingFile::loadFile(const std::string& source, std::vector<ElementRecord>& records)
{
    std::vector<std::uint8_t> bytes;
    readAllRecords(m_fs, source, records, bytes);
    writeFileBytes(m_fs, path(), bytes);
    return std::uint32_t(records.size());
}

std::uint32_t WorkingFile::saveTo(const std::string& target)
{
    const std::vector<std::uint8_t> bytes = readFileBytes(m_fs, path());
    requireWritableIfPresent(m_fs, target);
    writeKeptFile(target, bytes);
    return countOf(bytes);
}

void WorkingFile::writeKeptFile(const std::string& target, const std::vector<std::uint8_t>& bytes)
{
    const std::string note = pathOf(workfile::SaveInProgress);
    try {
        writeFileBytes(m_fs, target, bytes, Durability::Flushed, [&](const std::string& part) { notePartial(part); });
    } catch (...) {
        // The failed write has removed its partial file.
        m_fs.remove(note);
        throw;
    }
    m_fs.remove(note);
}

void WorkingFile::notePartial(const std::string& part)
{
    // The new file is built beside the target, in a folder that no start
    // looks into; without the note a crash there would leave it behind.
    try {
        writeFileBytes(m_fs, pathOf(workfile::SaveInProgress), std::vector<std::uint8_t>(part.begin(), part.end()));
    } catch (const IoError&) {
        // Only the clean-up after a crash would miss the name.
    }
}

void WorkingFile::removeInterruptedSave()
{
    const std::string note = pathOf(workfile::SaveInProgress);
    std::vector<std::uint8_t> bytes;
    try {
        readFileBytes(m_fs, note, bytes);
    } catch (const IoError&) {
        return;
    }
    // Whatever the note says, only a partial file's name is removed.
    const std::string part(bytes.begin(), bytes.end());
    if (isPartialFileName(part))
        m_fs.remove(part);
    m_fs.remove(note);
}

}  // namespace veltrano
