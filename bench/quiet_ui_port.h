#pragma once
// A window for benchmarks: it shows nothing and declines every question, so
// a benchmark measures only the core's own work.
#include "editor/ui_port.h"

namespace veltrano::bench {

class QuietUiPort : public UiPort {
public:
    MessageResult messageBox(std::string_view, std::string_view, MessageButtons) override
    {
        return MessageResult::Cancel;
    }
    void showMessage(std::string_view) override {}
    void showError(std::string_view) override {}
    std::optional<std::string> openFileDialog(const FileDialogOptions&) override { return {}; }
    std::optional<std::string> saveFileDialog(const FileDialogOptions&) override { return {}; }
    std::optional<Colour> colourDialog(Colour) override { return {}; }
    void openDocument(std::string_view) override {}
    void openWebPage(std::string_view) override {}
    void setEnabled(std::string_view, bool) override {}
    bool isEnabled(std::string_view) const override { return true; }
    void setVisible(std::string_view, bool) override {}
    void setDown(std::string_view, bool) override {}
    void setFocus(std::string_view) override {}
    void showWindow(std::string_view) override {}
    std::string text(std::string_view) const override { return {}; }
    void setText(std::string_view, std::string_view) override {}
    int itemIndex(std::string_view) const override { return -1; }
    void setItemIndex(std::string_view, int) override {}
    void setCaption(std::string_view) override {}
    std::string caption() const override { return {}; }
    void startTimer(std::string_view) override {}
    void stopTimer(std::string_view) override {}
    bool isTimerRunning(std::string_view) const override { return false; }
    QSize drawingImageSize() const override { return {502, 413}; }
    void pageChanged(const QRect&) override {}
    void closeMainWindow() override {}
    void setClipboard(const std::vector<ClipboardFormat>&) override {}
    PrintResult print(const PrintJob&) override { return PrintResult::Cancelled; }
};

}  // namespace veltrano::bench
