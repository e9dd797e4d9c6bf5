#pragma once
// A private set of folders per test: the home of the application data, the
// documents folder, the program folder and the root of the file-type
// registration. The environment variables start-up reads are pointed into
// the temporary folder for the lifetime of the object.

#include "commands/startup.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

namespace veltrano::test {

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

}  // namespace veltrano::test
