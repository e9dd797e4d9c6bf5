// The main window as the user meets it after start-up: the command-line
// forms, the working document, the caption, the controls at their places
// and in their start state, and the menu.

#include "app/hauptf.h"
#include "app/main_menu.h"
#include "app/page_widget.h"
#include "app/palette_panel.h"
#include "app/qt_conversions.h"
#include "app/qt_ui_port.h"
#include "commands/command_table.h"
#include "editor/main_control_tables.h"
#include "editor/palette_tables.h"
#include "document/element_kind.h"
#include "support/faulty_file_system.h"
#include "support/file_helpers.h"
#include "window_test_support.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFontInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace veltrano {
namespace {

using test::fileBytes;
using test::fileExists;
using test::putFileBytes;
using test::recordFileBytes;

const std::vector<ElementRecord> kBond = {makeRecord(kind::SingleBond, 100, 100, 130, 100)};

class MainWindowTest : public ::testing::Test {
protected:
    std::unique_ptr<Thauptf> start(const QStringList& parameters = {}, int screenWidth = 1280)
    {
        StartupEnvironment environment = folders.environment(parameters);
        environment.screenWidth = screenWidth;
        return std::make_unique<Thauptf>(environment);
    }

    template <typename T = QWidget>
    static T* child(Thauptf& window, const char* name)
    {
        T* found = window.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static QAction* item(Thauptf& window, const char* name) { return child<QAction>(window, name); }

    // A place relative to the client area (the central widget).
    static QRect clientPlace(Thauptf& window, const char* name)
    {
        QWidget* widget = child(window, name);
        return QRect(widget->mapTo(window.centralWidget(), QPoint(0, 0)), widget->size());
    }

    test::TestFolders folders;
};

TEST_F(MainWindowTest, WithoutParametersTheDocumentIsEmptyAndUntitled)
{
    // An old working document of an earlier run is emptied.
    QDir().mkpath(QString::fromStdString(folders.workDir()));
    putFileBytes(folders.tempDat(), recordFileBytes(kBond));

    test::MessageBoxWatcher watcher;
    auto window = start();

    EXPECT_EQ(window->windowTitle(), "Veltrano");
    EXPECT_TRUE(fileExists(folders.tempDat()));
    EXPECT_TRUE(fileBytes(folders.tempDat()).empty());
    EXPECT_EQ(window->editor().workingFile.workDir(), folders.workDir());
    EXPECT_EQ(window->editor().document.DocumentName, "");
    EXPECT_EQ(window->editor().document.SavedRecordCount, 0u);
    EXPECT_EQ(window->editor().document.LastDir, folders.path("Dokumente/"));
    EXPECT_EQ(window->editor().document.AnswerDir, "");
    EXPECT_EQ(window->programDir(), folders.path("bin/"));
    EXPECT_FALSE(item(*window, "FormelAntwortspeichern1")->isVisible());
    EXPECT_TRUE(watcher.seen().empty());

    // The first showing gives Edit1 the focus and draws the (empty) page.
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    // The focus comes with the activation, which a busy X server gives well
    // after the exposure.
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), child(*window, "Edit1"));
    EXPECT_FALSE(child(*window, "Memo1")->isVisible());
    EXPECT_EQ(window->editor().page.pixel(10, 10), qRgb(255, 255, 255));

