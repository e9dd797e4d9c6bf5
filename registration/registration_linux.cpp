#ifndef _WIN32

#include "registration/registration_linux.h"

#include "registration/file_type_icon.h"
#include "registration/freedesktop_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

#include <unistd.h>

#include <optional>
#include <utility>

namespace veltrano {

namespace {

constexpr const char* kRootVariable = "VELTRANO_XDG_ROOT";
// Software installed outside the package manager keeps its shared data
// here; /usr/share belongs to the distribution's packages. The folder is in
// the default XDG_DATA_DIRS, ahead of /usr/share.
constexpr const char* kSystemDataRoot = "/usr/local/share";

constexpr int kPngIconSize = 48;

constexpr const char* kMimePackagePath = "mime/packages/veltrano.xml";
constexpr const char* kApplicationEntryPath = "applications/veltrano.desktop";
constexpr const char* kDefaultsListPath = "applications/mimeapps.list";
constexpr const char* kTemplateEntryPath = "templates/veltrano.desktop";
// The empty formula file the template links to, named after the type; the
// link is relative to the template's own folder.
constexpr const char* kTemplateSourcePath = "templates/.source/Strukturformel.cfd";
constexpr const char* kTemplateSourceUrl = ".source/Strukturformel.cfd";
constexpr const char* kScalableIconPath = "icons/hicolor/scalable/apps/veltrano.svg";
constexpr const char* kPngIconPath = "icons/hicolor/48x48/apps/veltrano.png";
constexpr const char* kScalableTypeIconPath = "icons/hicolor/scalable/mimetypes/application-x-cfdfile.svg";
constexpr const char* kPngTypeIconPath = "icons/hicolor/48x48/mimetypes/application-x-cfdfile.png";

constexpr QFileDevice::Permissions kFilePermissions = QFileDevice::ReadOwner
    | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
constexpr QFileDevice::Permissions kFolderPermissions = kFilePermissions
    | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;

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

std::optional<QByteArray> nonEmpty(const QByteArray& content)
{
    return content.isEmpty() ? std::nullopt : std::optional<QByteArray>(content);
}

// mimeapps.list with the program as the type's default handler, every other
// line of the list already there kept. Nothing when that list exists but
// cannot be read: it is never replaced.
std::optional<QByteArray> defaultsList(const QString& listPath)
{
    std::string existing;
    if (QFileInfo::exists(listPath)) {
        const std::optional<std::string> content = readWhole(listPath);
        if (!content)
            return std::nullopt;
        existing = *content;
    }
    return QByteArray::fromStdString(withDefaultApplication(existing, kFormulaMimeType, kDesktopId));
}

}  // namespace

LinuxFileTypeRegistration::LinuxFileTypeRegistration(QString dataRoot, CacheRefresh refresh)
    : m_root(std::move(dataRoot)), m_refresh(refresh)
{
}

QString LinuxFileTypeRegistration::defaultDataRoot()
{
    const QString overridden = qEnvironmentVariable(kRootVariable);
    return overridden.isEmpty() ? QString(kSystemDataRoot) : overridden;
}

bool LinuxFileTypeRegistration::isCurrent(const std::string& exePath) const
{
    const std::optional<std::string> package = readWhole(path(kMimePackagePath));
    if (!package || !mimePackageDeclaresGlob(*package, kFormulaGlob))
        return false;
    const std::optional<std::string> entry = readWhole(path(kApplicationEntryPath));
    const std::optional<std::string> exec = entry ? desktopEntryValue(*entry, "Exec") : std::nullopt;
    return exec && exePathFromExecLine(*exec) == exePath;
}

// The files in the order in which they are written: the type first, then
// what builds on it; nothing stands for content that cannot be made.
RegistrationResult LinuxFileTypeRegistration::registerFileType(const std::string& exePath)
{
    const QByteArray svg = fileTypeIconSvg();
    const std::optional<QByteArray> png = nonEmpty(fileTypeIconPng(kPngIconSize));
    const std::pair<const char*, std::optional<QByteArray>> files[] = {
        {kMimePackagePath, QByteArray::fromStdString(mimePackage())},
        {kTemplateSourcePath, QByteArray()},
        {kTemplateEntryPath,
         QByteArray::fromStdString(templateEntry(kFormulaTypeName, kTemplateSourceUrl, kProgramIconName))},
        {kApplicationEntryPath, QByteArray::fromStdString(applicationEntry(execLine(exePath)))},
        {kDefaultsListPath, defaultsList(path(kDefaultsListPath))},
        {kScalableIconPath, svg},
        {kPngIconPath, png},
        {kScalableTypeIconPath, svg},
        {kPngTypeIconPath, png},
    };
    RegistrationResult result{RegistrationStatus::Written, {}};
    bool wroteAny = false;
    for (const auto& [relative, content] : files) {
        if (!content || !writeWhole(path(relative), *content)) {
            result = {RegistrationStatus::WriteFailed, relative};
            break;
        }
        wroteAny = true;
    }
    if (wroteAny && m_refresh == CacheRefresh::Run)
        refreshCaches();
    return result;
}

QString LinuxFileTypeRegistration::path(const char* relative) const
{
    return m_root + "/" + relative;
}

// The new type takes effect only once the caches are rebuilt. The tools run
// on their own so that start-up does not wait for them; a missing tool is
// skipped.
void LinuxFileTypeRegistration::refreshCaches() const
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
    const QString type = QString::fromLatin1(kFormulaMimeType);
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
    return mayRegisterSystemWide(exePath, LinuxFileTypeRegistration::defaultDataRoot(), dirs.split(u':'));
}

bool IsUserAdmin()
{
    return ::geteuid() == 0;
}

std::unique_ptr<FileTypeRegistration> makePlatformRegistration()
{
    // A folder named by the environment belongs to whoever named it (a test,
    // a packaging step); its caches are theirs to rebuild.
    const bool overridden = !qEnvironmentVariable(kRootVariable).isEmpty();
    return std::make_unique<LinuxFileTypeRegistration>(
        LinuxFileTypeRegistration::defaultDataRoot(),
        overridden ? CacheRefresh::Skip : CacheRefresh::Run);
}

}  // namespace veltrano

#endif
