// The .cfd registration: the check-then-write procedure on a fake
// registration, the Windows key table, the texts of the freedesktop files,
// and the Linux backend writing into a temporary data folder that the real
// freedesktop tools then accept.

#include "registration/file_type_icon.h"
#include "registration/file_type_registry.h"
#include "registration/freedesktop_files.h"
#include "registration/registration_linux.h"
#include "registration/registry_table.h"

#include <gmock/gmock.h>

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace veltrano {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// ---------------------------------------------------------------------------
// Check then write, on a registration held in memory.

class FakeRegistration : public FileTypeRegistration {
public:
    std::string registered;  // the program the store names
    RegistrationResult writeResult{RegistrationStatus::Written, {}};
    std::vector<std::string> writes;

    bool isCurrent(const std::string& exePath) const override { return registered == exePath; }
    RegistrationResult registerFileType(const std::string& exePath) override
    {
        writes.push_back(exePath);
        if (writeResult.status == RegistrationStatus::Written)
            registered = exePath;
        return writeResult;
    }
};

struct AdminCounter {
    bool admin;
    int asked = 0;
    AdminCheck check()
    {
        return [this] {
            ++asked;
            return admin;
        };
    }
};

const std::string kExe = "C:\\Programme\\Veltrano\\veltrano.exe";

TEST(FileTypeRegistration, AdministratorWritesOnceAndLaterStartsOnlyRead)
{
    FakeRegistration registration;
    AdminCounter admin{true};
    EXPECT_EQ(registerFileType(registration, kExe, admin.check()).status, RegistrationStatus::Written);
    EXPECT_THAT(registration.writes, ElementsAre(kExe));

    // The second start finds its own program and neither asks for rights
    // nor writes.
    EXPECT_EQ(registerFileType(registration, kExe, admin.check()).status,
              RegistrationStatus::AlreadyCurrent);
    EXPECT_EQ(admin.asked, 1);
    EXPECT_EQ(registration.writes.size(), 1u);
}

TEST(FileTypeRegistration, NormalUserWritesNothingAndFailuresAreReported)
{
    FakeRegistration registration;
    registration.registered = "D:\\alt\\veltrano.exe";
    AdminCounter user{false};
    EXPECT_EQ(registerFileType(registration, kExe, user.check()).status,
              RegistrationStatus::NotAdministrator);
    EXPECT_EQ(user.asked, 1);
    EXPECT_THAT(registration.writes, IsEmpty());

    registration.writeResult = {RegistrationStatus::WriteFailed, "cfdfile\\Shell"};
    const RegistrationResult failed = registerFileType(registration, kExe, [] { return true; });
    EXPECT_EQ(failed.status, RegistrationStatus::WriteFailed);
    EXPECT_EQ(failed.failedAt, "cfdfile\\Shell");

    // Without a program path there is nothing to register or to ask.
    AdminCounter admin{true};
    EXPECT_EQ(registerFileType(registration, "", admin.check()).status, RegistrationStatus::NoProgramPath);
    EXPECT_EQ(admin.asked, 0);
}

TEST(FileTypeRegistration, WindowsTableHoldsTheSevenValuesInWritingOrder)
{
    std::vector<std::string> written;
    for (const RegistryKeyValues& key : fileTypeTable(kExe)) {
        for (const RegistryValue& value : key.values)
            written.push_back(key.key + "|" + value.name + "=" + value.data);
    }
    EXPECT_THAT(written, ElementsAre(".cfd|=cfdfile", ".cfd\\ShellNew|NullFile=",
                                     "cfdfile|=Strukturformel", "cfdfile|NeverShowExt=",
                                     "cfdfile\\Shell|=Open",
                                     "cfdfile\\Shell\\Open\\command|=\"" + kExe + "\" \"%1\"",
                                     "cfdfile\\DefaultIcon|=" + kExe + ",0"));
}

// ---------------------------------------------------------------------------
// The freedesktop texts.

TEST(FreedesktopFiles, ExecLineQuotesAndEscapesAnyPath)
{
    EXPECT_EQ(execLine("/opt/veltrano/bin/veltrano"), "\"/opt/veltrano/bin/veltrano\" %f");
    // Blank, dollar, backquote, quote, backslash and percent inside the
    // quotes; the backslashes are doubled once more as a string value.
    const std::string hostile = "/tmp/a b/$x`\"q\\100%/Molekül";
    EXPECT_EQ(execLine(hostile), "\"/tmp/a b/\\\\$x\\\\`\\\\\"q\\\\\\\\100%%/Molekül\" %f");
    EXPECT_EQ(exePathFromExecLine(execLine(hostile)), hostile);
    EXPECT_EQ(exePathFromExecLine(execLine("/line\nbreak")), "/line\nbreak");

    for (const std::string other : {"veltrano %f", "\"/opt/v\" %U", "\"/opt/v\"", "\"/opt/v %f",
                                    "\"/opt/100%\" %f", "\"/opt/\\\\a\" %f", "\"/opt/v\" %f\\"})
        EXPECT_EQ(exePathFromExecLine(other), std::nullopt) << other;
}

TEST(FreedesktopFiles, DesktopEntryValueComesFromItsOwnGroupOnly)
{
    const std::string file = "# Exec=/comment\n[Other]\nExec=/other\n"
                             "[Desktop Entry]\nName=V\n Exec = \"/right\" %f\n[Desktop Action x]\n"
                             "Exec=/action\n";
    EXPECT_EQ(desktopEntryValue(file, "Exec"), "\"/right\" %f");
    EXPECT_EQ(desktopEntryValue(file, "Icon"), std::nullopt);
    EXPECT_EQ(desktopEntryValue("[Desktop Entry]\nExecX=/a\n", "Exec"), std::nullopt);
}

TEST(FreedesktopFiles, DefaultApplicationIsSetWithoutTouchingOtherLines)
{
    const std::string type = "application/x-cfdfile";
    EXPECT_EQ(withDefaultApplication("", type, "veltrano.desktop"),
              "[Default Applications]\napplication/x-cfdfile=veltrano.desktop\n");

    const std::string existing = "[Added Associations]\napplication/x-cfdfile=other.desktop;\n"
                                 "\n[Default Applications]\ntext/plain=gedit.desktop\n\n"
                                 "[Removed Associations]\nimage/png=x.desktop\n";
    EXPECT_EQ(withDefaultApplication(existing, type, "veltrano.desktop"),
              "[Added Associations]\napplication/x-cfdfile=other.desktop;\n"
              "\n[Default Applications]\ntext/plain=gedit.desktop\n"
              "application/x-cfdfile=veltrano.desktop\n\n"
              "[Removed Associations]\nimage/png=x.desktop\n");

    const std::string old = "[Default Applications]\napplication/x-cfdfile = old.desktop\n"
                            "text/plain=gedit.desktop";
    EXPECT_EQ(withDefaultApplication(old, type, "veltrano.desktop"),
              "[Default Applications]\napplication/x-cfdfile=veltrano.desktop\n"
              "text/plain=gedit.desktop\n");

    EXPECT_EQ(withDefaultApplication("[Other]\na=b\n", type, "v.desktop"),
              "[Other]\na=b\n\n[Default Applications]\napplication/x-cfdfile=v.desktop\n");
}

TEST(FreedesktopFiles, MimePackageGlobIsFoundOnlyInsideAType)
{
    EXPECT_TRUE(mimePackageDeclaresGlob(mimePackage(), "*.cfd"));
    EXPECT_FALSE(mimePackageDeclaresGlob(mimePackage(), "*.cf"));
    EXPECT_FALSE(mimePackageDeclaresGlob("<mime-info><glob pattern=\"*.cfd\"/></mime-info>", "*.cfd"));
    EXPECT_FALSE(mimePackageDeclaresGlob("<mime-info><mime-type", "*.cfd"));
    EXPECT_FALSE(mimePackageDeclaresGlob("", "*.cfd"));
}

TEST(FileTypeIcon, SvgIsWellFormedAndPngShowsTheRing)
{
    QXmlStreamReader svg(fileTypeIconSvg());
    int elements = 0;
    while (!svg.atEnd()) {
        svg.readNext();
        elements += svg.isStartElement();
    }
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    EXPECT_EQ(elements, 4);  // svg, frame, hexagon, circle
    EXPECT_THAT(fileTypeIconSvg().toStdString(),
                HasSubstr("points=\"24.00,6.00 39.59,15.00 39.59,33.00 24.00,42.00 8.41,33.00 8.41,15.00\""));

    QImage png;
    ASSERT_TRUE(png.loadFromData(fileTypeIconPng(48), "PNG"));
    EXPECT_EQ(png.size(), QSize(48, 48));
    EXPECT_EQ(png.pixelColor(24, 24), QColor(Qt::white));          // inside the ring
    EXPECT_LT(png.pixelColor(24, 7).lightness(), 60);              // top corner of the hexagon
    EXPECT_LT(png.pixelColor(24, 14).lightness(), 60);             // top of the inner circle
    EXPECT_EQ(png.pixelColor(0, 0).alpha(), 0);                    // outside the rounded frame
    EXPECT_TRUE(fileTypeIconPng(0).isEmpty());
}


// ---------------------------------------------------------------------------
// The Linux backend on a temporary data folder.

const std::string kProgram = "/opt/Veltrano Test/bin/veltrano";

const char* const kWrittenFiles[] = {
    "applications/mimeapps.list",
    "applications/veltrano.desktop",
    "icons/hicolor/48x48/apps/veltrano.png",
    "icons/hicolor/48x48/mimetypes/application-x-cfdfile.png",
    "icons/hicolor/scalable/apps/veltrano.svg",
    "icons/hicolor/scalable/mimetypes/application-x-cfdfile.svg",
    "mime/packages/veltrano.xml",
    "templates/.source/Strukturformel.cfd",
    "templates/veltrano.desktop",
};

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Every file below root, relative and sorted.
std::vector<std::string> FilesBelow(const QString& root)
{
    std::vector<std::string> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.push_back(QDir(root).relativeFilePath(it.next()).toStdString());
    std::sort(files.begin(), files.end());
    return files;
}

// Sets every file's modification time far into the past, so that any later
// write shows however coarse the file system's clock is.
void AgeFiles(const QString& root)
{
    const QDateTime past(QDate(2001, 1, 1), QTime(12, 0), Qt::UTC);
    for (const std::string& relative : FilesBelow(root)) {
        QFile file(root + "/" + QString::fromStdString(relative));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(past, QFileDevice::FileModificationTime));
    }
}

