#include "render/pdf_fonts.h"

#include "render/pdf_file.h"
#include "render/vector_drawing.h"

#include <cmath>

namespace veltrano {

namespace {

QByteArray reference(int object)
{
    return QByteArray::number(object) + " 0 R";
}

// "Liberation Sans" "Regular" -> LiberationSans: the family without spaces,
// the style after a hyphen unless regular, only the characters a PDF name
// takes without escapes.
QByteArray baseNameOf(const QRawFont& raw)
{
    QString name = raw.familyName();
    const QString style = raw.styleName();
    if (!style.isEmpty() && style != QLatin1String("Regular") && style != QLatin1String("Normal"))
        name += QLatin1Char('-') + style;
    QByteArray base;
    for (const QChar c : name) {
        if ((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-'))
            base.append(char(c.unicode()));
    }
    return base.isEmpty() ? QByteArray("Font") : base;
}

// A subset's name starts with six capital letters and a plus sign; they
// come from the glyphs kept, so that two different subsets of one font in
// two documents have different names.
QByteArray subsetName(const PdfFont& font)
{
    std::uint32_t hash = 2166136261u;  // FNV-1a
    auto mix = [&hash](std::uint32_t value) {
        hash = (hash ^ value) * 16777619u;
    };
    for (const char c : font.baseName)
        mix(static_cast<unsigned char>(c));
    for (const auto& used : font.glyphs)
        mix(used.first);
    QByteArray tag(6, 'A');
    for (char& letter : tag) {
        letter = char('A' + hash % 26);
        hash /= 26;
    }
    return tag + '+' + font.baseName;
}

void appendHex4(QByteArray& out, std::uint32_t value)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out.append('<');
    for (int shift = 12; shift >= 0; shift -= 4)
        out.append(kDigits[(value >> shift) & 0xF]);
    out.append('>');
}

// The widths of the used glyphs, consecutive glyph numbers sharing one
// array: [3 [556 556] 36 [667]].
QByteArray widthsOf(const PdfFont& font)
{
    QByteArray widths = "[";
    std::uint32_t next = 0;
    bool open = false;
    for (const auto& used : font.glyphs) {
        if (!open || used.first != next) {
            if (open)
                widths.append("]");
            widths.append(QByteArray::number(used.first) + " [");
            open = true;
        } else {
            widths.append(' ');
        }
        widths.append(QByteArray::number(font.widthOf(used.first)));
        next = used.first + 1;
    }
    widths.append(open ? "]]" : "]");
    return widths;
}

// The CMap from glyph number to the character it shows, in blocks of at
// most 100 entries as CMaps allow.
QByteArray toUnicodeOf(const PdfFont& font)
{
    QByteArray cmap = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                      "/CIDSystemInfo <</Registry (Adobe) /Ordering (UCS) /Supplement 0>> def\n"
                      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    constexpr std::size_t kBlock = 100;
    std::size_t left = font.glyphs.size();
    auto used = font.glyphs.begin();
    while (left > 0) {
        const std::size_t block = std::min(left, kBlock);
        cmap.append(QByteArray::number(qulonglong(block)) + " beginbfchar\n");
        for (std::size_t i = 0; i < block; ++i, ++used) {
            appendHex4(cmap, used->first);
            cmap.append(' ');
            appendHex4(cmap, used->second);
            cmap.append('\n');
        }
        cmap.append("endbfchar\n");
        left -= block;
    }
    cmap.append("endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n");
    return cmap;
}

// A number of font units in thousandths of the em, as the descriptor wants.
QByteArray thousandths(const PdfFont& font, int units)
{
    return QByteArray::number(std::lround(units * 1000.0 / font.face.unitsPerEm()));
}

// The font's five objects: the composite font (object type0), its
// descendant with the widths, the descriptor, the subset file and the
// CMap to Unicode.
void writeFont(PdfFile& file, const PdfFont& font, int type0)
{
    const int descendant = file.reserveObject(), descriptor = file.reserveObject(),
              program = file.reserveObject(), toUnicode = file.reserveObject();
    const QByteArray name = "/" + subsetName(font);
    file.writeObject(type0, "<</Type/Font/Subtype/Type0/BaseFont" + name + "/Encoding/Identity-H/DescendantFonts["
                                + reference(descendant) + "]/ToUnicode " + reference(toUnicode) + ">>");
    file.writeObject(descendant, "<</Type/Font/Subtype/CIDFontType2/BaseFont" + name
                                     + "/CIDSystemInfo<</Registry(Adobe)/Ordering(Identity)/Supplement 0>>"
                                       "/FontDescriptor "
                                     + reference(descriptor) + "/W " + widthsOf(font) + "/CIDToGIDMap/Identity>>");
    const TrueTypeFace& face = font.face;
    // Flags 4: the font's characters are not the standard Latin set, which
    // a reader must not assume for a font that is shown by glyph number.
    file.writeObject(descriptor, "<</Type/FontDescriptor/FontName" + name + "/Flags 4/FontBBox["
                                     + thousandths(font, face.xMin()) + ' ' + thousandths(font, face.yMin()) + ' '
                                     + thousandths(font, face.xMax()) + ' ' + thousandths(font, face.yMax())
                                     + "]/ItalicAngle 0/Ascent " + thousandths(font, face.ascent()) + "/Descent "
                                     + thousandths(font, face.descent()) + "/CapHeight "
                                     + thousandths(font, face.ascent()) + "/StemV 80/FontFile2 "
                                     + reference(program) + ">>");
    std::vector<std::uint32_t> glyphs;
    for (const auto& used : font.glyphs)
        glyphs.push_back(used.first);
    const QByteArray subset = face.subset(glyphs);
    file.writeStream(program, subset, "/Length1 " + QByteArray::number(subset.size()));
    file.writeStream(toUnicode, toUnicodeOf(font));
}

}  // namespace

int PdfFont::widthOf(std::uint32_t glyph) const
{
    return int(std::lround(face.advanceOf(glyph) * 1000.0 / face.unitsPerEm()));
}

const PdfFonts::Face& PdfFonts::faceOf(const VectorText& run)
{
    const auto key = std::make_pair(run.fontName, run.pixelSize);
    auto found = m_faces.find(key);
    if (found == m_faces.end()) {
        const QRawFont raw = QRawFont::fromFont(vectorFontOf(run));
        found = m_faces.emplace(key, Face{raw, fontOfFile(raw)}).first;
    }
    return found->second;
}

PdfFont* PdfFonts::fontOfFile(const QRawFont& raw)
{
    const QString key = raw.familyName() + QLatin1Char('\n') + raw.styleName();
    const auto found = m_byFile.find(key);
    if (found != m_byFile.end())
        return found->second;
    PdfFont* font = nullptr;
    if (std::optional<TrueTypeFace> face = TrueTypeFace::of(raw)) {
        const QByteArray resource = "F" + QByteArray::number(qsizetype(m_fonts.size()) + 1);
        m_fonts.push_back(std::make_unique<PdfFont>(PdfFont{resource, baseNameOf(raw), std::move(*face), {}}));
        font = m_fonts.back().get();
    }
    m_byFile.emplace(key, font);
    return font;
}

QByteArray PdfFonts::write(PdfFile& file) const
{
    QByteArray resources = "<<";
    for (const auto& font : m_fonts) {
        if (font->glyphs.empty())
            continue;
        const int type0 = file.reserveObject();
        writeFont(file, *font, type0);
        resources.append("/" + font->resource + ' ' + reference(type0));
    }
    resources.append(">>");
    return resources;
}

}  // namespace veltrano
