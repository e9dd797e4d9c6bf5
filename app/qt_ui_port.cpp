#include "app/qt_ui_port.h"

#include "app/drawing_printer.h"
#include "app/main_menu.h"
#include "app/qt_conversions.h"
#include "app/report_window.h"
#include "commands/command_table.h"
#include "commands/startup.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QTimer>
#include <QUrl>

namespace veltrano {

namespace {

std::string toStd(const QString& text)
{
    return text.toStdString();
}

QString filterOf(const FileDialogOptions& options)
{
    return fromView(options.filterDescription) + " (" + fromView(options.filterPattern) + ")";
}

// The box of the program's own messages and of the run-time errors carries
// the application title, as the classic message functions do.
void plainBox(QMessageBox::Icon icon, std::string_view text)
{
    QMessageBox box(icon, QString::fromUtf8(kApplicationTitle), fromView(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton* ok = box.addButton("OK", QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

}  // namespace

QtUiPort::QtUiPort(QWidget* window)
    : m_window(window)
{
}

MessageResult QtUiPort::messageBox(std::string_view text, MessageKind kind, MessageButtons buttons)
{
    const QMessageBox::Icon icon = kind == MessageKind::Confirmation ? QMessageBox::Question : QMessageBox::Warning;
    QMessageBox box(icon, fromView(titleOf(kind)), fromView(text), QMessageBox::NoButton, m_window);
    if (buttons == MessageButtons::SaveDiscardCancel) {
        // Qt's standard buttons, which its German translation names
        // "Speichern", "Verwerfen" and "Abbrechen"; Escape and closing the
        // box keep the document.
        box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
        box.exec();
        const QAbstractButton* pressed = box.clickedButton();
        if (pressed == box.button(QMessageBox::Save))
            return MessageResult::Save;
        if (pressed == box.button(QMessageBox::Discard))
            return MessageResult::Discard;
        return MessageResult::Cancel;
    }
    QPushButton* first = nullptr;
    QPushButton* second = nullptr;
    switch (buttons) {
    case MessageButtons::YesNo:
        first = box.addButton("&Ja", QMessageBox::YesRole);
        second = box.addButton("&Nein", QMessageBox::NoRole);
        break;
    case MessageButtons::OkCancel:
        first = box.addButton("OK", QMessageBox::AcceptRole);
        second = box.addButton("Abbrechen", QMessageBox::RejectRole);
        break;
    case MessageButtons::Ok:
        first = box.addButton("OK", QMessageBox::AcceptRole);
        break;
    case MessageButtons::OpenAnywayCancel:
        first = box.addButton("Trotzdem öffnen", QMessageBox::AcceptRole);
        second = box.addButton("Abbrechen", QMessageBox::RejectRole);
        break;
    case MessageButtons::SaveDiscardCancel:
        break;
    }
    // Where opening is doubtful, pressing Enter must not open.
    if (buttons == MessageButtons::OpenAnywayCancel)
        box.setDefaultButton(second);
    else
        box.setDefaultButton(first);
    box.setEscapeButton(second ? second : first);
    box.exec();
    const bool firstPressed = box.clickedButton() == first;
    switch (buttons) {
    case MessageButtons::YesNo:
        return firstPressed ? MessageResult::Yes : MessageResult::No;
    case MessageButtons::OkCancel:
    case MessageButtons::OpenAnywayCancel:
        return firstPressed ? MessageResult::Ok : MessageResult::Cancel;
    case MessageButtons::Ok:
    case MessageButtons::SaveDiscardCancel:
        break;
    }
    return MessageResult::Ok;
}

void QtUiPort::showMessage(std::string_view text)
{
    plainBox(QMessageBox::Information, text);
}

void QtUiPort::showError(std::string_view text)
{
    plainBox(QMessageBox::Critical, text);
}

namespace {

// The open and save dialogs differ only in their mode: the save dialog takes
// any name and leaves the overwrite question to the caller.
std::optional<std::string> runFileDialog(QWidget* parent, const FileDialogOptions& options,
                                         QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, QString(), fromView(options.initialDirectory), filterOf(options));
    // Qt's own dialog, so that it speaks the application's German on every
    // desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    if (mode == QFileDialog::AcceptOpen) {
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    if (!options.defaultExtension.empty())
        dialog.setDefaultSuffix(fromView(options.defaultExtension));
    if (!options.fileName.empty())
        dialog.selectFile(fromView(options.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return toStd(dialog.selectedFiles().front());
}

}  // namespace

std::optional<std::string> QtUiPort::openFileDialog(const FileDialogOptions& options)
{
    return runFileDialog(m_window, options, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtUiPort::saveFileDialog(const FileDialogOptions& options)
{
    return runFileDialog(m_window, options, QFileDialog::AcceptSave);
}

std::optional<Colour> QtUiPort::colourDialog(Colour initial)
{
    const QColor chosen =
        QColorDialog::getColor(toQColor(initial), m_window, QString(), QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid())
        return std::nullopt;
    return makeColour(chosen.red(), chosen.green(), chosen.blue());
}

void QtUiPort::openDocument(std::string_view path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(fromView(path)));
}

void QtUiPort::openWebPage(std::string_view url)
{
    QDesktopServices::openUrl(QUrl(fromView(url), QUrl::StrictMode));
}

QWidget* QtUiPort::widget(std::string_view name) const
{
    const QString wanted = fromView(name);
    if (m_window->objectName() == wanted)
        return m_window;
    // The template palette is a child window of the main window and names
    // its buttons as the main window does (SpeedButton1, ...): a control of
    // the main window itself comes first.
    const QList<QWidget*> found = m_window->findChildren<QWidget*>(wanted);
    for (QWidget* candidate : found) {
        if (candidate->window() == m_window)
            return candidate;
    }
    return found.isEmpty() ? nullptr : found.front();
}

QAction* QtUiPort::action(std::string_view name) const
{
    const QString wanted = fromView(name);
    const QList<QAction*> actions = m_window->findChildren<QAction*>();
    for (QAction* candidate : actions) {
        if (candidate->objectName() == wanted)
            return candidate;
    }
    for (QAction* candidate : actions) {
        if (!candidate->isSeparator() && withoutAccessKey(candidate->text()) == wanted)
            return candidate;
    }
    return nullptr;
}

QTimer* QtUiPort::timer(std::string_view name) const
{
    return m_window->findChild<QTimer*>(fromView(name));
}

QObject* QtUiPort::objectOf(Control control) const
{
    QPointer<QObject>& cached = m_objects[std::size_t(control)];
    if (cached)
        return cached;
    const std::string_view name = controlName(control);
    QObject* found = nullptr;
    if (control == Control::Timer2 || control == Control::Twiederan)
        found = timer(name);
    else if (control <= Control::FormelAntwortspeichern1)
        found = action(name);
    else
        found = widget(name);
    // A control the window lacks is a fault of its tables; the window tests
    // look up every control once.
    if (!found)
        qWarning("the window has no control %.*s", int(name.size()), name.data());
    cached = found;
    return found;
}

QWidget* QtUiPort::widgetOf(Control control) const
{
    return qobject_cast<QWidget*>(objectOf(control));
}

QAction* QtUiPort::actionOf(Control control) const
{
    return qobject_cast<QAction*>(objectOf(control));
}

QTimer* QtUiPort::timerOf(Control control) const
{
    return qobject_cast<QTimer*>(objectOf(control));
}

void QtUiPort::setEnabled(Control control, bool enabled)
{
    if (QWidget* found = widgetOf(control))
        found->setEnabled(enabled);
    else if (QAction* item = actionOf(control))
        item->setEnabled(enabled);
}

bool QtUiPort::isEnabled(Control control) const
{
    if (QWidget* found = widgetOf(control))
        return found->isEnabled();
    if (QAction* item = actionOf(control))
        return item->isEnabled();
    return false;
}

void QtUiPort::setVisible(Control control, bool visible)
{
    if (QWidget* found = widgetOf(control))
        found->setVisible(visible);
    else if (QAction* item = actionOf(control))
        item->setVisible(visible);
}

void QtUiPort::setDown(Control control, bool down)
{
    if (auto* button = qobject_cast<QAbstractButton*>(widgetOf(control)))
        button->setChecked(down);
}

void QtUiPort::setFocus(Control control)
{
    if (QWidget* found = widgetOf(control))
        found->setFocus(Qt::OtherFocusReason);
}

void QtUiPort::showWindow(Control control)
{
    if (const auto opener = m_openers.find(control); opener != m_openers.end()) {
        opener->second();
        return;
    }
    if (QWidget* found = widgetOf(control)) {
        found->show();
        found->raise();
        found->activateWindow();
    }
}

std::string QtUiPort::text(Control control) const
{
    QWidget* found = widgetOf(control);
    if (auto* edit = qobject_cast<QLineEdit*>(found))
        return toStd(edit->text());
    if (auto* memo = qobject_cast<QPlainTextEdit*>(found))
        return toStd(memo->toPlainText());
    if (auto* box = qobject_cast<QComboBox*>(found))
        return toStd(box->currentText());
    if (auto* button = qobject_cast<QAbstractButton*>(found))
        return toStd(button->text());
    return {};
}

void QtUiPort::setText(Control control, std::string_view text)
{
    QWidget* found = widgetOf(control);
    if (!found)
        return;
    const QSignalBlocker blocker(found);
    const QString value = fromView(text);
    if (auto* edit = qobject_cast<QLineEdit*>(found)) {
        edit->setText(value);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(found)) {
        memo->setPlainText(value);
    } else if (auto* box = qobject_cast<QComboBox*>(found)) {
        if (box->isEditable())
            box->setEditText(value);
        else
            box->setCurrentIndex(box->findText(value));
    } else if (auto* button = qobject_cast<QAbstractButton*>(found)) {
        button->setText(value);
    }
}

int QtUiPort::itemIndex(Control control) const
{
    if (auto* box = qobject_cast<QComboBox*>(widgetOf(control)))
        return box->currentIndex();
    return -1;
}

void QtUiPort::setItemIndex(Control control, int index)
{
    if (auto* box = qobject_cast<QComboBox*>(widgetOf(control))) {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(index);
    }
}

void QtUiPort::setCaption(std::string_view caption)
{
    m_window->setWindowTitle(fromView(caption));
}

std::string QtUiPort::caption() const
{
    return toStd(m_window->windowTitle());
}

void QtUiPort::startTimer(Control control)
{
    if (QTimer* found = timerOf(control); found && !found->isActive())
        found->start();
}

void QtUiPort::stopTimer(Control control)
{
    if (QTimer* found = timerOf(control))
        found->stop();
}

bool QtUiPort::isTimerRunning(Control control) const
{
    const QTimer* found = timerOf(control);
    return found && found->isActive();
}

QSize QtUiPort::drawingImageSize() const
{
    const QWidget* image = widgetOf(ui::kDrawingImage);
    return image ? image->size() : QSize();
}

void QtUiPort::pageChanged(const QRect& area)
{
    if (QWidget* image = widgetOf(ui::kDrawingImage))
        image->update(area);
}

void QtUiPort::closeMainWindow()
{
    if (m_closeHandler)
        m_closeHandler();
    else
        m_window->close();
}

void QtUiPort::setClipboard(const std::vector<ClipboardFormat>& formats)
{
    auto* mime = new QMimeData;
    for (const ClipboardFormat& format : formats) {
        mime->setData(QString::fromStdString(format.mimeType), format.data);
        // The picture also goes on as an image, from which the platform
        // offers its own bitmap formats to programs that take no PNG.
        if (format.mimeType == "image/png")
            mime->setImageData(QImage::fromData(format.data, "PNG"));
    }
    QGuiApplication::clipboard()->setMimeData(mime);
}

PrintResult QtUiPort::print(const PrintJob& job)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(job.documentName));
    QPrintDialog dialog(&printer, m_window);
    // The drawing is one page: there is no range to choose.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return PrintResult::Cancelled;
    return printOn(printer, job) ? PrintResult::Printed : PrintResult::Failed;
}

std::optional<std::string> QtUiPort::inputText(std::string_view title, std::string_view label)
{
    QInputDialog dialog(m_window);
    dialog.setWindowTitle(fromView(title));
    dialog.setLabelText(fromView(label));
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return toStd(dialog.textValue());
}

namespace {

// Kept in the user's configuration folder ($XDG_CONFIG_HOME/veltrano).
QSettings programSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "veltrano", "veltrano");
}

constexpr const char* kRecentFilesKey = "ZuletztGeoeffnet";

// "&1 Formel.cfd  (/home/anna/Chemie)": the number is the access key; a
// name's own '&' is doubled so that it is shown.
QString recentFileCaption(std::size_t index, const QString& path)
{
    const QFileInfo info(path);
    QString caption = QString("&%1 %2  (%3)").arg(index + 1).arg(info.fileName(), info.absolutePath());
    return QString(caption.left(1)) + caption.mid(1).replace('&', "&&");
}

}  // namespace

std::vector<std::string> QtUiPort::storedRecentFiles() const
{
    std::vector<std::string> files;
    for (const QString& path : programSettings().value(kRecentFilesKey).toStringList())
        files.push_back(path.toStdString());
    return files;
}

void QtUiPort::setRecentFiles(const std::vector<std::string>& files)
{
    QStringList paths;
    for (const std::string& path : files)
        paths.append(QString::fromStdString(path));
    {
        QSettings settings = programSettings();
        settings.setValue(kRecentFilesKey, paths);
    }
    auto* menu = m_window->findChild<QMenu*>(kRecentFilesMenu);
    if (!menu)
        return;
    // The entry being chosen may be running this: the old entries go once
    // control is back in the event loop.
    for (QAction* old : menu->actions()) {
        menu->removeAction(old);
        old->deleteLater();
    }
    for (qsizetype i = 0; i < paths.size(); ++i) {
        QAction* action = menu->addAction(recentFileCaption(std::size_t(i), paths[i]));
        action->setData(int(i));
        action->setToolTip(paths[i]);
    }
    menu->setEnabled(!paths.isEmpty());
}

void QtUiPort::showReport(const ReportTable& report)
{
    ReportWindow window(report, m_window);
    window.exec();
}

}  // namespace veltrano
