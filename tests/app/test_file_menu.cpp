// The menus "&Datei" and "&Bearbeiten" through the real window: the file
// dialogs and message boxes as the user meets them (German, Qt's own
// dialogs), whole saves, the close check, the answer memo and the edit
// commands after a selection dragged with the mouse.

#include "app/german_translations.h"
#include "app/hauptf.h"
#include "app/page_widget.h"
#include "app/qt_ui_port.h"
#include "commands/edit_commands.h"
#include "document/element_kind.h"
#include "document/record_file.h"
#include "support/file_helpers.h"
#include "dialog_watcher.h"
#include "window_test_support.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTest>
#include <QTranslator>

#include <gtest/gtest.h>

#include <memory>

namespace veltrano {
namespace {

using test::fileBytes;
using test::putFileBytes;
using test::recordFileBytes;

const std::vector<ElementRecord> kTwoBonds = {
    makeRecord(kind::SingleBond, 100, 100, 130, 100),
    makeRecord(kind::SingleBond, 300, 300, 330, 300),
};

// Key presses that carry each character as text, as a keyboard layout with
// umlauts gives them.
void typeText(QWidget* target, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(target, &press);
        QCoreApplication::sendEvent(target, &release);
    }
}

class FileMenuTest : public ::testing::Test {
protected:
    void start(const QStringList& parameters = {})
    {
        window = std::make_unique<Thauptf>(folders.environment(parameters));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        image = window->findChild<PageWidget*>("I1");
        ASSERT_NE(image, nullptr);
    }

    // "Einzeln löschen" through its button: the drawing loses its last
    // element and now differs from its file.
    void dropLastElement()
    {
        auto* button = window->findChild<QAbstractButton*>("BitBtn1");
        ASSERT_NE(button, nullptr);
        button->click();
    }

