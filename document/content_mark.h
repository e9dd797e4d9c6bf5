#pragma once
// What a drawing is, in a few bytes: its number of whole records and the
// SHA-256 of those records. Two documents with the same mark hold the same
// elements; a trailing fragment is no part of a drawing and does not count.
// The editor keeps the mark of what was last saved to tell whether the
// document has changed since, and writes it beside temp.dat so that a start
// after a crash can tell the same.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace veltrano {

class FileSystem;
struct ElementRecord;

struct ContentMark {
    std::uint64_t records = 0;
    std::array<std::uint8_t, 32> digest{};

    // The mark of document bytes (a record file's content).
    static ContentMark of(const std::uint8_t* bytes, std::size_t size);
    static ContentMark of(const std::vector<std::uint8_t>& bytes) { return of(bytes.data(), bytes.size()); }
    // The mark of decoded records, encoded a block at a time: a document
    // that only just fitted in memory needs no second copy of its bytes.
    static ContentMark of(const std::vector<ElementRecord>& records);
    // The mark of a record file on disk; throws IoError when it cannot be read.
    static ContentMark ofFile(FileSystem& fs, const std::string& path);
    // The mark of a document without elements.
    static ContentMark empty() { return of(nullptr, 0); }

    // The mark file's single line: "COUNT HEX\n".
    std::vector<std::uint8_t> line() const;

    bool operator==(const ContentMark&) const = default;
};

}  // namespace veltrano
