#include "window_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace veltrano::test {

MessageBoxWatcher::MessageBoxWatcher(QString answer)
    : m_answer(std::move(answer))
{
    connect(&m_timer, &QTimer::timeout, this, &MessageBoxWatcher::poll);
    m_timer.start(5);
}

void MessageBoxWatcher::poll()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    SeenMessageBox seen{box->windowTitle(), box->text(), {}};
    QAbstractButton* chosen = box->escapeButton();
    for (QAbstractButton* button : box->buttons()) {
        seen.buttons << button->text();
        if (!m_answer.isEmpty() && button->text() == m_answer)
            chosen = button;
    }
    m_seen.push_back(seen);
    if (chosen)
        chosen->click();
    else
        box->reject();
}

}  // namespace veltrano::test
