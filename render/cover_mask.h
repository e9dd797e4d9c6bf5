#pragma once
// For painting a document from its last element to its first: which image
// pixels a later element has already painted. An earlier element leaves
// those alone, so every pixel ends with the colour of the last element that
// paints it, exactly as when the elements are painted in file order, while
// an element whose pixels are all taken is skipped without being drawn.
//
// Two bits per pixel, in bitmaps small enough to stay in the cache (the
// image's pixels are only ever written, never read): taken by an element
// before the current one, and painted by the current element, which may
// paint it again, so its own strokes overlap as on a plain image. When the
// next element starts, the pixels the current one painted become taken. Per
// 8 x 8 tile the pixels not yet taken are counted: a pixel in a full tile is
// left alone at once, and the test whether a box is wholly taken is cheap.

#include <QImage>
#include <cstdint>
#include <vector>

namespace veltrano {

class CoverMask {
public:
    // Whether a mask can be made for an image of this size: sides up to
    // 32768 pixels.
    static bool fits(int width, int height);

    // For the rows top .. top + height - 1 of an image width pixels wide
    // (a size that fits); every pixel free. Pixels are named by their image
    // coordinates.
    CoverMask(int width, int height, int top = 0);

    int width() const { return m_width; }
    int height() const { return m_height; }
    int top() const { return m_top; }

    // The pixels painted from now on belong to the next element.
    void nextElement();

    // True when every pixel of the box left <= x <= right, top <= y <= bottom
    // that lies on the mask's rows was taken before the current element (a
    // box wholly off them is hidden as well).
    bool hides(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) const;

    // The mask's index of pixel (x, y) of its rows, and the index steps of
    // one pixel along x and y.
    std::uint32_t indexOf(int x, int y) const { return std::uint32_t(y - m_top) << m_rowShift | std::uint32_t(x); }
    std::int64_t rowStep() const { return std::int64_t(1) << m_rowShift; }

    // Paints pixels through the mask, for a run of at most the number of
    // pixels it was made for; its state is local to the drawing loop, so the
    // compiler keeps it in registers. Hand it back with done().
    class Painter {
    public:
        // Paints the pixel with mask index at when it is free or the
        // current element's. Plain branches: writing the pixels that stay
        // to a sink instead took longer (RepaintFile/mixed500000 172 ms
        // against 160 ms).
        void paint(QRgb* pixel, std::uint32_t at, QRgb colour)
        {
            const std::uint64_t bit = std::uint64_t(1) << (at & 63);
            if (m_taken[at >> 6] & bit)
                return;
            *pixel = colour;
            std::uint64_t& mine = m_mine[at >> 6];
            if ((mine & bit) == 0) {
                mine |= bit;
                m_positions[m_count++] = at;
            }
        }

    private:
        friend class CoverMask;
        const std::uint64_t* m_taken;
        std::uint64_t* m_mine;
        std::uint32_t* m_positions;
        std::size_t m_count;
    };
    Painter painter(std::size_t pixels)
    {
        if (m_current.size() < m_currentCount + pixels)
            growPositions(pixels);
        Painter run;
        run.m_taken = m_takenBits.data();
        run.m_mine = m_currentBits.data();
        run.m_positions = m_current.data();
        run.m_count = m_currentCount;
        return run;
    }
    void done(const Painter& painter) { m_currentCount = painter.m_count; }

    // Paints the pixels first <= x < end of row y (on the mask's rows; row
    // holds the image's pixels of that row) that are free or the current
    // element's.
    void fill(QRgb* row, int y, int first, int end, QRgb colour)
    {
        if (first >= end)
            return;
        Painter run = painter(std::size_t(end - first));
        std::uint32_t at = indexOf(first, y);
        for (int x = first; x < end; ++x)
            run.paint(row + x, at++, colour);
        done(run);
    }

private:
    static constexpr int kTileShift = 3;
    // Tiles are grouped in blocks of 8 x 8 for the test of large boxes.
    static constexpr int kBlockShift = 3;

    void growPositions(std::size_t more);
    bool blocksFull(std::int64_t bx0, std::int64_t by0, std::int64_t bx1, std::int64_t by1) const;

    int m_width;
    int m_height;
    int m_top;
    // Rows of the bitmaps are 2^m_rowShift bits apart, so an index splits
    // into its x and y without a division.
    int m_rowShift;
    int m_tilesPerRow;
    int m_tileRows;
    std::vector<std::uint8_t> m_freeInTile;
    // Taken by an element before the current one; painted by the current one.
    std::vector<std::uint64_t> m_takenBits;
    std::vector<std::uint64_t> m_currentBits;
    // The indices of the pixels the current element painted: the first
    // m_currentCount entries.
    std::vector<std::uint32_t> m_current;
    std::size_t m_currentCount = 0;
    int m_blocksPerRow;
    // Per block: whether all its tiles were full when last looked at (a
    // full tile stays full).
    mutable std::vector<std::uint8_t> m_blockFull;
};

}  // namespace veltrano
