#pragma once
// The main menu of the main window, built from one table: captions with their
// access-key ampersands, shortcuts, the state at start and the handler of
// the main window each item runs (the item's name + "Click"), connected by
// its member pointer so that a renamed handler cannot silently go missing.

#include <QKeySequence>
#include <QString>

#include <span>

class QAction;
class QMenuBar;

namespace veltrano {

class Thauptf;
using MenuHandler = void (Thauptf::*)();

struct MenuItemRow {
    const char* menu;      // name of the menu, e.g. "Datei1"; nullptr: a separator
    const char* name;      // component name, e.g. "Speichern2"; nullptr: a separator
    const char* caption;   // UTF-8, with '&' before the access key
    QKeyCombination shortcut;
    bool enabled;          // at start
    MenuHandler handler;   // nullptr for a separator
};

struct MenuRow {
    const char* name;     // "Datei1"
    const char* caption;  // "&Datei"
};

std::span<const MenuRow> mainMenus();
// Every item in menu order; separators have no name.
std::span<const MenuItemRow> mainMenuItems();

// Fills menuBar from the tables. Each item is a QAction named like its
// component.
void buildMainMenu(QMenuBar* menuBar);
// Connects every item of menuBar (built by buildMainMenu) to its handler
// of window.
void connectMainMenu(QMenuBar* menuBar, Thauptf* window);

// The caption without its access-key ampersand ("Ö&ffnen" -> "Öffnen").
QString withoutAccessKey(const QString& caption);

}  // namespace veltrano
