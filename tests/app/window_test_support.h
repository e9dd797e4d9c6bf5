#pragma once
// Helpers of the window tests: the private folders of a test and a watcher
// that answers the modal message boxes the window opens.

#include "support/test_folders.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace veltrano::test {

struct SeenMessageBox {
    QString title;
    QString text;
    QStringList buttons;
};

// Answers every modal message box while it lives: records it and presses
// the button with the given text (or the escape button when empty).
class MessageBoxWatcher : public QObject {
public:
    explicit MessageBoxWatcher(QString answer = QString());

    const std::vector<SeenMessageBox>& seen() const { return m_seen; }

private:
    void poll();

    QString m_answer;
    QTimer m_timer;
    std::vector<SeenMessageBox> m_seen;
};

}  // namespace veltrano::test
