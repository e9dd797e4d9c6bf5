#pragma once
// A TrueType face read from its tables, and the font file cut down to the
// glyphs a document uses, for embedding in a PDF.
//
// The subset keeps the glyph numbers: the outlines of the glyphs asked for
// (and of the parts of composite glyphs) stay, every other glyph is empty,
// and the numbering ends after the highest glyph kept. A PDF that shows
// glyph numbers directly (CIDToGIDMap /Identity) needs no character map,
// so the file has only the tables a reader needs to draw the outlines:
// head, hhea, maxp, hmtx, loca, glyf and the hinting tables if the face has
// them.

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

class QRawFont;

namespace veltrano {

class TrueTypeFace {
public:
    // The face of raw, or nothing when it has no TrueType outlines (a CFF
    // font) or its tables are not consistent.
    static std::optional<TrueTypeFace> of(const QRawFont& raw);

    int unitsPerEm() const { return m_unitsPerEm; }
    int glyphCount() const { return m_glyphCount; }
    // The advance of glyph in font units.
    int advanceOf(std::uint32_t glyph) const;
    // The box around every glyph and the line's ascent and descent (a
    // negative number), in font units.
    int xMin() const { return m_xMin; }
    int yMin() const { return m_yMin; }
    int xMax() const { return m_xMax; }
    int yMax() const { return m_yMax; }
    int ascent() const { return m_ascent; }
    int descent() const { return m_descent; }

    // A TrueType file with the outlines of glyphs (each below glyphCount)
    // and of glyph 0, which a reader shows for a missing glyph.
    QByteArray subset(const std::vector<std::uint32_t>& glyphs) const;

private:
    struct Tables {
        QByteArray head, hhea, maxp, hmtx, loca, glyf, cvt, fpgm, prep;
    };

    explicit TrueTypeFace(Tables tables) : m_tables(std::move(tables)) {}
    bool readMetrics();
    // Where glyph's outline lies in glyf: [start, end).
    std::uint32_t glyphStart(std::uint32_t glyph) const;
    std::vector<bool> keptGlyphs(const std::vector<std::uint32_t>& glyphs) const;

    Tables m_tables;
    int m_unitsPerEm = 1000;
    int m_glyphCount = 0;
    int m_horizontalMetrics = 0;
    bool m_longOffsets = false;
    int m_xMin = 0, m_yMin = 0, m_xMax = 0, m_yMax = 0;
    int m_ascent = 0, m_descent = 0;
};

}  // namespace veltrano
