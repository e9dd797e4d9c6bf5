#include "vector_agreement.h"

#include "render/canvas.h"
#include "render/painter.h"

#include <QRect>

#include <algorithm>
#include <cmath>
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

// A canvas on a scratch page with a margin that takes each drawing call,
// then moves the call's ink to the collected picture and whitens the
// scratch page again.
class InkCollector final : public DrawingSurface {
public:
    InkCollector()
        : m_scratch(kPageWidth + 2 * kInkEverMargin, kPageHeight + 2 * kInkEverMargin, QImage::Format_RGB32),
          m_ever(m_scratch.size(), QImage::Format_RGB32), m_canvas(m_scratch)
    {
        m_scratch.fill(Qt::white);
        m_ever.fill(Qt::white);
    }
    const QImage& ever() const { return m_ever; }

    void setPenColour(Colour colour) override { m_canvas.setPenColour(colour); }
    Colour penColour() const override { return m_canvas.penColour(); }
    void setPenWidth(int width) override { m_canvas.setPenWidth(width); }
    int penWidth() const override { return m_canvas.penWidth(); }
    void moveTo(double x, double y) override { m_canvas.moveTo(x + kInkEverMargin, y + kInkEverMargin); }
    void lineTo(double x, double y) override
    {
        const PenPosition from = m_canvas.penPosition();
        m_canvas.lineTo(x + kInkEverMargin, y + kInkEverMargin);
        collect(QRectF(QPointF(from.x, from.y), QPointF(x + kInkEverMargin, y + kInkEverMargin)).normalized(),
                m_canvas.penWidth() + 2);
    }
    void polylineTo(std::span<const PenPosition> points) override
    {
        for (const PenPosition& p : points)
            lineTo(p.x, p.y);
    }
    void separateLines(std::span<const PenPosition> ends) override
    {
        for (std::size_t i = 0; i + 1 < ends.size(); i += 2) {
            moveTo(ends[i].x, ends[i].y);
            lineTo(ends[i + 1].x, ends[i + 1].y);
        }
        if (ends.size() % 2 == 1)
            moveTo(ends.back().x, ends.back().y);
    }
    PenPosition penPosition() const override
    {
        const PenPosition p = m_canvas.penPosition();
        return {p.x - kInkEverMargin, p.y - kInkEverMargin};
    }
    void setFontName(std::string_view name) override { m_canvas.setFontName(name); }
    void setFontSize(int points) override { m_canvas.setFontSize(points); }
    void setFontColour(Colour colour) override { m_canvas.setFontColour(colour); }
    void setCharSet(CharSet charSet) override { m_canvas.setCharSet(charSet); }
    const std::string& fontName() const override { return m_canvas.fontName(); }
    CharSet charSet() const override { return m_canvas.charSet(); }
    int fontSize() const override { return m_canvas.fontSize(); }
    Colour fontColour() const override { return m_canvas.fontColour(); }
    void textOut(double x, double y, std::string_view bytes) override
    {
        const double left = x + kInkEverMargin, top = y + kInkEverMargin;
        m_canvas.textOut(left, top, bytes);
        if (!std::isfinite(left) || !std::isfinite(top) || std::fabs(left) > 1e6 || std::fabs(top) > 1e6)
            return;
        const QSize cell = m_canvas.textExtent(bytes);
        collect(QRectF(std::nearbyint(left), std::nearbyint(top), cell.width(), cell.height()), cell.height() + 4);
    }

private:
    void collect(const QRectF& box, double reach)
    {
        const QRectF grown = box.adjusted(-reach, -reach, reach, reach);
        const QRectF image(0, 0, m_scratch.width(), m_scratch.height());
        if (!(grown.isValid() && grown.intersects(image)))
            return;
        const QRect area = (grown & image).toAlignedRect() & m_scratch.rect();
        for (int y = area.top(); y <= area.bottom(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(m_scratch.scanLine(y));
            QRgb* target = reinterpret_cast<QRgb*>(m_ever.scanLine(y));
            for (int x = area.left(); x <= area.right(); ++x) {
                if (isRasterInk(row[x]))
                    target[x] = qRgb(0, 0, 0);
                row[x] = qRgb(255, 255, 255);
            }
        }
    }

    QImage m_scratch;
    QImage m_ever;
    Canvas m_canvas;
};

}  // namespace

QImage rasterInkEver(const std::vector<ElementRecord>& records)
{
    InkCollector collector;
    RepaintFile(collector, ViewState{}, records);
    return collector.ever();
}

namespace {

template <typename Visit>
void compare(const QImage& raster, const QImage& inkEver, const QImage& vector, Visit visit)
{
    const QImage a = raster.convertToFormat(QImage::Format_RGB32);
    const QImage b = vector.convertToFormat(QImage::Format_RGB32);
    const auto nearRaster = grownMask(inkEver.convertToFormat(QImage::Format_RGB32), isRasterInk);
    const int everWidth = inkEver.width();
    const auto nearVector = grownMask(b, isVectorInk);
    const int width = std::min(a.width(), b.width()), height = std::min(a.height(), b.height());
    for (int y = 0; y < height; ++y) {
        const QRgb* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const std::size_t at =
                std::size_t(y + kInkEverMargin) * std::size_t(everWidth) + std::size_t(x + kInkEverMargin);
            const std::size_t atB = std::size_t(y) * std::size_t(b.width()) + std::size_t(x);
            visit(x, y, isRasterInk(rowA[x]), nearVector[atB] != 0, isVectorInk(rowB[x]), nearRaster[at] != 0);
        }
    }
}

}  // namespace

Agreement agreementOf(const QImage& raster, const QImage& inkEver, const QImage& vector)
{
    Agreement agreement;
    compare(raster, inkEver, vector, [&](int, int, bool rasterInk, bool vectorNear, bool vectorInk, bool rasterNear) {
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

QImage agreementPicture(const QImage& raster, const QImage& inkEver, const QImage& vector)
{
    QImage picture(raster.size(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    compare(raster, inkEver, vector, [&](int x, int y, bool rasterInk, bool vectorNear, bool vectorInk, bool rasterNear) {
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
