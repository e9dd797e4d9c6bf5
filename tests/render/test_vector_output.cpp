// The vector output documents: the cut-out matches the fitted bitmap, the
// SVG is well-formed XML whose text elements carry the labels, the PDF is a
// valid one-page document whose text a PDF reader finds.
#include "document/file_system.h"
#include "document/record_file.h"
#include "render/canvas.h"
#include "render/content_cutout.h"
#include "render/glyph_cache.h"
#include "render/page.h"
#include "render/painter.h"
#include "render/vector_output.h"
#include "tools/sample_documents.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <map>
#include <tuple>
#include <string>
#include <vector>

namespace veltrano {
namespace {

const QRect kWholePage(0, 0, kPageWidth, kPageHeight);

std::vector<ElementRecord> exampleRecords()
{
    return readAllRecords(FileSystem::system(), VELTRANO_SOURCE_DIR "/examples/benzoesaeure.cfd");
}

struct SvgSummary {
    QString error;
    std::map<QString, QString> root;  // attributes of <svg>
    QStringList texts;
    std::vector<std::map<QString, QString>> textAttributes;
    int whiteRects = 0;
    int strokes = 0;
    QStringList strokeColours;
    std::map<QString, QString> group;  // attributes of the first <g>
};

SvgSummary readSvg(const QByteArray& svg)
{
    SvgSummary summary;
    QXmlStreamReader xml(svg);
    auto attributesOf = [&xml] {
        std::map<QString, QString> all;
        for (const QXmlStreamAttribute& a : xml.attributes())
            all[a.qualifiedName().toString()] = a.value().toString();
        return all;
    };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString();
        if (name == "svg") {
            summary.root = attributesOf();
        } else if (name == "g" && summary.group.empty()) {
            summary.group = attributesOf();
        } else if (name == "rect") {
            summary.whiteRects += xml.attributes().value("fill") == QLatin1String("#ffffff") ? 1 : 0;
        } else if (name == "line" || name == "path") {
            ++summary.strokes;
            summary.strokeColours.append(xml.attributes().value("stroke").toString());
        } else if (name == "text") {
            summary.textAttributes.push_back(attributesOf());
            summary.texts.append(xml.readElementText(QXmlStreamReader::IncludeChildElements));
        }
    }
    if (xml.hasError())
        summary.error = xml.errorString();
    return summary;
}

TEST(VectorCutOut, isTheFittedBitmapsPartOfThePage)
{
    const std::vector<ElementRecord> records = exampleRecords();
    QImage page = makeBlankPage();
    Canvas canvas(page);
    RepaintFile(canvas, ViewState{}, records);
    for (const QSize area : {QSize(kPageWidth, kPageHeight), QSize(800, 600), QSize(2000, 2000)}) {
        const QRect cut = vectorCutOut(ViewState{}, records, area);
        const QImage fitted = fittedCutOut(page, area);
        EXPECT_EQ(cut.size(), fitted.size());
        // The same pixels: the cut-out of the page at that place is the
        // fitted bitmap.
        QImage again(cut.size(), QImage::Format_RGB32);
        again.fill(Qt::white);
        QPainter painter(&again);
        painter.drawImage(QPoint(0, 0), page, cut);
        painter.end();
        EXPECT_EQ(again.convertToFormat(QImage::Format_RGB32), fitted.convertToFormat(QImage::Format_RGB32));
    }
    // Nothing drawn: the whole area with the margin, as the bitmap has it.
    const QRect empty = vectorCutOut(ViewState{}, {}, QSize(640, 480));
    EXPECT_EQ(empty.size(), fittedCutOut(makeBlankPage(), QSize(640, 480)).size());
    EXPECT_EQ(empty.topLeft(), QPoint(-kCutOutMargin, -kCutOutMargin));
    // A drawing beyond the visible area is not in it.
    const QRect beyond = vectorCutOut(ViewState{}, {makeRecord(kind::SingleBond, 700, 700, 750, 700)}, QSize(600, 600));
    EXPECT_EQ(beyond.size(), empty.size() - QSize(40, -120));
}

TEST(VectorSvg, isWellFormedWithTheAreaAndTheLabelsAsText)
{
    const std::vector<ElementRecord> records = exampleRecords();
    const QRect area = vectorCutOut(ViewState{}, records, QSize(kPageWidth, kPageHeight));
    const SvgSummary svg = readSvg(svgOfDrawing(ViewState{}, records, area));
    ASSERT_TRUE(svg.error.isEmpty()) << svg.error.toStdString();
    EXPECT_EQ(svg.root.at("viewBox"),
              QString("%1 %2 %3 %4").arg(area.left()).arg(area.top()).arg(area.width()).arg(area.height()));
    EXPECT_EQ(svg.group.at("stroke-linecap"), "round");
    EXPECT_EQ(svg.group.at("stroke-linejoin"), "round");
    EXPECT_EQ(svg.group.at("fill"), "none");

    int textRecords = 0, singleBonds = 0;
    for (const ElementRecord& r : records) {
        textRecords += layerOf(r.kind) == Layer::Text ? 1 : 0;
        singleBonds += r.kind == kind::SingleBond ? 1 : 0;
    }
    ASSERT_GT(textRecords, 0);
    EXPECT_EQ(svg.texts.size(), textRecords);
    // No background, one opaque cell per text.
    EXPECT_EQ(svg.whiteRects, textRecords);
    EXPECT_TRUE(svg.texts.contains("OH")) << svg.texts.join(",").toStdString();
    EXPECT_TRUE(svg.texts.contains("O"));
    for (const auto& attributes : svg.textAttributes) {
        EXPECT_EQ(attributes.at("xml:space"), "preserve");
        EXPECT_TRUE(attributes.at("font-family").startsWith("'Liberation Sans', Arial"));
    }
    // No halo: every stroke in the bonds' black.
    ASSERT_GT(singleBonds, 0);
    EXPECT_EQ(svg.strokeColours.count("#000000"), svg.strokes);
}

// The size in millimetres at 96 pixels per inch, the view box in pixels, a
// white ground only when asked for (the other white rect is the page's clip).
TEST(VectorSvg, hasItsSizeInMillimetresAndAGroundOnlyOnRequest)
{
    const std::vector<ElementRecord> bond = {makeRecord(kind::SingleBond, 10, 10, 50, 10)};
    const QRect area(-10, -10, 96, 480);
    const SvgSummary svg = readSvg(svgOfDrawing(ViewState{}, bond, area));
    EXPECT_EQ(svg.root.at("width") + svg.root.at("height") + svg.root.at("viewBox"), "25.4mm127mm-10 -10 96 480");
    EXPECT_EQ(svg.whiteRects, 1);
    EXPECT_EQ(readSvg(svgOfDrawingOn(ViewState{}, bond, area, SvgBackground::White)).whiteRects, 2);
}

// Single, double and triple bonds: their lines in one stroke element of the
// bond's colour and one width; a single bond centred on its pixels.
TEST(VectorSvg, bondLinesAreOneStrokeOfOneColourAndWeight)
{
    for (const ElementKind bond : {kind::SingleBond, kind::DoubleBond, kind::TripleBond}) {
        const QByteArray svg = svgOfDrawing(ViewState{}, {makeRecord(bond, 10, 10, 50, 10, 0x0000FF)}, kWholePage);
        EXPECT_EQ(readSvg(svg).strokeColours, QStringList{"#ff0000"}) << bond;
        EXPECT_EQ(svg.count("stroke-width=\"1.2\""), 1) << bond;
    }
    const QByteArray single = svgOfDrawing(ViewState{}, {makeRecord(kind::SingleBond, 10, 10, 50, 10)}, kWholePage);
    EXPECT_TRUE(single.contains("<line x1=\"10.5\" y1=\"10.5\" x2=\"50.5\" y2=\"10.5\"")) << single.constData();
}

// "CH<3OH" as the text tool places it at a line length of 40 (cells of
// 40 / 2.3, 19 points, the script 14 points lowered) is one <text>.
TEST(VectorSvg, aTextLineIsOneTextWithTspansForScripts)
{
    const double cell = 40 / 2.3, top = 188;
    std::vector<ElementRecord> records;
    for (const auto& [c, x, y, size] : {std::tuple{'C', 0.0, top, 19}, {'H', 1.0, top, 19}, {'3', 2.0, 203.0, 14},
                                        {'O', 2.6, top, 19}, {'H', 3.6, top, 19}})
        records.push_back(makeRecord(ElementKind(kind::CharacterOffset + c), 100 + x * cell, y, size, 0));
    const QByteArray svg = svgOfDrawing(ViewState{}, records, kWholePage);
    EXPECT_EQ(readSvg(svg).texts, QStringList{"CH3OH"}) << svg.constData();
    // The script and "OH" are <tspan>s; 19 and 14 points are 25 and 19 pixels.
    EXPECT_EQ((QList<qsizetype>{svg.count("<tspan"), svg.count("font-size=\"25\""), svg.count("font-size=\"19\"")}),
              (QList<qsizetype>{2, 1, 1})) << svg.constData();
}

TEST(VectorSvg, textOfEveryKindStaysValidXml)
{
    std::vector<ElementRecord> records;
    // Typed characters of every code, Greek letters of every code, labels.
    for (int k = 65; k <= 564; ++k) {
        if (isCharacter(ElementKind(k)) || isGreek(ElementKind(k)))
            records.push_back(makeRecord(ElementKind(k), 20 + (k % 40) * 25, 20 + (k / 40) * 30, 12, 0));
    }
    records.push_back(makeRecord(kind::CharacterOffset + '<', 100, 900, 12, 0));
    records.push_back(makeRecord(kind::CharacterOffset + '&', 130, 900, 12, 0));
    records.push_back(makeRecord(kind::CharacterOffset + ' ', 160, 900, 12, 0));
    records.push_back(makeRecord(kind::CharacterOffset + 0x10, 190, 900, 12, 0));  // a control code
    const SvgSummary svg = readSvg(svgOfDrawing(ViewState{}, records, kWholePage));
    ASSERT_TRUE(svg.error.isEmpty()) << svg.error.toStdString();
    const QString all = svg.texts.join(QString());
    EXPECT_TRUE(svg.texts.contains("<"));
    EXPECT_TRUE(svg.texts.contains("&"));
    EXPECT_TRUE(svg.texts.contains(" "));
    EXPECT_TRUE(all.contains(QStringLiteral("\u03B1")));  // 0xE1 of Windows-1253
    EXPECT_TRUE(all.contains(QStringLiteral("\u03BD")));  // 0xED
    for (const QString& text : svg.texts)
        for (const QChar c : text)
            EXPECT_FALSE(c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F)) << int(c.unicode());
    // A cell for every record, text only where there is a glyph.
    EXPECT_EQ(svg.whiteRects, int(records.size()));
    EXPECT_LT(svg.texts.size(), int(records.size()));
}

