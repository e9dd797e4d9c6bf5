#include "support/fake_ui_port.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>

namespace veltrano::test {

namespace {

std::string joined(std::string_view call, std::string_view name, std::string_view value = {})
{
    std::string line(call);
    line += ' ';
    line += name;
    if (!value.empty()) {
        line += ' ';
        line += value;
    }
    return line;
}

const char* buttonsName(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::YesNo:
        return "YesNo";
    case MessageButtons::OkCancel:
        return "OkCancel";
    case MessageButtons::Ok:
        return "Ok";
    case MessageButtons::OpenAnywayCancel:
        return "OpenAnywayCancel";
    case MessageButtons::SaveDiscardCancel:
        return "SaveDiscardCancel";
    }
    return "?";
}

template <typename Map, typename Value>
Value lookup(const Map& map, std::string_view name, Value fallback)
{
    auto it = map.find(name);
    return it == map.end() ? fallback : it->second;
}

template <typename Answer>
Answer nextAnswer(std::deque<Answer>& queue, const char* what, Answer fallback)
{
    if (queue.empty()) {
        ADD_FAILURE() << "unexpected " << what << " (no scripted answer)";
        return fallback;
    }
    Answer answer = queue.front();
    queue.pop_front();
    return answer;
}

}  // namespace

bool FakeUiPort::isVisible(std::string_view name) const { return lookup(visible, name, true); }
bool FakeUiPort::isDown(std::string_view name) const { return lookup(down, name, false); }

std::vector<std::string> FakeUiPort::callsStartingWith(std::string_view prefix) const
{
    std::vector<std::string> result;
    for (const std::string& line : log) {
        if (std::string_view(line).substr(0, prefix.size()) == prefix)
            result.push_back(line);
    }
    return result;
}

bool FakeUiPort::logged(std::string_view line) const
{
    return std::find(log.begin(), log.end(), line) != log.end();
}

MessageResult FakeUiPort::messageBox(std::string_view text, MessageKind kind, MessageButtons buttons)
{
    const std::string_view caption = titleOf(kind);
    log.push_back(joined("messageBox", caption, std::string(text) + " " + buttonsName(buttons)));
    messageBoxes.push_back({std::string(text), std::string(caption), buttons});
    MessageResult fallback = buttons == MessageButtons::YesNo ? MessageResult::No
                             : buttons == MessageButtons::Ok  ? MessageResult::Ok
                                                              : MessageResult::Cancel;
    return nextAnswer(messageAnswers, "message box", fallback);
}

void FakeUiPort::showMessage(std::string_view text)
{
    log.push_back(joined("showMessage", text));
    messages.emplace_back(text);
}

void FakeUiPort::showError(std::string_view text)
{
    log.push_back(joined("showError", text));
    errors.emplace_back(text);
}

std::optional<std::string> FakeUiPort::openFileDialog(const FileDialogOptions& options)
{
    log.push_back(joined("openFileDialog", options.initialDirectory));
    openDialogs.push_back(options);
    return nextAnswer(openDialogAnswers, "open dialog", std::optional<std::string>{});
}

std::optional<std::string> FakeUiPort::saveFileDialog(const FileDialogOptions& options)
{
    log.push_back(joined("saveFileDialog", options.initialDirectory));
    saveDialogs.push_back(options);
    return nextAnswer(saveDialogAnswers, "save dialog", std::optional<std::string>{});
}

std::optional<Colour> FakeUiPort::colourDialog(Colour initial)
{
    log.push_back(joined("colourDialog", std::to_string(initial)));
    colourDialogs.push_back(initial);
    return nextAnswer(colourDialogAnswers, "colour dialog", std::optional<Colour>{});
}

void FakeUiPort::openDocument(std::string_view path)
{
    log.push_back(joined("openDocument", path));
    openedDocuments.emplace_back(path);
}

void FakeUiPort::openWebPage(std::string_view url)
{
    log.push_back(joined("openWebPage", url));
    openedWebPages.emplace_back(url);
}

void FakeUiPort::setEnabled(Control control, bool on)
{
    const std::string_view name = controlName(control);
    log.push_back(joined("setEnabled", name, on ? "1" : "0"));
    enabled[std::string(name)] = on;
}

bool FakeUiPort::isEnabled(Control control) const
{
    const std::string_view name = controlName(control);
    return lookup(enabled, name, true);
}

void FakeUiPort::setVisible(Control control, bool on)
{
    const std::string_view name = controlName(control);
    log.push_back(joined("setVisible", name, on ? "1" : "0"));
    visible[std::string(name)] = on;
}

