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

TEST(TrueTypeSubset, keepsTheOutlinesOfTheGlyphsUsedAndOfTheirParts)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(200);
    font.setHintingPreference(QFont::PreferNoHinting);
    const QRawFont raw = QRawFont::fromFont(font);
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

}  // namespace
}  // namespace veltrano
