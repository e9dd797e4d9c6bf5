// Nothing the page shows is lost on the way out: one record of every kind,
// each in a cell of its own, and every export (SVG, PDF, print, clipboard
// picture) has ink (the SVG: drawn elements) in every cell where the page
// has ink.

#include "commands/copy_as_picture.h"
#include "commands/drawing_picture.h"
#include "commands/print_command.h"
#include "commands/vector_export.h"
#include "document/element_kind.h"
#include "editor/full_repaint.h"
#include "render/vector_output.h"
#include "support/poppler_tools.h"
#include "command_fixture.h"

#include <QImage>
#include <QXmlStreamReader>

#include <set>

namespace veltrano {
namespace {

constexpr int kCell = 40;
constexpr int kColumns = 1200 / kCell;
constexpr ElementKind kLastKindWithADrawing = 564;
// The first pixels of a cell may hold what its left neighbour's wide label
// runs into; only the rest counts as the cell's own.
constexpr int kSpill = 5;

QPoint cellOrigin(ElementKind kind)
{
    return {kind % kColumns * kCell, kind / kColumns * kCell};
}

ElementRecord recordIn(ElementKind kind)
{
    const QPoint o = cellOrigin(kind);
    if (isTwoPointKind(kind))
        return makeRecord(kind, o.x() + 8, o.y() + 10, o.x() + 30, o.y() + 30);
    return makeRecord(kind, o.x() + kSpill, o.y() + 8, 8, 0);
}

// The kinds whose cell holds ink of image, a picture of area at scale.
std::set<ElementKind> inkedKinds(const QImage& image, const QRect& area, int scale, int darkerThan)
{
    std::set<ElementKind> kinds;
    for (ElementKind kind = 0; kind <= kLastKindWithADrawing; ++kind) {
        const QRect own = QRect(cellOrigin(kind), QSize(kCell, kCell)).adjusted(kSpill, 0, 0, 0);
        const QRect pixels = QRect((own.topLeft() - area.topLeft()) * scale, own.size() * scale)
                                 .intersected(image.rect());
        for (int y = pixels.top(); y <= pixels.bottom() && !kinds.count(kind); ++y)
            for (int x = pixels.left(); x <= pixels.right(); ++x)
                if (qGray(image.pixel(x, y)) < darkerThan) {
                    kinds.insert(kind);
                    break;
                }
    }
    return kinds;
}

// The kinds whose cell holds a point of an SVG line, path or glyph.
std::set<ElementKind> drawnKinds(const QByteArray& svg)
{
    std::set<ElementKind> kinds;
    auto mark = [&](double x, double y) {
        const int column = int(x) / kCell;
        if (x - column * kCell >= kSpill)
            kinds.insert(ElementKind(int(y) / kCell * kColumns + column));
    };
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto attributes = xml.attributes();
        if (xml.name() == u"line") {
            mark(attributes.value("x1").toDouble(), attributes.value("y1").toDouble());
        } else if (xml.name() == u"path") {
            const QStringList parts = attributes.value("d").toString().split(' ');
            for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
                mark(parts[i].mid(1).toDouble(), parts[i + 1].toDouble());
        } else if (xml.name() == u"text") {
            const double baseline = attributes.value("y").toDouble();
            const QStringList xs = attributes.value("x").toString().split(' ');
            const QList<uint> characters = xml.readElementText().toUcs4();
            for (qsizetype i = 0; i < xs.size() && i < characters.size(); ++i)
                if (!QChar::isSpace(characters[i]))
                    mark(xs[i].toDouble() + 1, baseline - 2);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return kinds;
}

// Names the kinds the page shows and an export leaves out.
void expectEveryShownKind(const std::set<ElementKind>& exported, const std::set<ElementKind>& shown, const char* what)
{
    std::string missing;
    for (ElementKind kind : shown)
        if (!exported.count(kind))
            missing.append(1, ' ').append(std::to_string(kind));
    EXPECT_TRUE(missing.empty()) << what << " leaves out kinds" << missing;
}

class ExportsShowEveryKind : public test::CommandTest {};

TEST_F(ExportsShowEveryKind, InkInEveryCellWhereThePageHasInk)
{
    std::vector<ElementRecord> records;
    for (ElementKind kind = 0; kind <= kLastKindWithADrawing; ++kind)
        records.push_back(recordIn(kind));
    writeDocument(records);
    editor.document.DocumentName = path("Formeln/Alle.cfd");
    ui.imageSize = QSize(1200, 1000);  // the file exports cut out what is visible
    FullRepaint(editor);
    const QRect whole(0, 0, 1200, 1000);
    const std::set<ElementKind> shown = inkedKinds(editor.page, whole, 1, 255);
    // All drawing kinds but control codes, blanks and bytes without a
    // character.
    EXPECT_GT(shown.size(), 390u);

    const QRect cutOut = vectorCutOut(editor.view, records, whole.size());
    run(&AlsSVGexportieren1Click);
    const test::Bytes svg = test::fileBytes(path("Formeln/Alle.svg"));
    expectEveryShownKind(drawnKinds(QByteArray(reinterpret_cast<const char*>(svg.data()), qsizetype(svg.size()))), shown,
                    "SVG");

    ui.printAnswers = {PrintResult::Printed};
    run(&Drucken1Click);
    expectEveryShownKind(inkedKinds(ui.printedPage, cutOut, 1, 160), shown, "print");

    run(&AlsBildkopieren1Click);
    const QImage picture = QImage::fromData(ui.clipboardData(kPngMimeType), "PNG");
    expectEveryShownKind(inkedKinds(picture, cutOut, kClipboardScale, 160), shown, "clipboard");

    run(&AlsPDFexportieren1Click);
    if (!test::popplerInstalled())
        GTEST_SKIP() << "poppler-utils are not installed";
    const auto page = test::pdfFirstPage(path("Formeln/Alle.pdf"), 2 * 96);
    ASSERT_TRUE(page);
    expectEveryShownKind(inkedKinds(*page, cutOut, 2, 160), shown, "PDF");
}

}  // namespace
}  // namespace veltrano
