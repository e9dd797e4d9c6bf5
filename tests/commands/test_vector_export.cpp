// "Als SVG exportieren", "Als PDF exportieren" and "Als PNG exportieren":
// the save dialog with its offered name and the overwrite question, the
// cut-out of the visible area, the label texts in the files and the atomic
// write; and that they, print and the clipboard picture show every kind the
// page shows.

#include "commands/bitmap_export.h"
#include "commands/copy_as_picture.h"
#include "commands/drawing_picture.h"
#include "commands/file_commands.h"
#include "commands/print_command.h"
#include "commands/vector_export.h"
#include "document/element_kind.h"
#include "editor/full_repaint.h"
#include "render/vector_output.h"
#include "support/poppler_tools.h"
#include "command_fixture.h"

#include <QByteArray>
#include <QImage>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <set>

namespace veltrano {
namespace {

using test::fileBytes;
using test::fileExists;

struct VectorCommand {
    const char* extension;
    void (*click)(Editor&);
    QByteArray (*document)(const ViewState&, const std::vector<ElementRecord>&, const QRect&);
};

const VectorCommand kCommands[] = {
    {"svg", &exportSvg, &svgOfDrawing},
    {"pdf", &exportPdf, &pdfOfDrawing},
};
const VectorCommand kPngCommand = {"png", &exportPng, nullptr};

const ElementRecord kBond = makeRecord(kind::SingleBond, 100, 50, 130, 50);
const ElementRecord kAcidLabel = makeRecord(5, 135, 41, 12, 0);  // "COOH"
// Beyond the visible drawing area of 502 x 413 pixels.
const ElementRecord kHiddenBond = makeRecord(kind::SingleBond, 700, 600, 730, 600);

QByteArray asBytes(const test::Bytes& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

class VectorExport : public test::CommandTest {
protected:
    // The export with its dialog answered by the document's name and
    // extension; an existing file is replaced.
    void exportBeside(const VectorCommand& command)
    {
        const std::string name = editor.document.DocumentName;
        const std::string target = name.substr(0, name.rfind('.') + 1) + command.extension;
        ui.saveDialogAnswers.push_back(target);
        if (fileExists(target))
            ui.messageAnswers.push_back(MessageResult::Ok);
        run(command.click);
    }
};

// One record of every kind in a 40-pixel cell of its own; a cell's first 5
// pixels may hold the end of its left neighbour's label and are not its own.
constexpr int kCell = 40;
int kindInCell(QPointF page)
{
    const int column = int(page.x()) / kCell;
    return page.x() - column * kCell < 5 ? -1 : int(page.y()) / kCell * 30 + column;
}

// The kinds whose cells hold ink of a picture of the page from origin on.
std::set<int> inkedKinds(const QImage& image, QPoint origin, int scale, int darkerThan)
{
    std::set<int> kinds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < darkerThan)
                kinds.insert(kindInCell(QPointF(x, y) / scale + origin));
    kinds.erase(-1);
    return kinds;
}

TEST_F(VectorExport, EveryExportShowsEveryKindThePageShows)
{
    std::vector<ElementRecord> records;
    for (ElementKind kind = 0; kind < 565; ++kind) {  // from 565 on nothing is drawn
        const double x = kind % 30 * kCell, y = kind / 30 * kCell;
        records.push_back(isTwoPointKind(kind) ? makeRecord(kind, x + 10, y + 12, x + 28, y + 24)
                                               : makeRecord(kind, x + 5, y + 8, 8, 0));
    }
    writeDocument(records);
    editor.document.DocumentName = path("Formeln/Alle.cfd");
    ui.imageSize = QSize(1200, 1000);  // the file exports cut out what is visible
    ui.printAnswers = {PrintResult::Printed};
    exportBeside(kCommands[1]);
    for (auto click : {&printDrawing, &copyAsPicture})
        run(click);
    FullRepaint(editor);
    const std::set<int> shown = inkedKinds(editor.page, {}, 1, 255);
    EXPECT_GT(shown.size(), 390u);  // all but control codes, blanks and bytes without a character
    for (int kind : shown) {  // the SVG file is svgOfDrawing's, see above
        const QByteArray svg = svgOfDrawing(editor.view, {records[std::size_t(kind)]}, QRect(0, 0, 1200, 1000));
        EXPECT_TRUE(svg.contains("<line") || svg.contains("<path") || svg.contains("<text")) << "SVG, kind " << kind;
    }
    const QPoint origin = vectorCutOut(editor.view, records, QSize(1200, 1000)).topLeft();
    const auto expectAllShown = [&](const std::set<int>& exported, const char* what) {
        std::vector<int> missing;
        std::set_difference(shown.begin(), shown.end(), exported.begin(), exported.end(), std::back_inserter(missing));
        EXPECT_EQ(missing, std::vector<int>{}) << what << " leaves out these kinds";
    };
    expectAllShown(inkedKinds(ui.printedPage, origin, 1, 160), "print");
    expectAllShown(inkedKinds(QImage::fromData(ui.clipboardData(kPngMimeType)), origin, kClipboardScale, 160),
                   "clipboard");
    const auto pdf = test::pdfFirstPage(path("Formeln/Alle.pdf"), 2 * 96);
    if (!pdf)
        GTEST_SKIP() << "poppler-utils are not installed";
    expectAllShown(inkedKinds(*pdf, origin, 2, 160), "PDF");
}

TEST_F(VectorExport, TheDialogOffersTheDocumentsNameInItsFolderAndAsksBeforeReplacing)
{
    writeDocument({kBond});
    editor.editing.SelectionPresent = true;
    const struct {
        const char* document;  // empty: untitled
        const char* offered;
        std::string folder;
    } cases[] = {
        {"Formeln/Benzol.cfd", "Benzol.", path("Formeln/")},
        {"Formeln/Säure.CFD", "Säure.", path("Formeln/")},
        {"", "Zeichnung.", path("Formeln/")},  // LastDir
    };
    for (const auto& c : cases) {
        editor.document.DocumentName = *c.document ? path(c.document) : std::string();
        for (const VectorCommand& command : {kCommands[0], kCommands[1], kPngCommand}) {
            ui.saveDialogs.clear();
            ui.saveDialogAnswers = {std::nullopt};
            run(command.click);
            ASSERT_EQ(ui.saveDialogs.size(), 1u);
            EXPECT_EQ(ui.saveDialogs[0].fileName, c.offered + std::string(command.extension));
            EXPECT_EQ(ui.saveDialogs[0].initialDirectory, c.folder);
            EXPECT_EQ(ui.saveDialogs[0].filterPattern, "*." + std::string(command.extension));
            EXPECT_EQ(ui.saveDialogs[0].defaultExtension, command.extension);
        }
    }
    EXPECT_TRUE(test::folderEntries(path("Formeln")).empty());

    // An untitled drawing is exported where the user says; an existing file
    // is replaced only after "OK".
    const std::string target = path("Formeln/Blatt.png");
    ui.saveDialogAnswers = {target};
    run(exportPng);
    const test::Bytes png = fileBytes(target);
    const QImage picture = QImage::fromData(asBytes(png), "PNG");
    EXPECT_EQ(picture.dotsPerMeterX(), qRound(3 * 96 / 0.0254));
    test::putFileBytes(target, {'a', 'l', 't'});
    ui.saveDialogAnswers = {target};
    ui.messageAnswers = {MessageResult::Cancel};
    run(exportPng);
    EXPECT_EQ(ui.messageBoxes.back().text, kOverwriteQuestion);
    EXPECT_EQ(fileBytes(target), (test::Bytes{'a', 'l', 't'}));
    ui.saveDialogAnswers = {target};
    ui.messageAnswers = {MessageResult::Ok};
    run(exportPng);
    EXPECT_EQ(fileBytes(target), png);
    EXPECT_TRUE(editor.editing.SelectionPresent);
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(VectorExport, OnlyTheVisibleAreaIsCutOutAndTheSelectionStays)
{
    editor.document.DocumentName = path("Formeln/Teil.cfd");
    ui.imageSize = QSize(502, 413);
    const std::vector<ElementRecord> shown = {kBond, kAcidLabel};
    writeDocument(shown);
    editor.editing.SelectionPresent = true;
    for (const VectorCommand& command : kCommands)
        exportBeside(command);
    ASSERT_TRUE(ui.errors.empty());
    EXPECT_TRUE(editor.editing.SelectionPresent);
    const QRect cutOut = vectorCutOut(editor.view, shown, ui.imageSize);
    EXPECT_LT(cutOut.width(), 200);
    EXPECT_EQ(asBytes(fileBytes(path("Formeln/Teil.svg"))), svgOfDrawing(editor.view, shown, cutOut));
    test::putFileBytes(path("Formeln/Teil-sichtbar.pdf"), fileBytes(path("Formeln/Teil.pdf")));

    // An element outside the visible area leaves the cut-out as it was.
    const std::vector<ElementRecord> withHidden = {kBond, kHiddenBond, kAcidLabel};
    writeDocument(withHidden);
    for (const VectorCommand& command : kCommands)
        exportBeside(command);
    EXPECT_EQ(vectorCutOut(editor.view, withHidden, ui.imageSize), cutOut);
    EXPECT_EQ(asBytes(fileBytes(path("Formeln/Teil.svg"))), svgOfDrawing(editor.view, withHidden, cutOut));
    if (!test::popplerInstalled())
        GTEST_SKIP() << "poppler-utils are not installed";
    // The page of the PDF is the cut-out at 96 pixels per inch, and it
    // shows the same with the hidden element as without.
    const auto info = test::pdfInfo(path("Formeln/Teil.pdf"));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->pages, 1);
    EXPECT_NEAR(info->pageSize.width(), cutOut.width() * 0.75, 0.5);
    EXPECT_NEAR(info->pageSize.height(), cutOut.height() * 0.75, 0.5);
    const auto withHiddenPage = test::pdfFirstPage(path("Formeln/Teil.pdf"), 96);
    const auto visiblePage = test::pdfFirstPage(path("Formeln/Teil-sichtbar.pdf"), 96);
    ASSERT_TRUE(withHiddenPage && visiblePage);
    EXPECT_FALSE(visiblePage->isNull());
    EXPECT_EQ(*withHiddenPage, *visiblePage);
}

TEST_F(VectorExport, BothFilesHoldTheLabelTexts)
{
    editor.document.DocumentName = path("Formeln/Benzoesaeure.cfd");
    writeDocument({kBond, kAcidLabel, makeRecord(9, 90, 41, 12, 0)});  // "COOH" and "N"
    for (const VectorCommand& command : kCommands)
        exportBeside(command);
    ASSERT_TRUE(ui.errors.empty());
    const QByteArray svg = asBytes(fileBytes(path("Formeln/Benzoesaeure.svg")));
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains("COOH"));
    EXPECT_TRUE(svg.contains(">N<"));
    EXPECT_TRUE(asBytes(fileBytes(path("Formeln/Benzoesaeure.pdf"))).startsWith("%PDF"));
    const auto text = test::pdfText(path("Formeln/Benzoesaeure.pdf"));
    if (!text)
        GTEST_SKIP() << "poppler-utils are not installed";
    EXPECT_TRUE(text->contains("COOH")) << text->toStdString();
    EXPECT_TRUE(text->contains("N")) << text->toStdString();
}

TEST_F(VectorExport, AFailureAtAnyFileOperationIsAnErrorAndLeavesTheOldFile)
{
    editor.document.DocumentName = path("Formeln/Alt.cfd");
    writeDocument({kBond, kAcidLabel});
    const test::Bytes old = {'o', 'l', 'd'};
    for (const VectorCommand& command : kCommands) {
        const std::string target = path(std::string("Formeln/Alt.") + command.extension);
        test::putFileBytes(target, old);
        for (int step = 1;; ++step) {
            ui.errors.clear();
            fs.failAt(step, ENOSPC);
            ui.saveDialogAnswers = {target};
            ui.messageAnswers = {MessageResult::Ok};
            run(command.click);
            const bool injected = fs.injected();
            fs.disarm();
            if (!ui.errors.empty()) {
                EXPECT_EQ(ui.errors, std::vector<std::string>{"Zu wenig Speicherplatz"}) << step;
                EXPECT_EQ(fileBytes(target), old) << command.extension << " " << step;
                EXPECT_EQ(test::folderEntries(path("Formeln")).size(), 1u) << step;
                continue;
            }
            // Only a failed flush of the folder passes unreported: the new
            // file is then complete in place.
            EXPECT_NE(fileBytes(target), old) << step;
            if (!injected)
                break;
            test::putFileBytes(target, old);
        }
        std::remove(target.c_str());
    }
}

}  // namespace
}  // namespace veltrano
