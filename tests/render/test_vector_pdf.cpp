// The PDF written directly: rasterised, it shows what Qt's PDF writer shows
// for the same drawing; its fonts are embedded subsets that give back the
// text; a damaged drawing still gives a file that readers open.
#include "document/element_kind.h"
#include "document/file_system.h"
#include "document/record_file.h"
#include "page_mismatch.h"
#include "render/canvas.h"
#include "render/vector_drawing.h"
#include "render/vector_output.h"
#include "render/vector_pdf.h"
#include "support/poppler_tools.h"
#include "tools/sample_documents.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace veltrano {
namespace {

const QRect kPdfPage(0, 0, kPageWidth, kPageHeight);

// The example with labels, typed characters and Greek letters in colour at
// several sizes, every arrow, bracket and wedge.
std::vector<ElementRecord> drawingOfEveryPart()
{
    std::vector<ElementRecord> records =
        readAllRecords(FileSystem::system(), VELTRANO_SOURCE_DIR "/examples/benzoesaeure.cfd");
    for (int label = 1; label <= 12; ++label)
        records.push_back(makeRecord(ElementKind(label), 30 + label * 70, 640, 10 + label % 3 * 4, 0, 0x0000C0));
    for (int i = 0; i < 20; ++i) {
        records.push_back(makeRecord(ElementKind(kind::CharacterOffset + 'A' + i * 3), 40 + i * 30, 700, 12 + i, 0));
        records.push_back(makeRecord(ElementKind(kind::GreekOffset + 0xE1 + i), 40 + i * 30, 760, 14, 0, 0x008000));
    }
    // A bond at the page's edge, which the page cuts.
    records.push_back(makeRecord(kind::DoubleBond, -5, 3, 60, 3));
    double y = 820;
    for (const ElementKind arrow : {kind::StraightArrow, kind::DoubleArrow, kind::EquilibriumArrow, kind::OpenArrow,
                                    kind::LeftBracket, kind::RightBracket, kind::BracketPair, kind::CurvedArrowFirst,
                                    kind::CurvedArrowLast}) {
        records.push_back(makeRecord(arrow, 700, y, 800, y + 30));
        y += 18;
    }
    for (const ElementKind wedge : {kind::SolidWedge, kind::HashedWedge, kind::SolidWedgeReversed,
                                    kind::HashedWedgeReversed, kind::DashedBond}) {
        records.push_back(makeRecord(wedge, 900, y, 1000, y - 20, 0xFF0000));
        y -= 30;
    }
    return records;
}

std::string saved(const QTemporaryDir& folder, const char* name, const QByteArray& bytes)
{
    const QString path = folder.filePath(QString::fromLatin1(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
    return path.toStdString();
}

// The pixels whose red, green or blue differ by more than tolerance, and
// the pixels of ink (not white) in expected; the pictures have one size.
struct Difference {
    int differing = 0;
    int ink = 0;
};

Difference differenceOf(const QImage& actual, const QImage& expected, int tolerance)
{
    Difference difference;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb p = actual.pixel(x, y), q = expected.pixel(x, y);
            difference.differing += std::abs(qRed(p) - qRed(q)) > tolerance
                                    || std::abs(qGreen(p) - qGreen(q)) > tolerance
                                    || std::abs(qBlue(p) - qBlue(q)) > tolerance;
            difference.ink += q != qRgb(255, 255, 255);
        }
    }
    return difference;
}

// Compares the page of records the two writers give over area, rasterised
// at dotsPerInch. The strokes come out alike to the pixel; the glyphs
// differ at their edges (Qt embeds outlines it rebuilt from paths, ours are
// the font's own) in about 1 % of the ink. At 192 dpi a quarter-pixel shift
// of every glyph gives 3 %, half a pixel or a 1-pixel line for 1.2 pixels
// over 15 %.
void expectQtsPicture(const std::vector<ElementRecord>& records, const QRect& area, int dotsPerInch,
                      const char* name)
{
    VectorRecorder recorder;
    recordDrawing(recorder, ViewState{}, records);
    const std::optional<QByteArray> direct = writtenPdfOf(recorder, area);
    ASSERT_TRUE(direct) << name;

    QTemporaryDir folder;
    const auto ours = test::pdfFirstPage(saved(folder, "written.pdf", *direct), dotsPerInch);
    const QByteArray qtPdf = qtPdfOfDrawing(ViewState{}, records, area);
    const auto qts = test::pdfFirstPage(saved(folder, "qt.pdf", qtPdf), dotsPerInch);
    ASSERT_TRUE(ours && qts);
    // Qt rounds the page to whole points; ours is the area's exact size.
    EXPECT_EQ(ours->size(), area.size() * dotsPerInch / 96) << name;
    const QRect common(QPoint(0, 0), ours->size().boundedTo(qts->size()));
    const QImage written = ours->copy(common).convertToFormat(QImage::Format_RGB32);
    const QImage qt = qts->copy(common).convertToFormat(QImage::Format_RGB32);
    const Difference difference = differenceOf(written, qt, 32);
    EXPECT_GT(difference.ink, 20000) << name;
    if (difference.differing > difference.ink / 50) {
        EXPECT_TRUE(test::samePages(written, qt, name)) << difference.differing << " of " << difference.ink;
    }
}

// At twice the page's resolution, so that a glyph or a line end half a
// pixel off would show; a cut-out reaching beyond the page's top-left,
// where the page clips.
TEST(VectorPdf, showsWhatQtsPdfWriterShows)
{
    if (!test::popplerInstalled())
        GTEST_SKIP() << "poppler-utils missing";
    const std::vector<ElementRecord> records = drawingOfEveryPart();
    const QRect area = vectorCutOut(ViewState{}, records, QSize(kPageWidth, kPageHeight));
    ASSERT_LT(area.left(), 0);
    expectQtsPicture(records, area, 2 * 96, "written-pdf");
    // Piled-up text, where each cell must cover the ink of the text before it.
    expectQtsPicture(samples::mixedDocument(), kPdfPage, 96, "written-pdf-mixed");
}

// pdffonts' table: a line per font, name, type, encoding, embedded, subset,
// with a Unicode map.
TEST(VectorPdf, embedsSubsetsOfItsFontsAndStaysValidForDamagedRecords)
{
    const QString pdffonts = QStandardPaths::findExecutable("pdffonts");
    if (pdffonts.isEmpty() || !test::popplerInstalled())
        GTEST_SKIP() << "poppler-utils missing";
    VectorRecorder recorder;
    recordDrawing(recorder, ViewState{}, drawingOfEveryPart());
    const std::optional<QByteArray> pdf = writtenPdfOf(recorder, kPdfPage);
    ASSERT_TRUE(pdf);
    QTemporaryDir folder;
    QProcess process;
    process.start(pdffonts, {QString::fromStdString(saved(folder, "fonts.pdf", *pdf))});
    ASSERT_TRUE(process.waitForFinished(60000));
    const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << lines.join('\n').toStdString();  // the heading, Sans and Mono
    const QRegularExpression embedded(R"(^[A-Z]{6}\+Liberation(Sans|Mono) +CID TrueType +Identity-H +yes yes yes )");
    for (const QString& line : lines.mid(2))
        EXPECT_TRUE(embedded.match(line).hasMatch()) << line.toStdString();

    // Coordinates up to 10^38 and extreme font sizes: a page readers open
    // and draw.
    VectorRecorder hostile;
    recordDrawing(hostile, ViewState{}, samples::hostileDocument());
    const std::optional<QByteArray> hostilePdf = writtenPdfOf(hostile, kPdfPage);
    ASSERT_TRUE(hostilePdf);
    const std::string damaged = saved(folder, "damaged.pdf", *hostilePdf);
    const auto info = test::pdfInfo(damaged);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->pages, 1);
    const auto page = test::pdfFirstPage(damaged, 24);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->size(), QSize(300, 250));
}

}  // namespace
}  // namespace veltrano
