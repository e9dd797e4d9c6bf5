#pragma once
// Answers the modal file and colour dialogs the window opens, as a user
// would: records what each dialog shows (its settings, labels and button
// captions) and then chooses the next scripted path or cancels.

#include <QFileDialog>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <optional>
#include <vector>

namespace veltrano::test {

struct SeenDialog {
    QString className;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    QString directory;
    QStringList nameFilters;
    QString defaultSuffix;
    QStringList selectedFiles;  // what the name field held when the dialog came up
    bool native = true;
    bool confirmsOverwrite = true;
    QStringList labels;
    QStringList buttons;
};

class DialogWatcher : public QObject {
public:
    // Each dialog takes the next answer: a path for a file dialog to choose,
    // or nothing to cancel. Without answers left every dialog is cancelled.
    explicit DialogWatcher(std::deque<std::optional<QString>> answers = {});

    const std::vector<SeenDialog>& seen() const { return m_seen; }

private:
    void poll();

    std::deque<std::optional<QString>> m_answers;
    QTimer m_timer;
    std::vector<SeenDialog> m_seen;
};

}  // namespace veltrano::test
