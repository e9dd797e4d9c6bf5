#include "render/glyph_cache.h"

#include "document/rounding.h"
#include "render/code_pages.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

namespace veltrano {

namespace {

// The em height Windows picks for a height of 0.
constexpr int kDefaultPixelSize = 12;
// The pixel size at which the cell-to-em ratio of a font is measured.
constexpr int kMeasureSize = 100;

// A noncharacter, which no font has: its advance is the font's missing-glyph
// advance, for the bytes that stand for no character at all.
constexpr char16_t kNoCharacter = 0xFFFF;

// The font of a face at a pixel size.
QFont pageFont(const std::string& fontName, int pixelSize)
{
    QFont font(QString::fromStdString(fontName));
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferDefaultHinting);
    font.setKerning(false);
    font.setPixelSize(pixelSize);
    return font;
}

// Heights that give the same face: the pixel sizes are limited alike.
int faceHeight(int height)
{
    return std::clamp(height, -kMaxTextPixelSize, kMaxTextPixelSize);
}

std::size_t glyphBytes(const Glyph& glyph)
{
    return glyph.runs.capacity() * sizeof(InkRun);
}

}  // namespace

int pixelHeightForPoints(int points)
{
    // -MulDiv(points, 96, 72): the product 96 * points fits easily for an int.
    const long long product = 96LL * points;
    const long long magnitude = (std::llabs(product) + 36) / 72;
    const long long rounded = product < 0 ? -magnitude : magnitude;
    return int(-rounded);
}

int emSizeBound(int height)
{
    if (height == 0)
        return kDefaultPixelSize;
    // A cell height holds the em; both are limited alike.
    return height < 0 ? std::min(-std::max(height, -kMaxTextPixelSize), kMaxTextPixelSize)
                      : std::min(height, kMaxTextPixelSize);
}

bool hasNoGlyph(char16_t character)
{
    return character < 0x20 || (character >= 0x7F && character <= 0x9F);
}

char16_t decodeByte(unsigned char byte, CharSet charSet)
{
    return charSet == CharSet::Greek ? windows1253ToUnicode(byte) : windows1252ToUnicode(byte);
}

GlyphFace::GlyphFace(const std::string& fontName, int pixelSize, CharSet charSet)
    : m_pixelSize(std::clamp(pixelSize, 1, kMaxTextPixelSize)), m_font(pageFont(fontName, m_pixelSize)),
      m_metrics(m_font), m_charSet(charSet)
{
    m_ascent = m_metrics.ascent();
    m_descent = m_metrics.descent();
    m_inkMargin = m_pixelSize / 2 + 2;
    for (std::atomic<int>& advance : m_advances)
        advance.store(kUnknownAdvance, std::memory_order_relaxed);
}

int GlyphFace::measuredAdvance(unsigned char byte) const
{
    int advance = m_advances[byte].load(std::memory_order_relaxed);
    if (advance == kUnknownAdvance) {
        const char16_t character = decodeByte(byte, m_charSet);
        advance = m_metrics.horizontalAdvance(QChar(character != 0 ? character : kNoCharacter));
        m_advances[byte].store(advance, std::memory_order_relaxed);
    }
    return advance;
}

int GlyphFace::advance(unsigned char byte) const
{
    // An advance is a plain number: whichever thread measures it first, every
    // thread reads the same value.
    const int advance = m_advances[byte].load(std::memory_order_relaxed);
    if (advance != kUnknownAdvance)
        return advance;
    const std::lock_guard<std::mutex> held(m_lock);
    return measuredAdvance(byte);
}

const Glyph& GlyphFace::glyph(unsigned char byte)
{
    if (const Glyph* rendered = m_rendered[byte].load(std::memory_order_acquire))
        return *rendered;
    const std::lock_guard<std::mutex> held(m_lock);
    if (!m_glyphs[byte]) {
        m_glyphs[byte] = render(byte);
        const std::size_t added = glyphBytes(*m_glyphs[byte]);
        m_glyphBytes += added;
        if (m_ledger)
            *m_ledger += added;
        m_rendered[byte].store(&*m_glyphs[byte], std::memory_order_release);
    }
    return *m_glyphs[byte];
}

Glyph GlyphFace::render(unsigned char byte) const
{
    Glyph glyph;
    const char16_t character = decodeByte(byte, m_charSet);
    if (hasNoGlyph(character))
        return glyph;

    // The glyph is drawn on a transparent image that covers its ink box as
    // the font reports it, with some room to spare, clipped to the ink
    // margin around the cell; origin is where the cell's top-left lands.
    const QRect cell(0, 0, measuredAdvance(byte), cellHeight());
    const int spare = 2 + m_pixelSize / 16;
    const QRect ink = m_metrics.boundingRect(QChar(character)).translated(0, m_ascent);
    const QRect area = ink.adjusted(-spare, -spare, spare, spare)
                       & cell.adjusted(-m_inkMargin, -m_inkMargin, m_inkMargin, m_inkMargin);
    if (area.isEmpty())
        return glyph;
    QImage image(area.size(), QImage::Format_Alpha8);
    image.fill(0);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(m_font);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(-area.left(), m_ascent - area.top()), QString(QChar(character)));
    }
    const int width = image.width(), height = image.height();
    for (int y = 0; y < height; ++y) {
        const uchar* row = image.constScanLine(y);
        int x = 0;
        while (x < width) {
            if (row[x] < 128) {
                ++x;
                continue;
            }
            const int first = x;
            while (x < width && row[x] >= 128)
                ++x;
            glyph.runs.push_back({std::int16_t(y + area.top()), std::int16_t(first + area.left()),
                                  std::int16_t(x + area.left())});
        }
    }
    glyph.runs.shrink_to_fit();
    return glyph;
}

