// The data folders: a build tree finds its templates and help beside the
// program, an installation in share/veltrano/ beside bin/, and the program's
// own folder wins when both hold a file.

#include "commands/data_folders.h"
#include "commands/help_command.h"
#include "commands/template_palette.h"

#include "document/element_kind.h"
#include "document/record_file.h"
#include "editor/editor_fixture.h"

#include <QDir>
#include <QTemporaryDir>

namespace veltrano {
namespace {

using test::recordFileBytes;

TEST(DataFolders, TheProgramFolderComesFirstThenShareVeltranoBesideIt)
{
    EXPECT_EQ(dataFolders("/opt/veltrano/bin/"),
              (std::vector<std::string>{"/opt/veltrano/bin/", "/opt/veltrano/share/veltrano/"}));
    EXPECT_EQ(dataFolders("/usr/bin/"), (std::vector<std::string>{"/usr/bin/", "/usr/share/veltrano/"}));
    // A program folder reached through ".." still gives a plain installed folder.
    EXPECT_EQ(dataFolders("/a/b/../bin/")[1], "/a/share/veltrano/");
}

// An installation laid out in a temporary prefix: the program in bin/, its
// data in share/veltrano/.
class InstalledTemplates : public test::EditorTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(prefix.isValid());
        programDir = prefix.path().toStdString() + "/bin/";
        installed = prefix.path().toStdString() + "/share/veltrano/";
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(programDir + "struk")));
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(installed + "struk")));
        writeDocument({});
        RadioButton1Click(editor);  // the templates drawn at 30
    }

    static std::vector<ElementRecord> bonds(int count)
    {
        std::vector<ElementRecord> records;
        for (int i = 0; i < count; ++i)
            records.push_back(makeRecord(kind::SingleBond, 100, 100 + 10 * i, 130, 100 + 10 * i));
        return records;
    }

    void put(const std::string& path, const std::vector<ElementRecord>& records)
    {
        test::putFileBytes(path, recordFileBytes(records));
    }

    QTemporaryDir prefix;
    std::string programDir;
    std::string installed;
};

TEST_F(InstalledTemplates, AnInstalledTemplateIsMergedAndOneBesideTheProgramWins)
{
    // SpeedButton1 is the first benzene ring.
    put(installed + "struk/30benzol1.cfd", bonds(3));
    EXPECT_EQ(templatePath(editor.fileSystem, programDir, "30", "benzol1"), installed + "struk/30benzol1.cfd");
    ASSERT_TRUE(TemplateButtonClick(editor, programDir, "SpeedButton1"));
    EXPECT_EQ(editor.workingFile.recordCount(), 3u);
    EXPECT_TRUE(ui.messages.empty());

    put(programDir + "struk/30benzol1.cfd", bonds(5));
    EXPECT_EQ(templatePath(editor.fileSystem, programDir, "30", "benzol1"), programDir + "struk/30benzol1.cfd");
    writeDocument({});
    ASSERT_TRUE(TemplateButtonClick(editor, programDir, "SpeedButton1"));
    EXPECT_EQ(editor.workingFile.recordCount(), 5u);
}

TEST_F(InstalledTemplates, ATemplateInNeitherFolderShowsTheMessageAndInsertsNothing)
{
    put(installed + "struk/40benzol1.cfd", bonds(3));  // the other line length only
    EXPECT_EQ(templatePath(editor.fileSystem, programDir, "30", "benzol1"), programDir + "struk/30benzol1.cfd");
    ASSERT_TRUE(TemplateButtonClick(editor, programDir, "SpeedButton1"));
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Die Datei konnte nicht geöffnet werden.\n" + programDir +
                                                    "struk/30benzol1.cfd"});
    EXPECT_EQ(editor.workingFile.recordCount(), 0u);
    EXPECT_TRUE(ui.isEnabled(ui::kDrawingImage));
}

TEST_F(InstalledTemplates, TheHelpIsFoundInTheSameFolders)
{
    EXPECT_EQ(helpDocument(editor.fileSystem, programDir), std::nullopt);
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(installed + "hilfe")));
    test::putFileBytes(installed + "hilfe/index.html", {'x'});
    EXPECT_EQ(helpDocument(editor.fileSystem, programDir), installed + "hilfe/index.html");
}

}  // namespace
}  // namespace veltrano
