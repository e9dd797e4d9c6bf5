#include "page_mismatch.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace veltrano::test {

namespace {

QRgb rgbAt(const QImage& page, int x, int y)
{
    if (x >= page.width() || y >= page.height())
        return qRgb(255, 255, 255);
    return page.pixel(x, y) | 0xFF000000u;
}

std::string writePicture(const QImage& picture, std::string_view name, std::string_view suffix)
{
    const QString file = QDir(QString::fromStdString(mismatchOutputFolder()))
                             .filePath(QString::fromUtf8(name.data(), qsizetype(name.size())) + "-"
                                       + QString::fromUtf8(suffix.data(), qsizetype(suffix.size())) + ".png");
    if (!picture.save(file, "PNG"))
        return "(could not write " + file.toStdString() + ")";
    return file.toStdString();
}

}  // namespace

std::uint64_t pageHash(const QImage& page)
{
    std::uint64_t hash = 0xcbf29ce484222325ull;
    auto mix = [&hash](std::uint32_t byte) {
        hash ^= byte;
        hash *= 0x100000001b3ull;
    };
    for (int y = 0; y < page.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            mix(std::uint32_t(qRed(row[x])));
            mix(std::uint32_t(qGreen(row[x])));
            mix(std::uint32_t(qBlue(row[x])));
        }
    }
    return hash;
}

std::string mismatchOutputFolder()
{
    if (const char* declared = std::getenv("TEST_UNDECLARED_OUTPUTS_DIR"); declared && *declared) {
        QDir().mkpath(QString::fromLocal8Bit(declared));
        return declared;
    }
    const QString folder = QDir(QDir::tempPath())
                               .filePath(QString("veltrano-test-output-%1").arg(QCoreApplication::applicationPid()));
    QDir().mkpath(folder);
    return folder.toStdString();
}

::testing::AssertionResult pageHashIs(const QImage& page, std::uint64_t expected, std::string_view name)
{
    const std::uint64_t actual = pageHash(page);
    if (actual == expected)
        return ::testing::AssertionSuccess();
    std::ostringstream message;
    message << std::hex << std::showbase << name << ": page hash " << actual << ", expected " << expected
            << "; the page drawn is " << writePicture(page, name, "actual");
    return ::testing::AssertionFailure() << message.str();
}

::testing::AssertionResult samePages(const QImage& actual, const QImage& expected, std::string_view name)
{
    const int width = std::max(actual.width(), expected.width());
    const int height = std::max(actual.height(), expected.height());
    QImage difference(width, height, QImage::Format_RGB32);
    long long differing = 0;
    int firstX = -1, firstY = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb a = rgbAt(actual, x, y), e = rgbAt(expected, x, y);
            if (a != e) {
                if (differing++ == 0) {
                    firstX = x;
                    firstY = y;
                }
                difference.setPixel(x, y, qRgb(255, 0, 0));
            } else {
                // The unchanged drawing, faded, so the red marks stand out.
                const int grey = 191 + qGray(e) / 4;
                difference.setPixel(x, y, qRgb(grey, grey, grey));
            }
        }
    }
    if (differing == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << name << ": " << differing << " pixels differ, the first at (" << firstX << ", " << firstY
           << "); drawn " << writePicture(actual, name, "actual") << ", expected "
           << writePicture(expected, name, "expected") << ", difference "
           << writePicture(difference, name, "difference");
}

}  // namespace veltrano::test
