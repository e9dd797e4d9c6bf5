#pragma once
// UiPort: the one interface through which the editing core talks to the
// window system. The core never shows anything itself; it asks the port for
// message boxes and dialogs, switches controls and menu items on and off,
// shows buttons pressed, reads and writes the few texts it needs, runs the
// timers and tells the window which part of the page to show again.
//
// Controls and menu items are named by strings:
//  - controls by their component name ("SpeedButton67", "ComboBox2",
//    "GroupBox2", "Edit1", "I1", "Button1", ...);
//  - menu items by their caption without the access-key ampersand
//    ("Löschen", "Kopieren", "Einfügen", "Rückgängig",
//    "Formel+Antwort speichern").
// The names the core uses are collected in namespace ui below, so a typo is
// a compile error rather than a silently ignored call.
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

namespace ui {
// Menu items (caption without '&').
inline constexpr std::string_view kDeleteItem = "Löschen";
inline constexpr std::string_view kCopyItem = "Kopieren";
inline constexpr std::string_view kPasteItem = "Einfügen";
inline constexpr std::string_view kUndoItem = "Rückgängig";
inline constexpr std::string_view kAnswerSaveItem = "Formel+Antwort speichern";

// Controls of the main window.
inline constexpr std::string_view kDrawingImage = "I1";
inline constexpr std::string_view kRightButtonGroup = "GroupBox2";
inline constexpr std::string_view kCurvatureBox = "ComboBox2";
inline constexpr std::string_view kLineLengthBox = "ComboBox1";
inline constexpr std::string_view kTextEdit = "Edit1";
inline constexpr std::string_view kAnswerMemo = "Memo1";
inline constexpr std::string_view kGridButton = "Button1";
inline constexpr std::string_view kSelectToolButton = "SpeedButton67";

// The template palette window and its radio buttons; the About window.
inline constexpr std::string_view kTemplatePalette = "TAuswahlf";
inline constexpr std::string_view kAboutWindow = "Taboutf";

// Timers. The window owns their intervals: Timer2 80 ms, Twiederan 200 ms.
inline constexpr std::string_view kMoveRepeatTimer = "Timer2";
inline constexpr std::string_view kReenableTimer = "Twiederan";

// Titles of the message boxes.
inline constexpr std::string_view kWarningTitle = "Warnung";
inline constexpr std::string_view kConfirmTitle = "Bestätigen";
}  // namespace ui

// Button sets of a message box: "&Ja"/"&Nein", "OK"/"Abbrechen", "OK", or
// "Trotzdem öffnen"/"Abbrechen" (answered Ok or Cancel).
enum class MessageButtons { YesNo, OkCancel, Ok, OpenAnywayCancel };
enum class MessageResult { Yes, No, Ok, Cancel };

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

class UiPort {
public:
    virtual ~UiPort() = default;

    // A modal message box with the given title; returns the button pressed.
    // Closing the box without a button counts as No (YesNo) or Cancel.
    virtual MessageResult messageBox(std::string_view text, std::string_view caption,
                                     MessageButtons buttons) = 0;
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
    virtual void setEnabled(std::string_view name, bool enabled) = 0;
    virtual bool isEnabled(std::string_view name) const = 0;
    virtual void setVisible(std::string_view name, bool visible) = 0;
    // Shows a speed button pressed; in a radio group this releases the others.
    virtual void setDown(std::string_view name, bool down) = 0;
    virtual void setFocus(std::string_view name) = 0;
    // Shows a window of the program ("TAuswahlf") without making it modal
    // and brings it to the front.
    virtual void showWindow(std::string_view name) = 0;

    // The text of an edit field, memo, editable combo box or button caption
    // ("Edit1", "Memo1", "ComboBox1", "Button1"). Setting a control's text
    // does not run its change handler.
    virtual std::string text(std::string_view name) const = 0;
    virtual void setText(std::string_view name, std::string_view text) = 0;
    // The selected item of a drop-down list ("ComboBox1", "ComboBox2"); -1
    // when none. Selecting does not run the change handler.
    virtual int itemIndex(std::string_view name) const = 0;
    virtual void setItemIndex(std::string_view name, int index) = 0;

    // The main window's caption.
    virtual void setCaption(std::string_view caption) = 0;
    virtual std::string caption() const = 0;

    // Timers by name. Starting a running timer keeps its current interval
    // phase (it is not restarted).
    virtual void startTimer(std::string_view name) = 0;
    virtual void stopTimer(std::string_view name) = 0;
    virtual bool isTimerRunning(std::string_view name) const = 0;

    // The visible size of the drawing image I1 in pixels.
    virtual QSize drawingImageSize() const = 0;

    // The page changed inside area (page pixels); the window shows it again.
    virtual void pageChanged(const QRect& area) = 0;

    // Ends the program (closing the main window without asking again).
    virtual void closeMainWindow() = 0;

    // Replaces the system clipboard's content by these representations of
    // one thing, offered together.
    virtual void setClipboard(const std::vector<ClipboardFormat>& formats) = 0;

    // The print dialog; when the user confirms it, the job is printed on the
    // chosen printer (or into the chosen file). Failed: the printer could not
    // be started.
    virtual PrintResult print(const PrintJob& job) = 0;
};

}  // namespace veltrano
