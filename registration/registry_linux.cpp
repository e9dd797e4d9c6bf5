#ifndef _WIN32

#include "registration/registry_linux.h"

#include "registration/file_type_icon.h"
#include "registration/freedesktop_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

#include <unistd.h>

#include <vector>
#include <utility>

namespace veltrano {

namespace {

constexpr const char* kRootVariable = "VELTRANO_XDG_ROOT";
// Software installed outside the package manager keeps its shared data
// here; /usr/share belongs to the distribution's packages. The folder is in
// the default XDG_DATA_DIRS, ahead of /usr/share.
constexpr const char* kSystemDataRoot = "/usr/local/share";

constexpr const char* kApplicationName = "Veltrano";
constexpr const char* kDesktopId = "veltrano.desktop";
constexpr const char* kIconName = "veltrano";
constexpr const char* kMimeTypePrefix = "application/x-";
constexpr int kPngIconSize = 48;

constexpr const char* kMimePackagePath = "mime/packages/veltrano.xml";
constexpr const char* kApplicationEntryPath = "applications/veltrano.desktop";
constexpr const char* kDefaultsListPath = "applications/mimeapps.list";
constexpr const char* kTemplateEntryPath = "templates/veltrano.desktop";
constexpr const char* kTemplateSourceFolder = ".source";
constexpr const char* kScalableIconPath = "icons/hicolor/scalable/apps/veltrano.svg";
constexpr const char* kPngIconPath = "icons/hicolor/48x48/apps/veltrano.png";

constexpr QFileDevice::Permissions kFilePermissions = QFileDevice::ReadOwner
    | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
constexpr QFileDevice::Permissions kFolderPermissions = kFilePermissions
    | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;

std::string mimeTypeFor(const std::string& fileClass)
{
    return kMimeTypePrefix + fileClass;
}

// The registration is shared by every user, so its folders and new files
// are readable by all whatever the umask of the registering process.
bool makeFolders(const QString& folder)
{
    if (QFileInfo(folder).isDir())
        return true;
    const QString parent = QFileInfo(folder).absolutePath();
    if (parent == folder || !makeFolders(parent))
        return false;
    if (!QDir().mkdir(folder) && !QFileInfo(folder).isDir())
        return false;
    QFile::setPermissions(folder, kFolderPermissions);
    return true;
}

// Replaces the file as a whole: readers see the old or the new content.
bool writeWhole(const QString& path, const QByteArray& content)
{
    if (!makeFolders(QFileInfo(path).absolutePath()))
        return false;
    const bool existed = QFileInfo::exists(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()
        || !file.commit())
        return false;
    if (!existed)
        QFile::setPermissions(path, kFilePermissions);
    return true;
}

std::optional<std::string> readWhole(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll().toStdString();
}

QString fromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

// A template file name made from the type name; a slash would leave the
// template folder.
std::string templateFileName(const std::string& typeName)
{
    std::string name = typeName.empty() ? std::string("Neu") : typeName;
    for (char& c : name) {
        if (c == '/')
            c = '_';
    }
    return name + kExtensionKey;
}

}  // namespace

LinuxFileTypeRegistry::LinuxFileTypeRegistry(QString dataRoot, CacheRefresh refresh)
    : m_root(std::move(dataRoot)), m_refresh(refresh)
{
}

QString LinuxFileTypeRegistry::defaultDataRoot()
{
    const QString overridden = qEnvironmentVariable(kRootVariable);
    return overridden.isEmpty() ? QString(kSystemDataRoot) : overridden;
}

bool LinuxFileTypeRegistry::open(RegistryAccess access)
{
    m_access = access;
    m_session.clear();
    m_openKey.reset();
    m_filesDone.clear();
    return true;
}

bool LinuxFileTypeRegistry::keyExists(const std::string& key)
{
    if (key == kExtensionKey) {
        const std::optional<std::string> package = readWhole(path(kMimePackagePath));
        return package && mimePackageDeclaresGlob(*package, std::string("*") + kExtensionKey);
    }
    const std::pair<const char*, const char*> witnesses[] = {
        {kShellNewKey, kTemplateEntryPath},       {kFileClassKey, kMimePackagePath},
        {kShellKey, kDefaultsListPath},           {kOpenCommandKey, kApplicationEntryPath},
        {kDefaultIconKey, kScalableIconPath},
    };
    for (const auto& [witnessKey, witnessFile] : witnesses) {
        if (key == witnessKey)
            return QFileInfo::exists(path(witnessFile));
    }
    return false;
}

std::optional<std::string> LinuxFileTypeRegistry::readString(const std::string& key,
                                                             const std::string& name)
{
    if (key != kOpenCommandKey || name != kDefaultValue)
        return std::nullopt;
    const std::optional<std::string> entry = readWhole(path(kApplicationEntryPath));
    if (!entry)
        return std::nullopt;
    const std::optional<std::string> exec = desktopEntryValue(*entry, "Exec");
    if (!exec)
        return std::nullopt;
    const std::optional<std::string> exePath = exePathFromExecLine(*exec);
    if (!exePath)
        return std::nullopt;
    return openCommand(*exePath);
}

bool LinuxFileTypeRegistry::openKey(const std::string& key)
{
    if (m_access != RegistryAccess::AllAccess || key.empty())
        return false;
    m_session[key];
    m_openKey = key;
    return true;
}

bool LinuxFileTypeRegistry::writeString(const std::string& name, const std::string& data)
{
    if (!m_openKey)
        return false;
    m_session[*m_openKey][name] = data;
    return true;
}

bool LinuxFileTypeRegistry::closeKey()
{
    if (!m_openKey)
        return false;
    m_openKey.reset();
    return writeCompletedFiles();
}

void LinuxFileTypeRegistry::release()
{
    if (m_wroteFiles && m_refresh == CacheRefresh::Run)
        refreshCaches();
    open(RegistryAccess::Read);
    m_wroteFiles = false;
}

std::optional<std::string> LinuxFileTypeRegistry::written(const std::string& key,
                                                          const std::string& name) const
{
    const auto found = m_session.find(key);
    if (found == m_session.end())
        return std::nullopt;
    const auto value = found->second.find(name);
    if (value == found->second.end())
        return std::nullopt;
    return value->second;
}

// Each file is written once, as soon as every key it draws on has been
// written in this session, so the order of the keys does not matter.
bool LinuxFileTypeRegistry::writeCompletedFiles()
{
    enum class File { mimePackage, Template, applicationEntry, DefaultApplication, Icons };
    struct FileSources {
        File file;
        std::vector<const char*> keys;
    };
    static const FileSources files[] = {
        {File::mimePackage, {kExtensionKey, kFileClassKey}},
        {File::Template, {kExtensionKey, kShellNewKey, kFileClassKey}},
        {File::applicationEntry, {kExtensionKey, kOpenCommandKey}},
        {File::DefaultApplication, {kExtensionKey, kShellKey, kOpenCommandKey}},
        {File::Icons, {kDefaultIconKey}},
    };
    for (const FileSources& entry : files) {
        const auto index = static_cast<std::size_t>(entry.file);
        bool complete = !m_filesDone.count(index);
        for (const char* key : entry.keys)
            complete = complete && m_session.count(key);
        if (!complete)
            continue;
        m_filesDone.insert(index);
        bool written = false;
        switch (entry.file) {
        case File::mimePackage: written = writeMimePackage(); break;
        case File::Template: written = writeTemplate(); break;
        case File::applicationEntry: written = writeApplicationEntry(); break;
        case File::DefaultApplication: written = writeDefaultApplication(); break;
        case File::Icons: written = writeIcons(); break;
        }
        if (!written)
            return false;
    }
    return true;
}

bool LinuxFileTypeRegistry::writeMimePackage()
{
    const std::optional<std::string> fileClass = written(kExtensionKey, kDefaultValue);
    if (!fileClass || fileClass->empty())
        return false;
    const std::string package =
        mimePackage(mimeTypeFor(*fileClass), written(kFileClassKey, kDefaultValue).value_or(""),
                    kIconName, std::string("*") + kExtensionKey);
    m_wroteFiles = true;
    return writeWhole(path(kMimePackagePath), QByteArray::fromStdString(package));
}

bool LinuxFileTypeRegistry::writeTemplate()
{
    // Only an empty new file ("NullFile") has a counterpart here.
    if (!written(kShellNewKey, "NullFile"))
        return true;
    const std::string typeName = written(kFileClassKey, kDefaultValue).value_or("");
    const std::string source = std::string(kTemplateSourceFolder) + "/" + templateFileName(typeName);
    const QString folder = QFileInfo(path(kTemplateEntryPath)).absolutePath();
    m_wroteFiles = true;
    return writeWhole(folder + "/" + fromUtf8(source), QByteArray())
        && writeWhole(path(kTemplateEntryPath),
                      QByteArray::fromStdString(templateEntry(typeName, source, kIconName)));
}

bool LinuxFileTypeRegistry::writeApplicationEntry()
{
    const std::optional<std::string> fileClass = written(kExtensionKey, kDefaultValue);
    const std::optional<std::string> command = written(kOpenCommandKey, kDefaultValue);
    const std::optional<std::string> exePath =
        command ? exePathFromOpenCommand(*command) : std::nullopt;
    if (!fileClass || fileClass->empty() || !exePath)
        return false;
    const std::string entry = applicationEntry(kApplicationName, execLine(*exePath), kIconName,
                                               mimeTypeFor(*fileClass));
    m_wroteFiles = true;
    return writeWhole(path(kApplicationEntryPath), QByteArray::fromStdString(entry));
}

bool LinuxFileTypeRegistry::writeDefaultApplication()
{
    // The desktop entry stands for the verb "Open"; it becomes the default
    // handler only when that verb is the type's default.
    if (written(kShellKey, kDefaultValue) != std::optional<std::string>("Open"))
        return true;
    const std::optional<std::string> fileClass = written(kExtensionKey, kDefaultValue);
    if (!fileClass || fileClass->empty())
        return false;
    const QString listPath = path(kDefaultsListPath);
    std::string existing;
    if (QFileInfo::exists(listPath)) {
        const std::optional<std::string> content = readWhole(listPath);
        if (!content)
            return false;  // never replace a list that cannot be read
        existing = *content;
    }
    const std::string list = withDefaultApplication(existing, mimeTypeFor(*fileClass), kDesktopId);
    m_wroteFiles = true;
    return writeWhole(listPath, QByteArray::fromStdString(list));
}

bool LinuxFileTypeRegistry::writeIcons()
{
    const QByteArray png = fileTypeIconPng(kPngIconSize);
    m_wroteFiles = true;
    return !png.isEmpty() && writeWhole(path(kScalableIconPath), fileTypeIconSvg())
        && writeWhole(path(kPngIconPath), png);
}

QString LinuxFileTypeRegistry::path(const char* relative) const
{
    return m_root + "/" + relative;
}

// The new type takes effect only once the caches are rebuilt. The tools run
// on their own so that start-up does not wait for them; a missing tool is
// skipped.
void LinuxFileTypeRegistry::refreshCaches() const
{
    const std::pair<const char*, const char*> tools[] = {
        {"update-mime-database", "mime"},
        {"update-desktop-database", "applications"},
    };
    for (const auto& [tool, folder] : tools) {
        const QString program = QStandardPaths::findExecutable(tool);
        if (!program.isEmpty())
            QProcess::startDetached(program, {path(folder)});
    }
}

bool mayRegisterSystemWide(const std::string& exePath, const QString& dataRoot, const QStringList& dataDirs)
{
    const QFileInfo program(QString::fromStdString(exePath));
    const QDir bin = program.absoluteDir();
    if (bin.dirName() != QLatin1String("bin") || !QFileInfo(bin.absoluteFilePath("../share/veltrano")).isDir())
        return false;
    const QString ownRoot = QDir::cleanPath(QFileInfo(dataRoot).absoluteFilePath());
    const QString type = QString::fromLatin1(mimeTypeFor(kFileClassKey).c_str());
    for (const QString& folder : dataDirs) {
        if (folder.isEmpty() || QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) == ownRoot)
            continue;
        QFile entry(folder + "/" + kApplicationEntryPath);
        if (entry.open(QIODevice::ReadOnly) && QString::fromUtf8(entry.readAll()).contains(type))
            return false;
    }
    return true;
}

bool platformAllowsRegistration(const std::string& exePath)
{
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    return mayRegisterSystemWide(exePath, LinuxFileTypeRegistry::defaultDataRoot(), dirs.split(u':'));
}

bool IsUserAdmin()
{
    return ::geteuid() == 0;
}

std::unique_ptr<FileTypeRegistry> makePlatformFileTypeRegistry()
{
    // A folder named by the environment belongs to whoever named it (a test,
    // a packaging step); its caches are theirs to rebuild.
    const bool overridden = !qEnvironmentVariable(kRootVariable).isEmpty();
    return std::make_unique<LinuxFileTypeRegistry>(
        LinuxFileTypeRegistry::defaultDataRoot(),
        overridden ? CacheRefresh::Skip : CacheRefresh::Run);
}

}  // namespace veltrano

#endif