    // Every window of the program shows the program's icon, from the
    // smallest size of a title bar to the largest of a task switcher.
    for (const QSize size : {QSize(16, 16), QSize(256, 256)})
        EXPECT_TRUE(window->windowIcon().availableSizes().contains(size)) << size.width();
    EXPECT_EQ(window->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
}

TEST_F(MainWindowTest, StartUpRegistersTheFileTypeAndLocksItsWorkDir)
{
    auto first = start();
    // The registration of the running program is written below the test's
    // root (the tests run with the rights that permit writing it).
    const test::Bytes entry = fileBytes(folders.path("xdg/applications/veltrano.desktop"));
    const std::string text(entry.begin(), entry.end());
    EXPECT_NE(text.find(folders.path("bin/veltrano")), std::string::npos) << text;

    // A second editor running at the same time gets a WorkDir of its own.
    auto second = start();
    EXPECT_EQ(second->editor().workingFile.workDir(), folders.path("data/veltrano/temp2/"));
    EXPECT_TRUE(fileExists(folders.path("data/veltrano/temp2/temp.dat")));
    second.reset();
    first.reset();
    // Once both have ended, the first folder is free again.
    auto third = start();
    EXPECT_EQ(third->editor().workingFile.workDir(), folders.workDir());
}

TEST_F(MainWindowTest, WithoutSpecialFoldersTheProgramFolderIsTheWorkDir)
{
    StartupEnvironment environment = folders.environment();
    environment.appDataFolder.clear();
    environment.documentsFolder.clear();
    Thauptf window(environment);
    EXPECT_EQ(window.editor().workingFile.workDir(), folders.path("bin/"));
    EXPECT_TRUE(fileExists(folders.path("bin/temp.dat")));
    EXPECT_EQ(window.editor().document.LastDir, "");
}

TEST_F(MainWindowTest, OpensTheCommandLineFileWithTheDefaultExtension)
{
    putFileBytes(folders.path("benzol.cfd"), recordFileBytes(kBond));
    auto window = start({QString::fromStdString(folders.path("benzol"))});

    EXPECT_EQ(window->windowTitle(), "Veltrano:   benzol.cfd");
    EXPECT_EQ(fileBytes(folders.tempDat()), recordFileBytes(kBond));
    EXPECT_EQ(window->editor().document.DocumentName, folders.path("benzol.cfd"));
    EXPECT_EQ(window->editor().document.SavedRecordCount, 1u);

    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_EQ(window->editor().page.pixel(115, 100), qRgb(0, 0, 0));
}

TEST_F(MainWindowTest, AnUnquotedPathWithABlankArrivesWhole)
{
    QDir().mkpath(QString::fromStdString(folders.path("Formeln")));
    putFileBytes(folders.path("Formeln/mein Molekül.cfd"), recordFileBytes(kBond));
    auto window = start({QString::fromStdString(folders.path("Formeln/mein")), "Molekül"});

    EXPECT_EQ(window->windowTitle(), "Veltrano:   mein Molekül.cfd");
    EXPECT_EQ(window->editor().document.DocumentName, folders.path("Formeln/mein Molekül.cfd"));
    EXPECT_EQ(fileBytes(folders.tempDat()), recordFileBytes(kBond));
}

TEST_F(MainWindowTest, StrukCDWithAFolderSwitchesTheAnswerModeOn)
{
    const QString answerDir = QString::fromStdString(folders.path("Auf"));
    auto window = start({"StrukCD", answerDir, "gaben"});

    EXPECT_EQ(window->editor().document.AnswerDir, folders.path("Auf") + " gaben");
    EXPECT_TRUE(item(*window, "FormelAntwortspeichern1")->isVisible());
    EXPECT_EQ(window->windowTitle(), "Veltrano");
    EXPECT_EQ(window->editor().document.DocumentName, "");
    EXPECT_TRUE(fileBytes(folders.tempDat()).empty());

    // The answer text can be typed: the memo is shown where it covers no
    // other control, and it holds at most 250 characters.
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    auto* memo = child<QPlainTextEdit>(*window, "Memo1");
    ASSERT_TRUE(memo->isVisible());
    const QRect memoPlace = memo->geometry();
    for (const char* name : {"ScrollBox1", "ScrollBox2", "GroupBox3", "ComboBox1"})
        EXPECT_FALSE(memoPlace.intersects(clientPlace(*window, name))) << name;
    EXPECT_GE(memoPlace.height(), 40);
    memo->setPlainText(QString(300, u'x'));
    EXPECT_EQ(memo->toPlainText().size(), 250);
}

TEST_F(MainWindowTest, StrukCDAloneIsAFileName)
{
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(folders.root())));
    putFileBytes(folders.path("StrukCD.cfd"), recordFileBytes(kBond));
    putFileBytes(folders.path("strukcd x.cfd"), recordFileBytes({kBond[0], kBond[0]}));

    auto alone = start({"StrukCD"});
    EXPECT_EQ(alone->editor().document.DocumentName, folders.path("StrukCD.cfd"));
    EXPECT_EQ(alone->editor().document.AnswerDir, "");
    EXPECT_FALSE(item(*alone, "FormelAntwortspeichern1")->isVisible());
    EXPECT_EQ(alone->windowTitle(), "Veltrano:   StrukCD.cfd");
    alone.reset();

    // In another case the switch is no switch.
    auto lower = start({"strukcd", "x"});
    EXPECT_EQ(lower->editor().document.AnswerDir, "");
    EXPECT_EQ(lower->editor().document.DocumentName, folders.path("strukcd x.cfd"));
    EXPECT_EQ(lower->editor().document.SavedRecordCount, 2u);
    lower.reset();
    QDir::setCurrent(saved);
}

