#include "editor/painted_page.h"

#include <algorithm>

namespace veltrano {

namespace {

bool sameView(const ViewState& a, const ViewState& b)
{
    return a.OffsetX == b.OffsetX && a.OffsetY == b.OffsetY && a.Scale == b.Scale;
}

}  // namespace

bool PaintedPage::shows(const QImage& page, const std::vector<ElementRecord>& records, const ViewState& view) const
{
    return m_pageKey != 0 && !m_keeping && page.cacheKey() == m_pageKey && sameView(view, m_view)
        && records == m_records;
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

void PaintedPage::painted(const QImage& page, std::vector<ElementRecord>& records, const ViewState& view)
{
    std::swap(m_records, records);
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
