// The .cfd registration: the check-then-write procedure on a recording
// registry, the texts of the freedesktop files, and the Linux backend
// writing into a temporary data folder that the real freedesktop tools
// then accept.

#include "registration/file_type_icon.h"
#include "registration/file_type_registry.h"
#include "registration/freedesktop_files.h"
#include "registration/registry_linux.h"

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
#include <stdexcept>
#include <string>
#include <vector>

namespace veltrano {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// ---------------------------------------------------------------------------
// A registry held in memory that records every call.

class RecordingRegistry : public FileTypeRegistry {
public:
    std::map<std::string, std::map<std::string, std::string>> keys;
    std::vector<std::string> calls;
    std::string failingKey;        // openKey of this key fails
    std::string failingValueKey;   // writeString inside this key fails
    bool throwOnRead = false;

    bool open(RegistryAccess access) override
    {
        calls.push_back(access == RegistryAccess::Read ? "open read" : "open all");
        m_access = access;
        return true;
    }
    bool keyExists(const std::string& key) override
    {
        if (throwOnRead)
            throw std::runtime_error("broken registry");
        return keys.count(key) != 0;
    }
    std::optional<std::string> readString(const std::string& key, const std::string& name) override
    {
        calls.push_back("read " + key);
        const auto found = keys.find(key);
        if (found == keys.end() || !found->second.count(name))
            return std::nullopt;
        return found->second.at(name);
    }
    bool openKey(const std::string& key) override
    {
        calls.push_back("key " + key);
        if (m_access != RegistryAccess::AllAccess || key == failingKey)
            return false;
        keys[key];
        m_key = key;
        return true;
    }
    bool writeString(const std::string& name, const std::string& data) override
    {
        calls.push_back("set " + name + "=" + data);
        if (m_key == failingValueKey)
            return false;
        keys[m_key][name] = data;
        return true;
    }
    bool closeKey() override
    {
        calls.push_back("close");
        return true;
    }
    void release() override { calls.push_back("release"); }

