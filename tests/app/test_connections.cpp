// Every name the core and the tables use reaches a real object of the main
// window, and every button and menu item of the window is connected to a
// handler: a control that is renamed, or a handler that loses its
// connection, fails here instead of going quiet in the program.

#include "app/aboutf.h"
#include "app/auswahlf.h"
#include "app/hauptf.h"
#include "commands/command_table.h"
#include "app/qt_ui_port.h"
#include "editor/main_control_tables.h"
#include "editor/palette_tables.h"
#include "editor/ui_port.h"
#include "window_test_support.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace veltrano {
namespace {

QString qs(std::string_view name)
{
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

class Connections : public ::testing::Test {
protected:
    test::TestFolders folders;
    Thauptf window{folders.environment()};
};

TEST_F(Connections, EveryNameTheCoreUsesIsAnObjectOfTheWindow)
{
    QtUiPort& port = window.uiPort();
    // Every control the core can name is an object of the right type: menu
    // items are actions, timers timers, the rest widgets; the template
    // palette and its buttons once the palette exists, the About window
    // through its opener.
    TAuswahlf palette(&window);
    Taboutf about(&port);
    window.setAboutWindow(&about);
    for (int i = 0; i < kControlCount; ++i) {
        const Control control = Control(i);
        const std::string_view name = controlName(control);
        EXPECT_EQ(controlNamed(name), control) << name;
        if (control == Control::Taboutf) {
            port.showWindow(control);
            EXPECT_TRUE(about.isVisible());
        } else if (control <= Control::FormelAntwortspeichern1) {
            EXPECT_NE(port.actionOf(control), nullptr) << name;
        } else if (control == Control::Timer2 || control == Control::Twiederan) {
            EXPECT_NE(port.timerOf(control), nullptr) << name;
        } else {
            EXPECT_NE(port.widgetOf(control), nullptr) << name;
        }
    }

    for (const PanelControl& row : panelControls())
        EXPECT_NE(port.widget(row.name), nullptr) << row.name;
    for (auto group : {leftToolButtons(), rightLabelButtons(), ringSizeButtons()}) {
        for (const PaletteButton& row : group)
            EXPECT_NE(window.findChild<QAbstractButton*>(qs(row.name)), nullptr) << row.name;
    }
    for (const MoveButton& row : moveButtons())
        EXPECT_NE(window.findChild<QAbstractButton*>(qs(row.name)), nullptr) << row.name;
    for (const ColourButton& row : colourButtons())
        EXPECT_NE(window.findChild<QAbstractButton*>(qs(row.name())), nullptr) << row.name();
    // Every command's control: a menu item in its menu, or a button.
    for (const CommandRow& row : commandTable()) {
        if (!row.name)
            continue;
        EXPECT_TRUE(row.run || row.name == std::string_view(kRecentFilesMenu)) << row.name;
        if (row.menu) {
            const QMenu* menu = window.menuBar()->findChild<QMenu*>(row.menu);
            ASSERT_NE(menu, nullptr) << row.menu;
            EXPECT_TRUE(menu->actions().contains(window.menuBar()->findChild<QAction*>(row.name))) << row.name;
        } else {
            EXPECT_NE(window.findChild<QAbstractButton*>(row.name), nullptr) << row.name;
        }
    }
}

TEST_F(Connections, EveryButtonAndMenuItemRunsAHandlerOfTheWindow)
{
    // Each button is either a palette radio button or has a row of its own,
    // never both and never neither.
    std::set<std::string> rows;
    for (const CommandRow& row : commandTable()) {
        if (row.name) {
            EXPECT_TRUE(rows.insert(row.name).second) << "twice: " << row.name;
        }
    }
    const QList<QAbstractButton*> buttons = window.centralWidget()->findChildren<QAbstractButton*>();
    ASSERT_GT(buttons.size(), 80);
    for (QAbstractButton* button : buttons) {
        const std::string name = button->objectName().toStdString();
        if (name.empty())
            continue;  // the inner buttons of Qt's own controls
        const bool palette = findPaletteButton(name) != nullptr;
        const CommandRow* command = findCommand(name);
        EXPECT_NE(palette, command != nullptr && !command->menu) << name;
        // Breaking its connections to the window finds one to break.
        EXPECT_TRUE(QObject::disconnect(button, SIGNAL(clicked(bool)), &window, nullptr)) << name;
    }
    // Every menu item is a command of the table, connected to the window.
    for (QAction* action : window.menuBar()->findChildren<QAction*>()) {
        if (action->isSeparator() || action->menu())
            continue;
        const std::string name = action->objectName().toStdString();
        EXPECT_TRUE(rows.count(name) == 1 && findCommand(name)->menu) << name;
        EXPECT_TRUE(QObject::disconnect(action, SIGNAL(triggered(bool)), &window, nullptr)) << name;
    }
}

TEST_F(Connections, AMenuItemAndAButtonReachTheirHandlers)
{
    // Two handlers whose effect shows: "&Beenden" closes the window,
    // "Neu zeichnen" repaints the page from temp.dat.
    window.show();
    window.editor().page.setPixel(300, 300, qRgb(0, 0, 0));
    window.findChild<QAbstractButton*>("Button2")->click();
    EXPECT_EQ(window.editor().page.pixel(300, 300), qRgb(255, 255, 255));
    // "&About" shows the About window, which is no child of the main window.
    Taboutf about(&window.uiPort());
    window.setAboutWindow(&about);
    window.menuBar()->findChild<QAction*>("About1")->trigger();
    EXPECT_TRUE(about.isVisible());
    about.close();
    window.menuBar()->findChild<QAction*>("Beenden1")->trigger();
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace veltrano