    QAction* item(const char* name)
    {
        auto* found = window->findChild<QAction*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    std::string documentFile(const std::vector<ElementRecord>& records, const char* name = "Dokumente/Zwei.cfd")
    {
        putFileBytes(folders.path(name), recordFileBytes(records));
        return folders.path(name);
    }

    test::TestFolders folders;
    std::unique_ptr<Thauptf> window;
    PageWidget* image = nullptr;
};

TEST_F(FileMenuTest, QtsOwnDialogsSpeakGerman)
{
    QTranslator* translator = installGermanTranslations(*QCoreApplication::instance());
    ASSERT_NE(translator, nullptr);
    start();
    {
        test::DialogWatcher watcher;
        item("ffnen1")->trigger();
        item("Speichern1")->trigger();
        EXPECT_FALSE(window->uiPort().colourDialog(kBlack));
        ASSERT_EQ(watcher.seen().size(), 3u);
        const test::SeenDialog& open = watcher.seen()[0];
        EXPECT_FALSE(open.native);
        EXPECT_TRUE(open.labels.contains("Datei&name:")) << open.labels.join(" | ").toStdString();
        EXPECT_TRUE(open.labels.contains("Dateien des Typs:"));
        EXPECT_TRUE(open.buttons.contains("&Öffnen")) << open.buttons.join(" | ").toStdString();
        EXPECT_TRUE(open.buttons.contains("Abbrechen"));
        const test::SeenDialog& save = watcher.seen()[1];
        EXPECT_TRUE(save.buttons.contains("S&peichern")) << save.buttons.join(" | ").toStdString();
        EXPECT_TRUE(save.buttons.contains("Abbrechen"));
        const test::SeenDialog& colour = watcher.seen()[2];
        EXPECT_EQ(colour.className, "QColorDialog");
        EXPECT_TRUE(colour.buttons.contains("Abbrechen")) << colour.buttons.join(" | ").toStdString();
        EXPECT_TRUE(colour.labels.contains("Farb&ton:")) << colour.labels.join(" | ").toStdString();
    }
    // The quit question's standard buttons, in the platform's order.
    {
        window->editor().workingFile.AppendRecord(kTwoBonds[0]);
        test::MessageBoxWatcher boxes("Abbrechen");
        window->close();
        ASSERT_EQ(boxes.seen().size(), 1u);
        QStringList buttons = boxes.seen()[0].buttons;
        buttons.sort();
        EXPECT_EQ(buttons, (QStringList{"Abbrechen", "Speichern", "Verwerfen"}));
    }
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

TEST_F(FileMenuTest, SaveAsShowsItsDialogAndAsksBeforeOverwriting)
{
    const std::string source = documentFile(kTwoBonds);
    start({QString::fromStdString(source)});
    const QString copy = QString::fromStdString(folders.path("Dokumente/Kopie.cfd"));
    {
        test::DialogWatcher watcher({copy});
        item("Speichern1")->trigger();
        ASSERT_EQ(watcher.seen().size(), 1u);
        const test::SeenDialog& seen = watcher.seen()[0];
        EXPECT_EQ(seen.acceptMode, QFileDialog::AcceptSave);
        EXPECT_FALSE(seen.native);
        EXPECT_FALSE(seen.confirmsOverwrite);
        EXPECT_EQ(seen.defaultSuffix, "cfd");
        EXPECT_EQ(seen.nameFilters, QStringList{"Formel-Dateien (*.cfd)"});
        EXPECT_EQ(seen.directory + "/", QString::fromStdString(folders.path("Dokumente/")));
        ASSERT_FALSE(seen.selectedFiles.isEmpty());
        EXPECT_TRUE(seen.selectedFiles.front().endsWith("/*.cfd")) << seen.selectedFiles.front().toStdString();
    }
    EXPECT_EQ(fileBytes(copy.toStdString()), recordFileBytes(kTwoBonds));
    EXPECT_EQ(window->windowTitle(), "Veltrano:   Kopie.cfd");

    // A name without extension gets ".cfd".
    {
        test::DialogWatcher watcher({QString::fromStdString(folders.path("Dokumente/Ohne"))});
        item("Speichern1")->trigger();
    }
    EXPECT_EQ(fileBytes(folders.path("Dokumente/Ohne.cfd")), recordFileBytes(kTwoBonds));
    EXPECT_EQ(window->windowTitle(), "Veltrano:   Ohne.cfd");

    // Over an existing file, declined.
    putFileBytes(copy.toStdString(), {1, 2, 3});
    {
        test::DialogWatcher watcher({copy});
        test::MessageBoxWatcher boxes("Abbrechen");
        item("Speichern1")->trigger();
        ASSERT_EQ(boxes.seen().size(), 1u);
        EXPECT_EQ(boxes.seen()[0].title, "Warnung");
        EXPECT_EQ(boxes.seen()[0].text, "Datei überschreiben?");
        EXPECT_EQ(boxes.seen()[0].buttons, (QStringList{"OK", "Abbrechen"}));
    }
    EXPECT_EQ(fileBytes(copy.toStdString()), (test::Bytes{1, 2, 3}));
    EXPECT_EQ(window->windowTitle(), "Veltrano:   Ohne.cfd");
}

TEST_F(FileMenuTest, OpenAdmitsOnlyExistingFiles)
{
    start();
    const std::string source = documentFile(kTwoBonds);
    {
        test::MessageBoxWatcher boxes;
        test::DialogWatcher watcher({QString::fromStdString(folders.path("Dokumente/fehlt.cfd"))});
        item("ffnen1")->trigger();
        EXPECT_EQ(watcher.seen().size(), 2u);  // still open after the missing name, then cancelled
    }
    EXPECT_TRUE(fileBytes(folders.tempDat()).empty());
    EXPECT_EQ(window->windowTitle(), "Veltrano");
    {
        test::DialogWatcher watcher({QString::fromStdString(source)});
        item("ffnen1")->trigger();
        ASSERT_EQ(watcher.seen().size(), 1u);
        EXPECT_EQ(watcher.seen()[0].fileMode, QFileDialog::ExistingFile);
        EXPECT_EQ(watcher.seen()[0].acceptMode, QFileDialog::AcceptOpen);
    }
    EXPECT_EQ(fileBytes(folders.tempDat()), recordFileBytes(kTwoBonds));
    EXPECT_EQ(window->windowTitle(), "Veltrano:   Zwei.cfd");
}

TEST_F(FileMenuTest, ClosingAndQuittingAskBeforeDiscardingChanges)
{
    start({QString::fromStdString(documentFile(kTwoBonds))});
    // Unchanged: the window closes without a question.
    {
        test::MessageBoxWatcher boxes;
        window->close();
        EXPECT_TRUE(boxes.seen().empty());
        EXPECT_FALSE(window->isVisible());
    }
    window->show();
    dropLastElement();
    {
        test::MessageBoxWatcher boxes("Abbrechen");
        window->close();
        ASSERT_EQ(boxes.seen().size(), 1u);
        EXPECT_EQ(boxes.seen()[0].title, "Bestätigen");
        EXPECT_EQ(boxes.seen()[0].text, "Wirklich ohne zu speichern schließen?");
        EXPECT_TRUE(window->isVisible());
    }
    {
        // "&Beenden" asks once; the close that follows does not ask again.
        test::MessageBoxWatcher boxes("Verwerfen");
        item("Beenden1")->trigger();
        EXPECT_EQ(boxes.seen().size(), 1u);
        EXPECT_FALSE(window->isVisible());
    }
    EXPECT_EQ(fileBytes(folders.tempDat()), recordFileBytes({kTwoBonds[0]}));
    EXPECT_EQ(fileBytes(folders.path("Dokumente/Zwei.cfd")), recordFileBytes(kTwoBonds));

    // "Speichern" writes the drawing over its file, then the program ends.
    window.reset();
    start({QString::fromStdString(documentFile(kTwoBonds))});
    dropLastElement();
    {
        test::MessageBoxWatcher boxes("Speichern");
        window->close();
        EXPECT_EQ(boxes.seen().size(), 1u);
        EXPECT_FALSE(window->isVisible());
    }
    EXPECT_EQ(fileBytes(folders.path("Dokumente/Zwei.cfd")), recordFileBytes({kTwoBonds[0]}));
}

TEST_F(FileMenuTest, RecentFilesAreKeptBetweenRunsAndOpenFromTheirMenu)
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "veltrano", "veltrano").clear();
    const std::string first = documentFile(kTwoBonds, "Dokumente/Erste.cfd");
    const std::string second = documentFile({kTwoBonds[1]}, "Dokumente/Zweite & Co.cfd");
    start();
    auto* recent = window->findChild<QMenu*>("Zuletztgeffnet1");
    ASSERT_NE(recent, nullptr);
    EXPECT_FALSE(recent->isEnabled());
    EXPECT_EQ(item("ffnen1")->parent(), recent->parent());

