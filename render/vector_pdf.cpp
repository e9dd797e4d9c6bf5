#include "render/vector_pdf.h"

#include "render/canvas.h"
#include "render/pdf_file.h"
#include "render/pdf_fonts.h"
#include "render/vector_drawing.h"

#include <algorithm>
#include <optional>

namespace veltrano {

namespace {

// A pixel is 3/4 point.
constexpr double kPointsPerPixel = 0.75;

// The page's drawing operators. All coordinates are in 1/32 page pixel
// (kStrokeGrid), y downward: one transformation at the start maps them to
// the page, so the stroke points are whole numbers. Colour, line width and
// text font are set only when they change.
class PageContent {
public:
    PageContent(const QRect& area, PdfFonts& fonts);

    void strokes(const VectorRecorder& recorder, std::size_t first, std::size_t end);
    // False when the run has a character its face lacks.
    bool text(const VectorText& run);

    const QByteArray& bytes() const { return m_out; }

private:
    void number(double value)
    {
        appendPdfNumber(m_out, value);
        m_out.append(' ');
    }
    void onGrid(double pixels) { number(pixels * kStrokeGrid); }
    void rectangle(double left, double top, double width, double height);
    void colour(Colour colour, std::optional<Colour>& current, const char* grey, const char* rgb);

    QByteArray m_out;
    PdfFonts& m_fonts;
    std::optional<Colour> m_fill, m_stroke;
    double m_lineWidth = -1;
    const PdfFont* m_textFont = nullptr;
    int m_textSize = 0;
    QString m_characters;
};

PageContent::PageContent(const QRect& area, PdfFonts& fonts) : m_fonts(fonts)
{
    // Grid units to points, y flipped: the area's top-left at the page's
    // top-left corner.
    static_assert(kStrokeGrid == 32.0 && kPointsPerPixel == 0.75, "the scale below is 0.75 / 32");
    m_out.append("0.0234375 0 0 -0.0234375 ");
    number(-area.left() * kPointsPerPixel);
    number((area.top() + std::max(area.height(), 1)) * kPointsPerPixel);
    m_out.append("cm\n");
    // What lies beyond the page is not on the page.
    const QRect clip = area & QRect(0, 0, kPageWidth, kPageHeight);
    rectangle(clip.left(), clip.top(), clip.width(), clip.height());
    m_out.append("W n\n1 J 1 j\n");
}

void PageContent::rectangle(double left, double top, double width, double height)
{
    onGrid(left);
    onGrid(top);
    onGrid(width);
    onGrid(height);
    m_out.append("re ");
}

// Grey as one number, any other colour as three.
void PageContent::colour(Colour colour, std::optional<Colour>& current, const char* grey, const char* rgb)
{
    if (current == colour)
        return;
    current = colour;
    const int red = redOf(colour), green = greenOf(colour), blue = blueOf(colour);
    number(red / 255.0);
    if (red != green || green != blue) {
        number(green / 255.0);
        number(blue / 255.0);
        m_out.append(rgb);
    } else {
        m_out.append(grey);
    }
    m_out.append('\n');
}

void PageContent::strokes(const VectorRecorder& recorder, std::size_t first, std::size_t end)
{
    const auto& head = std::get<VectorStroke>(recorder.items()[first]);
    const double width = vectorStrokeWidth(head.width) * kStrokeGrid;
    if (width != m_lineWidth) {
        m_lineWidth = width;
        number(width);
        m_out.append("w\n");
    }
    colour(head.colour, m_stroke, "G", "RG");
    const double shift = kStrokeCentre;
    for (std::size_t i = first; i < end; ++i) {
        const auto points = recorder.pointsOf(std::get<VectorStroke>(recorder.items()[i]));
        // A lone point draws nothing, as a path of one move does not.
        if (points.size() < 2)
            continue;
        for (std::size_t k = 0; k < points.size(); ++k) {
            number(onStrokeGrid(points[k].x + shift));
            number(onStrokeGrid(points[k].y + shift));
            m_out.append(k == 0 ? "m\n" : "l\n");
        }
    }
    m_out.append("S\n");
}

// The glyphs stand at the page's pen positions on the baseline. One text
// array holds them all: after each glyph, the reader moves by the glyph's
// width less the number that follows it (in thousandths of the font size),
// so that number is the width less the page's advance.
bool PageContent::text(const VectorText& run)
{
    colour(kWhite, m_fill, "g", "rg");
    rectangle(run.left, run.top, run.cellWidth, run.cellHeight);
    m_out.append("f\n");
    const std::vector<PlacedCharacter> placed = placedCharacters(run);
    if (placed.empty())
        return true;
    const PdfFonts::Face& face = m_fonts.faceOf(run);
    m_characters.clear();
    for (const PlacedCharacter& character : placed)
        m_characters += character.character;
    const QList<quint32> glyphs = face.raw.glyphIndexesForString(m_characters);
    if (!face.font || glyphs.size() != m_characters.size() || glyphs.contains(0))
        return false;

    PdfFont& font = *face.font;
    const int size = std::max(run.pixelSize, 1);
    colour(run.colour, m_fill, "g", "rg");
    m_out.append("BT\n");
    if (&font != m_textFont || size != m_textSize) {
        m_textFont = &font;
        m_textSize = size;
        m_out.append('/' + font.resource + ' ');
        number(size);
        m_out.append("Tf\n");
    }
    m_out.append("32 0 0 -32 ");
    onGrid(run.left + placed[0].offset);
    onGrid(run.top + run.ascent);
    m_out.append("Tm\n[");
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const quint32 glyph = glyphs[qsizetype(i)];
        font.glyphs.emplace(glyph, placed[i].character.unicode());
        const char hex[] = {'<', kDigits[(glyph >> 12) & 0xF], kDigits[(glyph >> 8) & 0xF],
                            kDigits[(glyph >> 4) & 0xF], kDigits[glyph & 0xF], '>'};
        m_out.append(hex, sizeof hex);
        if (i + 1 == placed.size())
            break;
        const double advance = (placed[i + 1].offset - placed[i].offset) * 1000.0 / size;
        const double adjustment = font.widthOf(glyph) - advance;
        if (adjustment >= 0.0005 || adjustment <= -0.0005)
            appendPdfNumber(m_out, adjustment);
    }
    m_out.append("]TJ\nET\n");
    return true;
}

}  // namespace