TEST_F(MainWindowTest, AMissingFileIsNamedThenOpensEmptyUnderItsName)
{
    test::MessageBoxWatcher watcher;
    auto window = start({QString::fromStdString(folders.path("neu.cfd"))});

    ASSERT_EQ(watcher.seen().size(), 1u);
    EXPECT_TRUE(watcher.seen()[0].text.startsWith(QString::fromStdString("Datei nicht gefunden:\n" + folders.path("neu.cfd"))))
        << watcher.seen()[0].text.toStdString();
    EXPECT_EQ(window->windowTitle(), "Veltrano:   neu.cfd");
    EXPECT_EQ(window->editor().document.DocumentName, folders.path("neu.cfd"));
    EXPECT_TRUE(fileExists(folders.tempDat()));
    EXPECT_TRUE(fileBytes(folders.tempDat()).empty());
}

TEST_F(MainWindowTest, AFileThatIsNoDrawingAsksWithItsOwnButtonsAndCancelStartsUntitled)
{
    const std::string text = folders.path("Einkauf.cfd");
    putFileBytes(text, test::Bytes(100, 'a'));
    test::MessageBoxWatcher watcher("Abbrechen");
    auto window = start({QString::fromStdString(text)});

    ASSERT_EQ(watcher.seen().size(), 1u);
    EXPECT_EQ(watcher.seen()[0].title, "Warnung");
    EXPECT_TRUE(watcher.seen()[0].text.startsWith("„Einkauf.cfd“ sieht nicht wie eine Formeldatei aus"));
    EXPECT_EQ(watcher.seen()[0].buttons, (QStringList{"Trotzdem öffnen", "Abbrechen"}));
    EXPECT_EQ(window->windowTitle(), "Veltrano");
    EXPECT_TRUE(fileBytes(folders.tempDat()).empty());
    EXPECT_EQ(fileBytes(text), test::Bytes(100, 'a'));
}

TEST_F(MainWindowTest, AnUnreadableFileGivesTheMessageAndAnUntitledDocument)
{
    QDir().mkpath(QString::fromStdString(folders.path("kaputt.cfd")));
    test::MessageBoxWatcher watcher;
    auto window = start({QString::fromStdString(folders.path("kaputt.cfd"))});

    ASSERT_EQ(watcher.seen().size(), 1u);
    EXPECT_EQ(watcher.seen()[0].text, "Die Datei konnte nicht geöffnet werden.");
    EXPECT_EQ(watcher.seen()[0].title, "Veltrano");
    EXPECT_EQ(watcher.seen()[0].buttons, QStringList{"OK"});
    EXPECT_EQ(window->editor().document.DocumentName, "");
    EXPECT_EQ(window->windowTitle(), "Veltrano");
    EXPECT_TRUE(fileExists(folders.tempDat()));
}