    // Two runs, each opening one file: the next run lists both, newest first.
    for (const std::string& file : {second, first}) {
        window.reset();
        start({QString::fromStdString(file)});
    }
    recent = window->findChild<QMenu*>("Zuletztgeffnet1");
    ASSERT_TRUE(recent->isEnabled());
    QList<QAction*> entries = recent->actions();
    ASSERT_EQ(entries.size(), 2);
    const QString folder = QString::fromStdString(folders.path("Dokumente"));
    EXPECT_EQ(entries[0]->text(), "&1 Erste.cfd  (" + folder + ")");
    EXPECT_EQ(entries[1]->text(), "&2 Zweite && Co.cfd  (" + folder + ")");

    entries[1]->trigger();
    EXPECT_EQ(fileBytes(folders.tempDat()), recordFileBytes({kTwoBonds[1]}));
    EXPECT_EQ(window->windowTitle(), "Veltrano:   Zweite & Co.cfd");
    entries = recent->actions();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_TRUE(entries[0]->text().startsWith("&1 Zweite"));

    // A file deleted since is named and leaves the list.
    QFile::remove(QString::fromStdString(first));
    {
        test::MessageBoxWatcher boxes("OK");
        entries[1]->trigger();
        ASSERT_EQ(boxes.seen().size(), 1u);
        EXPECT_EQ(boxes.seen()[0].text, "Datei nicht gefunden:\n" + QString::fromStdString(first));
    }
    EXPECT_EQ(recent->actions().size(), 1);
    EXPECT_EQ(window->windowTitle(), "Veltrano:   Zweite & Co.cfd");
}

TEST_F(FileMenuTest, AMoveButtonsStepMakesCtrlBAskBeforeQuitting)
{
    start({QString::fromStdString(documentFile(kTwoBonds))});
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* move = window->findChild<QAbstractButton*>("SpeedButton48");
    ASSERT_NE(move, nullptr);
    QTest::mouseClick(move, Qt::LeftButton);
    ASSERT_NE(fileBytes(folders.tempDat()), recordFileBytes(kTwoBonds));

    test::MessageBoxWatcher boxes("Abbrechen");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::ControlModifier);
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].text, "Wirklich ohne zu speichern schließen?");
    EXPECT_TRUE(window->isVisible());
}

