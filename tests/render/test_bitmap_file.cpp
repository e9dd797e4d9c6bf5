#include "document/io_error.h"
#include "render/bitmap_file.h"
#include "render/canvas.h"
#include "render/page.h"
#include "support/faulty_file_system.h"
#include "support/file_helpers.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cerrno>

namespace veltrano {
namespace {

using test::Bytes;

std::uint32_t read32(const Bytes& bytes, std::size_t at)
{
    return std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 | std::uint32_t(bytes[at + 2]) << 16
           | std::uint32_t(bytes[at + 3]) << 24;
}

std::uint16_t read16(const Bytes& bytes, std::size_t at)
{
    return std::uint16_t(bytes[at] | bytes[at + 1] << 8);
}

QImage smallImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(10 * x + 1, 20 * y + 2, 3 + x + y));
    return image;
}

TEST(BitmapFile, HeadersFieldByField)
{
    const Bytes bytes = encodeBitmap24(smallImage(5, 3));
    const std::uint32_t stride = 16;  // 15 bytes of pixels + 1 of padding
    ASSERT_EQ(bytes.size(), 54u + 3 * stride);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(read32(bytes, 2), 54u + 3 * stride);  // file size
    EXPECT_EQ(read16(bytes, 6), 0);
    EXPECT_EQ(read16(bytes, 8), 0);
    EXPECT_EQ(read32(bytes, 10), 54u);  // pixel offset
    EXPECT_EQ(read32(bytes, 14), 40u);  // information header size
    EXPECT_EQ(read32(bytes, 18), 5u);   // width
    EXPECT_EQ(read32(bytes, 22), 3u);   // height, positive: bottom-up
    EXPECT_EQ(read16(bytes, 26), 1);    // planes
    EXPECT_EQ(read16(bytes, 28), 24);   // bits per pixel
    EXPECT_EQ(read32(bytes, 30), 0u);   // no compression
    EXPECT_EQ(read32(bytes, 34), 3 * stride);
    EXPECT_EQ(read32(bytes, 38), 0u);
    EXPECT_EQ(read32(bytes, 42), 0u);
    EXPECT_EQ(read32(bytes, 46), 0u);
    EXPECT_EQ(read32(bytes, 50), 0u);
}

TEST(BitmapFile, RowsBottomUpInBlueGreenRedWithZeroPadding)
{
    const QImage image = smallImage(5, 3);
    const Bytes bytes = encodeBitmap24(image);
    for (int row = 0; row < 3; ++row) {
        const int y = 2 - row;  // the first stored row is the bottom one
        const std::size_t start = 54 + std::size_t(row) * 16;
        for (int x = 0; x < 5; ++x) {
            const QRgb pixel = image.pixel(x, y);
            EXPECT_EQ(bytes[start + 3 * x], qBlue(pixel));
            EXPECT_EQ(bytes[start + 3 * x + 1], qGreen(pixel));
            EXPECT_EQ(bytes[start + 3 * x + 2], qRed(pixel));
        }
        EXPECT_EQ(bytes[start + 15], 0) << row;
    }
    // Widths divisible by 4 need no padding; the others pad to 4 bytes.
    EXPECT_EQ(encodeBitmap24(smallImage(4, 2)).size(), 54u + 2 * 12);
    EXPECT_EQ(encodeBitmap24(smallImage(1, 2)).size(), 54u + 2 * 4);
    EXPECT_EQ(encodeBitmap24(smallImage(2, 1)).size(), 54u + 8);
    EXPECT_EQ(encodeBitmap24(smallImage(7, 1)).size(), 54u + 24);
    // The whole page: 3600 bytes a row.
    EXPECT_EQ(encodeBitmap24(makeBlankPage()).size(), 54u + 3600u * 1000u);
}

TEST(BitmapFile, PageRoundTripsThroughTheWrittenFile)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QImage page = makeBlankPage();
    Canvas canvas(page);
    canvas.setPenColour(0x00336699);
    canvas.moveTo(10, 10);
    canvas.lineTo(500, 900);
    canvas.setFontColour(0x0000FF);
    canvas.textOut(100, 100, "COOH");
    for (const char* name : {"/Benzol.bmp", "/Benzol.png", "/Benzol.PNG"}) {
        const std::string path = folder.path().toStdString() + name;
        writeBitmapFile(FileSystem::system(), path, page);
        const QImage read(QString::fromStdString(path));
        ASSERT_FALSE(read.isNull()) << name;
        EXPECT_EQ(read.size(), page.size());
        EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), page) << name;
    }
    const Bytes png = test::fileBytes(folder.path().toStdString() + "/Benzol.png");
    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(png[1], 'P');
    EXPECT_EQ(test::fileBytes(folder.path().toStdString() + "/Benzol.bmp"), encodeBitmap24(page));
    // An odd width survives the padding.
    const QImage odd = smallImage(13, 7);
    const std::string oddPath = folder.path().toStdString() + "/odd.bmp";
    writeBitmapFile(FileSystem::system(), oddPath, odd);
    EXPECT_EQ(QImage(QString::fromStdString(oddPath)).convertToFormat(QImage::Format_RGB32), odd);
}

TEST(BitmapFile, AFailedWriteLeavesNoFileAndKeepsTheOldOne)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string base = folder.path().toStdString();

    // A missing folder: the run-time error, and nothing is created.
    try {
        writeBitmapFile(FileSystem::system(), base + "/gone/Benzol.bmp", smallImage(3, 3));
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_EQ(error.errorNumber(), ENOENT);
        EXPECT_STREQ(error.what(), "Datei nicht gefunden");
    }
    EXPECT_TRUE(test::folderEntries(base).empty());

    // Every step of the write failing in turn: the old file stays whole and
    // no other file is left beside it.
    const std::string path = base + "/Benzol.bmp";
    const Bytes old = {'o', 'l', 'd'};
    test::putFileBytes(path, old);
    test::FaultyFileSystem fs;
    int failures = 0;
    for (int step = 1; step < 50; ++step) {
        fs.failAt(step, ENOSPC);
        try {
            writeBitmapFile(fs, path, smallImage(6, 2));
        } catch (const IoError& error) {
            ++failures;
            EXPECT_STREQ(error.what(), "Zu wenig Speicherplatz") << step;
            EXPECT_EQ(test::fileBytes(path), old) << step;
            EXPECT_EQ(test::folderEntries(base), std::vector<std::string>{"Benzol.bmp"}) << step;
            continue;
        }
        if (!fs.injected())
            break;
        // A fault the write may ignore (flushing the folder after the rename)
        // still leaves the new file complete.
        EXPECT_EQ(test::fileBytes(path), encodeBitmap24(smallImage(6, 2))) << step;
        test::putFileBytes(path, old);
    }
    EXPECT_GE(failures, 3);
    EXPECT_EQ(test::fileBytes(path), encodeBitmap24(smallImage(6, 2)));
}

}  // namespace
}  // namespace veltrano
