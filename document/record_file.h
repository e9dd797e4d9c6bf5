#pragma once
// Operations on record files: files of 32-byte ElementRecords, no header.
// Every failure throws IoError with the German run-time text; on a failure
// the target keeps its previous content (writes go to a fresh file that is
// renamed into place only when complete).

#include "document/element_record.h"
#include "document/file_system.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace veltrano {

// Scratch: the working files, replaced atomically but not waited for.
// Flushed: files the user keeps; they also keep the permissions of the file
// they replace and reach the disk before the rename. Written through a
// symbolic link, they replace the file it points to and the link stays.
enum class Durability { Scratch, Flushed };

// Number of whole records (a trailing fragment shorter than 32 bytes is not
// counted). A missing file throws "Datei nicht gefunden".
std::uint32_t recordCount(FileSystem& fs, const std::string& path);

// Every whole record in file order.
std::vector<ElementRecord> readAllRecords(FileSystem& fs, const std::string& path);
// The same into records, reusing the storage of records and of bytes (which
// receives the file's raw content) from earlier calls: for repaints, which
// read the same file again and again. On a failure records is unchanged.
void readAllRecords(FileSystem& fs, const std::string& path, std::vector<ElementRecord>& records,
                    std::vector<std::uint8_t>& bytes);

// The same, holding no second copy of the document: the file's whole
// records are read straight into the storage of records and decoded in
// place. For the working file, read on every repaint. On a failure records
// is left empty.
void readAllRecordsInPlace(FileSystem& fs, const std::string& path, std::vector<ElementRecord>& records);

// Passes every whole record of the file at from, with its position, to
// transform and writes the results in order to the file at to (created or
// emptied), a block of records at a time, so neither file is held in memory
// whole. The last dropAtEnd records are left out. When anything throws, to
// holds an incomplete copy and from is untouched.
using RecordTransform = std::function<void(ElementRecord& record, std::uint32_t position)>;
void rewriteRecords(FileSystem& fs, const std::string& from, const std::string& to,
                    const RecordTransform& transform, std::uint32_t dropAtEnd = 0);

// Writes the record at position recordCount (over a trailing fragment);
// creates the file when missing. Returns the position of the (first) new
// record. One record is written into the file in place; several are
// written with the old records as a new file renamed over it, so that a
// process killed in the middle leaves all of them or none.
std::uint32_t appendRecord(FileSystem& fs, const std::string& path, const ElementRecord& record);
std::uint32_t appendRecords(FileSystem& fs, const std::string& path, const std::vector<ElementRecord>& records);

// Replaces the file by exactly these records, atomically.
void writeRecords(FileSystem& fs, const std::string& path, const std::vector<ElementRecord>& records,
                  Durability durability = Durability::Scratch);

// Whole-file byte copy, atomic at the target.
void copyFile(FileSystem& fs, const std::string& from, const std::string& to,
              Durability durability = Durability::Scratch);

// Raw bytes of a whole file, and an atomic write of raw bytes.
std::vector<std::uint8_t> readFileBytes(FileSystem& fs, const std::string& path);
// The same into bytes, reusing its storage.
void readFileBytes(FileSystem& fs, const std::string& path, std::vector<std::uint8_t>& bytes);
// The new content is built in a partial file beside path (beside the file
// a link points to), created new under a name no one can foresee: the
// target's name (at most 128 bytes of it), ".part" and 16 random digits;
// notePartial, when given, learns that name before the file is made. A
// file the user keeps (Flushed) replaces only an ordinary file or nothing:
// a folder fails with "Ist ein Ordner", a device, FIFO or socket with
// "… ist keine gewöhnliche Datei".
using PartialFileNote = std::function<void(const std::string& part)>;
void writeFileBytes(FileSystem& fs, const std::string& path, const std::vector<std::uint8_t>& bytes,
                    Durability durability = Durability::Scratch, const PartialFileNote& notePartial = {});

// Whether an absolute path has the form of a partial file.
bool isPartialFileName(const std::string& path);

// Creates or empties the file and writes the bytes into it directly: for
// scratch files, whose old content nobody needs.
void writeFileInPlace(FileSystem& fs, const std::string& path, const std::vector<std::uint8_t>& bytes);

// Renames a complete file over its target.
void replaceFile(FileSystem& fs, const std::string& from, const std::string& to);

// Throws "Dateizugriff verweigert" (or the error met) when the file exists
// but may not be written, and as writeFileBytes does when it is no ordinary
// file; a missing file passes.
void requireWritableIfPresent(FileSystem& fs, const std::string& path);

// Parses whole records out of raw bytes; a trailing fragment is ignored.
std::vector<ElementRecord> parseRecords(const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> serializeRecords(const std::vector<ElementRecord>& records);

}  // namespace veltrano
