#pragma once
// The commands of the main window's menus and buttons, as one table. Each
// row names its control (the handler the window runs is that name with
// "Click", as in "Speichern2Click"), and gives a menu item's caption,
// shortcut and state at start, and the function on the Editor it runs. The
// window builds its menus from the rows that name a menu and connects each
// button of a row by its name; every row runs through the same guard. A new
// command is one function and one row.

#include "editor/editor.h"

#include <QKeyCombination>

#include <span>
#include <string_view>

namespace veltrano {

struct MenuRow {
    const char* name;     // "Datei1"
    const char* caption;  // "&Datei"
};

using CommandFunction = void (*)(Editor&);

struct CommandRow {
    const char* menu;      // the menu of an item ("Datei1"); nullptr: a button of the window
    const char* name;      // the control's name ("Speichern2", "SpeedButton12"); nullptr: a separator
    const char* caption;   // a menu item's, UTF-8 with '&' before the access key; nullptr for a button
    QKeyCombination shortcut;
    QKeyCombination otherShortcut;  // a second key for the same item; none when empty
    bool enabled;          // a menu item's state at start
    CommandFunction run;   // nullptr for a separator and for the submenu below
};

// The row of the submenu "Zuletzt geöffnet" runs no function: the window
// fills it with the recent files and opens the one chosen
// (commands/recent_files).
inline constexpr const char* kRecentFilesMenu = "Zuletztgeffnet1";

std::span<const MenuRow> mainMenus();

// The menu items in menu order, separators included, then the buttons.
std::span<const CommandRow> commandTable();

// The row of a control; nullptr when no command has that name.
const CommandRow* findCommand(std::string_view name);

}  // namespace veltrano
