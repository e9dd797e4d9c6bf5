#pragma once
// The file-type registration on Linux and other freedesktop systems. The
// keys of the class registry are kept for one session and each freedesktop
// file is written as soon as the keys it draws on have been closed:
//
//   .cfd + cfdfile                  mime/packages/veltrano.xml (glob, type name)
//   .cfd\ShellNew + cfdfile         templates/veltrano.desktop and the empty
//                                   templates/.source/Strukturformel.cfd
//   .cfd + cfdfile\Shell\Open\command
//                                   applications/veltrano.desktop (Exec line)
//   ... + cfdfile\Shell ("Open")    applications/mimeapps.list, default handler
//   cfdfile\DefaultIcon             icons/hicolor/{scalable,48x48}/apps/veltrano.*
//
// Reading maps back: `.cfd` exists when the MIME package declares "*.cfd",
// any other key when the first file it feeds exists, and the open command
// is read from the desktop entry's Exec line (no other value reads back).
// "NeverShowExt" has no counterpart (file managers here always show the
// extension) and is only kept for the session.

#ifndef _WIN32

#include "registration/file_type_registry.h"

#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <set>
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

class LinuxFileTypeRegistry : public FileTypeRegistry {
public:
    LinuxFileTypeRegistry(QString dataRoot, CacheRefresh refresh);

    // The folder named by VELTRANO_XDG_ROOT when it is set, else the system
    // data folder for software installed outside the package manager.
    static QString defaultDataRoot();

    bool open(RegistryAccess access) override;
    bool keyExists(const std::string& key) override;
    std::optional<std::string> readString(const std::string& key,
                                          const std::string& name) override;
    bool openKey(const std::string& key) override;
    bool writeString(const std::string& name, const std::string& data) override;
    bool closeKey() override;
    void release() override;

    const QString& dataRoot() const { return m_root; }

private:
    std::optional<std::string> written(const std::string& key, const std::string& name) const;
    bool writeCompletedFiles();
    bool writeMimePackage();
    bool writeTemplate();
    bool writeApplicationEntry();
    bool writeDefaultApplication();
    bool writeIcons();
    QString path(const char* relative) const;
    void refreshCaches() const;

    QString m_root;
    CacheRefresh m_refresh;
    RegistryAccess m_access = RegistryAccess::Read;
    std::map<std::string, std::map<std::string, std::string>> m_session;
    std::optional<std::string> m_openKey;
    std::set<std::size_t> m_filesDone;
    bool m_wroteFiles = false;
};

}  // namespace veltrano

#endif
