#pragma once
// Helpers of the window tests: a private set of folders per test (home of
// the application data, documents, program folder, registration root) and
// a watcher that answers the modal message boxes the window opens.

#include "app/startup.h"

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace veltrano::test {

// Folders of one test. The environment variables the window reads are
// pointed into the temporary folder for the lifetime of the object.
class TestFolders {
public:
    TestFolders();
    ~TestFolders();

    std::string root() const;                 // with a trailing separator
    std::string path(const std::string& relative) const;
    std::string workDir() const;              // where start-up puts temp.dat
    std::string tempDat() const { return workDir() + "temp.dat"; }

    // An environment for these folders on a wide screen.
    StartupEnvironment environment(const QStringList& parameters = {}) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_savedDataHome;
    QByteArray m_savedXdgRoot;
};

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
