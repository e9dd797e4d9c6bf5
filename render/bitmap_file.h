#pragma once
// Writing the page (or any image) as a picture file: an uncompressed 24-bit
// Windows bitmap, or a PNG when the file name ends in ".png" (any case).
//
// Bitmap layout, little-endian: a 14-byte file header ("BM", file size, two
// reserved zeros, pixel offset 54), a 40-byte information header (size 40,
// width, positive height so rows run bottom-up, 1 plane, 24 bits, no
// compression, image size = stride * height, 0 pixels per metre both ways,
// 0 colours used, 0 important), then the rows from the bottom one up, each
// pixel as blue, green, red, each row padded with zeros to a multiple of 4.

#include "document/file_system.h"

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace veltrano {

std::vector<std::uint8_t> encodeBitmap24(const QImage& image);
std::vector<std::uint8_t> encodePng(const QImage& image);

// True when path names a PNG file (ends in ".png", any case).
bool isPngPath(const std::string& path);

// Writes a complete new file beside the target, flushes it and renames it
// into place, so a failure leaves no partial file and an existing file keeps
// its old content. Failures throw IoError with the German run-time text.
void writeBitmapFile(FileSystem& fs, const std::string& path, const QImage& image);

}  // namespace veltrano
