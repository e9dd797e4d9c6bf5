#pragma once
// The file-type registration on Linux and other freedesktop systems, below
// one data folder (the system's, or one a test names):
//
//   mime/packages/veltrano.xml             the type of *.cfd files
//   templates/veltrano.desktop             the file manager's "new file"
//   templates/.source/Strukturformel.cfd   entry and its empty formula file
//   applications/veltrano.desktop          the program, whose Exec line is
//                                          the open command
//   applications/mimeapps.list             the program as default handler
//   icons/hicolor/{scalable,48x48}/        the icons of the program (apps/)
//                                          and of the type (mimetypes/)
//
// The desktop entry and the MIME package are those of an installation
// (freedesktop_files.h), the entry naming the registered program's path.
// The registration is current when the MIME package declares *.cfd and the
// desktop entry's Exec line names the program.

#ifndef _WIN32

#include "registration/file_type_registry.h"

#include <QString>
#include <QStringList>

#include <string>

namespace veltrano {

// Whether the program at exePath may write the system-wide registration
// below dataRoot. It must be an installed program: PREFIX/bin/veltrano
// beside its data in PREFIX/share/veltrano, never a build folder, which
// would point every user's formula files at a program that is gone with
// the next clean build. And no desktop entry of the program in the other
// system data folders (dataDirs, those of XDG_DATA_DIRS) may claim the file
// type already: that is the distribution's package, whose entry a
// registration in dataRoot would shadow.
bool mayRegisterSystemWide(const std::string& exePath, const QString& dataRoot, const QStringList& dataDirs);

// Whether the MIME and desktop caches of the data folder are rebuilt after
// something was written.
enum class CacheRefresh { Run, Skip };

class LinuxFileTypeRegistration : public FileTypeRegistration {
public:
    LinuxFileTypeRegistration(QString dataRoot, CacheRefresh refresh);

    // The folder named by VELTRANO_XDG_ROOT when it is set, else the system
    // data folder for software installed outside the package manager.
    static QString defaultDataRoot();

    bool isCurrent(const std::string& exePath) const override;
    RegistrationResult registerFileType(const std::string& exePath) override;

    const QString& dataRoot() const { return m_root; }

private:
    QString path(const char* relative) const;
    void refreshCaches() const;

    QString m_root;
    CacheRefresh m_refresh;
};

}  // namespace veltrano

#endif
