#include "support/test_folders.h"

#include <QDir>
#include <QFile>

namespace veltrano::test {

TestFolders::TestFolders()
    : m_savedDataHome(qgetenv("XDG_DATA_HOME"))
    , m_savedXdgRoot(qgetenv("VELTRANO_XDG_ROOT"))
{
    QDir(m_dir.path()).mkpath("bin");
    // The program's data beside bin/, as an installation has it.
    QDir(m_dir.path()).mkpath("share/veltrano");
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

}  // namespace veltrano::test