std::optional<QByteArray> writtenPdfOf(const VectorRecorder& recorder, const QRect& area)
{
    PdfFonts fonts;
    PageContent content(area, fonts);
    const std::vector<VectorItem>& items = recorder.items();
    for (std::size_t i = 0; i < items.size();) {
        if (std::holds_alternative<VectorStroke>(items[i])) {
            const std::size_t end = penRunEnd(items, i);
            content.strokes(recorder, i, end);
            i = end;
        } else if (content.text(std::get<VectorText>(items[i]))) {
            ++i;
        } else {
            return std::nullopt;
        }
    }

    PdfFile file;
    const int catalog = file.reserveObject(), pages = file.reserveObject(), page = file.reserveObject(),
              contents = file.reserveObject(), info = file.reserveObject();
    file.writeObject(catalog, "<</Type/Catalog/Pages " + QByteArray::number(pages) + " 0 R>>");
    file.writeObject(pages, "<</Type/Pages/Kids[" + QByteArray::number(page) + " 0 R]/Count 1>>");
    file.writeStream(contents, content.bytes());
    const QByteArray fontResources = fonts.write(file);
    QByteArray pageObject = "<</Type/Page/Parent " + QByteArray::number(pages) + " 0 R/MediaBox[0 0 ";
    appendPdfNumber(pageObject, std::max(area.width(), 1) * kPointsPerPixel);
    pageObject.append(' ');
    appendPdfNumber(pageObject, std::max(area.height(), 1) * kPointsPerPixel);
    pageObject.append("]/Resources<</Font" + fontResources + ">>/Contents " + QByteArray::number(contents)
                      + " 0 R>>");
    file.writeObject(page, pageObject);
    file.writeObject(info, "<</Creator(Veltrano)/Producer(Veltrano)>>");
    return file.finish(catalog, info);
}

}  // namespace veltrano
