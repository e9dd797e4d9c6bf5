// "Drucken...": the placement on the printable area (physical size, shrunk
// only to fit, proportions kept) and what the command hands the printer.

#include "commands/print_command.h"
#include "document/element_kind.h"
#include "render/vector_output.h"
#include "command_fixture.h"

#include <QImage>
#include <QPainter>

namespace veltrano {
namespace {

const std::vector<ElementRecord> kTwoBonds = {
    makeRecord(kind::SingleBond, 100, 100, 130, 100),
    makeRecord(kind::SingleBond, 300, 300, 330, 340),
};

TEST(PrintTransform, PhysicalSizeUnlessTheDrawingMustShrinkToFit)
{
    const struct {
        const char* what;
        QSizeF drawing;
        QSizeF printable;
        double dpiX, dpiY;
        double scaleX, scaleY;
    } cases[] = {
        {"fits at 600 dpi", {300, 200}, {4800, 6600}, 600, 600, 6.25, 6.25},
        {"fits exactly", {768, 960}, {4800, 6000}, 600, 600, 6.25, 6.25},
        {"too wide", {1220, 400}, {4800, 6600}, 600, 600, 4800.0 / 1220, 4800.0 / 1220},
        {"too tall", {200, 1020}, {4800, 1200}, 600, 600, 1200.0 / 1020, 1200.0 / 1020},
        {"screen resolution", {500, 300}, {700, 1000}, 96, 96, 1, 1},
        {"unequal resolutions", {96, 96}, {1000, 1000}, 300, 150, 3.125, 1.5625},
        {"unequal and too wide", {960, 96}, {1500, 1000}, 300, 150, 1500.0 / 960, 1500.0 / 960 / 2},
        {"empty drawing", {0, 0}, {4800, 6600}, 600, 600, 6.25, 6.25},
    };
    for (const auto& c : cases) {
        const QTransform transform = printTransform(c.drawing, c.printable, c.dpiX, c.dpiY);
        EXPECT_DOUBLE_EQ(transform.m11(), c.scaleX) << c.what;
        EXPECT_DOUBLE_EQ(transform.m22(), c.scaleY) << c.what;
        // At the top left of the printable area, never beyond it.
        EXPECT_EQ(transform.map(QPointF(0, 0)), QPointF(0, 0)) << c.what;
        const QPointF corner = transform.map(QPointF(c.drawing.width(), c.drawing.height()));
        EXPECT_LE(corner.x(), c.printable.width() + 1e-9) << c.what;
        EXPECT_LE(corner.y(), c.printable.height() + 1e-9) << c.what;
    }
}

class PrintCommand : public test::CommandTest {};

TEST_F(PrintCommand, TheWholeDrawingIsHandedToThePrinterCutOut)
{
    writeDocument(kTwoBonds);
    editor.document.DocumentName = path("Formeln/Zwei.cfd");
    ui.printAnswers = {PrintResult::Printed};
    run(&printDrawing);
    ASSERT_EQ(ui.printJobs.size(), 1u);
    EXPECT_EQ(ui.printJobs[0].documentName, "Zwei.cfd");
    const QRect cutOut = vectorCutOut(editor.view, kTwoBonds, QSize(1200, 1000));
    EXPECT_EQ(ui.printJobs[0].size, cutOut.size());
    // The painting is the drawing's: what paintDrawing puts at page size.
    QImage expected(cutOut.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    paintDrawing(painter, editor.view, kTwoBonds, cutOut);
    painter.end();
    EXPECT_EQ(ui.printedPage, expected);
    // The first bond's start pixel (100, 100) is inked.
    EXPECT_NE(expected.pixel(100 - cutOut.left(), 100 - cutOut.top()), QColor(Qt::white).rgb());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(PrintCommand, CancelPrintsNothingAndAFailedPrinterIsSaid)
{
    writeDocument(kTwoBonds);
    ui.printAnswers = {PrintResult::Cancelled, PrintResult::Failed};
    run(&printDrawing);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.printedPage.isNull());
    run(&printDrawing);
    EXPECT_EQ(ui.messages, std::vector<std::string>{kPrintFailedMessage});
    ASSERT_EQ(ui.printJobs.size(), 2u);
    EXPECT_EQ(ui.printJobs[1].documentName, "Veltrano");
    EXPECT_EQ(document(), test::recordFileBytes(kTwoBonds));
}

TEST_F(PrintCommand, AnUnreadableDocumentIsAnErrorWithoutADialog)
{
    writeDocument(kTwoBonds);
    fs.failAt(1, EACCES, test::FsOp::Open);
    run(&printDrawing);
    EXPECT_EQ(ui.errors, std::vector<std::string>{"Dateizugriff verweigert"});
    EXPECT_TRUE(ui.printJobs.empty());
}

}  // namespace
}  // namespace veltrano
