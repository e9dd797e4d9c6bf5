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
    const double shift = strokeCentreOffset(head.width);
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
    xml.writeAttribute(QLatin1StringView("stroke-width"), QString::number(head.width));
}

void writeText(QXmlStreamWriter& xml, const VectorText& run)
{
    writeRect(xml, run.left, run.top, run.cellWidth, run.cellHeight, QLatin1StringView("#ffffff"));
    const std::vector<PlacedCharacter> placed = placedCharacters(run);
    if (placed.empty())
        return;
    QString text, xs;
    for (const PlacedCharacter& character : placed) {
        if (!xs.isEmpty())
            xs += QLatin1Char(' ');
        appendNumber(xs, run.left + character.offset);
        text += character.character;
    }
    xml.writeStartElement(QLatin1StringView("text"));
    xml.writeAttribute(QLatin1StringView("x"), xs);
    xml.writeAttribute(QLatin1StringView("y"), number(run.top + run.ascent));
    xml.writeAttribute(QLatin1StringView("font-family"), cssFontFamilies(run.fontName));
    xml.writeAttribute(QLatin1StringView("font-size"), QString::number(run.pixelSize));
    xml.writeAttribute(QLatin1StringView("fill"), hexColour(run.colour));
    xml.writeAttribute(QLatin1StringView("xml:space"), QLatin1StringView("preserve"));
    xml.writeCharacters(text);
    xml.writeEndElement();
}

}  // namespace

QByteArray svgOfDrawing(const ViewState& view, const std::vector<ElementRecord>& records, const QRect& area)
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
    xml.writeAttribute(QLatin1StringView("width"), QString::number(area.width()) + QLatin1StringView("px"));
    xml.writeAttribute(QLatin1StringView("height"), QString::number(area.height()) + QLatin1StringView("px"));
    xml.writeAttribute(QLatin1StringView("viewBox"), QStringLiteral("%1 %2 %3 %4")
                                                         .arg(area.left())
                                                         .arg(area.top())
                                                         .arg(area.width())
                                                         .arg(area.height()));
    // The page is white; the opaque cells and the white lines of the triple
    // bond are drawn for a white ground.
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
            writeText(xml, std::get<VectorText>(items[i]));
            ++i;
        }
    }
    xml.writeEndElement();  // g
    xml.writeEndElement();  // svg
    xml.writeEndDocument();
    return document.toUtf8();
}

}  // namespace veltrano
