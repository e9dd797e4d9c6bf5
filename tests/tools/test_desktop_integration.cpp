// The files an installation puts under share/: they are what a registering
// start writes (the entry differing only in the program it starts, so the
// two never make two menu entries or two types), the desktop entry and the
// MIME package carry English and German texts, and the icons are real
// pictures in every size of the theme.

#include "tools/desktop_integration.h"
#include "tools/registration_api.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>

namespace veltrano::desktop {
namespace {

std::optional<std::string> readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll().toStdString();
}

std::map<std::string, QByteArray> filesByPath()
{
    std::map<std::string, QByteArray> files;
    for (const DataFile& file : dataFiles())
        EXPECT_TRUE(files.emplace(file.path, file.content).second) << "twice: " << file.path;
    return files;
}

// The MIME types a package declares, with the globs and comments of each.
struct MimeType {
    std::set<std::string> globs;
    std::map<std::string, std::string> comments;  // by language, "" = default
    std::string icon;
};

std::map<std::string, MimeType> parseMimePackage(const std::string& package)
{
    std::map<std::string, MimeType> types;
    QXmlStreamReader reader(QByteArray::fromStdString(package));
    MimeType* current = nullptr;
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement())
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        if (reader.name() == u"mime-type") {
            current = &types[attributes.value("type").toString().toStdString()];
        } else if (current && reader.name() == u"glob") {
            current->globs.insert(attributes.value("pattern").toString().toStdString());
        } else if (current && reader.name() == u"icon") {
            current->icon = attributes.value("name").toString().toStdString();
        } else if (current && reader.name() == u"comment") {
            const std::string language = attributes.value("xml:lang").toString().toStdString();
            current->comments[language] = reader.readElementText().toStdString();
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return types;
}

// The entry without its Exec line.
std::string withoutExec(const std::string& entry)
{
    std::istringstream lines(entry);
    std::string out;
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with("Exec="))
            out += line + "\n";
    }
    return out;
}

TEST(DesktopIntegration, TheInstalledFilesAreWhatARegisteringStartWrites)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    LinuxFileTypeRegistration registration(root.path(), CacheRefresh::Skip);
    ASSERT_EQ(registerFileType(registration, "/usr/bin/veltrano", [] { return true; }).status,
              RegistrationStatus::Written);

    // The same desktop id with the same entry but for the program it
    // starts: a registration replaces the installed entry rather than
    // adding a second one.
    const std::map<std::string, QByteArray> installed = filesByPath();
    const std::string entryPath = std::string("applications/") + kDesktopId;
    const std::optional<std::string> registered = readFile(root.path() + "/" + QString::fromStdString(entryPath));
    ASSERT_TRUE(registered) << "the registration writes another desktop id";
    EXPECT_EQ(withoutExec(*registered), withoutExec(installed.at(entryPath).toStdString()));
    EXPECT_NE(*registered, installed.at(entryPath).toStdString());

    // The same MIME package under the same name, and every icon the
    // registration writes is one the installation has.
    const std::string packagePath = std::string("mime/packages/") + kMimePackageName;
    EXPECT_EQ(readFile(root.path() + "/" + QString::fromStdString(packagePath)),
              installed.at(packagePath).toStdString());
    QDirIterator icons(root.path() + "/icons", QDir::Files, QDirIterator::Subdirectories);
    int registeredIcons = 0;
    while (icons.hasNext()) {
        const std::string relative = QDir(root.path()).relativeFilePath(icons.next()).toStdString();
        ++registeredIcons;
        ASSERT_EQ(installed.count(relative), 1u) << relative;
        EXPECT_EQ(readFile(root.path() + "/" + QString::fromStdString(relative)),
                  installed.at(relative).toStdString()) << relative;
    }
    EXPECT_EQ(registeredIcons, 4);  // program and type, scalable and 48 pixels
}

TEST(DesktopIntegration, TheDesktopEntryStartsTheProgramWithOneFileInGermanAndEnglish)
{
    const std::string entry = desktopEntry();
    EXPECT_EQ(desktopEntryValue(entry, "Type"), "Application");
    EXPECT_EQ(desktopEntryValue(entry, "Exec"), std::string(kCommand) + " %f");
    EXPECT_EQ(desktopEntryValue(entry, "Icon"), kProgramIconName);
    EXPECT_EQ(desktopEntryValue(entry, "MimeType"), std::string(kFormulaMimeType) + ";");
    EXPECT_EQ(desktopEntryValue(entry, "Categories"), "Education;Science;Chemistry;");
    EXPECT_EQ(desktopEntryValue(entry, "Comment[de]"), "Chemische Strukturformeln zeichnen");
    for (const char* key : {"Name", "Name[de]", "Comment", "GenericName", "GenericName[de]"})
        EXPECT_FALSE(desktopEntryValue(entry, key).value_or("").empty()) << key;

    // One group, each key once.
    std::istringstream lines(entry);
    std::set<std::string> keys;
    int groups = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("[")) {
            ++groups;
            continue;
        }
        EXPECT_TRUE(keys.insert(line.substr(0, line.find('='))).second) << line;
    }
    EXPECT_EQ(groups, 1);
}

TEST(DesktopIntegration, TheMimePackageNamesCfdFilesWithItsOwnIcon)
{
    const auto types = parseMimePackage(mimePackage());
    ASSERT_EQ(types.size(), 1u);
    ASSERT_EQ(types.count(kFormulaMimeType), 1u);
    const MimeType& type = types.at(kFormulaMimeType);
    EXPECT_EQ(type.globs, std::set<std::string>{"*.cfd"});
    EXPECT_EQ(type.comments.at("de"), "Strukturformel");
    EXPECT_EQ(type.comments.at(""), "Structural formula");
    EXPECT_EQ(type.icon, "application-x-cfdfile");
}

TEST(DesktopIntegration, EveryThemeSizeHasAPictureOfTheProgramAndOfTheType)
{
    const std::map<std::string, QByteArray> files = filesByPath();
    for (const std::string& icon : {std::string("apps/") + kProgramIconName, std::string("mimetypes/") + kFormulaIconName}) {
        for (int size : iconSizes()) {
            const std::string path = "icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size)
                + "/" + icon + ".png";
            SCOPED_TRACE(path);
            ASSERT_EQ(files.count(path), 1u);
            const QImage image = QImage::fromData(files.at(path), "PNG");
            ASSERT_EQ(image.size(), QSize(size, size));
            // Transparent outside the rounded frame, white inside it, and the
            // ring dark at the top corner of the hexagon.
            EXPECT_LT(qAlpha(image.pixel(0, 0)), 64);
            EXPECT_EQ(image.pixel(size / 2, size / 2), qRgb(255, 255, 255));
            EXPECT_LT(qGray(image.pixel(size / 2, size * 6 / 48)), 128);
        }
        const std::string svg = "icons/hicolor/scalable/" + icon + ".svg";
        ASSERT_EQ(files.count(svg), 1u) << svg;
        QXmlStreamReader reader(files.at(svg));
        ASSERT_TRUE(reader.readNextStartElement());
        EXPECT_EQ(reader.name(), u"svg");
        EXPECT_FALSE(reader.attributes().value("viewBox").isEmpty());
    }
    EXPECT_EQ(files.count(std::string("applications/") + kDesktopId), 1u);
    EXPECT_EQ(files.count(std::string("mime/packages/") + kMimePackageName), 1u);
    EXPECT_EQ(iconSizes(), (std::vector<int>{16, 22, 24, 32, 48, 64, 128, 256}));
}

}  // namespace
}  // namespace veltrano::desktop