std::size_t GlyphCache::KeyHash::operator()(const Key& key) const
{
    return std::hash<std::string>()(key.fontName) ^ (std::size_t(key.height) * 0x9E3779B97F4A7C15ull)
           ^ std::size_t(key.charSet);
}

void GlyphFace::chargeTo(std::shared_ptr<std::atomic<std::size_t>> ledger)
{
    const std::lock_guard<std::mutex> held(m_lock);
    if (m_ledger)
        *m_ledger -= bytes();
    m_ledger = std::move(ledger);
    if (m_ledger)
        *m_ledger += bytes();
}

GlyphCache::~GlyphCache()
{
    // Faces that callers still hold stop counting into this cache.
    for (auto& [key, entry] : m_entries)
        entry.face->chargeTo(nullptr);
}

void GlyphCache::makeRoomFor(std::size_t bytes)
{
    using Item = decltype(m_entries)::value_type;
    const auto olderUse = [](const Item& a, const Item& b) { return a.second.lastUse < b.second.lastUse; };
    while (!m_entries.empty() && *m_held + bytes > m_budget) {
        // The face unused for longest among those no recent pass used; past
        // the ceiling, among all.
        auto victim = m_entries.end();
        for (auto entry = m_entries.begin(); entry != m_entries.end(); ++entry) {
            if (entry->second.lastUse < m_keptFrom && (victim == m_entries.end() || olderUse(*entry, *victim)))
                victim = entry;
        }
        if (victim == m_entries.end()) {
            if (*m_held + bytes <= m_ceiling)
                return;
            victim = std::min_element(m_entries.begin(), m_entries.end(), olderUse);
        }
        victim->second.face->chargeTo(nullptr);
        m_entries.erase(victim);
    }
}

GlyphCache::Pass::Pass(GlyphCache& cache) : m_cache(cache)
{
    const std::lock_guard<std::mutex> held(m_cache.m_lock);
    if (m_cache.m_openPasses++ == 0) {
        const std::uint64_t start = m_cache.m_clock + 1;
        m_cache.m_keptFrom = m_cache.m_passStart == kNoPass ? start : m_cache.m_passStart;
        m_cache.m_passStart = start;
        m_cache.m_passesOpened.fetch_add(1, std::memory_order_relaxed);
    }
}

GlyphCache::Pass::~Pass()
{
    const std::lock_guard<std::mutex> held(m_cache.m_lock);
    --m_cache.m_openPasses;
}

void GlyphCache::dropFaces()
{
    const std::lock_guard<std::mutex> held(m_lock);
    for (auto& [key, entry] : m_entries)
        entry.face->chargeTo(nullptr);
    m_entries.clear();
    m_cellsAtMeasureSize.clear();
}

std::size_t GlyphCache::facesHeld() const
{
    const std::lock_guard<std::mutex> held(m_lock);
    return m_entries.size();
}

std::uint64_t GlyphCache::facesCreated() const
{
    const std::lock_guard<std::mutex> held(m_lock);
    return m_created;
}

double GlyphCache::cellAtMeasureSize(const std::string& fontName)
{
    if (const auto found = m_cellsAtMeasureSize.find(fontName); found != m_cellsAtMeasureSize.end())
        return found->second;
    const QFontMetricsF metrics(pageFont(fontName, kMeasureSize));
    const double cell = metrics.ascent() + metrics.descent();
    m_cellsAtMeasureSize.emplace(fontName, cell);
    return cell;
}

int GlyphCache::pixelSizeFor(const std::string& fontName, int height)
{
    int size = kDefaultPixelSize;
    if (height < 0) {
        size = -std::max(height, -kMaxTextPixelSize);
    } else if (height > 0) {
        const int cellHeight = std::min(height, kMaxTextPixelSize);
        const double cell = cellAtMeasureSize(fontName);
        size = cell > 0 ? int(roundHalfEvenToInteger(cellHeight * kMeasureSize / cell)) : cellHeight;
    }
    return std::clamp(size, 1, kMaxTextPixelSize);
}

std::shared_ptr<GlyphFace> GlyphCache::face(const std::string& fontName, int height, CharSet charSet)
{
    const std::lock_guard<std::mutex> held(m_lock);
    ++m_clock;
    Key key{fontName, faceHeight(height), charSet};
    if (const auto found = m_entries.find(key); found != m_entries.end()) {
        found->second.lastUse = m_clock;
        return found->second.face;
    }
    auto face = std::make_shared<GlyphFace>(fontName, pixelSizeFor(fontName, key.height), charSet);
    ++m_created;
    makeRoomFor(face->bytes());
    face->chargeTo(m_held);
    m_entries.emplace(std::move(key), Entry{m_clock, face});
    return face;
}

GlyphCache& GlyphCache::shared()
{
    static GlyphCache cache;
    return cache;
}

}  // namespace veltrano