// The glyphs stand where the page puts them: at the rounded anchor, one
// after the other at the page's whole-pixel advances, on the baseline.
TEST(VectorSvg, glyphsStandWhereThePagePutsThem)
{
    const ElementRecord label = makeRecord(26, 100.4, 200.6, 12, 0, 0x0000FF);  // "COOEt"
    const SvgSummary svg = readSvg(svgOfDrawing(ViewState{}, {label}, kWholePage));
    ASSERT_EQ(svg.texts.size(), 1);
    EXPECT_EQ(svg.texts[0], "COOEt");
    const auto& attributes = svg.textAttributes[0];
    EXPECT_EQ(attributes.at("fill"), "#ff0000");
    QImage page = makeBlankPage();
    Canvas canvas(page);
    canvas.setFontName("Arial");
    canvas.setFontSize(12);
    QStringList expected;
    int x = 100;
    for (char c : std::string("COOEt")) {
        expected.append(QString::number(x));
        x += canvas.textExtent(std::string(1, c)).width();
    }
    EXPECT_EQ(attributes.at("x"), expected.join(' '));
    const auto face = GlyphCache::shared().face("Arial", pixelHeightForPoints(12), CharSet::Ansi);
    EXPECT_EQ(attributes.at("y"), QString::number(201 + face->ascent()));
    EXPECT_EQ(attributes.at("font-size"), "16");
}

