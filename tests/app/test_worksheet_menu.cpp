// The export, print and picture-copy items of the main window: their place
// after the classic items, their shortcuts, the clipboard's content after
// Ctrl+Shift+C, and printing into a PDF file.

#include "app/drawing_printer.h"
#include "app/german_translations.h"
#include "app/hauptf.h"
#include "commands/command_table.h"
#include "app/page_widget.h"
#include "commands/print_command.h"
#include "document/element_kind.h"
#include "render/vector_output.h"
#include "support/file_helpers.h"
#include "support/poppler_tools.h"
#include "dialog_watcher.h"
#include "window_test_support.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace veltrano {
namespace {

class WorksheetMenu : public ::testing::Test {
protected:
    void start(const std::vector<ElementRecord>& records)
    {
        test::putFileBytes(folders.path("Dokumente/Blatt.cfd"), test::recordFileBytes(records));
        window = std::make_unique<Thauptf>(
            folders.environment({QString::fromStdString(folders.path("Dokumente/Blatt.cfd"))}));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // The shortcuts go to the focus widget, which only an active window
        // has; on a busy X server the window is shown well before that.
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        image = window->findChild<PageWidget*>("I1");
        ASSERT_NE(image, nullptr);
    }

    test::TestFolders folders;
    std::unique_ptr<Thauptf> window;
    PageWidget* image = nullptr;
};

const ElementRecord kMenuBond = makeRecord(kind::SingleBond, 100, 100, 130, 100);
const ElementRecord kFarBond = makeRecord(kind::SingleBond, 300, 300, 330, 340);
const ElementRecord kAcidLabel = makeRecord(5, 135, 91, 12, 0);  // "COOH"

// The menus as the user sees them: caption, or empty for a separator.
QStringList captionsOf(QMenu* menu)
{
    QStringList captions;
    for (const QAction* action : menu->actions())
        captions << (action->isSeparator() ? QString() : action->text());
    return captions;
}

// The bounding box of the pixels darker than light grey.
QRect inkBox(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QRect box;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if (qGray(line[x]) < 160)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// Confirms the next print dialog with its file destination set to path.
class PrintToFileAnswer : public QObject {
public:
    explicit PrintToFileAnswer(QString path)
        : m_path(std::move(path))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            m_timer.stop();
            auto* fileName = dialog->findChild<QLineEdit*>("filename");
            if (fileName)
                fileName->setText(m_path);
            for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
                m_buttons << button->text();
            dialog->accept();
            m_answered = true;
        });
        m_timer.start(5);
    }
    bool answered() const { return m_answered; }
    const QStringList& buttons() const { return m_buttons; }

private:
    QString m_path;
    QTimer m_timer;
    bool m_answered = false;
    QStringList m_buttons;
};

TEST_F(WorksheetMenu, TheNewItemsFollowTheClassicOnesWithUniqueShortcuts)
{
    start({kMenuBond});
    const QList<QAction*> menus = window->menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    const QStringList file = captionsOf(menus[0]->menu());
    // The recent files follow "Ö&ffnen"; the exports and print join the
    // bitmap exports; "&Beenden" stays last.
    EXPECT_EQ(file, QStringList({"&Neu", "Ö&ffnen", "&Zuletzt geöffnet", "&Speichern", "Speichern &unter", "Formel+Antwort speichern", "",
                                 "cfd-Datei einfügen", "Als bmp exportieren", "Passende bmp exportieren",
                                 "Als SVG exportieren", "Als PDF exportieren", "Als PNG exportieren",
                                 "Als MOL/SDF exportieren", "Drucken...", "",
                                 "&Beenden"}));
    const QStringList edit = captionsOf(menus[1]->menu());
    EXPECT_EQ(edit, QStringList({"Rückgängig", "Wiederherstellen", "Löschen", "Kopieren", "Einfügen", "",
                                 "Als Bild kopieren", "SMILES kopieren", "MOL/SDF einfügen", "SMILES einfügen"}));
    EXPECT_EQ(captionsOf(menus[2]->menu()), QStringList({"Analyse", "&Hilfe", "", "&About"}));

    // The keys users know from other programs, beside the classic ones.
    const struct {
        const char* name;
        QList<QKeySequence> shortcuts;
        bool enabled;
    } added[] = {
        {"Neu1", {QKeySequence("Ctrl+N")}, true},
        {"ffnen1", {QKeySequence("Ctrl+O")}, true},
        {"Beenden1", {QKeySequence("Ctrl+B"), QKeySequence("Ctrl+Q")}, true},
        {"Undo1", {QKeySequence("Alt+Backspace"), QKeySequence("Ctrl+Z")}, true},
        {"Wiederherstellen1", {QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}, false},
        {"AlsSVGexportieren1", {}, true},
        {"AlsPDFexportieren1", {}, true},
        {"AlsPNGexportieren1", {}, true},
        {"Drucken1", {QKeySequence("Ctrl+P")}, true},
        {"AlsBildkopieren1", {QKeySequence("Ctrl+Shift+C")}, true},
        {"Analyse1", {QKeySequence("Ctrl+I")}, true},
    };
    for (const auto& row : added) {
        auto* action = window->findChild<QAction*>(row.name);
        ASSERT_NE(action, nullptr) << row.name;
        EXPECT_EQ(action->shortcuts(), row.shortcuts) << row.name;
        EXPECT_EQ(action->isEnabled(), row.enabled) << row.name;
    }
    // No key runs two items.
    std::set<QString> shortcuts;
    int keys = 0;
    for (const CommandRow& row : commandTable()) {
        for (const QKeyCombination key : {row.shortcut, row.otherShortcut}) {
            if (row.name && key != QKeyCombination()) {
                ++keys;
                EXPECT_TRUE(shortcuts.insert(QKeySequence(key).toString()).second) << row.name;
            }
        }
    }
    EXPECT_EQ(int(shortcuts.size()), keys);
}

