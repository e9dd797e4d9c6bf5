#include "document/content_mark.h"

#include "document/element_record.h"
#include "document/record_file.h"

#include <QCryptographicHash>

#include <algorithm>

namespace veltrano {

ContentMark ContentMark::of(const std::uint8_t* bytes, std::size_t size)
{
    ContentMark mark;
    const std::size_t whole = size - size % kRecordSize;
    mark.records = whole / kRecordSize;
    const QByteArray hash = QCryptographicHash::hash(
        QByteArrayView(reinterpret_cast<const char*>(bytes), qsizetype(whole)), QCryptographicHash::Sha256);
    std::copy(hash.begin(), hash.end(), mark.digest.begin());
    return mark;
}

ContentMark ContentMark::of(const std::vector<ElementRecord>& records)
{
    constexpr std::size_t kBlockRecords = 2048;
    std::array<char, kBlockRecords * kRecordSize> block;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (std::size_t first = 0; first < records.size(); first += kBlockRecords) {
        const std::size_t count = std::min(kBlockRecords, records.size() - first);
        for (std::size_t i = 0; i < count; ++i) {
            const RecordBytes bytes = encodeRecord(records[first + i]);
            std::copy(bytes.begin(), bytes.end(), block.begin() + std::ptrdiff_t(i * kRecordSize));
        }
        hash.addData(QByteArrayView(block.data(), qsizetype(count * kRecordSize)));
    }
    ContentMark mark;
    mark.records = records.size();
    const QByteArray digest = hash.result();
    std::copy(digest.begin(), digest.end(), mark.digest.begin());
    return mark;
}

ContentMark ContentMark::ofFile(FileSystem& fs, const std::string& path)
{
    return of(readFileBytes(fs, path));
}

std::vector<std::uint8_t> ContentMark::line() const
{
    const QByteArray hex =
        QByteArray::fromRawData(reinterpret_cast<const char*>(digest.data()), qsizetype(digest.size())).toHex();
    const std::string text = std::to_string(records) + " " + hex.toStdString() + "\n";
    return {text.begin(), text.end()};
}

}  // namespace veltrano
