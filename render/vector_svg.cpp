// The drawing as a standalone SVG document, written directly.
#include "render/vector_output.h"

#include "render/canvas.h"
#include "render/vector_drawing.h"

#include <QBuffer>
#include <QXmlStreamWriter>

namespace veltrano {

namespace {

// A coordinate with at most three decimals, without trailing zeros: a
// thousandth of a pixel is below anything a viewer shows.
QString number(double value)
{
    QString text = QString::number(value, 'f', 3);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

QString hexColour(Colour colour)
{
    return qColourOf(colour).name(QColor::HexRgb);
}

void writeRect(QXmlStreamWriter& xml, double x, double y, double width, double height, const QString& fill)
{
    xml.writeEmptyElement(QStringLiteral("rect"));
    xml.writeAttribute(QStringLiteral("x"), number(x));
    xml.writeAttribute(QStringLiteral("y"), number(y));
    xml.writeAttribute(QStringLiteral("width"), number(width));
    xml.writeAttribute(QStringLiteral("height"), number(height));
    xml.writeAttribute(QStringLiteral("fill"), fill);
}

void writeStroke(QXmlStreamWriter& xml, const VectorStroke& stroke, std::span<const PenPosition> points)
{
    const double shift = strokeCentreOffset(stroke.width);
    if (points.size() == 2) {
        xml.writeEmptyElement(QStringLiteral("line"));
        xml.writeAttribute(QStringLiteral("x1"), number(points[0].x + shift));
        xml.writeAttribute(QStringLiteral("y1"), number(points[0].y + shift));
        xml.writeAttribute(QStringLiteral("x2"), number(points[1].x + shift));
        xml.writeAttribute(QStringLiteral("y2"), number(points[1].y + shift));
    } else {
        QString path;
        path.reserve(qsizetype(points.size()) * 16);
        for (std::size_t i = 0; i < points.size(); ++i) {
            path += i == 0 ? QStringLiteral("M") : QStringLiteral(" L");
            path += number(points[i].x + shift);
            path += QLatin1Char(' ');
            path += number(points[i].y + shift);
        }
        xml.writeEmptyElement(QStringLiteral("path"));
        xml.writeAttribute(QStringLiteral("d"), path);
    }
    xml.writeAttribute(QStringLiteral("stroke"), hexColour(stroke.colour));
    xml.writeAttribute(QStringLiteral("stroke-width"), QString::number(stroke.width));
}

void writeText(QXmlStreamWriter& xml, const VectorText& run)
{
    writeRect(xml, run.left, run.top, run.cellWidth, run.cellHeight, QStringLiteral("#ffffff"));
    const std::vector<PlacedCharacter> placed = placedCharacters(run);
    if (placed.empty())
        return;
    QString text, xs;
    for (const PlacedCharacter& character : placed) {
        if (!xs.isEmpty())
            xs += QLatin1Char(' ');
        xs += number(run.left + character.offset);
        text += character.character;
    }
    xml.writeStartElement(QStringLiteral("text"));
    xml.writeAttribute(QStringLiteral("x"), xs);
    xml.writeAttribute(QStringLiteral("y"), number(run.top + run.ascent));
    xml.writeAttribute(QStringLiteral("font-family"), cssFontFamilies(run.fontName));
    xml.writeAttribute(QStringLiteral("font-size"), QString::number(run.pixelSize));
    xml.writeAttribute(QStringLiteral("fill"), hexColour(run.colour));
    xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
    xml.writeCharacters(text);
    xml.writeEndElement();
}

}  // namespace

QByteArray svgOfDrawing(const ViewState& view, const std::vector<ElementRecord>& records, const QRect& area)
{
    VectorRecorder recorder;
    recordDrawing(recorder, view, records);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter xml(&buffer);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("svg"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("width"), QString::number(area.width()) + QStringLiteral("px"));
    xml.writeAttribute(QStringLiteral("height"), QString::number(area.height()) + QStringLiteral("px"));
    xml.writeAttribute(QStringLiteral("viewBox"), QStringLiteral("%1 %2 %3 %4")
                                                      .arg(area.left())
                                                      .arg(area.top())
                                                      .arg(area.width())
                                                      .arg(area.height()));
    // The page is white; the opaque cells and the white lines of the triple
    // bond are drawn for a white ground.
    writeRect(xml, area.left(), area.top(), area.width(), area.height(), QStringLiteral("#ffffff"));

    const QRect page(0, 0, kPageWidth, kPageHeight);
    const bool beyondPage = !page.contains(area);
    if (beyondPage) {
        xml.writeStartElement(QStringLiteral("clipPath"));
        xml.writeAttribute(QStringLiteral("id"), QStringLiteral("page"));
        writeRect(xml, 0, 0, kPageWidth, kPageHeight, QStringLiteral("#ffffff"));
        xml.writeEndElement();
    }
    xml.writeStartElement(QStringLiteral("g"));
    if (beyondPage)
        xml.writeAttribute(QStringLiteral("clip-path"), QStringLiteral("url(#page)"));
    xml.writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
    xml.writeAttribute(QStringLiteral("stroke-linecap"), QStringLiteral("round"));
    xml.writeAttribute(QStringLiteral("stroke-linejoin"), QStringLiteral("round"));
    for (const VectorItem& item : recorder.items()) {
        if (const auto* stroke = std::get_if<VectorStroke>(&item))
            writeStroke(xml, *stroke, recorder.pointsOf(*stroke));
        else
            writeText(xml, std::get<VectorText>(item));
    }
    xml.writeEndElement();  // g
    xml.writeEndElement();  // svg
    xml.writeEndDocument();
    return bytes;
}

}  // namespace veltrano