TEST_F(WorksheetMenu, TheExportDialogsOfferTheDocumentsNameAndAskBeforeOverwriting)
{
    start({kMenuBond, kFarBond});
    struct Export {
        const char* item;
        const char* filter;
        const char* fileStart;  // the first bytes of such a file
    };
    const Export exports[] = {
        {"AlsSVGexportieren1", "SVG-Grafik (*.svg)", "<?xml"},
        {"AlsPDFexportieren1", "PDF-Dokument (*.pdf)", "%PDF"},
        {"AlsPNGexportieren1", "PNG-Bild (*.png)", "\x89PNG"},
    };
    for (const Export& e : exports) {
        SCOPED_TRACE(e.item);
        auto* action = window->findChild<QAction*>(e.item);
        ASSERT_NE(action, nullptr);
        const QString suffix = QString(e.filter).section('.', -1).chopped(1);
        const QString target = QString::fromStdString(folders.path("Dokumente/Blatt.")) + suffix;
        {
            test::DialogWatcher dialogs({target});
            action->trigger();
            ASSERT_EQ(dialogs.seen().size(), 1u);
            const test::SeenDialog& seen = dialogs.seen()[0];
            EXPECT_EQ(seen.acceptMode, QFileDialog::AcceptSave);
            EXPECT_EQ(seen.nameFilters, QStringList{e.filter});
            EXPECT_EQ(seen.directory + "/", QString::fromStdString(folders.path("Dokumente/")));
            ASSERT_FALSE(seen.selectedFiles.isEmpty());
            EXPECT_TRUE(seen.selectedFiles.front().endsWith("/Blatt." + suffix));
            EXPECT_TRUE(seen.buttons.contains("S&peichern")) << seen.buttons.join(",").toStdString();
        }
        const test::Bytes written = test::fileBytes(target.toStdString());
        ASSERT_GT(written.size(), 4u);
        EXPECT_EQ(std::string(written.begin(), written.begin() + 4), std::string(e.fileStart, 4));

        // Chosen again and the question declined: the file stays as it was.
        test::putFileBytes(target.toStdString(), {1, 2, 3});
        {
            test::DialogWatcher dialogs({target});
            test::MessageBoxWatcher boxes("Abbrechen");
            action->trigger();
            ASSERT_EQ(boxes.seen().size(), 1u);
            EXPECT_EQ(boxes.seen()[0].text, "Datei überschreiben?");
        }
        EXPECT_EQ(test::fileBytes(target.toStdString()), (test::Bytes{1, 2, 3}));
    }
}

TEST_F(WorksheetMenu, CtrlShiftCPutsPngAtThreeTimesTheSizeAndSvgOnTheClipboard)
{
    start({kMenuBond, kFarBond, kAcidLabel});
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);

    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    ASSERT_TRUE(mime->hasFormat("image/png")) << mime->formats().join(" ").toStdString();
    ASSERT_TRUE(mime->hasFormat("image/svg+xml"));
    const std::vector<ElementRecord> all = {kMenuBond, kFarBond, kAcidLabel};
    const QRect cutOut = vectorCutOut(window->editor().view, all, QSize(1200, 1000));
    const QImage picture = QImage::fromData(mime->data("image/png"), "PNG");
    EXPECT_EQ(picture.size(), cutOut.size() * 3);
    EXPECT_EQ(mime->data("image/svg+xml"), svgOfDrawing(window->editor().view, all, cutOut));
    // The image itself too, for programs that take a bitmap of their own.
    EXPECT_EQ(qvariant_cast<QImage>(mime->imageData()).size(), cutOut.size() * 3);
    // "Kopieren" and "Einfügen" stay as they were.
    EXPECT_FALSE(window->findChild<QAction*>("Kopieren1")->isEnabled());
    EXPECT_FALSE(window->findChild<QAction*>("Einfgen1")->isEnabled());
}