TEST_F(FileMenuTest, CtrlZGoesBackTwentyMixedStepsAndCtrlYForwardAgain)
{
    start({QString::fromStdString(documentFile(kTwoBonds))});
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto key = [](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, modifiers);
    };
    auto drag = [this](QPoint from, QPoint to) {
        QTest::mousePress(image, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(image, (from + to) / 2);
        QTest::mouseMove(image, to);
        QTest::mouseRelease(image, Qt::LeftButton, Qt::NoModifier, to);
    };
    // The first bond is copied; then bonds are drawn, the copy pasted and
    // the pasted copy deleted again: twenty steps that each can be undone.
    window->findChild<QAbstractButton*>("SpeedButton67")->click();
    drag({90, 90}, {140, 110});
    key(Qt::Key_C);
    std::vector<test::Bytes> states = {fileBytes(folders.tempDat())};
    for (int step = 0; step < 20; ++step) {
        switch (step % 3) {
        case 0:
            window->findChild<QAbstractButton*>("SpeedButton1")->click();
            drag({400, 420 + 12 * step}, {460, 420 + 12 * step});
            break;
        case 1:
            key(Qt::Key_V);
            break;
        default:
            key(Qt::Key_Delete, Qt::NoModifier);
            break;
        }
        states.push_back(fileBytes(folders.tempDat()));
        ASSERT_NE(states.back(), states[states.size() - 2]) << "step " << step;
    }
    // Back with Strg+Z and Alt+Rücktaste, forward with Strg+Y and
    // Strg+Umschalt+Z, byte for byte.
    for (int i = 19; i >= 0; --i) {
        key(i % 2 ? Qt::Key_Z : Qt::Key_Backspace, i % 2 ? Qt::ControlModifier : Qt::AltModifier);
        ASSERT_EQ(fileBytes(folders.tempDat()), states[std::size_t(i)]) << "back to " << i;
    }
    for (std::size_t i = 1; i <= 20; ++i) {
        key(i % 2 ? Qt::Key_Y : Qt::Key_Z, i % 2 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
        ASSERT_EQ(fileBytes(folders.tempDat()), states[i]) << "forward to " << i;
    }
    EXPECT_FALSE(item("Wiederherstellen1")->isEnabled());

    // A new change after going back drops the steps ahead.
    key(Qt::Key_Z);
    key(Qt::Key_Z);
    ASSERT_EQ(fileBytes(folders.tempDat()), states[18]);
    window->findChild<QAbstractButton*>("SpeedButton1")->click();
    drag({700, 300}, {760, 300});
    const test::Bytes changed = fileBytes(folders.tempDat());
    EXPECT_FALSE(item("Wiederherstellen1")->isEnabled());
    key(Qt::Key_Y);
    EXPECT_EQ(fileBytes(folders.tempDat()), changed);
    key(Qt::Key_Z);
    EXPECT_EQ(fileBytes(folders.tempDat()), states[18]);
    // The page shows what temp.dat holds: the last bond drawn is gone, the
    // one of step 15 is there.
    EXPECT_EQ(window->editor().page.pixel(730, 300), qRgb(255, 255, 255));
    EXPECT_EQ(window->editor().page.pixel(410, 420 + 12 * 15), qRgb(0, 0, 0));
}

TEST_F(FileMenuTest, CtrlSSavesTheNamedDocumentOverItsFile)
{
    const std::string source = documentFile(kTwoBonds);
    start({QString::fromStdString(source)});
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    // A bond drawn with the mouse.
    QTest::mousePress(image, Qt::LeftButton, Qt::NoModifier, {500, 500});
    QTest::mouseMove(image, {520, 500});
    QTest::mouseMove(image, {560, 500});
    QTest::mouseRelease(image, Qt::LeftButton, Qt::NoModifier, {560, 500});
    ASSERT_EQ(fileBytes(folders.tempDat()).size(), 3 * kRecordSize);

    test::MessageBoxWatcher boxes;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(boxes.seen().empty());
    EXPECT_EQ(fileBytes(source), fileBytes(folders.tempDat()));
    EXPECT_EQ(window->windowTitle(), "Veltrano:   Zwei.cfd");
    // Saved: closing does not ask.
    window->close();
    EXPECT_TRUE(boxes.seen().empty());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(FileMenuTest, NewAsksAboutAModifiedDocumentWithYesAndNo)
{
    start({QString::fromStdString(documentFile(kTwoBonds))});
    dropLastElement();
    {
        test::MessageBoxWatcher boxes("&Nein");
        item("Neu1")->trigger();
        ASSERT_EQ(boxes.seen().size(), 1u);
        EXPECT_EQ(boxes.seen()[0].title, "Warnung");
        EXPECT_EQ(boxes.seen()[0].text, "Wollen Sie nicht zuerst die aktuelle Formel sichern?");
        EXPECT_EQ(boxes.seen()[0].buttons, (QStringList{"&Ja", "&Nein"}));
    }
    EXPECT_TRUE(fileBytes(folders.tempDat()).empty());
    EXPECT_EQ(window->windowTitle(), "Veltrano");
    EXPECT_EQ(test::fileBytes(folders.path("Dokumente/Zwei.cfd")), recordFileBytes(kTwoBonds));
}

TEST_F(FileMenuTest, TheAnswerTypedIntoTheMemoIsSavedBesideTheFormula)
{
    QDir().mkpath(QString::fromStdString(folders.path("Antworten")));
    start({"StrukCD", QString::fromStdString(folders.path("Antworten"))});
    auto* memo = window->findChild<QPlainTextEdit*>("Memo1");
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->isVisible());
    EXPECT_TRUE(item("FormelAntwortspeichern1")->isVisible());
    memo->setFocus();
    typeText(memo, QString::fromUtf8("Lösung: Säure"));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "x");
    const QString formula = QString::fromStdString(folders.path("Antworten/A.cfd"));
    {
        test::DialogWatcher watcher({formula});
        item("FormelAntwortspeichern1")->trigger();
        ASSERT_EQ(watcher.seen().size(), 1u);
        EXPECT_EQ(watcher.seen()[0].directory, QString::fromStdString(folders.path("Antworten")));
    }
    const std::string expected = "L\xF6sung: S\xE4ure\r\nx";
    EXPECT_EQ(fileBytes(folders.path("Antworten/A.txt")), test::Bytes(expected.begin(), expected.end()));
    EXPECT_EQ(fileBytes(formula.toStdString()), fileBytes(folders.tempDat()));
    EXPECT_EQ(window->windowTitle(), "Veltrano:   A.cfd");
}