TEST_F(MainWindowTest, ThePaletteShowsTheStartState)
{
    auto window = start();
    auto checkedName = [&](const char* groupName) {
        auto* group = window->findChild<QButtonGroup*>(groupName);
        EXPECT_NE(group, nullptr) << groupName;
        return group && group->checkedButton() ? group->checkedButton()->objectName() : QString();
    };
    EXPECT_EQ(checkedName("GroupBox1Buttons"), "SpeedButton1");
    EXPECT_EQ(checkedName("GroupBox2Buttons"), "SpeedButton55");
    EXPECT_EQ(checkedName("GroupBox4Buttons"), "SpeedButton57");
    EXPECT_EQ(checkedName("GroupBox3Buttons"), "SpeedButton11");
    EXPECT_EQ(window->findChild<QButtonGroup*>("GroupBox1Buttons")->buttons().size(), 16);
    EXPECT_EQ(window->findChild<QButtonGroup*>("GroupBox2Buttons")->buttons().size(), 50);
    EXPECT_EQ(window->findChild<QButtonGroup*>("GroupBox4Buttons")->buttons().size(), 3);
    EXPECT_EQ(window->findChild<QButtonGroup*>("GroupBox3Buttons")->buttons().size(), 7);

    auto* curvature = child<QComboBox>(*window, "ComboBox2");
    EXPECT_FALSE(curvature->isEnabled());
    EXPECT_FALSE(curvature->isEditable());
    EXPECT_EQ(curvature->currentIndex(), 0);
    QStringList curvatures;
    for (int i = 0; i < curvature->count(); ++i)
        curvatures << curvature->itemText(i);
    EXPECT_EQ(curvatures, (QStringList{"0", "1", "2", "3", "-1", "-2", "-3"}));

    auto* length = child<QComboBox>(*window, "ComboBox1");
    EXPECT_TRUE(length->isEditable());
    EXPECT_EQ(length->currentIndex(), 3);
    EXPECT_EQ(length->currentText(), "30");
    QStringList lengths;
    for (int i = 0; i < length->count(); ++i)
        lengths << length->itemText(i);
    EXPECT_EQ(lengths, (QStringList{"15", "20", "25", "30", "40", "50"}));

    EXPECT_EQ(child<QAbstractButton>(*window, "Button1")->text(), "Raster ist an");
    EXPECT_EQ(child<QAbstractButton>(*window, "Button2")->text(), "Neu zeichnen");
    EXPECT_EQ(child<QAbstractButton>(*window, "BitBtn1")->text(), "Einzeln löschen");
    EXPECT_EQ(child<QAbstractButton>(*window, "SpeedButton64")->text(), "- - -");
    EXPECT_EQ(child<QAbstractButton>(*window, "SpeedButton80")->text(), "nü");
    EXPECT_FALSE(child<QAbstractButton>(*window, "SpeedButton1")->icon().isNull());
    EXPECT_FALSE(child<QAbstractButton>(*window, "SpeedButton81")->icon().isNull());
    EXPECT_EQ(child<QGroupBox>(*window, "GroupBox3")->title(), "Farbe");
    EXPECT_EQ(child<QGroupBox>(*window, "GroupBox4")->title(), "Ringgröße");
    EXPECT_TRUE(child(*window, "GroupBox2")->isEnabled());
    EXPECT_EQ(child<QLineEdit>(*window, "Edit1")->text(), "");

    auto* moveTimer = child<QTimer>(*window, "Timer2");
    auto* reenableTimer = child<QTimer>(*window, "Twiederan");
    EXPECT_EQ(moveTimer->interval(), 80);
    EXPECT_EQ(reenableTimer->interval(), 200);
    EXPECT_FALSE(moveTimer->isActive());
    EXPECT_FALSE(reenableTimer->isActive());

    const ToolState& tools = window->editor().tools;
    EXPECT_EQ(tools.LeftTool, kind::SingleBond);
    EXPECT_EQ(tools.RightLabel, kind::DoubleBondMarker);
    EXPECT_EQ(tools.RingStep, 30.0);
    EXPECT_EQ(tools.LineLength, 30.0);
}

