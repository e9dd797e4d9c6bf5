#pragma once
// The pixels of a 32-bit image as the line, wide-pen and text loops write
// them, fetched once for a run of drawing calls in which nothing else
// touches the image.

#include "render/cover_mask.h"

#include <QImage>
#include <algorithm>
#include <cstring>

namespace veltrano {

// A view of the pixels a kernel may set: the page rows top() .. bottom() - 1
// (the whole page, or one band painted on its own thread), every column.
// Kernels take and address page coordinates throughout; the view alone
// knows where its first row lies in memory.
class RasterTarget {
public:
    RasterTarget() = default;

    int width() const { return m_width; }
    int top() const { return m_top; }
    int bottom() const { return m_bottom; }
    qsizetype stride() const { return m_stride; }  // in pixels
    // When set (a back-to-front repaint), pixels are painted through it:
    // only those no later element has taken. It covers the view's rows.
    CoverMask* cover() const { return m_cover; }

    bool holds(std::int64_t x, std::int64_t y) const { return x >= 0 && y >= m_top && x < m_width && y < m_bottom; }
    // Page row y, top() <= y < bottom().
    QRgb* row(int y) const { return m_rows + qsizetype(y - m_top) * m_stride; }
    QRgb* pixel(int x, int y) const { return row(y) + x; }

    // Paints first <= x < end of page row y, all within the view. Most
    // fills are the white of text cells, whose four bytes are equal: those
    // go to memset, which the sanitizers check once per row rather than
    // once per pixel.
    void fillRow(int y, int first, int end, QRgb colour) const
    {
        if (m_cover)
            m_cover->fill(row(y), y, first, end, colour);
        else if (colour == 0xFFFFFFFFu && end > first)
            std::memset(row(y) + first, 0xFF, std::size_t(end - first) * sizeof(QRgb));
        else
            std::fill(row(y) + first, row(y) + end, colour);
    }

    // The rows top .. bottom - 1 of this view, clamped to it.
    RasterTarget rows(int top, int bottom) const
    {
        RasterTarget band = *this;
        band.m_top = std::clamp(top, m_top, m_bottom);
        band.m_bottom = std::clamp(bottom, band.m_top, m_bottom);
        band.m_rows = row(band.m_top);
        band.m_cover = nullptr;
        return band;
    }

    // The same pixels painted through cover, when it was made for exactly
    // these rows; otherwise without a mask.
    RasterTarget through(CoverMask* cover) const
    {
        RasterTarget covered = *this;
        covered.m_cover = cover && cover->width() == m_width && cover->top() == m_top
                                  && cover->height() == m_bottom - m_top
                              ? cover
                              : nullptr;
        return covered;
    }

private:
    friend RasterTarget rasterTargetOf(QImage& image);

    QRgb* m_rows = nullptr;  // page row m_top
    qsizetype m_stride = 0;
    int m_width = 0;
    int m_top = 0;
    int m_bottom = 0;
    CoverMask* m_cover = nullptr;
};

// Every row of image, without a mask. Detaches image (it is written through
// the result); image is one of the 32-bit formats.
inline RasterTarget rasterTargetOf(QImage& image)
{
    RasterTarget target;
    target.m_rows = reinterpret_cast<QRgb*>(image.bits());
    target.m_stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    target.m_width = image.width();
    target.m_bottom = image.height();
    return target;
}

}  // namespace veltrano
