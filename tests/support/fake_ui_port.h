#pragma once
// A scripted UiPort for headless tests. It records every call in a log of
// readable lines ("setEnabled Lschen1 0"), keeps the current enabled,
// visible, down, text and item-index state per control name, and answers
// message boxes and dialogs from queues filled by the test. An unexpected
// box or dialog (empty queue) fails the test and is answered with
// Cancel/No or nothing.

#include "editor/ui_port.h"

#include <QImage>
#include <QRect>
#include <QSize>

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace veltrano::test {

struct RecordedMessageBox {
    std::string text;
    std::string caption;
    MessageButtons buttons;
};

class FakeUiPort : public UiPort {
public:
    // Script.
    std::deque<MessageResult> messageAnswers;
    std::deque<std::optional<std::string>> openDialogAnswers;
    std::deque<std::optional<std::string>> saveDialogAnswers;
    std::deque<std::optional<Colour>> colourDialogAnswers;
    QSize imageSize{502, 413};
    // How the print dialog ends; Printed runs the job's painting onto
    // printedPage (white, one page pixel per image pixel) first.
    std::deque<PrintResult> printAnswers;
    std::deque<std::optional<std::string>> inputAnswers;

    // What was asked and shown.
    std::vector<std::string> log;
    std::vector<RecordedMessageBox> messageBoxes;
    std::vector<std::string> messages;
    std::vector<std::string> errors;
    std::vector<FileDialogOptions> openDialogs;
    std::vector<FileDialogOptions> saveDialogs;
    std::vector<Colour> colourDialogs;
    std::vector<std::string> openedDocuments;
    std::vector<std::string> openedWebPages;
    std::vector<QRect> changedAreas;
    int closeRequests = 0;
    // Every clipboard content set, in order; the last one is on the clipboard.
    std::vector<std::vector<ClipboardFormat>> clipboards;
    std::vector<PrintJob> printJobs;
    std::vector<ReportTable> reports;
    QImage printedPage;

    // The bytes of mimeType in the last clipboard content; empty when absent.
    QByteArray clipboardData(std::string_view mimeType) const;

    // Current state per name. Names never switched are enabled and visible.
    std::map<std::string, bool, std::less<>> enabled;
    std::map<std::string, bool, std::less<>> visible;
    std::map<std::string, bool, std::less<>> down;
    std::map<std::string, std::string, std::less<>> texts;
    std::map<std::string, int, std::less<>> itemIndices;
    std::set<std::string, std::less<>> runningTimers;
    std::string currentCaption = "Veltrano";
    std::string focused;
    std::vector<std::string> shownWindows;
    // The list "Zuletzt geöffnet" as kept between runs.
    std::vector<std::string> keptRecentFiles;

    // The state of a control by its component name ("Lschen1", "SpeedButton67").
    bool isVisible(std::string_view name) const;
    bool isDown(std::string_view name) const;
    bool isVisible(Control control) const { return isVisible(controlName(control)); }
    bool isDown(Control control) const { return isDown(controlName(control)); }
    // Log lines that start with prefix, in order.
    std::vector<std::string> callsStartingWith(std::string_view prefix) const;
    bool logged(std::string_view line) const;
    void clearLog() { log.clear(); }

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
    std::vector<std::string> storedRecentFiles() const override;
    void setRecentFiles(const std::vector<std::string>& files) override;
    void setClipboard(const std::vector<ClipboardFormat>& formats) override;
    PrintResult print(const PrintJob& job) override;
    std::optional<std::string> inputText(std::string_view title, std::string_view label) override;
    void showReport(const ReportTable& report) override;
};

}  // namespace veltrano::test