TEST_F(MainWindowTest, TheMenuHasEveryItemInOrderWithItsShortcutAndStartState)
{
    auto window = start();
    struct Expected {
        const char* caption;
        QKeySequence shortcut;
        bool enabled;
    };
    const std::vector<std::pair<QString, std::vector<Expected>>> menus = {
        {"&Datei",
         {{"&Neu", QKeySequence("Ctrl+N"), true},
          {"Ö&ffnen", QKeySequence("Ctrl+O"), true},
          {"&Speichern", QKeySequence("Ctrl+S"), true},
          {"Speichern &unter", {}, true},
          // Hidden outside the formula-plus-answer mode, so it cannot be chosen.
          {"Formel+Antwort speichern", QKeySequence("Ctrl+Alt+S"), false},
          {nullptr, {}, true},
          {"cfd-Datei einfügen", {}, true},
          {"Als bmp exportieren", {}, true},
          {"Passende bmp exportieren", {}, true},
          {nullptr, {}, true},
          {"&Beenden", QKeySequence("Ctrl+B"), true}}},
        {"&Bearbeiten",
         {{"Rückgängig", QKeySequence("Alt+Backspace"), true},
          {"Löschen", QKeySequence(Qt::Key_Delete), false},
          {"Kopieren", QKeySequence("Ctrl+C"), false},
          {"Einfügen", QKeySequence("Ctrl+V"), false}}},
        {"&Info", {{"&Hilfe", QKeySequence(Qt::Key_F1), true}, {nullptr, {}, true}, {"&About", {}, true}}},
    };
    const QList<QAction*> top = window->menuBar()->actions();
    ASSERT_EQ(top.size(), qsizetype(menus.size()));
    for (std::size_t m = 0; m < menus.size(); ++m) {
        EXPECT_EQ(top[qsizetype(m)]->text(), menus[m].first);
        // The vector export, print and redo items stand among these, the
        // picture copy after them; their own test checks them. The usual
        // keys join the classic ones (Strg+N, Strg+O), each item's first
        // key is the one its menu shows.
        QList<QAction*> items = top[qsizetype(m)]->menu()->actions();
        items.removeIf([](const QAction* action) {
            return QStringList({"AlsSVGexportieren1", "AlsPDFexportieren1", "AlsPNGexportieren1", "AlsMOLSDFexportieren1",
                                "Drucken1", "Wiederherstellen1", "Analyse1", kRecentFilesMenu})
                .contains(action->objectName());
        });
        ASSERT_GE(items.size(), qsizetype(menus[m].second.size())) << menus[m].first.toStdString();
        for (std::size_t i = 0; i < menus[m].second.size(); ++i) {
            const Expected& expected = menus[m].second[i];
            QAction* action = items[qsizetype(i)];
            if (!expected.caption) {
                EXPECT_TRUE(action->isSeparator());
                continue;
            }
            EXPECT_EQ(action->text(), QString::fromUtf8(expected.caption));
            EXPECT_EQ(action->shortcut(), expected.shortcut) << expected.caption;
            EXPECT_EQ(action->isEnabled(), expected.enabled) << expected.caption;
            // Every item runs a command of the table.
            const CommandRow* command = findCommand(action->objectName().toStdString());
            EXPECT_TRUE(command && command->run) << expected.caption;
        }
    }
    // The UI port finds items by their caption without the access key.
    QtUiPort& port = window->uiPort();
    port.setEnabled(ui::kDeleteItem, true);
    EXPECT_TRUE(item(*window, "Lschen1")->isEnabled());
    EXPECT_TRUE(port.isEnabled(ui::kDeleteItem));
    EXPECT_FALSE(port.isEnabled(ui::kCopyItem));
}