void FakeUiPort::setDown(Control control, bool on)
{
    const std::string_view name = controlName(control);
    log.push_back(joined("setDown", name, on ? "1" : "0"));
    down[std::string(name)] = on;
}

void FakeUiPort::setFocus(Control control)
{
    const std::string_view name = controlName(control);
    log.push_back(joined("setFocus", name));
    focused = name;
}

void FakeUiPort::showWindow(Control control)
{
    const std::string_view name = controlName(control);
    log.push_back(joined("showWindow", name));
    shownWindows.emplace_back(name);
}

std::string FakeUiPort::text(Control control) const
{
    const std::string_view name = controlName(control);
    return lookup(texts, name, std::string());
}

void FakeUiPort::setText(Control control, std::string_view value)
{
    const std::string_view name = controlName(control);
    log.push_back(joined("setText", name, value));
    texts[std::string(name)] = value;
}

int FakeUiPort::itemIndex(Control control) const
{
    const std::string_view name = controlName(control);
    return lookup(itemIndices, name, -1);
}

void FakeUiPort::setItemIndex(Control control, int index)
{
    const std::string_view name = controlName(control);
    log.push_back(joined("setItemIndex", name, std::to_string(index)));
    itemIndices[std::string(name)] = index;
}

void FakeUiPort::setCaption(std::string_view value)
{
    log.push_back(joined("setCaption", value));
    currentCaption = value;
}

std::string FakeUiPort::caption() const { return currentCaption; }

void FakeUiPort::startTimer(Control control)
{
    const std::string_view name = controlName(control);
    log.push_back(joined("startTimer", name));
    runningTimers.emplace(name);
}

void FakeUiPort::stopTimer(Control control)
{
    const std::string_view name = controlName(control);
    log.push_back(joined("stopTimer", name));
    if (auto it = runningTimers.find(name); it != runningTimers.end())
        runningTimers.erase(it);
}

bool FakeUiPort::isTimerRunning(Control control) const
{
    const std::string_view name = controlName(control);
    return runningTimers.find(name) != runningTimers.end();
}

QSize FakeUiPort::drawingImageSize() const { return imageSize; }

void FakeUiPort::pageChanged(const QRect& area)
{
    log.push_back("pageChanged " + std::to_string(area.x()) + "," + std::to_string(area.y()) + " " +
                  std::to_string(area.width()) + "x" + std::to_string(area.height()));
    changedAreas.push_back(area);
}

void FakeUiPort::closeMainWindow()
{
    log.push_back("closeMainWindow");
    ++closeRequests;
}

void FakeUiPort::setClipboard(const std::vector<ClipboardFormat>& formats)
{
    std::string line = "setClipboard";
    for (const ClipboardFormat& format : formats)
        line += " " + format.mimeType;
    log.push_back(line);
    clipboards.push_back(formats);
}

QByteArray FakeUiPort::clipboardData(std::string_view mimeType) const
{
    if (clipboards.empty())
        return {};
    for (const ClipboardFormat& format : clipboards.back()) {
        if (format.mimeType == mimeType)
            return format.data;
    }
    return {};
}

PrintResult FakeUiPort::print(const PrintJob& job)
{
    log.push_back("print " + std::to_string(job.size.width()) + "x" + std::to_string(job.size.height()));
    printJobs.push_back(job);
    if (printAnswers.empty()) {
        ADD_FAILURE() << "unexpected print dialog";
        return PrintResult::Cancelled;
    }
    const PrintResult answer = printAnswers.front();
    printAnswers.pop_front();
    if (answer == PrintResult::Printed) {
        printedPage = QImage(job.size, QImage::Format_RGB32);
        printedPage.fill(Qt::white);
        QPainter painter(&printedPage);
        job.paint(painter);
    }
    return answer;
}

std::optional<std::string> FakeUiPort::inputText(std::string_view title, std::string_view label)
{
    log.push_back(joined("inputText", title, label));
    return nextAnswer(inputAnswers, "input line", std::optional<std::string>{});
}

void FakeUiPort::showReport(const ReportTable& report)
{
    log.push_back(joined("showReport", report.title));
    reports.push_back(report);
}

std::vector<std::string> FakeUiPort::storedRecentFiles() const
{
    return keptRecentFiles;
}

void FakeUiPort::setRecentFiles(const std::vector<std::string>& files)
{
    keptRecentFiles = files;
}

}  // namespace veltrano::test
