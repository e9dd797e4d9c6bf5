#include "render/bitmap_file.h"

#include "document/io_error.h"
#include "document/record_file.h"

#include <QBuffer>
#include <QString>
#include <algorithm>
#include <cerrno>
#include <limits>

namespace veltrano {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize;
constexpr std::uint16_t kBitsPerPixel = 24;

void put16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(std::uint8_t(value >> shift));
}

}  // namespace

std::vector<std::uint8_t> encodeBitmap24(const QImage& image)
{
    const QImage rgb = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    const std::uint64_t width = std::uint64_t(std::max(rgb.width(), 0));
    const std::uint64_t height = std::uint64_t(std::max(rgb.height(), 0));
    const std::uint64_t stride = (3 * width + 3) & ~std::uint64_t(3);
    const std::uint64_t imageSize = stride * height;
    if (imageSize + kPixelOffset > std::numeric_limits<std::uint32_t>::max())
        throw IoError(EFBIG);

    std::vector<std::uint8_t> out;
    out.reserve(std::size_t(kPixelOffset + imageSize));
    out.push_back('B');
    out.push_back('M');
    put32(out, std::uint32_t(kPixelOffset + imageSize));
    put16(out, 0);
    put16(out, 0);
    put32(out, kPixelOffset);

    put32(out, kInfoHeaderSize);
    put32(out, std::uint32_t(width));
    put32(out, std::uint32_t(height));  // positive: bottom-up rows
    put16(out, 1);                      // planes
    put16(out, kBitsPerPixel);
    put32(out, 0);  // no compression
    put32(out, std::uint32_t(imageSize));
    put32(out, 0);  // pixels per metre, horizontal
    put32(out, 0);  // and vertical
    put32(out, 0);  // colours used
    put32(out, 0);  // important colours

    const std::size_t padding = std::size_t(stride - 3 * width);
    for (int y = int(height) - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (std::uint64_t x = 0; x < width; ++x) {
            out.push_back(std::uint8_t(qBlue(row[x])));
            out.push_back(std::uint8_t(qGreen(row[x])));
            out.push_back(std::uint8_t(qRed(row[x])));
        }
        out.insert(out.end(), padding, 0);
    }
    return out;
}

std::vector<std::uint8_t> encodePng(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG"))
        throw IoError(EIO);
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

bool isPngPath(const std::string& path)
{
    return QString::fromStdString(path).endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
}

void writeBitmapFile(FileSystem& fs, const std::string& path, const QImage& image)
{
    const std::vector<std::uint8_t> bytes = isPngPath(path) ? encodePng(image) : encodeBitmap24(image);
    writeFileBytes(fs, path, bytes, Durability::Flushed);
}

}  // namespace veltrano
