#pragma once
// A window for benchmarks: it shows nothing and declines every question, so
// a benchmark measures only the core's own work.
#include "editor/ui_port.h"

namespace veltrano::bench {

class QuietUiPort : public UiPort {
public:
    MessageResult messageBox(std::string_view, MessageKind, MessageButtons) override
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
    std::optional<std::string> inputText(std::string_view, std::string_view) override { return std::nullopt; }
    void showReport(const ReportTable&) override {}
    std::vector<std::string> storedRecentFiles() const override { return {}; }
    void setRecentFiles(const std::vector<std::string>&) override {}
    void setEnabled(Control, bool) override {}
    bool isEnabled(Control) const override { return true; }
    void setVisible(Control, bool) override {}
    void setDown(Control, bool) override {}
    void setFocus(Control) override {}
    void showWindow(Control) override {}
    std::string text(Control) const override { return {}; }
    void setText(Control, std::string_view) override {}
    int itemIndex(Control) const override { return -1; }
    void setItemIndex(Control, int) override {}
    void setCaption(std::string_view) override {}
    std::string caption() const override { return {}; }
    void startTimer(Control) override {}
    void stopTimer(Control) override {}
    bool isTimerRunning(Control) const override { return false; }
    QSize drawingImageSize() const override { return {502, 413}; }
    void pageChanged(const QRect&) override {}
    void closeMainWindow() override {}
    void setClipboard(const std::vector<ClipboardFormat>&) override {}
    PrintResult print(const PrintJob&) override { return PrintResult::Cancelled; }
};

}  // namespace veltrano::bench
