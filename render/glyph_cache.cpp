#include "render/glyph_cache.h"

#include "render/code_pages.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace veltrano {

namespace {

// The em height Windows picks for a height of 0.
constexpr int kDefaultPixelSize = 12;
// The pixel size at which the cell-to-em ratio of a font is measured.
constexpr int kMeasureSize = 100;

bool drawsNothing(char16_t character)
{
    return character < 0x20 || (character >= 0x7F && character <= 0x9F);
}

int emSizeForCellHeight(const QFont& font, int cellHeight)
{
    QFont probe = font;
    probe.setPixelSize(kMeasureSize);
    const QFontMetricsF metrics(probe);
    const double cell = metrics.ascent() + metrics.descent();
    if (!(cell > 0))
        return cellHeight;
    return int(std::lround(cellHeight * kMeasureSize / cell));
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

char16_t decodeByte(unsigned char byte, CharSet charSet)
{
    return charSet == CharSet::Greek ? windows1253ToUnicode(byte) : windows1252ToUnicode(byte);
}

GlyphFace::GlyphFace(const std::string& fontName, int height, CharSet charSet) : m_charSet(charSet)
{
    m_font = QFont(QString::fromStdString(fontName));
    m_font.setStyleStrategy(QFont::NoAntialias);
    m_font.setHintingPreference(QFont::PreferDefaultHinting);
    m_font.setKerning(false);
    int pixelSize = kDefaultPixelSize;
    if (height < 0)
        pixelSize = -height;
    else if (height > 0)
        pixelSize = emSizeForCellHeight(m_font, std::min(height, kMaxTextPixelSize));
    m_pixelSize = std::clamp(pixelSize, 1, kMaxTextPixelSize);
    m_font.setPixelSize(m_pixelSize);

    const QFontMetrics metrics(m_font);
    m_ascent = metrics.ascent();
    m_descent = metrics.descent();
    m_inkMargin = m_pixelSize / 2 + 2;
    for (int byte = 0; byte < 256; ++byte) {
        const char16_t character = decodeByte(static_cast<unsigned char>(byte), charSet);
        m_advances[byte] = character == 0 || drawsNothing(character) ? 0 : metrics.horizontalAdvance(QChar(character));
    }
}

const Glyph& GlyphFace::glyph(unsigned char byte)
{
    if (!m_glyphs[byte])
        m_glyphs[byte] = render(byte);
    return *m_glyphs[byte];
}

Glyph GlyphFace::render(unsigned char byte) const
{
    Glyph glyph;
    const char16_t character = decodeByte(byte, m_charSet);
    if (character == 0 || drawsNothing(character))
        return glyph;

    // The glyph is drawn with its cell's top-left at (margin, margin) on a
    // transparent image large enough for ink beyond the cell on every side.
    const int margin = m_inkMargin;
    QImage image(m_advances[byte] + 2 * margin, cellHeight() + 2 * margin, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(m_font);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(margin, margin + m_ascent), QString(QChar(character)));
    }
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            if (qAlpha(row[x]) < 128) {
                ++x;
                continue;
            }
            const int first = x;
            while (x < image.width() && qAlpha(row[x]) >= 128)
                ++x;
            glyph.runs.push_back({std::int16_t(y - margin), std::int16_t(first - margin), std::int16_t(x - margin)});
        }
    }
    return glyph;
}

std::shared_ptr<GlyphFace> GlyphCache::face(const std::string& fontName, int height, CharSet charSet)
{
    ++m_clock;
    for (Entry& entry : m_entries) {
        if (entry.height == height && entry.charSet == charSet && entry.fontName == fontName) {
            entry.lastUse = m_clock;
            return entry.face;
        }
    }
    if (m_entries.size() >= kMaxFaces) {
        const auto oldest = std::min_element(m_entries.begin(), m_entries.end(),
                                             [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; });
        m_entries.erase(oldest);
    }
    auto face = std::make_shared<GlyphFace>(fontName, height, charSet);
    m_entries.push_back({fontName, height, charSet, m_clock, face});
    return face;
}

GlyphCache& GlyphCache::shared()
{
    static GlyphCache cache;
    return cache;
}

}  // namespace veltrano
