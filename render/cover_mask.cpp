#include "render/cover_mask.h"

#include <algorithm>

namespace veltrano {

namespace {

// The position list of a huge element is not kept for the next ones.
constexpr std::size_t kKeptPositions = std::size_t(1) << 14;

}  // namespace

namespace {

// The smallest shift with 2^shift >= value.
int shiftFor(int value)
{
    int shift = 0;
    while ((std::int64_t(1) << shift) < value)
        ++shift;
    return shift;
}

// The masks of images up to 2^31 pixels keep indices in 32 bits.
constexpr int kLargestSide = 1 << 15;

}  // namespace

bool CoverMask::fits(int width, int height)
{
    return width >= 0 && height >= 0 && width <= kLargestSide && height <= kLargestSide;
}

CoverMask::CoverMask(int width, int height, int top)
    : m_width(std::clamp(width, 0, kLargestSide)), m_height(std::clamp(height, 0, kLargestSide)), m_top(top),
      m_rowShift(shiftFor(m_width)), m_tilesPerRow((m_width + (1 << kTileShift) - 1) >> kTileShift),
      m_tileRows((m_height + (1 << kTileShift) - 1) >> kTileShift),
      m_takenBits(((std::size_t(m_height) << m_rowShift) + 63) / 64), m_currentBits(m_takenBits.size()),
      m_current(kKeptPositions)
{
    m_freeInTile.resize(std::size_t(m_tilesPerRow) * std::size_t(m_tileRows));
    // Tiles at the right and bottom edges may hold fewer pixels.
    for (int ty = 0; ty < m_tileRows; ++ty) {
        const int rows = std::min(m_height - (ty << kTileShift), 1 << kTileShift);
        for (int tx = 0; tx < m_tilesPerRow; ++tx) {
            const int columns = std::min(m_width - (tx << kTileShift), 1 << kTileShift);
            m_freeInTile[std::size_t(ty) * std::size_t(m_tilesPerRow) + std::size_t(tx)] = std::uint8_t(rows * columns);
        }
    }
    m_blocksPerRow = (m_tilesPerRow + (1 << kBlockShift) - 1) >> kBlockShift;
    const int blockRows = (m_tileRows + (1 << kBlockShift) - 1) >> kBlockShift;
    m_blockFull.assign(std::size_t(m_blocksPerRow) * std::size_t(blockRows), 0);
}

void CoverMask::growPositions(std::size_t more)
{
    m_current.resize(std::max(m_current.size() * 2, m_currentCount + more));
}

void CoverMask::nextElement()
{
    const std::uint32_t columns = (std::uint32_t(1) << m_rowShift) - 1;
    for (std::size_t i = 0; i < m_currentCount; ++i) {
        const std::uint32_t at = m_current[i];
        const std::uint64_t bit = std::uint64_t(1) << (at & 63);
        m_currentBits[at >> 6] &= ~bit;
        m_takenBits[at >> 6] |= bit;
        const std::uint32_t x = at & columns, y = at >> m_rowShift;
        --m_freeInTile[std::size_t(y >> kTileShift) * std::size_t(m_tilesPerRow) + std::size_t(x >> kTileShift)];
    }
    m_currentCount = 0;
    if (m_current.size() > kKeptPositions) {
        m_current.resize(kKeptPositions);
        m_current.shrink_to_fit();
    }
}

// Whether every tile of the block range is full; blocks found full are
// remembered, so a page that has filled up answers from the blocks alone.
bool CoverMask::blocksFull(std::int64_t bx0, std::int64_t by0, std::int64_t bx1, std::int64_t by1) const
{
    for (std::int64_t by = by0; by <= by1; ++by) {
        for (std::int64_t bx = bx0; bx <= bx1; ++bx) {
            std::uint8_t& full = m_blockFull[std::size_t(by) * std::size_t(m_blocksPerRow) + std::size_t(bx)];
            if (full)
                continue;
            const std::int64_t tx0 = bx << kBlockShift;
            const std::int64_t tx1 = std::min<std::int64_t>(tx0 + (1 << kBlockShift), m_tilesPerRow);
            const std::int64_t ty0 = by << kBlockShift;
            const std::int64_t ty1 = std::min<std::int64_t>(ty0 + (1 << kBlockShift), m_tileRows);
            for (std::int64_t ty = ty0; ty < ty1; ++ty) {
                const std::uint8_t* const tiles = m_freeInTile.data() + std::size_t(ty) * std::size_t(m_tilesPerRow);
                for (std::int64_t tx = tx0; tx < tx1; ++tx) {
                    if (tiles[tx] != 0)
                        return false;
                }
            }
            full = 1;
        }
    }
    return true;
}

bool CoverMask::hides(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) const
{
    const std::int64_t x0 = std::max<std::int64_t>(left, 0), x1 = std::min<std::int64_t>(right, m_width - 1);
    const std::int64_t y0 = std::max<std::int64_t>(top - m_top, 0);
    const std::int64_t y1 = std::min<std::int64_t>(bottom - m_top, m_height - 1);
    if (x0 > x1 || y0 > y1)
        return true;
    const std::int64_t tx0 = x0 >> kTileShift, tx1 = x1 >> kTileShift;
    const std::int64_t ty0 = y0 >> kTileShift, ty1 = y1 >> kTileShift;
    // Blocks of tiles first: once they have filled up, the answer costs a
    // few reads for any box.
    if (blocksFull(tx0 >> kBlockShift, ty0 >> kBlockShift, tx1 >> kBlockShift, ty1 >> kBlockShift))
        return true;
    for (std::int64_t ty = ty0; ty <= ty1; ++ty) {
        const std::uint8_t* const tiles = m_freeInTile.data() + std::size_t(ty) * std::size_t(m_tilesPerRow);
        for (std::int64_t tx = tx0; tx <= tx1; ++tx) {
            if (tiles[tx] != 0)
                return false;
        }
    }
    return true;
}

}  // namespace veltrano
