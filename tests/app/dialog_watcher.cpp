#include "dialog_watcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>

namespace veltrano::test {

DialogWatcher::DialogWatcher(std::deque<std::optional<QString>> answers)
    : m_answers(std::move(answers))
{
    connect(&m_timer, &QTimer::timeout, this, &DialogWatcher::poll);
    m_timer.start(5);
}

void DialogWatcher::poll()
{
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible() || qobject_cast<QMessageBox*>(dialog))
        return;
    SeenDialog seen;
    seen.className = dialog->metaObject()->className();
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        if (!label->text().isEmpty())
            seen.labels << label->text();
    }
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (!button->text().isEmpty())
            seen.buttons << button->text();
    }
    std::optional<QString> answer;
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    auto* files = qobject_cast<QFileDialog*>(dialog);
    if (files) {
        seen.acceptMode = files->acceptMode();
        seen.fileMode = files->fileMode();
        seen.directory = files->directory().absolutePath();
        seen.nameFilters = files->nameFilters();
        seen.defaultSuffix = files->defaultSuffix();
        seen.selectedFiles = files->selectedFiles();
        seen.native = !files->testOption(QFileDialog::DontUseNativeDialog);
        seen.confirmsOverwrite = !files->testOption(QFileDialog::DontConfirmOverwrite);
    }
    m_seen.push_back(seen);
    if (files && answer) {
        files->selectFile(*answer);
        // Through the base class: the dialog's own accept checks the name.
        static_cast<QDialog*>(files)->accept();
    } else {
        dialog->reject();
    }
}

}  // namespace veltrano::test
