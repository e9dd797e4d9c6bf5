#include "render/truetype_subset.h"

#include <QRawFont>

#include <algorithm>
#include <utility>

namespace veltrano {

namespace {

// TrueType numbers are big-endian; reads past the end give 0, so a short
// table cannot be read out of bounds.
std::uint32_t readUnsigned16(const QByteArray& table, qsizetype at)
{
    if (at < 0 || at + 2 > table.size())
        return 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(table.constData()) + at;
    return std::uint32_t(bytes[0]) << 8 | bytes[1];
}

int readSigned16(const QByteArray& table, qsizetype at)
{
    return std::int16_t(std::uint16_t(readUnsigned16(table, at)));
}

std::uint32_t readUnsigned32(const QByteArray& table, qsizetype at)
{
    return readUnsigned16(table, at) << 16 | readUnsigned16(table, at + 2);
}

void writeUnsigned16(QByteArray& table, qsizetype at, std::uint32_t value)
{
    table[at] = char(value >> 8);
    table[at + 1] = char(value);
}

void writeUnsigned32(QByteArray& table, qsizetype at, std::uint32_t value)
{
    writeUnsigned16(table, at, value >> 16);
    writeUnsigned16(table, at + 2, value & 0xFFFF);
}

void appendUnsigned16(QByteArray& out, std::uint32_t value)
{
    out.append(char(value >> 8));
    out.append(char(value));
}

void appendUnsigned32(QByteArray& out, std::uint32_t value)
{
    appendUnsigned16(out, value >> 16);
    appendUnsigned16(out, value & 0xFFFF);
}

// The sum of a table's big-endian 32-bit words, the last one padded with
// zeros.
std::uint32_t checksumOf(const QByteArray& table)
{
    std::uint32_t sum = 0;
    for (qsizetype at = 0; at < table.size(); at += 4) {
        std::uint32_t word = 0;
        for (qsizetype k = 0; k < 4; ++k)
            word = word << 8 | (at + k < table.size() ? static_cast<unsigned char>(table[at + k]) : 0u);
        sum += word;
    }
    return sum;
}

// Offsets into the tables.
constexpr qsizetype kHeadChecksumAdjustment = 8;
constexpr qsizetype kHeadUnitsPerEm = 18;
constexpr qsizetype kHeadBox = 36;
constexpr qsizetype kHeadIndexToLocFormat = 50;
constexpr qsizetype kHeadSize = 54;
constexpr qsizetype kHheaAscender = 4;
constexpr qsizetype kHheaDescender = 6;
constexpr qsizetype kHheaHorizontalMetrics = 34;
constexpr qsizetype kHheaSize = 36;
constexpr qsizetype kMaxpGlyphCount = 4;
constexpr qsizetype kMaxpSize = 6;
// What the whole file's checksum plus head's adjustment must give.
constexpr std::uint32_t kChecksumMagic = 0xB1B0AFBA;

// The components of a composite glyph (one of negative contour count): each
// names its glyph, followed by arguments whose size its flags give.
std::vector<std::uint32_t> componentsOf(const QByteArray& glyf, std::uint32_t start, std::uint32_t end)
{
    constexpr std::uint32_t kWordArguments = 0x1, kScale = 0x8, kMoreComponents = 0x20, kXyScale = 0x40,
                            kTwoByTwo = 0x80;
    std::vector<std::uint32_t> components;
    if (end - start < 10 || readSigned16(glyf, start) >= 0)
        return components;
    std::uint32_t at = start + 10;
    for (std::uint32_t flags = kMoreComponents; (flags & kMoreComponents) && at + 4 <= end;) {
        flags = readUnsigned16(glyf, at);
        components.push_back(readUnsigned16(glyf, at + 2));
        at += 4 + ((flags & kWordArguments) ? 4 : 2);
        at += (flags & kScale) ? 2 : (flags & kXyScale) ? 4 : (flags & kTwoByTwo) ? 8 : 0;
    }
    return components;
}

// The file: the offset table, the table records sorted by tag, the tables
// each padded to four bytes, and head's adjustment set last.
QByteArray fontFile(std::vector<std::pair<const char*, QByteArray>> tables)
{
    std::sort(tables.begin(), tables.end(),
              [](const auto& a, const auto& b) { return QByteArrayView(a.first) < QByteArrayView(b.first); });
    const auto count = std::uint32_t(tables.size());
    std::uint32_t power = 1, exponent = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++exponent;
    }
    QByteArray out;
    appendUnsigned32(out, 0x00010000);
    appendUnsigned16(out, count);
    appendUnsigned16(out, power * 16);
    appendUnsigned16(out, exponent);
    appendUnsigned16(out, count * 16 - power * 16);
    auto offset = std::uint32_t(12 + 16 * count);
    qsizetype headAt = -1;
    for (const auto& [tag, data] : tables) {
        out.append(tag, 4);
        appendUnsigned32(out, checksumOf(data));
        appendUnsigned32(out, offset);
        appendUnsigned32(out, std::uint32_t(data.size()));
        if (QByteArrayView(tag) == "head")
            headAt = offset;
        offset += (std::uint32_t(data.size()) + 3) & ~3u;
    }
    for (const auto& table : tables) {
        out.append(table.second);
        out.append(QByteArray((4 - table.second.size() % 4) % 4, '\0'));
    }
    writeUnsigned32(out, headAt + kHeadChecksumAdjustment, kChecksumMagic - checksumOf(out));
    return out;
}

}  // namespace

