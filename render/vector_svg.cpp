// The drawing as a standalone SVG document, written directly.
#include "render/vector_output.h"

#include "render/canvas.h"
#include "render/vector_drawing.h"

#include <QXmlStreamWriter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace veltrano {

namespace {

// Appends a coordinate with at most three decimals, without trailing zeros:
// a thousandth of a pixel is below anything a viewer shows. The recorder
// keeps every point near the page; the bound only keeps the thousandths
// within 64 bits whatever comes.
void appendNumber(QString& out, double value)
{
    constexpr double kFarthest = 1e12;
    long long thousandths = std::llround(std::clamp(value, -kFarthest, kFarthest) * 1000.0);
    if (thousandths < 0) {
        out += QLatin1Char('-');
        thousandths = -thousandths;
    }
    char digits[24];
    int length = 0;
    long long whole = thousandths / 1000;
    int fraction = int(thousandths % 1000);
    do {
        digits[length++] = char('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    char text[32];
    int size = 0;
    while (length > 0)
        text[size++] = digits[--length];
    if (fraction != 0) {
        text[size++] = '.';
        for (int scale = 100; scale > 0 && fraction != 0; scale /= 10) {
            text[size++] = char('0' + fraction / scale);
            fraction %= scale;
        }
    }
    out += QLatin1StringView(text, size);
}

QString number(double value)
{
    QString text;
    appendNumber(text, value);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

QString hexColour(Colour colour)
{
    return qColourOf(colour).name(QColor::HexRgb);
}

void writeRect(QXmlStreamWriter& xml, double x, double y, double width, double height, QLatin1StringView fill)
{
    xml.writeEmptyElement(QLatin1StringView("rect"));
    xml.writeAttribute(QLatin1StringView("x"), number(x));
    xml.writeAttribute(QLatin1StringView("y"), number(y));
    xml.writeAttribute(QLatin1StringView("width"), number(width));
    xml.writeAttribute(QLatin1StringView("height"), number(height));
    xml.writeAttribute(QLatin1StringView("fill"), fill);
}

// The strokes of one pen run: a <line> when it is one straight stroke,
// else one <path> of all its polylines.
void writeStrokes(QXmlStreamWriter& xml, const VectorRecorder& recorder, std::size_t first, std::size_t end,
                  QString& path)
{
    const auto& head = std::get<VectorStroke>(recorder.items()[first]);
    const double shift = kStrokeCentre;
    if (end == first + 1 && head.pointCount == 2) {
        const auto points = recorder.pointsOf(head);
        xml.writeEmptyElement(QLatin1StringView("line"));
        xml.writeAttribute(QLatin1StringView("x1"), number(points[0].x + shift));
        xml.writeAttribute(QLatin1StringView("y1"), number(points[0].y + shift));
        xml.writeAttribute(QLatin1StringView("x2"), number(points[1].x + shift));
        xml.writeAttribute(QLatin1StringView("y2"), number(points[1].y + shift));
    } else {
        path.clear();
        for (std::size_t i = first; i < end; ++i) {
            const auto points = recorder.pointsOf(std::get<VectorStroke>(recorder.items()[i]));
            for (std::size_t k = 0; k < points.size(); ++k) {
                if (!path.isEmpty())
                    path += QLatin1Char(' ');
                path += k == 0 ? QLatin1Char('M') : QLatin1Char('L');
                appendNumber(path, points[k].x + shift);
                path += QLatin1Char(' ');
                appendNumber(path, points[k].y + shift);
            }
        }
        xml.writeEmptyElement(QLatin1StringView("path"));
        xml.writeAttribute(QLatin1StringView("d"), path);
    }
    xml.writeAttribute(QLatin1StringView("stroke"), hexColour(head.colour));
    xml.writeAttribute(QLatin1StringView("stroke-width"), number(vectorStrokeWidth(head.width)));
}

// One line of text: characters of one font and colour at one size on one
// baseline, and the sub- and superscripts between them as parts of their
// own size and baseline.
struct TextPart {
    double baseline = 0;
    int pixelSize = 0;
    QString characters;
    QString xs;
};

// Whether next continues the line that starts with first and whose last run
// is previous: the same font and colour, to the right of previous as the
// text tool places its cells (a gap of at most an em, an overlap of at
// most half the previous cell), and either at the line's size and top or,
// smaller, beside the line's cell (a sub- or superscript).
bool continuesLine(const VectorText& first, const VectorText& previous, const VectorText& next)
{
    if (next.fontName != first.fontName || next.colour != first.colour)
        return false;
    const double previousRight = previous.left + previous.cellWidth;
    if (next.left < previousRight - previous.cellWidth / 2.0 || next.left > previousRight + first.pixelSize)
        return false;
    if (next.pixelSize == first.pixelSize && next.top == first.top)
        return true;
    return next.pixelSize < first.pixelSize && next.top < first.top + first.cellHeight
           && next.top + next.cellHeight > first.top;
}

void addToParts(std::vector<TextPart>& parts, const VectorText& run)
{
    const std::vector<PlacedCharacter> placed = placedCharacters(run);
    if (placed.empty())
        return;
    const double baseline = run.top + run.ascent;
    if (parts.empty() || parts.back().baseline != baseline || parts.back().pixelSize != run.pixelSize)
        parts.push_back({baseline, run.pixelSize, {}, {}});
    TextPart& part = parts.back();
    for (const PlacedCharacter& character : placed) {
        if (!part.xs.isEmpty())
            part.xs += QLatin1Char(' ');
        appendNumber(part.xs, run.left + character.offset);
        part.characters += character.character;
    }
}

// The text runs from first on that form one line: their opaque cells, then
// one <text> whose sub- and superscripts (and the line after them) are
// <tspan>s. Returns the end of the line.
std::size_t writeTextLine(QXmlStreamWriter& xml, const std::vector<VectorItem>& items, std::size_t first)
{
    const auto& head = std::get<VectorText>(items[first]);
    std::size_t end = first + 1;
    while (end < items.size()) {
        const auto* next = std::get_if<VectorText>(&items[end]);
        if (!next || !continuesLine(head, std::get<VectorText>(items[end - 1]), *next))
            break;
        ++end;
    }
    std::vector<TextPart> parts;
    for (std::size_t i = first; i < end; ++i) {
        const auto& run = std::get<VectorText>(items[i]);
        writeRect(xml, run.left, run.top, run.cellWidth, run.cellHeight, QLatin1StringView("#ffffff"));
        addToParts(parts, run);
    }
    if (parts.empty())
        return end;
    xml.writeStartElement(QLatin1StringView("text"));
    xml.writeAttribute(QLatin1StringView("x"), parts[0].xs);
    xml.writeAttribute(QLatin1StringView("y"), number(parts[0].baseline));
    xml.writeAttribute(QLatin1StringView("font-family"), cssFontFamilies(head.fontName));
    xml.writeAttribute(QLatin1StringView("font-size"), QString::number(parts[0].pixelSize));
    xml.writeAttribute(QLatin1StringView("fill"), hexColour(head.colour));
    xml.writeAttribute(QLatin1StringView("xml:space"), QLatin1StringView("preserve"));
    xml.writeCharacters(parts[0].characters);
    for (std::size_t i = 1; i < parts.size(); ++i) {
        xml.writeStartElement(QLatin1StringView("tspan"));
        xml.writeAttribute(QLatin1StringView("x"), parts[i].xs);
        xml.writeAttribute(QLatin1StringView("y"), number(parts[i].baseline));
        if (parts[i].pixelSize != parts[0].pixelSize)
            xml.writeAttribute(QLatin1StringView("font-size"), QString::number(parts[i].pixelSize));
        xml.writeCharacters(parts[i].characters);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    return end;
}

// Page pixels (1/96 inch) as millimetres.
QString millimetres(int pixels)
{
    return number(pixels * 25.4 / 96.0) + QLatin1StringView("mm");
}

QByteArray svgDocument(const ViewState& view, const std::vector<ElementRecord>& records, const QRect& area,
                       SvgBackground background)
{
    VectorRecorder recorder;
    recordDrawing(recorder, view, records);

    // Written into a string and encoded once: much faster than a device
    // that encodes every small piece.
    QString document;
    QXmlStreamWriter xml(&document);
    xml.writeStartDocument();
    xml.writeStartElement(QLatin1StringView("svg"));
    xml.writeDefaultNamespace(QLatin1StringView("http://www.w3.org/2000/svg"));
    xml.writeAttribute(QLatin1StringView("version"), QLatin1StringView("1.1"));
    // The drawing's true size, one page pixel being 1/96 inch; the view box
    // keeps page pixels as the drawing's units.
    xml.writeAttribute(QLatin1StringView("width"), millimetres(area.width()));
    xml.writeAttribute(QLatin1StringView("height"), millimetres(area.height()));
    xml.writeAttribute(QLatin1StringView("viewBox"), QStringLiteral("%1 %2 %3 %4")
                                                         .arg(area.left())
                                                         .arg(area.top())
                                                         .arg(area.width())
                                                         .arg(area.height()));
    if (background == SvgBackground::White)
        writeRect(xml, area.left(), area.top(), area.width(), area.height(), QLatin1StringView("#ffffff"));

    const QRect page(0, 0, kPageWidth, kPageHeight);
    const bool beyondPage = !page.contains(area);
    if (beyondPage) {
        xml.writeStartElement(QLatin1StringView("clipPath"));
        xml.writeAttribute(QLatin1StringView("id"), QLatin1StringView("page"));
        writeRect(xml, 0, 0, kPageWidth, kPageHeight, QLatin1StringView("#ffffff"));
        xml.writeEndElement();
    }
    xml.writeStartElement(QLatin1StringView("g"));
    if (beyondPage)
        xml.writeAttribute(QLatin1StringView("clip-path"), QLatin1StringView("url(#page)"));
    xml.writeAttribute(QLatin1StringView("fill"), QLatin1StringView("none"));
    xml.writeAttribute(QLatin1StringView("stroke-linecap"), QLatin1StringView("round"));
    xml.writeAttribute(QLatin1StringView("stroke-linejoin"), QLatin1StringView("round"));
    const std::vector<VectorItem>& items = recorder.items();
    QString path;
    for (std::size_t i = 0; i < items.size();) {
        if (std::holds_alternative<VectorStroke>(items[i])) {
            const std::size_t end = penRunEnd(items, i);
            writeStrokes(xml, recorder, i, end, path);
            i = end;
        } else {
            i = writeTextLine(xml, items, i);
        }
    }
    xml.writeEndElement();  // g
    xml.writeEndElement();  // svg
    xml.writeEndDocument();
    return document.toUtf8();
}

}  // namespace

QByteArray svgOfDrawing(const ViewState& view, const std::vector<ElementRecord>& records, const QRect& area)
{
    return svgDocument(view, records, area, SvgBackground::Transparent);
}

QByteArray svgOfDrawingOn(const ViewState& view, const std::vector<ElementRecord>& records, const QRect& area,
                          SvgBackground background)
{
    return svgDocument(view, records, area, background);
}

}  // namespace veltrano
