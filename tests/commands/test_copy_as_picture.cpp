// "Als Bild kopieren": which records the picture shows, its two
// representations on the clipboard and their sizes, and that neither the
// copy buffer nor the selection is touched.

#include "commands/copy_as_picture.h"
#include "commands/drawing_picture.h"
#include "document/element_kind.h"
#include "render/vector_output.h"
#include "command_fixture.h"

#include <QImage>

namespace veltrano {
namespace {

const std::vector<ElementRecord> kThreeBonds = {
    makeRecord(kind::SingleBond, 100, 100, 130, 100),
    makeRecord(kind::SingleBond, 300, 300, 330, 340),
    makeRecord(kind::SingleBond, 500, 120, 560, 120),
};

QImage clipboardImage(const test::FakeUiPort& ui)
{
    return QImage::fromData(ui.clipboardData(kPngMimeType), "PNG").convertToFormat(QImage::Format_RGB32);
}

struct Tones {
    int white = 0, dark = 0, between = 0;
};

Tones tonesOf(const QImage& image)
{
    Tones tones;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(line[x]);
            ++(grey == 255 ? tones.white : grey < 64 ? tones.dark : tones.between);
        }
    }
    return tones;
}

TEST(RecordsToPicture, OnlyAMarkedSelectionNarrowsThePicture)
{
    const struct {
        const char* what;
        bool selectionPresent;
        std::vector<std::uint32_t> marks;
        std::vector<std::size_t> shown;
    } cases[] = {
        {"no selection", false, {}, {0, 1, 2}},
        {"selection of two", true, {0, 2}, {0, 2}},
        {"selection of the last", true, {2}, {2}},
        {"selection that marks nothing", true, {}, {0, 1, 2}},
        {"marks of an ended selection", false, {1}, {0, 1, 2}},
        {"a mark beyond the document", true, {1, 7}, {1}},
    };
    for (const auto& c : cases) {
        EditingState editing;
        editing.SelectionPresent = c.selectionPresent;
        for (std::uint32_t mark : c.marks)
            editing.SelMarks.mark(mark);
        std::vector<ElementRecord> expected;
        for (std::size_t index : c.shown)
            expected.push_back(kThreeBonds[index]);
        EXPECT_EQ(recordsToPicture(kThreeBonds, editing), expected) << c.what;
    }
}

class CopyAsPicture : public test::CommandTest {};

TEST_F(CopyAsPicture, TheWholeDrawingGoesOnAsPngAtThreeTimesItsSizeAndAsSvg)
{
    writeDocument(kThreeBonds);
    run(&copyAsPicture);
    ASSERT_TRUE(ui.errors.empty());
    ASSERT_EQ(ui.clipboards.size(), 1u);
    ASSERT_EQ(ui.clipboards[0].size(), 2u);
    EXPECT_EQ(ui.clipboards[0][0].mimeType, "image/png");
    EXPECT_EQ(ui.clipboards[0][1].mimeType, "image/svg+xml");

    // The whole page counts, also the part the window does not show.
    const QRect cutOut = vectorCutOut(editor.view, kThreeBonds, QSize(1200, 1000));
    EXPECT_GT(cutOut.right(), 560);
    const QImage picture = clipboardImage(ui);
    EXPECT_EQ(picture.size(), cutOut.size() * 3);
    // Smooth edges: besides white and the black of the lines there are
    // shades between them.
    const Tones tones = tonesOf(picture);
    EXPECT_GT(tones.dark, 0);
    EXPECT_GT(tones.between, 0);
    EXPECT_EQ(ui.clipboardData(kSvgMimeType), svgOfDrawing(editor.view, kThreeBonds, cutOut));
    // The PNG says 288 dpi (11339 dots per metre), so it is placed at the
    // size the SVG gives, the cut-out's pixels at 96 dpi.
    const QImage png = QImage::fromData(ui.clipboardData(kPngMimeType), "PNG");
    EXPECT_EQ(png.dotsPerMeterX(), 11339);
    EXPECT_EQ(png.dotsPerMeterY(), 11339);
    EXPECT_TRUE(ui.clipboardData(kSvgMimeType).contains("mm\" viewBox=\""));
    // Neither the copy buffer of "Kopieren" nor the document is touched.
    EXPECT_FALSE(test::fileExists(path("work/kopie.dat")));
    EXPECT_EQ(document(), test::recordFileBytes(kThreeBonds));
}

TEST_F(CopyAsPicture, ASelectionGivesOnlyItsRecordsAndStays)
{
    writeDocument(kThreeBonds);
    editor.editing.SelectionPresent = true;
    editor.editing.SelMarks.mark(1);
    run(&copyAsPicture);
    ASSERT_EQ(ui.clipboards.size(), 1u);

    const std::vector<ElementRecord> selected = {kThreeBonds[1]};
    const QRect cutOut = vectorCutOut(editor.view, selected, QSize(1200, 1000));
    EXPECT_LT(cutOut.width(), 100);
    EXPECT_EQ(clipboardImage(ui).size(), cutOut.size() * 3);
    EXPECT_EQ(clipboardImage(ui), drawingPicture(editor.view, selected, cutOut, 3));
    EXPECT_EQ(ui.clipboardData(kSvgMimeType), svgOfDrawing(editor.view, selected, cutOut));
    EXPECT_TRUE(editor.editing.SelectionPresent);
    EXPECT_TRUE(editor.editing.SelMarks.isMarked(1));
}

TEST_F(CopyAsPicture, AnEmptyDrawingGivesTheWhiteCutOut)
{
    run(&copyAsPicture);
    ASSERT_EQ(ui.clipboards.size(), 1u);
    const QImage picture = clipboardImage(ui);
    EXPECT_EQ(picture.size(), vectorCutOut(editor.view, {}, QSize(1200, 1000)).size() * 3);
    const Tones tones = tonesOf(picture);
    EXPECT_EQ(tones.dark + tones.between, 0);
    EXPECT_FALSE(ui.clipboardData(kSvgMimeType).isEmpty());
}

TEST_F(CopyAsPicture, AnUnreadableDocumentIsAnErrorAndTheClipboardStays)
{
    writeDocument(kThreeBonds);
    fs.failAt(1, EACCES, test::FsOp::Open);
    run(&copyAsPicture);
    EXPECT_EQ(ui.errors, std::vector<std::string>{"Dateizugriff verweigert"});
    EXPECT_TRUE(ui.clipboards.empty());
}

}  // namespace
}  // namespace veltrano
