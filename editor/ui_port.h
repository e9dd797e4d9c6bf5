#pragma once
// UiPort: the one interface through which the editing core talks to the
// window system. The core never shows anything itself; it asks the port for
// message boxes and dialogs, switches controls and menu items on and off,
// shows buttons pressed, reads and writes the few texts it needs, runs the
// timers and tells the window which part of the page to show again.
//
// Controls, menu items, timers and windows are named by the enum Control
// below.
//
// The window implements this with Qt widgets; tests use a scripted fake
// (tests/support/fake_ui_port.h). All calls happen on the GUI thread.

#include "render/colour.h"

#include <QByteArray>
#include <QRect>
#include <QSize>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QPainter;

namespace veltrano {

// The controls, menu items, timers and windows the core reaches, by the
// names of the window's components. A misspelt control does not compile.
enum class Control {
    // Menu items.
    Lschen1, Kopieren1, Einfgen1, Undo1, Wiederherstellen1, FormelAntwortspeichern1,
    // Controls of the main window.
    I1, GroupBox2, ComboBox1, ComboBox2, Edit1, Memo1, Button1, SpeedButton67,
    // The colour buttons.
    SpeedButton11, SpeedButton12, SpeedButton13, SpeedButton14, SpeedButton15, SpeedButton16, SpeedButton17,
    // The template palette's line-length buttons.
    RadioButton1, RadioButton2,
    // Timers; the window owns their intervals: Timer2 80 ms, Twiederan 200 ms.
    Timer2, Twiederan,
    // The other windows of the program.
    TAuswahlf, Taboutf,
};

// The component name of a control ("Lschen1", "I1", "Timer2", ...).
constexpr std::string_view controlName(Control control)
{
    constexpr std::string_view kNames[] = {
        "Lschen1", "Kopieren1", "Einfgen1", "Undo1", "Wiederherstellen1", "FormelAntwortspeichern1",
        "I1", "GroupBox2", "ComboBox1", "ComboBox2", "Edit1", "Memo1", "Button1", "SpeedButton67",
        "SpeedButton11", "SpeedButton12", "SpeedButton13", "SpeedButton14", "SpeedButton15", "SpeedButton16",
        "SpeedButton17",
        "RadioButton1", "RadioButton2",
        "Timer2", "Twiederan",
        "TAuswahlf", "Taboutf",
    };
    return kNames[static_cast<int>(control)];
}
inline constexpr int kControlCount = static_cast<int>(Control::Taboutf) + 1;

// The control with that component name; nothing for any other name.
std::optional<Control> controlNamed(std::string_view name);

// The names the core uses for its controls, by their role.
namespace ui {
inline constexpr Control kDeleteItem = Control::Lschen1;
inline constexpr Control kCopyItem = Control::Kopieren1;
inline constexpr Control kPasteItem = Control::Einfgen1;
inline constexpr Control kUndoItem = Control::Undo1;
inline constexpr Control kRedoItem = Control::Wiederherstellen1;
inline constexpr Control kAnswerSaveItem = Control::FormelAntwortspeichern1;
inline constexpr Control kDrawingImage = Control::I1;
inline constexpr Control kRightButtonGroup = Control::GroupBox2;
inline constexpr Control kCurvatureBox = Control::ComboBox2;
inline constexpr Control kLineLengthBox = Control::ComboBox1;
inline constexpr Control kTextEdit = Control::Edit1;
inline constexpr Control kAnswerMemo = Control::Memo1;
inline constexpr Control kGridButton = Control::Button1;
inline constexpr Control kSelectToolButton = Control::SpeedButton67;
inline constexpr Control kTemplatePalette = Control::TAuswahlf;
inline constexpr Control kAboutWindow = Control::Taboutf;
inline constexpr Control kMoveRepeatTimer = Control::Timer2;
inline constexpr Control kReenableTimer = Control::Twiederan;
}  // namespace ui

// What a message box is: a warning ("Warnung") or a question asking for
// confirmation ("Bestätigen"); the window picks its title and icon by it.
enum class MessageKind { Warning, Confirmation };
constexpr std::string_view titleOf(MessageKind kind)
{
    return kind == MessageKind::Warning ? "Warnung" : "Bestätigen";
}

// Button sets of a message box: "&Ja"/"&Nein", "OK"/"Abbrechen", "OK",
// "Trotzdem öffnen"/"Abbrechen" (answered Ok or Cancel), or the standard
// "Speichern"/"Verwerfen"/"Abbrechen" of a question before unsaved work is
// dropped (answered Save, Discard or Cancel).
enum class MessageButtons { YesNo, OkCancel, Ok, OpenAnywayCancel, SaveDiscardCancel };
enum class MessageResult { Yes, No, Ok, Cancel, Save, Discard };

// Settings of an open or save dialog. The filter is one entry, e.g.
// description "Formel-Dateien" with pattern "*.cfd".
struct FileDialogOptions {
    std::string initialDirectory;
    std::string filterDescription = "Formel-Dateien";
    std::string filterPattern = "*.cfd";
    std::string defaultExtension;  // without the dot; empty = none
    std::string fileName;          // preset file name field, e.g. "*.cfd"
};

// One representation of what goes onto the system clipboard: a MIME type
// ("image/png", "image/svg+xml") and its bytes.
struct ClipboardFormat {
    std::string mimeType;
    QByteArray data;
};

// A drawing to print: its size in page pixels (1/96 inch each) and how to
// paint it, one page pixel per painter unit from the painter's origin. The
// printer scales and places it.
struct PrintJob {
    std::string documentName;  // shown in the print queue
    QSize size;
    std::function<void(QPainter&)> paint;
};

enum class PrintResult { Printed, Cancelled, Failed };

// A table for the user to read, such as the drawing read as chemistry:
// column titles, rows of cells in simple HTML (<sub>, <sup>), and notes
// shown below the table.
struct ReportTable {
    std::string title;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> notes;
};

class UiPort {
public:
    virtual ~UiPort() = default;

