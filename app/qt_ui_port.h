#pragma once
// The UI port on Qt widgets: German message boxes, the file and colour
// dialogs, and the controls, menu items and timers of a window found by
// their component names (menu items also by their caption without the
// access-key ampersand).

#include "editor/ui_port.h"

#include <functional>
#include <map>
#include <string>

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
    void setWindowOpener(std::string_view name, std::function<void()> open)
    {
        m_openers[std::string(name)] = std::move(open);
    }

    MessageResult messageBox(std::string_view text, std::string_view caption, MessageButtons buttons) override;
    void showMessage(std::string_view text) override;
    void showError(std::string_view text) override;

    std::optional<std::string> openFileDialog(const FileDialogOptions& options) override;
    std::optional<std::string> saveFileDialog(const FileDialogOptions& options) override;
    std::optional<Colour> colourDialog(Colour initial) override;
    void openDocument(std::string_view path) override;
    void openWebPage(std::string_view url) override;

    void setEnabled(std::string_view name, bool enabled) override;
    bool isEnabled(std::string_view name) const override;
    void setVisible(std::string_view name, bool visible) override;
    void setDown(std::string_view name, bool down) override;
    void setFocus(std::string_view name) override;
    void showWindow(std::string_view name) override;

    std::string text(std::string_view name) const override;
    void setText(std::string_view name, std::string_view text) override;
    int itemIndex(std::string_view name) const override;
    void setItemIndex(std::string_view name, int index) override;

    void setCaption(std::string_view caption) override;
    std::string caption() const override;

    void startTimer(std::string_view name) override;
    void stopTimer(std::string_view name) override;
    bool isTimerRunning(std::string_view name) const override;

    QSize drawingImageSize() const override;
    void pageChanged(const QRect& area) override;
    void closeMainWindow() override;
    void setClipboard(const std::vector<ClipboardFormat>& formats) override;
    PrintResult print(const PrintJob& job) override;

    // Lookups by name; nullptr when the window has no such object.
    QWidget* widget(std::string_view name) const;
    QAction* action(std::string_view name) const;
    QTimer* timer(std::string_view name) const;

private:
    QWidget* m_window;
    std::function<void()> m_closeHandler;
    std::map<std::string, std::function<void()>, std::less<>> m_openers;
};

}  // namespace veltrano