QString toolPath(const char* name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

// Runs a tool on a file and returns its standard output; empty on failure.
QString runTool(const QString& tool, const QStringList& arguments, int* exitCode = nullptr)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(60000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(VectorPdf, isAValidPageOfTheAreaWithSelectableText)
{
    const QString pdfinfo = toolPath("pdfinfo"), pdftotext = toolPath("pdftotext");
    if (pdfinfo.isEmpty() || pdftotext.isEmpty())
        GTEST_SKIP() << "pdfinfo or pdftotext (poppler-utils) missing";

    std::vector<ElementRecord> records = exampleRecords();
    records.push_back(makeRecord(kind::GreekOffset + 0xE1, 60, 60, 14, 0));  // alpha
    records.push_back(makeRecord(26, 40, 100, 12, 0));                       // "COOEt"
    const QRect area = vectorCutOut(ViewState{}, records, QSize(kPageWidth, kPageHeight));
    const QByteArray pdf = pdfOfDrawing(ViewState{}, records, area);
    ASSERT_TRUE(pdf.startsWith("%PDF-"));

    QTemporaryDir folder;
    const QString file = QDir(folder.path()).filePath("drawing.pdf");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(pdf);
    out.close();

    int exitCode = 0;
    const QString info = runTool(pdfinfo, {file}, &exitCode);
    ASSERT_EQ(exitCode, 0) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    // 96 pixels per inch: three quarters of a point per pixel.
    const QRegularExpressionMatch size = QRegularExpression("Page size:\\s+([0-9.]+) x ([0-9.]+) pts").match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    EXPECT_NEAR(size.captured(1).toDouble(), area.width() * 0.75, 0.5);
    EXPECT_NEAR(size.captured(2).toDouble(), area.height() * 0.75, 0.5);

    const QString text = runTool(pdftotext, {"-enc", "UTF-8", file, "-"}, &exitCode);
    ASSERT_EQ(exitCode, 0);
    EXPECT_TRUE(text.contains("OH")) << text.toStdString();
    EXPECT_TRUE(text.contains("COOEt")) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\u03B1"))) << text.toStdString();
}

}  // namespace
}  // namespace veltrano

namespace veltrano {
namespace {

// Damaged records (coordinates up to 10^38, extreme font sizes, every kind)
// give documents as valid as any other, with every number finite.
TEST(VectorOutput, damagedRecordsGiveValidDocuments)
{
    const std::vector<ElementRecord> records = samples::hostileDocument();
    const QByteArray svg = svgOfDrawing(ViewState{}, records, kWholePage);
    const SvgSummary summary = readSvg(svg);
    EXPECT_TRUE(summary.error.isEmpty()) << summary.error.toStdString();
    EXPECT_GT(summary.strokes, 0);
    EXPECT_FALSE(svg.contains("nan"));
    EXPECT_FALSE(svg.contains("inf"));
    EXPECT_FALSE(svg.contains("e+"));
    const QByteArray pdf = pdfOfDrawing(ViewState{}, records, kWholePage);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
}

}  // namespace
}  // namespace veltrano
