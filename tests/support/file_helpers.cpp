#include "support/file_helpers.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace veltrano::test {

Bytes fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void putFileBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

bool fileExists(const std::string& path)
{
    return std::filesystem::exists(path);
}

Bytes recordFileBytes(const std::vector<ElementRecord>& records)
{
    Bytes bytes;
    for (const ElementRecord& record : records) {
        const RecordBytes one = encodeRecord(record);
        bytes.insert(bytes.end(), one.begin(), one.end());
    }
    return bytes;
}

std::vector<std::string> folderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace veltrano::test