TEST_F(WorksheetMenu, ADraggedSelectionIsCopiedAloneAndStays)
{
    start({kMenuBond, kFarBond, kAcidLabel});
    window->findChild<QAbstractButton*>("SpeedButton67")->click();
    QTest::mousePress(image, Qt::LeftButton, Qt::NoModifier, {280, 280});
    QTest::mouseMove(image, {320, 320});
    QTest::mouseMove(image, {350, 360});
    QTest::mouseRelease(image, Qt::LeftButton, Qt::NoModifier, {350, 360});
    ASSERT_TRUE(window->findChild<QAction*>("Kopieren1")->isEnabled());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    const QRect cutOut = vectorCutOut(window->editor().view, {kFarBond}, QSize(1200, 1000));
    EXPECT_EQ(QImage::fromData(mime->data("image/png"), "PNG").size(), cutOut.size() * 3);
    EXPECT_EQ(mime->data("image/svg+xml"), svgOfDrawing(window->editor().view, {kFarBond}, cutOut));
    EXPECT_FALSE(mime->data("image/svg+xml").contains("COOH"));
    // The selection is still in force: "Kopieren" copies it as before.
    EXPECT_TRUE(window->editor().editing.SelectionPresent);
    EXPECT_TRUE(window->findChild<QAction*>("Kopieren1")->isEnabled());
}

TEST_F(WorksheetMenu, PrintingIntoAPdfFilePlacesTheDrawingAtItsPhysicalSize)
{
    if (!test::popplerInstalled())
        GTEST_SKIP() << "poppler-utils are not installed";
    const struct {
        const char* what;
        std::vector<ElementRecord> records;
        bool shrinks;
    } cases[] = {
        {"small drawing", {kMenuBond, kFarBond, kAcidLabel}, false},
        {"drawing wider than the paper", {makeRecord(kind::SingleBond, 20, 100, 1180, 100), kFarBond}, true},
    };
    for (const auto& c : cases) {
        start(c.records);
        const std::string pdf = folders.path("Dokumente/Druck.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        printer.setPageSize(QPageSize(QPageSize::A4));
        const PrintJob job = drawingPrintJob(window->editor());
        ASSERT_TRUE(printOn(printer, job)) << c.what;

        const auto info = test::pdfInfo(pdf);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->pages, 1) << c.what;
        EXPECT_NEAR(info->pageSize.width(), 595, 1) << c.what;
        const auto page = test::pdfFirstPage(pdf, 96);
        ASSERT_TRUE(page && !page->isNull());
        const QRect printable = printer.pageLayout().paintRectPixels(96);
        const QRect printed = inkBox(*page);
        // The ink of the page, shifted from the cut-out to the printable
        // area's top left.
        const QRect cutOut = vectorCutOut(window->editor().view, c.records, QSize(1200, 1000));
        const QRect drawn = inkBox(window->editor().page);
        ASSERT_FALSE(printed.isEmpty()) << c.what;
        EXPECT_GE(printed.left(), printable.left()) << c.what;
        EXPECT_LE(printed.right(), printable.right()) << c.what;
        if (c.shrinks) {
            EXPECT_LT(printed.width(), drawn.width()) << c.what;
            EXPECT_GT(printed.width(), printable.width() * 9 / 10) << c.what;
        } else {
            EXPECT_NEAR(printed.left(), printable.left() + drawn.left() - cutOut.left(), 2) << c.what;
            EXPECT_NEAR(printed.top(), printable.top() + drawn.top() - cutOut.top(), 2) << c.what;
            EXPECT_NEAR(printed.width(), drawn.width(), 2) << c.what;
            EXPECT_NEAR(printed.height(), drawn.height(), 2) << c.what;
            const auto text = test::pdfText(pdf);
            ASSERT_TRUE(text);
            EXPECT_TRUE(text->contains("COOH")) << text->toStdString();
        }
        window.reset();
    }
}

TEST_F(WorksheetMenu, CtrlPShowsTheGermanPrintDialogAndCancelPrintsNothing)
{
    installGermanTranslations(*QCoreApplication::instance());
    start({kMenuBond, kAcidLabel});
    {
        test::DialogWatcher watcher;
        test::MessageBoxWatcher boxes;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
        ASSERT_EQ(watcher.seen().size(), 1u);
        EXPECT_EQ(watcher.seen()[0].className, "QPrintDialog");
        EXPECT_TRUE(watcher.seen()[0].buttons.contains("&Drucken")) << watcher.seen()[0].buttons.join(" | ").toStdString();
        EXPECT_TRUE(watcher.seen()[0].buttons.contains("Abbrechen"));
        EXPECT_TRUE(boxes.seen().empty());
    }
    EXPECT_EQ(test::folderEntries(folders.path("Dokumente")), std::vector<std::string>{"Blatt.cfd"});

    // Confirmed with the file destination, the drawing lands in that file.
    const std::string pdf = folders.path("Dokumente/Blatt-Druck.pdf");
    PrintToFileAnswer answer(QString::fromStdString(pdf));
    test::MessageBoxWatcher boxes;
    window->findChild<QAction*>("Drucken1")->trigger();
    EXPECT_TRUE(answer.answered());
    EXPECT_TRUE(boxes.seen().empty());
    ASSERT_TRUE(test::fileExists(pdf));
    EXPECT_GT(test::fileBytes(pdf).size(), 4u);
    if (const auto text = test::pdfText(pdf)) {
        EXPECT_TRUE(text->contains("COOH")) << text->toStdString();
    }
}

}  // namespace
}  // namespace veltrano