TEST_F(MainWindowTest, ControlsSitAtTheirDesignPlaces)
{
    auto window = start();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_EQ(window->centralWidget()->size(), QSize(788, 480));
    EXPECT_EQ(window->centralWidget()->font().pixelSize(), 11);
    EXPECT_EQ(window->centralWidget()->font().families().front(), "MS Sans Serif");
    // Without the classic face, one of Arial's widths is used, not any
    // wider substitute, so the captions fit their buttons.
    const QString face = QFontInfo(window->centralWidget()->font()).family();
    EXPECT_TRUE(face == "MS Sans Serif" || face == "Liberation Sans" || face == "Arial") << face.toStdString();
    // Centred on the screen; the window may shrink a little, to its minimum.
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_LE((window->geometry().center() - screen.center()).manhattanLength(), 4);
    EXPECT_LE(window->minimumWidth(), 788);
    EXPECT_GE(window->minimumWidth(), 780);
    EXPECT_GE(window->minimumHeight(), 470);

    // A few places of the design as spot checks; the rest follow from the
    // tables the window is built from.
    EXPECT_EQ(child(*window, "I1")->geometry(), QRect(-3, -1, 502, 413));
    EXPECT_EQ(clientPlace(*window, "ScrollBox2"), QRect(508, 4, 277, 469));
    EXPECT_EQ(child(*window, "ComboBox1")->geometry().topLeft(), QPoint(370, 407));

    // Every control of a table sits at its table place, inside its parent,
    // and no two named controls of one parent overlap by more than the two
    // pixels the classic design lets the bracket buttons share.
    auto expectAt = [&](std::string_view name, const PanelPlace& place) {
        QWidget* widget = child(*window, std::string(name).c_str());
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->geometry().topLeft(), rectOf(place).topLeft()) << name;
    };
    for (const PanelControl& row : panelControls())
        expectAt(row.name, row.place);
    for (auto group : {leftToolButtons(), rightLabelButtons(), ringSizeButtons()}) {
        for (const PaletteButton& row : group)
            expectAt(row.name, row.place);
    }
    for (const MoveButton& row : moveButtons())
        expectAt(row.name, row.place);
    for (const ColourButton& row : colourButtons())
        expectAt(row.name(), row.place);
    for (QWidget* parent : window->centralWidget()->findChildren<QWidget*>()) {
        QList<QWidget*> named;
        for (QObject* object : parent->children()) {
            auto* widget = qobject_cast<QWidget*>(object);
            if (widget && !widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_") &&
                !widget->isWindow() && widget->isVisibleTo(window.get()))
                named.append(widget);
        }
        for (qsizetype i = 0; i < named.size(); ++i) {
            const QRect place = named[i]->geometry();
            if (qobject_cast<QScrollArea*>(parent) == nullptr && parent->objectName() != "ScrollBox1") {
                EXPECT_TRUE(parent->rect().contains(place)) << named[i]->objectName().toStdString() << " outside "
                                                           << parent->objectName().toStdString();
            }
            for (qsizetype j = i + 1; j < named.size(); ++j) {
                const QRect shared = place.intersected(named[j]->geometry());
                EXPECT_TRUE(shared.width() <= 2 || shared.height() <= 2)
                    << named[i]->objectName().toStdString() << " over " << named[j]->objectName().toStdString();
            }
        }
    }
    // The panel needs no scroll bar at its full width.
    EXPECT_FALSE(child<QScrollArea>(*window, "ScrollBox2")->horizontalScrollBar()->isVisible());
}

