#include "window_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>

namespace veltrano::test {

TestFolders::TestFolders()
    : m_savedDataHome(qgetenv("XDG_DATA_HOME"))
    , m_savedXdgRoot(qgetenv("VELTRANO_XDG_ROOT"))
{
    QDir(m_dir.path()).mkpath("bin");
    QDir(m_dir.path()).mkpath("Dokumente");
    QDir(m_dir.path()).mkpath("xdg");
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.path() + "/data"));
    qputenv("VELTRANO_XDG_ROOT", QFile::encodeName(m_dir.path() + "/xdg"));
}

TestFolders::~TestFolders()
{
    qputenv("XDG_DATA_HOME", m_savedDataHome);
    qputenv("VELTRANO_XDG_ROOT", m_savedXdgRoot);
}

std::string TestFolders::root() const
{
    return m_dir.path().toStdString() + "/";
}

std::string TestFolders::path(const std::string& relative) const
{
    return root() + relative;
}

std::string TestFolders::workDir() const
{
    return path("data/veltrano/temp/");
}

StartupEnvironment TestFolders::environment(const QStringList& parameters) const
{
    StartupEnvironment environment;
    environment.programPath = path("bin/veltrano");
    environment.parameters = parameters;
    environment.screenWidth = 1280;
    environment.documentsFolder = path("Dokumente/");
    environment.appDataFolder = path("data/veltrano/");
    return environment;
}

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
