#include "vector_agreement.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace veltrano::test {

namespace {

bool isRasterInk(QRgb pixel)
{
    return (pixel & 0xFFFFFF) != 0xFFFFFF;
}

bool isVectorInk(QRgb pixel)
{
    return std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)}) <= 255 - kVectorInkThreshold;
}

// Each pixel of the result is set when some pixel within one step (the
// 3 x 3 block around it) passes the test.
template <typename Test>
std::vector<std::uint8_t> grownMask(const QImage& image, Test test)
{
    const int width = image.width(), height = image.height();
    std::vector<std::uint8_t> mask(std::size_t(width) * std::size_t(height), 0);
    for (int y = 0; y < height; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if (!test(row[x]))
                continue;
            for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, height - 1); ++ny)
                for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, width - 1); ++nx)
                    mask[std::size_t(ny) * std::size_t(width) + std::size_t(nx)] = 1;
        }
    }
    return mask;
}

template <typename Visit>
void compare(const QImage& raster, const QImage& vector, Visit visit)
{
    const QImage a = raster.convertToFormat(QImage::Format_RGB32);
    const QImage b = vector.convertToFormat(QImage::Format_RGB32);
    const auto nearRaster = grownMask(a, isRasterInk);
    const auto nearVector = grownMask(b, isVectorInk);
    const int width = std::min(a.width(), b.width()), height = std::min(a.height(), b.height());
    for (int y = 0; y < height; ++y) {
        const QRgb* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const std::size_t at = std::size_t(y) * std::size_t(a.width()) + std::size_t(x);
            const std::size_t atB = std::size_t(y) * std::size_t(b.width()) + std::size_t(x);
            visit(x, y, isRasterInk(rowA[x]), nearVector[atB] != 0, isVectorInk(rowB[x]), nearRaster[at] != 0);
        }
    }
}

}  // namespace

Agreement agreementOf(const QImage& raster, const QImage& vector)
{
    Agreement agreement;
    compare(raster, vector, [&](int, int, bool rasterInk, bool vectorNear, bool vectorInk, bool rasterNear) {
        if (rasterInk) {
            ++agreement.rasterInk;
            agreement.rasterCovered += vectorNear ? 1 : 0;
        }
        if (vectorInk) {
            ++agreement.vectorInk;
            agreement.vectorStray += rasterNear ? 0 : 1;
        }
    });
    return agreement;
}

QImage agreementPicture(const QImage& raster, const QImage& vector)
{
    QImage picture(raster.size(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    compare(raster, vector, [&](int x, int y, bool rasterInk, bool vectorNear, bool vectorInk, bool rasterNear) {
        QRgb colour = rasterInk ? qRgb(190, 190, 190) : qRgb(255, 255, 255);
        if (rasterInk && !vectorNear)
            colour = qRgb(255, 0, 0);
        if (vectorInk && !rasterNear)
            colour = qRgb(0, 0, 255);
        picture.setPixel(x, y, colour);
    });
    return picture;
}

std::string describe(const Agreement& agreement)
{
    std::ostringstream text;
    text << agreement.rasterCovered << " of " << agreement.rasterInk << " raster ink pixels covered ("
         << 100.0 * agreement.coveredShare() << " %), " << agreement.vectorStray << " of " << agreement.vectorInk
         << " vector ink pixels stray";
    return text.str();
}

}  // namespace veltrano::test