    // A modal message box of that kind; returns the button pressed.
    // Closing the box without a button counts as No (YesNo) or Cancel.
    virtual MessageResult messageBox(std::string_view text, MessageKind kind, MessageButtons buttons) = 0;
    // The application's plain message (one "OK" button), e.g.
    // "Die Datei konnte nicht geöffnet werden.".
    virtual void showMessage(std::string_view text) = 0;
    // The general error box for a run-time error (the text of an IoError).
    virtual void showError(std::string_view text) = 0;

    // File dialogs: the chosen full path, or nothing when cancelled. The open
    // dialog admits only existing files; the save dialog does not ask about
    // overwriting.
    virtual std::optional<std::string> openFileDialog(const FileDialogOptions& options) = 0;
    virtual std::optional<std::string> saveFileDialog(const FileDialogOptions& options) = 0;
    // The colour dialog opening at initial; the chosen colour, or nothing.
    virtual std::optional<Colour> colourDialog(Colour initial) = 0;

    // Hands a local file (the help) or a web address (the About window's
    // link) to the desktop's program for it and returns at once. Whether
    // that program could be started is not reported: the program itself
    // shows nothing when, for instance, the file is missing.
    virtual void openDocument(std::string_view path) = 0;
    virtual void openWebPage(std::string_view url) = 0;

    // Controls and menu items by name (see the head of this file).
    virtual void setEnabled(Control name, bool enabled) = 0;
    virtual bool isEnabled(Control name) const = 0;
    virtual void setVisible(Control name, bool visible) = 0;
    // Shows a speed button pressed; in a radio group this releases the others.
    virtual void setDown(Control name, bool down) = 0;
    virtual void setFocus(Control name) = 0;
    // Shows a window of the program ("TAuswahlf") without making it modal
    // and brings it to the front.
    virtual void showWindow(Control name) = 0;

    // The text of an edit field, memo, editable combo box or button caption
    // ("Edit1", "Memo1", "ComboBox1", "Button1"). Setting a control's text
    // does not run its change handler.
    virtual std::string text(Control name) const = 0;
    virtual void setText(Control name, std::string_view text) = 0;
    // The selected item of a drop-down list ("ComboBox1", "ComboBox2"); -1
    // when none. Selecting does not run the change handler.
    virtual int itemIndex(Control name) const = 0;
    virtual void setItemIndex(Control name, int index) = 0;

    // The main window's caption.
    virtual void setCaption(std::string_view caption) = 0;
    virtual std::string caption() const = 0;

    // Timers by name. Starting a running timer keeps its current interval
    // phase (it is not restarted).
    virtual void startTimer(Control name) = 0;
    virtual void stopTimer(Control name) = 0;
    virtual bool isTimerRunning(Control name) const = 0;

    // The visible size of the drawing image I1 in pixels.
    virtual QSize drawingImageSize() const = 0;

    // The page changed inside area (page pixels); the window shows it again.
    virtual void pageChanged(const QRect& area) = 0;

    // Ends the program (closing the main window without asking again).
    virtual void closeMainWindow() = 0;

    // Replaces the system clipboard's content by these representations of
    // one thing, offered together.
    virtual void setClipboard(const std::vector<ClipboardFormat>& formats) = 0;

    // A modal German input line: the text entered, or nothing when cancelled.
    virtual std::optional<std::string> inputText(std::string_view title, std::string_view label) = 0;

    // The files last opened or saved, newest first, as they were kept for the
    // next run (nothing on a first run).
    virtual std::vector<std::string> storedRecentFiles() const = 0;
    // Keeps the list for the next run and shows it in the menu
    // "Zuletzt geöffnet" (greyed when empty).
    virtual void setRecentFiles(const std::vector<std::string>& files) = 0;

    // Shows the table in a window of its own (modal; "Schließen" ends it).
    virtual void showReport(const ReportTable& report) = 0;

    // The print dialog; when the user confirms it, the job is printed on the
    // chosen printer (or into the chosen file). Failed: the printer could not
    // be started.
    virtual PrintResult print(const PrintJob& job) = 0;
};

}  // namespace veltrano