    std::vector<std::string> writes() const
    {
        std::vector<std::string> out;
        for (const std::string& call : calls) {
            if (call.rfind("key ", 0) == 0 || call.rfind("set ", 0) == 0)
                out.push_back(call);
        }
        return out;
    }

private:
    RegistryAccess m_access = RegistryAccess::Read;
    std::string m_key;
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

std::vector<std::string> FullTableWrites(const std::string& exe)
{
    return {
        "key .cfd", "set =cfdfile",
        "key .cfd\\ShellNew", "set NullFile=",
        "key cfdfile", "set =Strukturformel", "set NeverShowExt=",
        "key cfdfile\\Shell", "set =Open",
        "key cfdfile\\Shell\\Open\\command", "set =\"" + exe + "\" \"%1\"",
        "key cfdfile\\DefaultIcon", "set =" + exe + ",0",
    };
}

TEST(FileTypeRegistration, AdministratorWritesTheTableOnceAndLaterStartsOnlyRead)
{
    RecordingRegistry registry;
    AdminCounter admin{true};

    registerFileType(registry, kExe, admin.check());
    EXPECT_EQ(admin.asked, 1);
    EXPECT_THAT(registry.writes(), ElementsAreArray(FullTableWrites(kExe)));
    EXPECT_EQ(registry.calls.front(), "open read");
    EXPECT_EQ(registry.calls.back(), "release");
    EXPECT_EQ(registry.keys["cfdfile\\Shell\\Open\\command"][""],
              "\"C:\\Programme\\Veltrano\\veltrano.exe\" \"%1\"");
    EXPECT_EQ(registry.keys.size(), 6u);

    // The second start finds its own command and neither asks for rights
    // nor writes.
    registry.calls.clear();
    registerFileType(registry, kExe, admin.check());
    EXPECT_EQ(admin.asked, 1);
    EXPECT_THAT(registry.calls, ElementsAre("open read", "read cfdfile\\Shell\\Open\\command",
                                            "release"));
}

TEST(FileTypeRegistration, NormalUserWritesNothingAndTheCheckCreatesNoKey)
{
    RecordingRegistry registry;
    AdminCounter user{false};
    registerFileType(registry, kExe, user.check());
    EXPECT_EQ(user.asked, 1);
    EXPECT_THAT(registry.writes(), IsEmpty());
    EXPECT_THAT(registry.keys, IsEmpty());

    // Also when the extension is known but points elsewhere.
    RecordingRegistry other;
    registerFileType(other, "D:\\alt\\veltrano.exe", [] { return true; });
    other.calls.clear();
    registerFileType(other, kExe, user.check());
    EXPECT_THAT(other.writes(), IsEmpty());
    EXPECT_EQ(other.keys["cfdfile\\DefaultIcon"][""], "D:\\alt\\veltrano.exe,0");
}

TEST(FileTypeRegistration, AnyDifferenceInTheCheckRewritesTheWholeTable)
{
    const std::vector<std::string> others = {
        "D:\\woanders\\veltrano.exe",                // moved executable
        "c:\\programme\\veltrano\\veltrano.exe",     // same path, other case
    };
    for (const std::string& previous : others) {
        RecordingRegistry registry;
        registerFileType(registry, previous, [] { return true; });
        registry.calls.clear();
        registerFileType(registry, kExe, [] { return true; });
        EXPECT_THAT(registry.writes(), ElementsAreArray(FullTableWrites(kExe))) << previous;
    }

    // The extension key missing while the class is complete.
    RecordingRegistry registry;
    registerFileType(registry, kExe, [] { return true; });
    registry.keys.erase(".cfd");
    registry.calls.clear();
    registerFileType(registry, kExe, [] { return true; });
    EXPECT_THAT(registry.writes(), ElementsAreArray(FullTableWrites(kExe)));
}

TEST(FileTypeRegistration, FirstFailingKeyEndsTheWritingAndNothingEscapes)
{
    RecordingRegistry registry;
    registry.failingKey = "cfdfile\\Shell";
    registerFileType(registry, kExe, [] { return true; });
    EXPECT_TRUE(registry.keys.count(".cfd"));
    EXPECT_TRUE(registry.keys.count(".cfd\\ShellNew"));
    EXPECT_EQ(registry.keys["cfdfile"]["NeverShowExt"], "");
    EXPECT_FALSE(registry.keys.count("cfdfile\\Shell"));
    EXPECT_FALSE(registry.keys.count("cfdfile\\Shell\\Open\\command"));
    EXPECT_FALSE(registry.keys.count("cfdfile\\DefaultIcon"));
    EXPECT_EQ(registry.calls.back(), "release");

    // A value that cannot be set closes its key and ends the writing too.
    RecordingRegistry values;
    values.failingValueKey = ".cfd\\ShellNew";
    registerFileType(values, kExe, [] { return true; });
    EXPECT_THAT(values.writes(), ElementsAre("key .cfd", "set =cfdfile", "key .cfd\\ShellNew",
                                             "set NullFile="));
    EXPECT_EQ(values.calls.back(), "release");

    RecordingRegistry broken;
    broken.throwOnRead = true;
    EXPECT_NO_THROW(registerFileType(broken, kExe, [] { return true; }));
    EXPECT_EQ(broken.calls.back(), "release");
    EXPECT_NO_THROW(registerFileType(registry, kExe, []() -> bool { throw 1; }));

    // Without a program path there is nothing to register.
    RecordingRegistry none;
    registerFileType(none, "", [] { return true; });
    EXPECT_THAT(none.writes(), IsEmpty());
}

TEST(FileTypeRegistration, OpenCommandReadsBackItsProgramPath)
{
    EXPECT_EQ(openCommand("/opt/a b/veltrano"), "\"/opt/a b/veltrano\" \"%1\"");
    for (const std::string path : {"/opt/veltrano", "/tmp/with \"quote\"", "C:\\x y\\v.exe"})
        EXPECT_EQ(exePathFromOpenCommand(openCommand(path)), path);
    for (const std::string command : {"", "\"", "/opt/v \"%1\"", "\"/opt/v\" %1", "\"/opt/v\""})
        EXPECT_EQ(exePathFromOpenCommand(command), std::nullopt) << command;
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
    const std::string package =
        mimePackage("application/x-cfdfile", "Strukturformel", "veltrano", "*.cfd");
    EXPECT_TRUE(mimePackageDeclaresGlob(package, "*.cfd"));
    EXPECT_FALSE(mimePackageDeclaresGlob(package, "*.cf"));
    EXPECT_FALSE(mimePackageDeclaresGlob("<mime-info><glob pattern=\"*.cfd\"/></mime-info>", "*.cfd"));
    EXPECT_FALSE(mimePackageDeclaresGlob("<mime-info><mime-type", "*.cfd"));
    EXPECT_FALSE(mimePackageDeclaresGlob("", "*.cfd"));
    EXPECT_THAT(mimePackage("a/b", "x<&\"y", "i", "*.c"), HasSubstr("<comment>x&lt;&amp;&quot;y</comment>"));
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
    "icons/hicolor/scalable/apps/veltrano.svg",
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

class LinuxRegistration : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }

