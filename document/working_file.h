#pragma once
// WorkingFile: the document being edited, which exists only as temp.dat in
// the WorkDir, together with the other record files kept there (the undo
// snapshot, the copy buffer and the scratch files).
//
// No descriptor is held between calls: every operation opens what it needs
// and closes it again, so the files can be read and replaced at any moment.
// Every failure throws IoError with the German run-time text and leaves each
// file with its last complete content: new content is built beside its
// target and renamed into place. A temp.dat deleted behind the editor's
// back fails the read that finds it missing ("Datei nicht gefunden") and is
// recreated empty, so the next drawing works again.

#include "document/element_record.h"
#include "document/file_system.h"
#include "document/record_file.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrano {

// The file names inside WorkDir.
namespace workfile {
constexpr std::string_view Document = "temp.dat";       // the document being edited
constexpr std::string_view Scratch = "temp2.dat";       // new content of a rewrite pass
constexpr std::string_view Snapshot = "sicher1.dat";    // the undo snapshot
constexpr std::string_view Exchange = "sicher2.dat";    // exchange buffer of the undo
constexpr std::string_view CopyBuffer = "kopie.dat";    // the selected records of "Kopieren"
constexpr std::string_view DeleteResult = "kopie1.dat"; // the unselected records of "Löschen"
constexpr std::string_view MergeCopy = "ttemp.dat";     // copy of a file being merged
constexpr std::string_view SaveInProgress = "speichern.txt";  // the partial file of a save under way
}  // namespace workfile

// Which records a filtered copy keeps, by their selection mark.
enum class FilterSense {
    Marked,    // "Kopieren": the selected records, into kopie.dat
    Unmarked,  // "Löschen": the unselected records, into kopie1.dat
};

class WorkingFile {
public:
    // Changes one record in place; position counts from 0 in file order.
    using RecordTransform = veltrano::RecordTransform;

    // Binds to workDir + "temp.dat"; touches no file. workDir may end with a
    // separator or not.
    WorkingFile(FileSystem& fs, std::string workDir);

    FileSystem& fileSystem() const { return m_fs; }
    const std::string& workDir() const { return m_workDir; }  // ends with a separator
    std::string path() const;                                  // of temp.dat
    std::string pathOf(std::string_view name) const;           // of any file in WorkDir

    // temp.dat becomes an empty document (start-up, "&Neu").
    void createEmpty();

    // Whole records in temp.dat; a trailing fragment is not counted.
    std::uint32_t recordCount() const;

    // Every record of temp.dat in file order. The second form reuses the
    // buffer's storage.
    std::vector<ElementRecord> readAll() const;
    void readAll(std::vector<ElementRecord>& buffer) const;

    // Copies temp.dat over sicher1.dat. Throws before anything else changes,
    // so a caller that snapshots first aborts with the document untouched.
    void TakeSnapshot();

    // Exchanges temp.dat and sicher1.dat (through sicher2.dat): running it
    // twice gives back the state before the first run. Without a sicher1.dat
    // the document stays as it is and the snapshot is created from it.
    // On a failure neither file has changed.
    void RestoreSnapshot();

    // Writes the record at the end of temp.dat (over a trailing fragment) and
    // returns its position, the old record count.
    std::uint32_t AppendRecord(const ElementRecord& record);
    // The same for several records in order; returns the first one's
    // position. temp.dat is replaced by the whole new document, so it holds
    // all of them or none even when the process is killed in the middle.
    std::uint32_t AppendRecords(const std::vector<ElementRecord>& records);

    // Passes every record with its position to the transform, builds the
    // whole new document in temp2.dat and then replaces temp.dat by it, so
    // order and count are kept and the selection marks stay valid. If
    // anything fails, temp.dat is left as it was and temp2.dat is removed.
    void RewriteThroughScratch(const RecordTransform& transform);

    // "Einzeln löschen": the same pass, keeping every record but the last.
    // An empty document stays empty.
    void rewriteWithoutLast();

    // Writes the records whose mark (marks[position]; positions beyond the
    // table count as unmarked) matches the sense into kopie.dat (Marked) or
    // kopie1.dat (Unmarked), in document order. Returns the number written.
    std::uint32_t filteredCopy(const std::vector<bool>& marks, FilterSense sense);

    // Copies a file over temp.dat: opening a document, start-up with a file
    // argument, and "Löschen" with kopie1.dat. The result is an ordinary
    // writable file even when the source is read-only. Returns its record
    // count. On a failure temp.dat keeps the current document.
    std::uint32_t loadFile(const std::string& source);
    // The same, with the source's records parsed into records before
    // temp.dat is replaced: a file that cannot be read whole, or whose
    // records do not fit in memory, fails before the document changes.
    std::uint32_t loadFile(const std::string& source, std::vector<ElementRecord>& records);

    // Writes a copy of temp.dat to the target, complete and flushed to the
    // disk before it replaces an existing file. An existing target that may
    // not be written is refused ("Dateizugriff verweigert") and kept.
    // Returns the record count saved.
    // An existing target that is no ordinary file is refused as
    // writeFileBytes refuses it. While the new file is built beside the
    // target, "speichern.txt" names the partial file, so that a start after
    // a crash in the middle can remove it (removeInterruptedSave); the note
    // is best effort.
    std::uint32_t saveTo(const std::string& target);

    // Writes bytes to a file the user keeps (an export, the answer file) as
    // saveTo writes the document: complete and flushed before it replaces
    // the old file, with the partial file named in "speichern.txt" while it
    // is built.
    void writeKeptFile(const std::string& target, const std::vector<std::uint8_t>& bytes);

    // Removes the partial file of a save that a crash interrupted, as the
    // note of saveTo names it, and the note. Failures are ignored.
    void removeInterruptedSave();

private:
    // Names the partial file of a save in "speichern.txt"; best effort.
    void notePartial(const std::string& part);
    void rewriteThroughScratch(const RecordTransform& transform, std::uint32_t dropAtEnd);

    FileSystem& m_fs;
    std::string m_workDir;
};

}  // namespace veltrano
