// "&Hilfe": which help document is handed to the desktop, and the HTML help
// itself: every link of every page leads to a file (and an anchor) that
// exists, in the source folder and in the copy beside the program.

#include "commands/help_command.h"
#include "support/fake_ui_port.h"
#include "support/file_helpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace veltrano {
namespace {

class HelpCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        programDir = root.path().toStdString() + "/prefix/bin/";
        QDir().mkpath(QString::fromStdString(programDir + "hilfe"));
        QDir().mkpath(root.path() + "/prefix/share/veltrano/hilfe");
    }

    void put(const std::string& path) { test::putFileBytes(path, {'x'}); }

    QTemporaryDir root;
    std::string programDir;
    test::FakeUiPort ui;
    FileSystem& fs = FileSystem::system();
};

TEST_F(HelpCommandTest, TheCompiledHelpComesFirstThenTheHtmlHelpBesideTheProgramThenTheInstalledOne)
{
    const std::string compiled = programDir + "Tavrel_Hilfe.chm";
    const std::string beside = programDir + "hilfe/index.html";
    const std::string installed = root.path().toStdString() + "/prefix/share/veltrano/hilfe/index.html";
    put(compiled);
    put(beside);
    put(installed);

    Hilfe1Click(fs, ui, programDir);
    QFile::remove(QString::fromStdString(compiled));
    Hilfe1Click(fs, ui, programDir);
    QFile::remove(QString::fromStdString(beside));
    Hilfe1Click(fs, ui, programDir);
    EXPECT_EQ(ui.openedDocuments, (std::vector<std::string>{compiled, beside, installed}));
    EXPECT_TRUE(ui.openedWebPages.empty());
}

TEST_F(HelpCommandTest, WithoutAnyHelpNothingIsOpenedAndNothingIsShown)
{
    EXPECT_EQ(helpDocument(fs, programDir), std::nullopt);
    Hilfe1Click(fs, ui, programDir);
    EXPECT_TRUE(ui.log.empty());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.errors.empty());
}

// --- The pages ------------------------------------------------------------

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// Every href and src of the pages in folder: a relative path to a file that
// exists, and where it names an anchor, an element with that id. Returns the
// problems found, and the pages reached from the index in names.
QStringList brokenLinks(const QString& folder, QSet<QString>& linkedFromIndex)
{
    QStringList problems;
    const QRegularExpression link(QStringLiteral(R"re((?:href|src)\s*=\s*"([^"]*)")re"));
    const QStringList pages = QDir(folder).entryList({"*.html"}, QDir::Files);
    if (pages.isEmpty())
        problems << "no pages in " + folder;
    for (const QString& page : pages) {
        const QString text = readText(folder + "/" + page);
        for (const QRegularExpressionMatch& match : link.globalMatch(text)) {
            const QString target = match.captured(1);
            const QString file = target.section('#', 0, 0);
            const QString anchor = target.section('#', 1);
            if (target.isEmpty() || target.contains(':') || target.startsWith('/')) {
                problems << page + ": not a relative link: " + target;
                continue;
            }
            const QString path = file.isEmpty() ? folder + "/" + page : folder + "/" + file;
            if (!QFileInfo(path).isFile()) {
                problems << page + ": missing " + target;
                continue;
            }
            if (!anchor.isEmpty() && !readText(path).contains("id=\"" + anchor + "\""))
                problems << page + ": no anchor " + target;
            if (page == "index.html")
                linkedFromIndex.insert(file);
        }
    }
    return problems;
}

QString builtHelp()
{
    return QCoreApplication::applicationDirPath() + "/hilfe";
}

TEST(HelpPages, EveryLinkOfTheHelpBesideTheProgramLeadsToAFileThatExists)
{
    const QString folder = builtHelp();
    ASSERT_TRUE(QFileInfo(folder + "/index.html").isFile()) << "the build puts the help beside the program";
    QSet<QString> fromIndex;
    const QStringList problems = brokenLinks(folder, fromIndex);
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();

    // Each page is one click away from the index.
    for (const QString& page : QDir(folder).entryList({"*.html"}, QDir::Files))
        EXPECT_TRUE(page == "index.html" || fromIndex.contains(page)) << page.toStdString();

    // The drawings are pictures of the element painter, not empty files.
    const QStringList pictures = QDir(folder + "/bilder").entryList({"*.png"}, QDir::Files);
    EXPECT_GE(pictures.size(), 5);
    for (const QString& name : pictures) {
        const QImage picture(folder + "/bilder/" + name);
        ASSERT_FALSE(picture.isNull()) << name.toStdString();
        EXPECT_GT(picture.width(), 40) << name.toStdString();
        EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 255, 255)) << name.toStdString();  // the white margin
    }
}

TEST(HelpPages, TheCopyBesideTheProgramHoldsThePagesOfTheSourceFolder)
{
    const QString source = QStringLiteral(VELTRANO_SOURCE_DIR) + "/data/help";
    const QStringList pages = QDir(source).entryList({"*.html", "*.css"}, QDir::Files);
    ASSERT_FALSE(pages.isEmpty());
    for (const QString& page : pages) {
        const QString text = readText(source + "/" + page);
        EXPECT_EQ(readText(builtHelp() + "/" + page), text) << page.toStdString();
        if (page.endsWith(".html")) {
            EXPECT_TRUE(text.contains("<html lang=\"de\">")) << page.toStdString();
            EXPECT_TRUE(text.contains("<meta charset=\"utf-8\">")) << page.toStdString();
        }
    }
}

}  // namespace
}  // namespace veltrano