    QString root() const { return m_folder.path(); }
    QString file(const char* relative) const { return root() + "/" + relative; }

    void start(const std::string& program, AdminCounter& admin)
    {
        LinuxFileTypeRegistry registry(root(), CacheRefresh::Skip);
        registerFileType(registry, program, admin.check());
    }

private:
    QTemporaryDir m_folder;
};

TEST_F(LinuxRegistration, FirstAdministratorStartWritesEveryEntry)
{
    const mode_t previousMask = ::umask(077);
    AdminCounter admin{true};
    start(kProgram, admin);
    ::umask(previousMask);

    EXPECT_THAT(FilesBelow(root()), ElementsAreArray(kWrittenFiles));
    EXPECT_EQ(contentOf(file("mime/packages/veltrano.xml")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
              "  <mime-type type=\"application/x-cfdfile\">\n"
              "    <comment>Strukturformel</comment>\n"
              "    <icon name=\"veltrano\"/>\n"
              "    <glob pattern=\"*.cfd\"/>\n"
              "  </mime-type>\n"
              "</mime-info>\n");
    EXPECT_EQ(contentOf(file("applications/veltrano.desktop")),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Veltrano\n"
              "Exec=\"/opt/Veltrano Test/bin/veltrano\" %f\n"
              "Icon=veltrano\n"
              "MimeType=application/x-cfdfile;\n"
              "Terminal=false\n"
              "Categories=Science;Chemistry;\n");
    EXPECT_EQ(contentOf(file("applications/mimeapps.list")),
              "[Default Applications]\napplication/x-cfdfile=veltrano.desktop\n");
    EXPECT_EQ(contentOf(file("templates/veltrano.desktop")),
              "[Desktop Entry]\n"
              "Type=Link\n"
              "Name=Strukturformel\n"
              "URL=.source/Strukturformel.cfd\n"
              "Icon=veltrano\n");
    EXPECT_EQ(QFileInfo(file("templates/.source/Strukturformel.cfd")).size(), 0);
    EXPECT_EQ(contentOf(file("icons/hicolor/scalable/apps/veltrano.svg")), fileTypeIconSvg());
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
    start(kProgram, normal);
    EXPECT_EQ(normal.asked, 1);
    EXPECT_THAT(FilesBelow(root()), IsEmpty());
    EXPECT_THAT(QDir(root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), IsEmpty());

    AdminCounter admin{true};
    start(kProgram, admin);
    AgeFiles(root());
    const std::map<std::string, QDateTime> before = ModificationTimes(root());
    const QByteArray entry = contentOf(file("applications/veltrano.desktop"));

    start(kProgram, admin);
    EXPECT_EQ(admin.asked, 1);  // the check found the registration current
    EXPECT_EQ(ModificationTimes(root()), before);
    EXPECT_EQ(contentOf(file("applications/veltrano.desktop")), entry);

    // A normal user with another program path sees the difference but may
    // not write.
    start("/home/user/veltrano", normal);
    EXPECT_EQ(normal.asked, 2);
    EXPECT_EQ(ModificationTimes(root()), before);
}

TEST_F(LinuxRegistration, ChangedProgramPathRewritesAll)
{
    AdminCounter admin{true};
    start(kProgram, admin);
    QFile list(file("applications/mimeapps.list"));
    ASSERT_TRUE(list.open(QIODevice::Append));
    list.write("text/plain=gedit.desktop\n");
    list.close();
    AgeFiles(root());
    const std::map<std::string, QDateTime> before = ModificationTimes(root());

    start("/usr/local/bin/veltrano", admin);
    EXPECT_EQ(admin.asked, 2);
    const std::map<std::string, QDateTime> after = ModificationTimes(root());
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [relative, time] : after)
        EXPECT_GT(time, before.at(relative)) << relative;
    EXPECT_EQ(desktopEntryValue(contentOf(file("applications/veltrano.desktop")).toStdString(), "Exec"),
              "\"/usr/local/bin/veltrano\" %f");
    EXPECT_EQ(contentOf(file("applications/mimeapps.list")),
              "[Default Applications]\napplication/x-cfdfile=veltrano.desktop\n"
              "text/plain=gedit.desktop\n");

    // The extension's package gone while the desktop entry is current.
    QFile::remove(file("mime/packages/veltrano.xml"));
    start("/usr/local/bin/veltrano", admin);
    EXPECT_EQ(admin.asked, 3);
    EXPECT_THAT(FilesBelow(root()), ElementsAreArray(kWrittenFiles));
}

TEST_F(LinuxRegistration, UnwritableFolderEndsTheWritingQuietly)
{
    // A plain file where the MIME folder belongs: the package cannot be
    // written, so nothing after it is.
    QFile blocker(file("mime"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    AdminCounter admin{true};
    EXPECT_NO_THROW(start(kProgram, admin));
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

TEST_F(LinuxRegistration, PlatformRegistryUsesTheFolderOfTheEnvironment)
{
    const QByteArray previous = qgetenv("VELTRANO_XDG_ROOT");
    qputenv("VELTRANO_XDG_ROOT", root().toUtf8());
    const std::unique_ptr<FileTypeRegistry> registry = makePlatformFileTypeRegistry();
    auto* backend = dynamic_cast<LinuxFileTypeRegistry*>(registry.get());
    ASSERT_NE(backend, nullptr);
    EXPECT_EQ(backend->dataRoot(), root());
    registerFileType(*registry, kProgram, [] { return true; });
    EXPECT_THAT(FilesBelow(root()), ElementsAreArray(kWrittenFiles));

    qunsetenv("VELTRANO_XDG_ROOT");
    EXPECT_EQ(LinuxFileTypeRegistry::defaultDataRoot(), "/usr/local/share");
    if (!previous.isNull())
        qputenv("VELTRANO_XDG_ROOT", previous);
}

struct ToolRun {
    int exitCode = -1;
    std::string output;
};

ToolRun RunTool(const QString& program, const QStringList& arguments,
            const QString& dataDirs = QString())
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!dataDirs.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_DIRS", dataDirs);
        process.setProcessEnvironment(environment);
    }
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
        const ToolRun run = RunTool(validator, {file(entry)});
        EXPECT_EQ(run.exitCode, 0) << entry << "\n" << run.output;
        EXPECT_THAT(run.output, IsEmpty()) << entry;
    }
    // The hostile path reads back, so a second start only checks.
    start("/tmp/a b/$x`\"q\\100%/Molekül", admin);
    EXPECT_EQ(admin.asked, 1);
}

TEST_F(LinuxRegistration, MimeDatabaseMapsFormulaFilesToTheType)
{
    const QString updater = QStandardPaths::findExecutable("update-mime-database");
    if (updater.isEmpty())
        GTEST_SKIP() << "update-mime-database is not installed";

    AdminCounter admin{true};
    start(kProgram, admin);
    // With the folder on the search path the tool has nothing to remark.
    const ToolRun run = RunTool(updater, {file("mime")}, root());
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, IsEmpty());

    const std::string globs = contentOf(file("mime/globs2")).toStdString();
    EXPECT_THAT(globs, HasSubstr("\n50:application/x-cfdfile:*.cfd\n"));
    EXPECT_THAT(contentOf(file("mime/application/x-cfdfile.xml")).toStdString(),
                HasSubstr("<comment>Strukturformel</comment>"));
    EXPECT_THAT(contentOf(file("mime/icons")).toStdString(),
                HasSubstr("application/x-cfdfile:veltrano"));
}

}  // namespace
}  // namespace veltrano
