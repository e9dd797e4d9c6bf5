#pragma once
// The fonts of a PDF page: each font file the text runs use, embedded once
// as a composite font that shows glyph numbers (Identity-H, the glyph
// number as character code), with the advances of its glyphs, a subset of
// the TrueType file holding only the glyphs used, and the Unicode text of
// each glyph so that readers can select and search the text.

#include "render/truetype_subset.h"
#include "render/vector_recorder.h"

#include <QByteArray>
#include <QRawFont>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace veltrano {

class PdfFile;

// One embedded font: the face and the glyphs used, each with the character
// it shows.
struct PdfFont {
    QByteArray resource;  // the name the page's text refers to it by
    QByteArray baseName;  // its PostScript-style name, without subset tag
    TrueTypeFace face;
    std::map<std::uint32_t, char16_t> glyphs;

    // The advance of glyph in thousandths of the font size, as the font's
    // widths give it to the reader.
    int widthOf(std::uint32_t glyph) const;
};

class PdfFonts {
public:
    // A run's face at its size for finding glyphs, and the font of its file
    // (none when the face is not TrueType and cannot be embedded).
    struct Face {
        QRawFont raw;
        PdfFont* font = nullptr;
    };
    const Face& faceOf(const VectorText& run);

    // Writes the objects of every font with glyphs used and returns the
    // page's font resource dictionary.
    QByteArray write(PdfFile& file) const;

private:
    PdfFont* fontOfFile(const QRawFont& raw);

    std::map<std::pair<std::string, int>, Face> m_faces;
    // By family and style; in order of first use, which gives the resource
    // names.
    std::map<QString, PdfFont*> m_byFile;
    std::vector<std::unique_ptr<PdfFont>> m_fonts;
};

}  // namespace veltrano