TEST_F(MainWindowTest, GrowingTheWindowFollowsTheAnchors)
{
    auto window = start();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->resize(window->size() + QSize(100, 50));
    QApplication::processEvents();
    ASSERT_EQ(window->centralWidget()->size(), QSize(888, 530));

    EXPECT_EQ(clientPlace(*window, "ScrollBox1"), QRect(4, 4, 601, 431));
    EXPECT_EQ(child(*window, "I1")->geometry(), QRect(-3, -1, 602, 463));
    EXPECT_EQ(clientPlace(*window, "ScrollBox2"), QRect(608, 4, 277, 469));
    EXPECT_EQ(clientPlace(*window, "GroupBox3"), QRect(12, 457, 313, 39));
    EXPECT_EQ(child(*window, "ComboBox1")->geometry().topLeft(), QPoint(370, 457));
    // The image shows more of the page, unscaled.
    EXPECT_EQ(window->uiPort().drawingImageSize(), QSize(602, 463));
}

TEST_F(MainWindowTest, NarrowScreensGetTheCompactLayout)
{
    auto window = start({}, 640);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_EQ(clientPlace(*window, "ScrollBox1"), QRect(2, 4, 420, 360));
    EXPECT_EQ(child(*window, "I1")->geometry(), QRect(-3, -1, 421, 392));
    EXPECT_EQ(clientPlace(*window, "ScrollBox2"), QRect(426, 4, 213, 469));
    auto* panel = child<QScrollArea>(*window, "ScrollBox2");
    EXPECT_GT(panel->horizontalScrollBar()->maximum(), 0);  // it scrolls sideways
    EXPECT_FALSE(panel->verticalScrollBar()->isVisible());

    auto wide = start({}, 780);
    EXPECT_EQ(clientPlace(*wide, "ScrollBox1"), QRect(4, 4, 501, 381));
}