TEST_F(FileMenuTest, CopyPasteDeleteAndUndoAfterADraggedSelection)
{
    start({QString::fromStdString(documentFile(kTwoBonds))});
    EXPECT_FALSE(item("Einfgen1")->isEnabled());
    EXPECT_FALSE(item("Kopieren1")->isEnabled());
    window->findChild<QAbstractButton*>("SpeedButton67")->click();
    QTest::mousePress(image, Qt::LeftButton, Qt::NoModifier, {90, 90});
    QTest::mouseMove(image, {120, 105});
    QTest::mouseMove(image, {140, 110});
    QTest::mouseRelease(image, Qt::LeftButton, Qt::NoModifier, {140, 110});
    ASSERT_TRUE(item("Kopieren1")->isEnabled());

    item("Kopieren1")->trigger();
    EXPECT_FALSE(item("Kopieren1")->isEnabled());
    EXPECT_FALSE(item("Lschen1")->isEnabled());
    ASSERT_TRUE(item("Einfgen1")->isEnabled());

    item("Einfgen1")->trigger();
    const ElementRecord pasted = makeRecord(kind::SingleBond, 110, 110, 140, 110);
    EXPECT_EQ(fileBytes(folders.tempDat()), recordFileBytes({kTwoBonds[0], kTwoBonds[1], pasted}));
    EXPECT_TRUE(item("Lschen1")->isEnabled());
    EXPECT_TRUE(window->findChild<QAbstractButton*>("SpeedButton67")->isChecked());

    item("Lschen1")->trigger();
    EXPECT_EQ(fileBytes(folders.tempDat()), recordFileBytes(kTwoBonds));
    EXPECT_TRUE(item("Einfgen1")->isEnabled());
    item("Undo1")->trigger();
    EXPECT_EQ(fileBytes(folders.tempDat()), recordFileBytes({kTwoBonds[0], kTwoBonds[1], pasted}));
    // The pasted count differs from the opened one: closing asks.
    test::MessageBoxWatcher boxes("Abbrechen");
    window->close();
    EXPECT_EQ(boxes.seen().size(), 1u);
}

}  // namespace
}  // namespace veltrano

