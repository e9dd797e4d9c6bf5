#include "editor/painted_page.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <random>

namespace veltrano {

namespace {

bool sameView(const ViewState& a, const ViewState& b)
{
    return a.OffsetX == b.OffsetX && a.OffsetY == b.OffsetY && a.Scale == b.Scale;
}

// A 64-bit finaliser: every bit of the result depends on every bit of value.
std::uint64_t mix(std::uint64_t value)
{
    value ^= value >> 33;
    value *= 0xff51afd7ed558ccdull;
    value ^= value >> 33;
    value *= 0xc4ceb9fe1a85ec53ull;
    value ^= value >> 33;
    return value;
}

}  // namespace

PaintedPage::PaintedPage() : m_seed(mix(std::random_device{}()) ^ mix(std::uint64_t(std::random_device{}()) << 32))
{
}

std::uint64_t PaintedPage::fingerprint(const std::vector<ElementRecord>& records) const
{
    // Every record is 32 bytes without padding, four words; each word of
    // the record goes into a chain of its own, so the four chains run side
    // by side, and a chain's order makes the records' order count.
    std::uint64_t lanes[4] = {m_seed, mix(m_seed + 1), mix(m_seed + 2), mix(m_seed + 3)};
    for (const ElementRecord& record : records) {
        std::uint64_t words[4];
        std::memcpy(words, &record, sizeof words);
        for (int k = 0; k < 4; ++k)
            lanes[k] = std::rotl((lanes[k] ^ words[k]) * 0x9e3779b97f4a7c15ull, 31);
    }
    return mix(lanes[0] ^ mix(lanes[1] ^ mix(lanes[2] ^ mix(lanes[3]))));
}

bool PaintedPage::shows(const QImage& page, const std::vector<ElementRecord>& records, const ViewState& view) const
{
    return m_pageKey != 0 && !m_keeping && page.cacheKey() == m_pageKey && sameView(view, m_view)
        && records.size() == m_count && fingerprint(records) == m_fingerprint;
}

void PaintedPage::takeFramesOff(QImage& page)
{
    for (auto strip = m_underFrames.rbegin(); strip != m_underFrames.rend(); ++strip) {
        const QRect& area = strip->area;
        const QRgb* from = strip->pixels.data();
        for (int y = area.top(); y <= area.bottom(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(page.scanLine(y));
            std::copy(from, from + area.width(), row + area.left());
            from += area.width();
        }
    }
    m_underFrames.clear();
    m_pageKey = page.cacheKey();
}

void PaintedPage::painted(const QImage& page, const std::vector<ElementRecord>& records, const ViewState& view)
{
    m_count = records.size();
    m_fingerprint = fingerprint(records);
    m_view = view;
    m_underFrames.clear();
    m_keeping = false;
    m_pageKey = page.cacheKey();
}

void PaintedPage::keepUnder(const QImage& page, std::initializer_list<QRect> areas)
{
    if (m_pageKey == 0 || page.cacheKey() != m_pageKey) {
        forget();
        return;
    }
    const QRect pageArea = page.rect();
    for (const QRect& wanted : areas) {
        const QRect area = wanted & pageArea;
        if (area.isEmpty())
            continue;
        Strip strip{area, {}};
        strip.pixels.reserve(std::size_t(area.width()) * std::size_t(area.height()));
        for (int y = area.top(); y <= area.bottom(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(page.constScanLine(y));
            strip.pixels.insert(strip.pixels.end(), row + area.left(), row + area.left() + area.width());
        }
        m_underFrames.push_back(std::move(strip));
    }
    m_keeping = true;
}

void PaintedPage::drawn(const QImage& page)
{
    if (!m_keeping)
        return;
    m_keeping = false;
    m_pageKey = page.cacheKey();
}

void PaintedPage::forget()
{
    m_pageKey = 0;
    m_keeping = false;
    m_underFrames.clear();
}

}  // namespace veltrano
