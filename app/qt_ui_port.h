#pragma once
// The UI port on Qt widgets: German message boxes, the file and colour
// dialogs, and the controls, menu items and timers of a window, each found
// by its component name on first use and kept.

#include "editor/ui_port.h"

#include <QPointer>

#include <array>
#include <functional>
#include <map>

class QAction;
class QTimer;
class QWidget;

namespace veltrano {

class QtUiPort : public UiPort {
public:
    // window holds every named control, action and timer as a descendant.
    explicit QtUiPort(QWidget* window);

    // Runs instead of a plain close() when the core ends the program, so the
    // window can skip its close check.
    void setCloseHandler(std::function<void()> handler) { m_closeHandler = std::move(handler); }
    // How showWindow shows a window that is no descendant of the main
    // window (the About window).
    void setWindowOpener(Control window, std::function<void()> open) { m_openers[window] = std::move(open); }

    MessageResult messageBox(std::string_view text, MessageKind kind, MessageButtons buttons) override;
    void showMessage(std::string_view text) override;
    void showError(std::string_view text) override;

    std::optional<std::string> openFileDialog(const FileDialogOptions& options) override;
    std::optional<std::string> saveFileDialog(const FileDialogOptions& options) override;
    std::optional<Colour> colourDialog(Colour initial) override;
    void openDocument(std::string_view path) override;
    void openWebPage(std::string_view url) override;

    void setEnabled(Control control, bool enabled) override;
    bool isEnabled(Control control) const override;
    void setVisible(Control control, bool visible) override;
    void setDown(Control control, bool down) override;
    void setFocus(Control control) override;
    void showWindow(Control control) override;

    std::string text(Control control) const override;
    void setText(Control control, std::string_view text) override;
    int itemIndex(Control control) const override;
    void setItemIndex(Control control, int index) override;

    void setCaption(std::string_view caption) override;
    std::string caption() const override;

    void startTimer(Control control) override;
    void stopTimer(Control control) override;
    bool isTimerRunning(Control control) const override;

    QSize drawingImageSize() const override;
    void pageChanged(const QRect& area) override;
    void closeMainWindow() override;
    void setClipboard(const std::vector<ClipboardFormat>& formats) override;
    PrintResult print(const PrintJob& job) override;
    std::optional<std::string> inputText(std::string_view title, std::string_view label) override;
    std::vector<std::string> storedRecentFiles() const override;
    void setRecentFiles(const std::vector<std::string>& files) override;
    void showReport(const ReportTable& report) override;

    // The window's objects; nullptr when the window has no such object.
    // Looked up once and kept.
    QWidget* widgetOf(Control control) const;
    QAction* actionOf(Control control) const;
    QTimer* timerOf(Control control) const;
    // Lookups by component name (menu items also by their caption without
    // the access key), for the tests and the first lookup of a control.
    QWidget* widget(std::string_view name) const;
    QAction* action(std::string_view name) const;
    QTimer* timer(std::string_view name) const;

private:
    QWidget* m_window;
    std::function<void()> m_closeHandler;
    std::map<Control, std::function<void()>> m_openers;
    mutable std::array<QPointer<QObject>, kControlCount> m_objects;

    QObject* objectOf(Control control) const;
};

}  // namespace veltrano