namespace veltrano {
namespace {

// A shortcut pressed while the mouse button is still held on I1 runs its
// command and ends the gesture: later moves draw nothing, the release adds
// and moves nothing, and no feedback of the gesture stays on the page.
TEST_F(FileMenuTest, AShortcutInTheMiddleOfADragEndsTheDrag)
{
    struct Case {
        const char* name;
        bool moveSelection;  // else a bond is being drawn
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::vector<ElementRecord> after;  // temp.dat once the gesture ends
    };
    const ElementRecord moved = makeRecord(kind::SingleBond, 140, 100, 170, 100);
    const Case cases[] = {
        {"save a named document", false, Qt::Key_S, Qt::ControlModifier, kTwoBonds},
        {"paste", false, Qt::Key_V, Qt::ControlModifier, {kTwoBonds[0], kTwoBonds[1], pastedCopy(kTwoBonds[0])}},
        {"delete the selection being moved", true, Qt::Key_Delete, Qt::NoModifier, {kTwoBonds[1]}},
        {"copy the selection being moved", true, Qt::Key_C, Qt::ControlModifier, {moved, kTwoBonds[1]}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string source = documentFile(kTwoBonds);
        start({QString::fromStdString(source)});
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        // The first bond selected with a rectangle, and copied once so that
        // "Einfügen" is enabled.
        window->findChild<QAbstractButton*>("SpeedButton67")->click();
        QTest::mousePress(image, Qt::LeftButton, Qt::NoModifier, {90, 90});
        QTest::mouseMove(image, {150, 110});
        QTest::mouseRelease(image, Qt::LeftButton, Qt::NoModifier, {150, 110});
        item("Kopieren1")->trigger();
        if (c.moveSelection) {
            QTest::mousePress(image, Qt::LeftButton, Qt::NoModifier, {90, 90});
            QTest::mouseRelease(image, Qt::LeftButton, Qt::NoModifier, {150, 110});
            QTest::mousePress(image, Qt::LeftButton, Qt::NoModifier, {110, 100});
            QTest::mouseMove(image, {150, 100});
        } else {
            window->findChild<QAbstractButton*>("SpeedButton1")->click();
            QTest::mousePress(image, Qt::LeftButton, Qt::NoModifier, {500, 500});
            QTest::mouseMove(image, {560, 500});
        }
        test::MessageBoxWatcher boxes;
        QTest::keyClick(QApplication::focusWidget(), c.key, c.modifiers);
        EXPECT_TRUE(boxes.seen().empty());
        const QImage afterCommand = window->editor().page.copy();
        QTest::mouseMove(image, {600, 560});
        QTest::mouseRelease(image, Qt::LeftButton, Qt::NoModifier, {600, 560});
        EXPECT_EQ(fileBytes(folders.tempDat()), recordFileBytes(c.after));
        EXPECT_TRUE(window->editor().page == afterCommand) << "the ended gesture drew on the page";
        if (!c.moveSelection) {
            // Nothing of the bond being drawn is left on the page.
            EXPECT_EQ(window->editor().page.pixel(530, 500), qRgb(255, 255, 255));
        }
        window.reset();
    }
}

}  // namespace
}  // namespace veltrano