std::optional<TrueTypeFace> TrueTypeFace::of(const QRawFont& raw)
{
    Tables tables{raw.fontTable("head"), raw.fontTable("hhea"), raw.fontTable("maxp"),
                  raw.fontTable("hmtx"), raw.fontTable("loca"), raw.fontTable("glyf"),
                  raw.fontTable("cvt "), raw.fontTable("fpgm"), raw.fontTable("prep")};
    TrueTypeFace face(std::move(tables));
    if (!face.readMetrics())
        return std::nullopt;
    return face;
}

bool TrueTypeFace::readMetrics()
{
    const Tables& t = m_tables;
    if (t.head.size() < kHeadSize || t.hhea.size() < kHheaSize || t.maxp.size() < kMaxpSize || t.glyf.isEmpty())
        return false;
    m_unitsPerEm = int(readUnsigned16(t.head, kHeadUnitsPerEm));
    m_xMin = readSigned16(t.head, kHeadBox);
    m_yMin = readSigned16(t.head, kHeadBox + 2);
    m_xMax = readSigned16(t.head, kHeadBox + 4);
    m_yMax = readSigned16(t.head, kHeadBox + 6);
    m_longOffsets = readSigned16(t.head, kHeadIndexToLocFormat) == 1;
    m_ascent = readSigned16(t.hhea, kHheaAscender);
    m_descent = readSigned16(t.hhea, kHheaDescender);
    m_horizontalMetrics = int(readUnsigned16(t.hhea, kHheaHorizontalMetrics));
    m_glyphCount = int(readUnsigned16(t.maxp, kMaxpGlyphCount));
    const qsizetype metricsSize =
        qsizetype(m_horizontalMetrics) * 4 + qsizetype(m_glyphCount - m_horizontalMetrics) * 2;
    return m_unitsPerEm >= 16 && m_glyphCount > 0 && m_horizontalMetrics > 0 && m_horizontalMetrics <= m_glyphCount
           && t.hmtx.size() >= metricsSize && t.loca.size() >= qsizetype(m_glyphCount + 1) * (m_longOffsets ? 4 : 2);
}

int TrueTypeFace::advanceOf(std::uint32_t glyph) const
{
    const auto entry = std::min<std::uint32_t>(glyph, std::uint32_t(m_horizontalMetrics - 1));
    return int(readUnsigned16(m_tables.hmtx, qsizetype(entry) * 4));
}

std::uint32_t TrueTypeFace::glyphStart(std::uint32_t glyph) const
{
    const std::uint32_t start = m_longOffsets ? readUnsigned32(m_tables.loca, qsizetype(glyph) * 4)
                                              : readUnsigned16(m_tables.loca, qsizetype(glyph) * 2) * 2;
    return std::min(start, std::uint32_t(m_tables.glyf.size()));
}

std::vector<bool> TrueTypeFace::keptGlyphs(const std::vector<std::uint32_t>& glyphs) const
{
    std::vector<bool> kept(std::size_t(m_glyphCount), false);
    std::vector<std::uint32_t> pending = glyphs;
    pending.push_back(0);
    while (!pending.empty()) {
        const std::uint32_t glyph = pending.back();
        pending.pop_back();
        if (glyph >= kept.size() || kept[glyph])
            continue;
        kept[glyph] = true;
        const std::uint32_t start = glyphStart(glyph), end = std::max(start, glyphStart(glyph + 1));
        for (const std::uint32_t component : componentsOf(m_tables.glyf, start, end))
            pending.push_back(component);
    }
    return kept;
}

QByteArray TrueTypeFace::subset(const std::vector<std::uint32_t>& glyphs) const
{
    const std::vector<bool> kept = keptGlyphs(glyphs);
    auto count = std::uint32_t(kept.size());
    while (count > 1 && !kept[count - 1])
        --count;

    // Every glyph keeps its number; the dropped ones have no outline. The
    // offsets are long, so any size of kept outlines fits.
    QByteArray glyf, loca;
    for (std::uint32_t glyph = 0; glyph < count; ++glyph) {
        appendUnsigned32(loca, std::uint32_t(glyf.size()));
        if (!kept[glyph])
            continue;
        const std::uint32_t start = glyphStart(glyph), end = std::max(start, glyphStart(glyph + 1));
        glyf.append(m_tables.glyf.constData() + start, end - start);
        glyf.append(QByteArray((4 - glyf.size() % 4) % 4, '\0'));
    }
    appendUnsigned32(loca, std::uint32_t(glyf.size()));

    QByteArray head = m_tables.head, hhea = m_tables.hhea, maxp = m_tables.maxp;
    writeUnsigned32(head, kHeadChecksumAdjustment, 0);
    writeUnsigned16(head, kHeadIndexToLocFormat, 1);
    writeUnsigned16(maxp, kMaxpGlyphCount, count);
    const auto metrics = std::min<std::uint32_t>(count, std::uint32_t(m_horizontalMetrics));
    writeUnsigned16(hhea, kHheaHorizontalMetrics, metrics);
    // The full metrics of the first glyphs, then the side bearings alone.
    const QByteArray hmtx = m_tables.hmtx.left(qsizetype(metrics) * 4 + qsizetype(count - metrics) * 2);

    std::vector<std::pair<const char*, QByteArray>> tables = {
        {"head", head}, {"hhea", hhea}, {"maxp", maxp}, {"hmtx", hmtx}, {"loca", loca}, {"glyf", glyf}};
    for (const auto& [tag, table] :
         {std::pair{"cvt ", &m_tables.cvt}, std::pair{"fpgm", &m_tables.fpgm}, std::pair{"prep", &m_tables.prep}}) {
        if (!table->isEmpty())
            tables.emplace_back(tag, *table);
    }
    return fontFile(std::move(tables));
}

}  // namespace veltrano