TEST_F(MainWindowTest, TheImageReportsPointerEventsInPagePixels)
{
    auto window = start();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    auto* image = child<PageWidget>(*window, "I1");
    QSignalSpy pressed(image, &PageWidget::mousePressed);
    QSignalSpy moved(image, &PageWidget::mouseMoved);
    QSignalSpy released(image, &PageWidget::mouseReleased);

    QTest::mousePress(image, Qt::RightButton, Qt::ShiftModifier, QPoint(40, 25));
    QTest::mouseMove(image, QPoint(52, 31));
    QTest::mouseRelease(image, Qt::RightButton, Qt::NoModifier, QPoint(60, 33));

    ASSERT_EQ(pressed.size(), 1);
    EXPECT_EQ(pressed[0][0].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(pressed[0][2].value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    EXPECT_EQ(pressed[0][3].toInt(), 40);
    EXPECT_EQ(pressed[0][4].toInt(), 25);
    ASSERT_GE(moved.size(), 1);
    EXPECT_EQ(moved.back()[2].toInt(), 52);
    EXPECT_EQ(moved.back()[3].toInt(), 31);
    ASSERT_EQ(released.size(), 1);
    EXPECT_EQ(released[0][0].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(released[0][3].toInt(), 60);
    EXPECT_EQ(released[0][4].toInt(), 33);

    // The page is shown unscaled: its pixel (x, y) is the image's pixel.
    window->editor().page.setPixel(20, 30, qRgb(0, 0, 0));
    const QImage shown = image->grab().toImage();
    EXPECT_EQ(shown.pixel(20, 30), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(21, 30), qRgb(255, 255, 255));
}

TEST_F(MainWindowTest, MoveButtonsRepeatWhileAnyButtonIsHeld)
{
    auto window = start();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    auto* timer = child<QTimer>(*window, "Timer2");
    QWidget* right = child(*window, "SpeedButton46");
    QWidget* down = child(*window, "SpeedButton48");

    QTest::mousePress(right, Qt::RightButton);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(window->timer2Tag(), 2);
    QTest::mouseRelease(right, Qt::RightButton);
    EXPECT_FALSE(timer->isActive());

    QTest::mousePress(down, Qt::LeftButton);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(window->timer2Tag(), 4);
    // Released away from the button: the button keeps the mouse and the
    // repeat stops all the same.
    QTest::mouseRelease(down, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    EXPECT_FALSE(timer->isActive());
}

TEST_F(MainWindowTest, PaletteClicksReachTheEditor)
{
    auto window = start();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    Editor& editor = window->editor();
    auto click = [&](const char* name) { QTest::mouseClick(child(*window, name), Qt::LeftButton); };

    click("SpeedButton2");
    EXPECT_EQ(editor.tools.LeftTool, kind::DoubleBond);
    EXPECT_TRUE(child<QAbstractButton>(*window, "SpeedButton2")->isChecked());
    EXPECT_FALSE(child<QAbstractButton>(*window, "SpeedButton1")->isChecked());

    click("SpeedButton67");
    EXPECT_EQ(editor.tools.LeftTool, kind::SelectTool);
    EXPECT_FALSE(child(*window, "GroupBox2")->isEnabled());

    click("SpeedButton68");
    EXPECT_TRUE(child(*window, "GroupBox2")->isEnabled());
    auto* curvature = child<QComboBox>(*window, "ComboBox2");
    ASSERT_TRUE(curvature->isEnabled());
    curvature->setCurrentIndex(5);
    EXPECT_EQ(editor.tools.LeftTool, 411);

    click("SpeedButton58");
    EXPECT_DOUBLE_EQ(editor.tools.RingStep, 90.0 / 7.0);
    click("SpeedButton24");
    EXPECT_EQ(editor.tools.RightLabel, 11);
    EXPECT_FALSE(child<QAbstractButton>(*window, "SpeedButton55")->isChecked());
}

TEST_F(MainWindowTest, NeuZeichnenRepaintsAndShowsReadErrorsInTheErrorBox)
{
    test::FaultyFileSystem fs;
    auto window = std::make_unique<Thauptf>(folders.environment(), fs);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->editor().workingFile.AppendRecord(kBond[0]);
    EXPECT_EQ(window->editor().page.pixel(115, 100), qRgb(255, 255, 255));

    QTest::mouseClick(child(*window, "Button2"), Qt::LeftButton);
    EXPECT_EQ(window->editor().page.pixel(115, 100), qRgb(0, 0, 0));

    // A failing read is reported in the general error box and the window
    // stays usable.
    test::MessageBoxWatcher watcher;
    fs.failAt(1, EIO, test::FsOp::Read);
    QTest::mouseClick(child(*window, "Button2"), Qt::LeftButton);
    fs.disarm();
    ASSERT_EQ(watcher.seen().size(), 1u);
    EXPECT_EQ(watcher.seen()[0].title, "Veltrano");
    EXPECT_FALSE(watcher.seen()[0].text.isEmpty());
    EXPECT_TRUE(window->isVisible());
    QTest::mouseClick(child(*window, "Button2"), Qt::LeftButton);
    EXPECT_EQ(window->editor().page.pixel(115, 100), qRgb(0, 0, 0));
}

TEST_F(MainWindowTest, MenuShortcutsComeBeforeTheTextField)
{
    auto window = start();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* edit = child<QLineEdit>(*window, "Edit1");
    ASSERT_EQ(QApplication::focusWidget(), edit);
    edit->setText("abc");
    edit->setCursorPosition(0);
    QSignalSpy deletes(item(*window, "Lschen1"), &QAction::triggered);

    // While "Löschen" is disabled, Del edits the text.
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->text(), "bc");
    EXPECT_EQ(deletes.size(), 0);

    // Enabled, it runs the menu item and leaves the text alone.
    window->uiPort().setEnabled(ui::kDeleteItem, true);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(deletes.size(), 1);
    EXPECT_EQ(edit->text(), "bc");

    // Shortcuts no text field knows work as well.
    QSignalSpy quits(item(*window, "Beenden1"), &QAction::triggered);
    QTest::keyClick(edit, Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(quits.size(), 1);
}

TEST_F(MainWindowTest, ClosingWithoutChangesCloses)
{
    auto window = start();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());

    auto other = start();
    other->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(other.get()));
    item(*other, "Beenden1")->trigger();
    EXPECT_FALSE(other->isVisible());
}

}  // namespace
}  // namespace veltrano
