// The subset font: a valid TrueType file whose glyph numbers are the
// face's, with the outlines and advances of the glyphs asked for and of
// the parts of composite glyphs, and nothing of the others.
#include "render/truetype_subset.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QPainterPath>
#include <QRawFont>

#include <algorithm>

namespace veltrano {
namespace {

// The sum of the file's big-endian words, which head's adjustment makes a
// fixed number.
std::uint32_t fileChecksum(const QByteArray& file)
{
    std::uint32_t sum = 0;
    for (qsizetype at = 0; at + 4 <= file.size(); at += 4) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(file.constData()) + at;
        sum += std::uint32_t(bytes[0]) << 24 | std::uint32_t(bytes[1]) << 16 | std::uint32_t(bytes[2]) << 8 | bytes[3];
    }
    return sum;
}

QRawFont liberationSans()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(200);
    font.setHintingPreference(QFont::PreferNoHinting);
    return QRawFont::fromFont(font);
}

// Where a table lies in a TrueType file, from its table records.
qsizetype tableOffset(const QByteArray& file, const char* tag)
{
    const auto word = [&file](qsizetype at) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(file.constData()) + at;
        return qsizetype(bytes[0]) << 24 | qsizetype(bytes[1]) << 16 | qsizetype(bytes[2]) << 8 | bytes[3];
    };
    const int tables = int(word(4) >> 16);
    for (int i = 0; i < tables; ++i) {
        if (file.mid(12 + 16 * i, 4) == tag)
            return word(12 + 16 * i + 8);
    }
    return -1;
}

void putUnsigned16(QByteArray& file, qsizetype at, int value)
{
    file[at] = char(value >> 8);
    file[at + 1] = char(value);
}

TEST(TrueTypeSubset, keepsTheOutlinesOfTheGlyphsUsedAndOfTheirParts)
{
    const QRawFont raw = liberationSans();
    if (raw.familyName() != QLatin1String("Liberation Sans"))
        GTEST_SKIP() << "Liberation Sans missing";
    const std::optional<TrueTypeFace> face = TrueTypeFace::of(raw);
    ASSERT_TRUE(face);
    // "Ä" is a composite of "A" and the diaeresis; "H" is left out.
    const QList<quint32> glyphs = raw.glyphIndexesForString(QStringLiteral("O\u00C4\u03B1H"));
    ASSERT_EQ(glyphs.size(), 4);
    const QByteArray file = face->subset({glyphs[0], glyphs[1], glyphs[2]});
    EXPECT_EQ(file.size() % 4, 0);
    EXPECT_EQ(fileChecksum(file), 0xB1B0AFBAu);

    const QRawFont subset(file, 200, QFont::PreferNoHinting);
    ASSERT_TRUE(subset.isValid());
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(subset.pathForGlyph(glyphs[i]).isEmpty()) << i;
        EXPECT_EQ(subset.pathForGlyph(glyphs[i]), raw.pathForGlyph(glyphs[i])) << i;
    }
    EXPECT_TRUE(subset.pathForGlyph(glyphs[3]).isEmpty());
    EXPECT_EQ(subset.advancesForGlyphIndexes(glyphs), raw.advancesForGlyphIndexes(glyphs));
    // The numbering ends with the highest glyph kept.
    const std::optional<TrueTypeFace> cut = TrueTypeFace::of(subset);
    ASSERT_TRUE(cut);
    EXPECT_GT(cut->glyphCount(), int(std::max({glyphs[0], glyphs[1], glyphs[2]})));
    EXPECT_LT(cut->glyphCount(), face->glyphCount());
    EXPECT_EQ(cut->advanceOf(glyphs[2]), face->advanceOf(glyphs[2]));
}

// Damaged tables (a composite glyph made of itself and of a glyph past the
// end, outlines past the end of glyf, more glyphs than offsets) give a
// face that is refused or a subset, never a read out of bounds or a loop.
TEST(TrueTypeSubset, damagedTablesAreReadWithinBounds)
{
    const QRawFont raw = liberationSans();
    if (raw.familyName() != QLatin1String("Liberation Sans"))
        GTEST_SKIP() << "Liberation Sans missing";
    const quint32 composite = raw.glyphIndexesForString(QStringLiteral("\u00C4"))[0];
    const QByteArray sound = TrueTypeFace::of(raw)->subset({composite});
    const qsizetype glyf = tableOffset(sound, "glyf"), loca = tableOffset(sound, "loca");
    const qsizetype maxp = tableOffset(sound, "maxp");
    ASSERT_GT(glyf, 0);
    ASSERT_GT(loca, 0);
    // The subset's offsets are long: where the composite's outline starts.
    const auto start = [&sound, loca](quint32 glyph) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(sound.constData()) + loca + 4 * glyph;
        return qsizetype(bytes[0]) << 24 | qsizetype(bytes[1]) << 16 | qsizetype(bytes[2]) << 8 | bytes[3];
    };
    QByteArray looped = sound;
    putUnsigned16(looped, glyf + start(composite) + 12, int(composite));
    QByteArray pastTheEnd = sound;
    putUnsigned16(pastTheEnd, glyf + start(composite) + 12, 0xFFFF);
    QByteArray longOutline = sound;
    longOutline.replace(loca + 4 * composite + 4, 4, QByteArray("\x7F\xFF\xFF\xFF", 4));
    for (const QByteArray& damaged : {looped, pastTheEnd, longOutline}) {
        const std::optional<TrueTypeFace> face = TrueTypeFace::of(QRawFont(damaged, 200));
        ASSERT_TRUE(face);
        EXPECT_TRUE(QRawFont(face->subset({composite, 0xFFFF}), 200).isValid());
    }
    QByteArray tooManyGlyphs = sound;
    putUnsigned16(tooManyGlyphs, maxp + 4, 0xFFFF);
    EXPECT_FALSE(TrueTypeFace::of(QRawFont(tooManyGlyphs, 200)));
}

}  // namespace
}  // namespace veltrano
