#pragma once
// The main menu of the main window, built from one table: captions with their
// access-key ampersands, shortcuts, the state at start and the name of the
// handler slot each item runs (the item's name + "Click").

#include <QKeySequence>
#include <QString>

#include <span>

class QAction;
class QMenuBar;
class QObject;

namespace veltrano {

struct MenuItemSpec {
    const char* menu;      // name of the menu, e.g. "Datei1"; nullptr: a separator
    const char* name;      // component name, e.g. "Speichern2"; nullptr: a separator
    const char* caption;   // UTF-8, with '&' before the access key
    QKeyCombination shortcut;
    bool enabled;          // at start
};

struct MenuSpec {
    const char* name;     // "Datei1"
    const char* caption;  // "&Datei"
};

std::span<const MenuSpec> mainMenus();
// Every item in menu order; separators have no name.
std::span<const MenuItemSpec> mainMenuItems();

// Fills menuBar from the tables. Each item is a QAction named like its
// component; triggering it invokes the slot name + "Click()" of receiver.
void buildMainMenu(QMenuBar* menuBar, QObject* receiver);

// The caption without its access-key ampersand ("Ö&ffnen" -> "Öffnen").
QString withoutAccessKey(const QString& caption);

}  // namespace veltrano