std::map<std::string, QDateTime> ModificationTimes(const QString& root)
{
    std::map<std::string, QDateTime> times;
    for (const std::string& relative : FilesBelow(root))
        times[relative] = QFileInfo(root + "/" + QString::fromStdString(relative)).lastModified();
    return times;
}

std::string EntryValue(const QString& path, const char* key)
{
    return desktopEntryValue(contentOf(path).toStdString(), key).value_or("<none>");
}

class LinuxRegistration : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }

    QString root() const { return m_folder.path(); }
    QString file(const char* relative) const { return root() + "/" + relative; }

    RegistrationResult start(const std::string& program, AdminCounter& admin)
    {
        LinuxFileTypeRegistration registration(root(), CacheRefresh::Skip);
        return registerFileType(registration, program, admin.check());
    }

private:
    QTemporaryDir m_folder;
};

TEST_F(LinuxRegistration, FirstAdministratorStartWritesEveryFile)
{
    const mode_t previousMask = ::umask(077);
    AdminCounter admin{true};
    const RegistrationResult result = start(kProgram, admin);
    ::umask(previousMask);

    EXPECT_EQ(result.status, RegistrationStatus::Written);
    EXPECT_THAT(FilesBelow(root()), ElementsAreArray(kWrittenFiles));
    // The open command is the entry's Exec line, and it names the program.
    EXPECT_EQ(exePathFromExecLine(EntryValue(file("applications/veltrano.desktop"), "Exec")), kProgram);
    EXPECT_EQ(EntryValue(file("applications/veltrano.desktop"), "MimeType"), "application/x-cfdfile;");
    EXPECT_THAT(contentOf(file("applications/mimeapps.list")).toStdString(),
                HasSubstr("[Default Applications]\napplication/x-cfdfile=veltrano.desktop\n"));
    // The template links, relative to its folder, to an empty formula file.
    const QString templateEntry = file("templates/veltrano.desktop");
    EXPECT_EQ(EntryValue(templateEntry, "Type"), "Link");
    EXPECT_EQ(EntryValue(templateEntry, "Name"), "Strukturformel");
    const QFileInfo linked(QFileInfo(templateEntry).dir(),
                           QString::fromStdString(EntryValue(templateEntry, "URL")));
    EXPECT_TRUE(linked.isFile()) << linked.filePath().toStdString();
    EXPECT_EQ(linked.size(), 0);
    EXPECT_EQ(contentOf(file("icons/hicolor/scalable/mimetypes/application-x-cfdfile.svg")), fileTypeIconSvg());
    EXPECT_EQ(contentOf(file("icons/hicolor/48x48/apps/veltrano.png")), fileTypeIconPng(48));

    // Shared by all users whatever the registering process's umask.
    for (const char* relative : kWrittenFiles) {
        struct stat info {};
        ASSERT_EQ(::stat(file(relative).toLocal8Bit().constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0644u) << relative;
    }
    struct stat folder {};
    ASSERT_EQ(::stat(file("templates/.source").toLocal8Bit().constData(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0755u);
}

TEST_F(LinuxRegistration, SecondStartAndNormalUserWriteNothing)
{
    AdminCounter normal{false};
    EXPECT_EQ(start(kProgram, normal).status, RegistrationStatus::NotAdministrator);
    EXPECT_EQ(normal.asked, 1);
    EXPECT_THAT(QDir(root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), IsEmpty());

    AdminCounter admin{true};
    start(kProgram, admin);
    AgeFiles(root());
    const std::map<std::string, QDateTime> before = ModificationTimes(root());

    EXPECT_EQ(start(kProgram, admin).status, RegistrationStatus::AlreadyCurrent);
    EXPECT_EQ(admin.asked, 1);
    EXPECT_EQ(ModificationTimes(root()), before);

    // A normal user with another program path sees the difference but may
    // not write.
    start("/home/user/veltrano", normal);
    EXPECT_EQ(normal.asked, 2);
    EXPECT_EQ(ModificationTimes(root()), before);
}

TEST_F(LinuxRegistration, AnyDifferenceRewritesAll)
{
    AdminCounter admin{true};
    start(kProgram, admin);
    QFile list(file("applications/mimeapps.list"));
    ASSERT_TRUE(list.open(QIODevice::Append));
    list.write("text/plain=gedit.desktop\n");
    list.close();

    // A moved program, and the same path in other letter case.
    int asked = 1;
    for (const std::string& moved : {std::string("/usr/local/bin/veltrano"), std::string("/usr/local/bin/Veltrano")}) {
        AgeFiles(root());
        const std::map<std::string, QDateTime> before = ModificationTimes(root());
        EXPECT_EQ(start(moved, admin).status, RegistrationStatus::Written) << moved;
        EXPECT_EQ(admin.asked, ++asked);
        const std::map<std::string, QDateTime> after = ModificationTimes(root());
        ASSERT_EQ(after.size(), before.size());
        for (const auto& [relative, time] : after)
            EXPECT_GT(time, before.at(relative)) << relative;
        EXPECT_EQ(exePathFromExecLine(EntryValue(file("applications/veltrano.desktop"), "Exec")), moved);
    }
    // The default list keeps the other program's line and names this one
    // once.
    const std::string defaults = contentOf(file("applications/mimeapps.list")).toStdString();
    EXPECT_THAT(defaults, HasSubstr("text/plain=gedit.desktop\n"));
    EXPECT_EQ(defaults.find("application/x-cfdfile="), defaults.rfind("application/x-cfdfile="));

    // The extension's package gone while the desktop entry is current.
    QFile::remove(file("mime/packages/veltrano.xml"));
    EXPECT_EQ(start("/usr/local/bin/Veltrano", admin).status, RegistrationStatus::Written);
    EXPECT_THAT(FilesBelow(root()), ElementsAreArray(kWrittenFiles));
}

TEST_F(LinuxRegistration, UnwritableFolderEndsTheWritingAndNamesThePlace)
{
    // A plain file where the MIME folder belongs: the package cannot be
    // written, so nothing after it is.
    QFile blocker(file("mime"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    AdminCounter admin{true};
    const RegistrationResult result = start(kProgram, admin);
    EXPECT_EQ(result.status, RegistrationStatus::WriteFailed);
    EXPECT_EQ(result.failedAt, "mime/packages/veltrano.xml");
    EXPECT_THAT(FilesBelow(root()), ElementsAre("mime"));
}

TEST_F(LinuxRegistration, OnlyAnInstalledProgramUnclaimedByAPackageRegistersSystemWide)
{
    // Below the test's root: an installation under opt/, a build folder,
    // and data folders where a desktop entry may claim the type: a
    // distribution's (usr/share) and the registration's own (xdg).
    const QString installed = file("opt/bin/veltrano");
    for (const char* folder : {"opt/share/veltrano", "opt/bin", "build/bin/struk", "usr/share/applications",
                               "xdg/applications"})
        QDir(root()).mkpath(folder);
    const QString package = file("usr/share");
    const QString own = file("xdg");
    const struct {
        const char* what;
        QString program;
        const char* entryText;  // of veltrano.desktop in every data folder; nullptr: none
        QStringList dataDirs;
        bool allowed;
    } cases[] = {
        {"installed, no package", installed, nullptr, {package}, true},
        {"a build folder", file("build/bin/veltrano"), nullptr, {package}, false},
        {"no bin folder", file("opt/share/veltrano/veltrano"), nullptr, {}, false},
        {"the package claims the type", installed, "MimeType=application/x-cfdfile;\n", {own, package}, false},
        {"an entry of another type", installed, "MimeType=text/plain;\n", {package}, true},
        {"its own registration is no package", installed, "MimeType=application/x-cfdfile;\n", {own}, true},
    };
    for (const auto& c : cases) {
        for (const QString& folder : {package, own}) {
            const QString entryPath = folder + "/applications/veltrano.desktop";
            QFile::remove(entryPath);
            QFile entry(entryPath);
            if (c.entryText) {
                ASSERT_TRUE(entry.open(QIODevice::WriteOnly) && entry.write(c.entryText) > 0);
            }
        }
        EXPECT_EQ(mayRegisterSystemWide(c.program.toStdString(), own, c.dataDirs), c.allowed) << c.what;
    }
}

// The start-up call on the folder of the environment: a build folder is
// never registered, an installed program is when the process is root.
TEST_F(LinuxRegistration, StartUpCallUsesTheFolderOfTheEnvironment)
{
    const QByteArray previous = qgetenv("VELTRANO_XDG_ROOT");
    const QString registered = file("xdg");
    qputenv("VELTRANO_XDG_ROOT", registered.toUtf8());
    const std::unique_ptr<FileTypeRegistration> platform = makePlatformRegistration();
    auto* backend = dynamic_cast<LinuxFileTypeRegistration*>(platform.get());
    ASSERT_NE(backend, nullptr);
    EXPECT_EQ(backend->dataRoot(), registered);

    QDir(root()).mkpath("build/bin");
    EXPECT_EQ(registerFileType(file("build/bin/veltrano").toStdString()).status, RegistrationStatus::NotAllowed);
    EXPECT_FALSE(QFileInfo::exists(registered));

    QDir(root()).mkpath("opt/share/veltrano");
    QDir(root()).mkpath("opt/bin");
    const RegistrationResult installed = registerFileType(file("opt/bin/veltrano").toStdString());
    EXPECT_EQ(installed.status, IsUserAdmin() ? RegistrationStatus::Written : RegistrationStatus::NotAdministrator);
    EXPECT_EQ(QFileInfo::exists(registered + "/applications/veltrano.desktop"), IsUserAdmin());

    qunsetenv("VELTRANO_XDG_ROOT");
    EXPECT_EQ(LinuxFileTypeRegistration::defaultDataRoot(), "/usr/local/share");
    if (!previous.isNull())
        qputenv("VELTRANO_XDG_ROOT", previous);
}

struct ToolRun {
    int exitCode = -1;
    std::string output;
};

// Runs a freedesktop tool that looks only at data below dataRoot: no
// user's or system's own folders.
ToolRun RunTool(const QString& program, const QStringList& arguments, const QString& dataRoot)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment;
    environment.insert("PATH", qEnvironmentVariable("PATH"));
    environment.insert("LANG", "C");
    environment.insert("XDG_DATA_DIRS", dataRoot);
    for (const char* variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
        environment.insert(variable, dataRoot + "/none");
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ToolRun run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.output = process.readAll().toStdString();
    return run;
}

TEST_F(LinuxRegistration, DesktopEntriesPassTheValidator)
{
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed";

    AdminCounter admin{true};
    start("/tmp/a b/$x`\"q\\100%/Molekül", admin);
    for (const char* entry : {"applications/veltrano.desktop", "templates/veltrano.desktop"}) {
        const ToolRun run = RunTool(validator, {file(entry)}, root());
        EXPECT_EQ(run.exitCode, 0) << entry << "\n" << run.output;
        // Hints (such as one program in two main categories) are advice.
        EXPECT_THAT(run.output, Not(HasSubstr("error"))) << entry;
        EXPECT_THAT(run.output, Not(HasSubstr("warning"))) << entry;
    }
    // The hostile path reads back, so a second start only checks.
    start("/tmp/a b/$x`\"q\\100%/Molekül", admin);
    EXPECT_EQ(admin.asked, 1);
}

TEST_F(LinuxRegistration, FormulaFilesHaveTheTypeAndOpenWithTheProgram)
{
    const QString updater = QStandardPaths::findExecutable("update-mime-database");
    if (updater.isEmpty())
        GTEST_SKIP() << "update-mime-database is not installed";

    // A program that exists, since the desktop's lookup skips entries whose
    // program is missing.
    const QString program = file("opt/bin/veltrano");
    QDir(root()).mkpath("opt/bin");
    QFile script(program);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly) && script.write("#!/bin/sh\n") > 0);
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);

    AdminCounter admin{true};
    start(program.toStdString(), admin);
    // With the folder on the search path the tool has nothing to remark.
    const ToolRun run = RunTool(updater, {file("mime")}, root());
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, IsEmpty());
    EXPECT_THAT(contentOf(file("mime/globs2")).toStdString(), HasSubstr("\n50:application/x-cfdfile:*.cfd\n"));
    EXPECT_THAT(contentOf(file("mime/icons")).toStdString(), HasSubstr("application/x-cfdfile:application-x-cfdfile\n"));

    // The shared-mime-info lookup of GLib, as file managers make it.
    const QString gio = QStandardPaths::findExecutable("gio");
    if (gio.isEmpty())
        GTEST_SKIP() << "gio is not installed";
    QFile formula(file("Benzol.cfd"));
    ASSERT_TRUE(formula.open(QIODevice::WriteOnly) && formula.write(QByteArray(32, '\x01')) == 32);
    formula.close();
    EXPECT_THAT(RunTool(gio, {"info", "-a", "standard::content-type", formula.fileName()}, root()).output,
                HasSubstr("standard::content-type: application/x-cfdfile\n"));
    const ToolRun handler = RunTool(gio, {"mime", "application/x-cfdfile"}, root());
    EXPECT_THAT(handler.output, HasSubstr(": veltrano.desktop\n")) << handler.output;
}

}  // namespace
}  // namespace veltrano
