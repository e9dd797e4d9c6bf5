#pragma once
// Direct file access for tests, bypassing the FileSystem seam, so that what
// a test checks does not depend on the code under test.

#include "document/element_record.h"

#include <cstdint>
#include <string>
#include <vector>

namespace veltrano::test {

using Bytes = std::vector<std::uint8_t>;

// The whole content of a file; a missing file reads as empty, and
// fileExists tells the two apart.
Bytes fileBytes(const std::string& path);
void putFileBytes(const std::string& path, const Bytes& bytes);
bool fileExists(const std::string& path);

// The bytes of records back to back, as the file format lays them out.
Bytes recordFileBytes(const std::vector<ElementRecord>& records);

// The names of the entries of a folder, sorted.
std::vector<std::string> folderEntries(const std::string& folder);

}  // namespace veltrano::test
