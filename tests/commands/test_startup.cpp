// The start-up steps that run without widgets: the command line, the
// default extension, the folders and the opening of the command-line file.

#include "commands/file_commands.h"
#include "commands/startup.h"
#include "document/element_kind.h"
#include "support/fake_ui_port.h"
#include "support/faulty_file_system.h"
#include "support/file_helpers.h"
#include "support/test_folders.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace veltrano {
namespace {

using test::Bytes;
using test::fileBytes;
using test::fileExists;
using test::putFileBytes;
using test::recordFileBytes;

const std::vector<ElementRecord> kThreeRecords = {
    makeRecord(kind::SingleBond, 100, 100, 130, 100),
    makeRecord(0, 140, 95, 12, 0),
    makeRecord(kind::StraightArrow, 200, 200, 260, 200, 0x0000FF),
};

TEST(CommandLine, NamesAFileOrSwitchesTheAnswerModeOn)
{
    EXPECT_EQ(readCommandLine({}).fileName, "");
    EXPECT_FALSE(readCommandLine({}).opensFile());

    // An unquoted path with a blank arrives as two parameters and is joined.
    const CommandLine path = readCommandLine({"/home/anna/Formeln/mein", "Molekül"});
    EXPECT_EQ(path.fileName, "/home/anna/Formeln/mein Molekül");
    EXPECT_EQ(path.answerDir, "");
    EXPECT_TRUE(path.opensFile());

    const CommandLine answer = readCommandLine({"StrukCD", "/srv/Auf", "gaben", "x"});
    EXPECT_EQ(answer.answerDir, "/srv/Auf gaben x");
    EXPECT_FALSE(answer.opensFile());

    // The switch alone is a file name, and the switch is case sensitive.
    const CommandLine alone = readCommandLine({"StrukCD"});
    EXPECT_EQ(alone.answerDir, "");
    EXPECT_EQ(alone.fileName, "StrukCD");
    const CommandLine lower = readCommandLine({"strukcd", "x"});
    EXPECT_EQ(lower.answerDir, "");
    EXPECT_EQ(lower.fileName, "strukcd x");
}

TEST(CommandLine, DefaultExtensionLooksAtTheFourthCharacterFromTheEnd)
{
    EXPECT_EQ(withDefaultExtension("benzol"), "benzol.cfd");
    EXPECT_EQ(withDefaultExtension("a.cfd"), "a.cfd");
    EXPECT_EQ(withDefaultExtension("x.txt"), "x.txt");
    EXPECT_EQ(withDefaultExtension("x.cf"), "x.cf.cfd");
    EXPECT_EQ(withDefaultExtension(".cf"), ".cf.cfd");
    EXPECT_EQ(withDefaultExtension(""), ".cfd");
    EXPECT_EQ(withDefaultExtension("strukcd x"), "strukcd x.cfd");
    // Characters, not bytes: "ä" takes one place.
    EXPECT_EQ(withDefaultExtension("Säure.äbc"), "Säure.äbc");
    EXPECT_EQ(withDefaultExtension("Molekül"), "Molekül.cfd");
}

TEST(StartupFolders, ProgramDirWorkDirAndTheirFallbacks)
{
    EXPECT_EQ(programDirOf("/opt/veltrano/bin/veltrano"), "/opt/veltrano/bin/");
    EXPECT_EQ(withSeparator("/home/anna/Dokumente"), "/home/anna/Dokumente/");
    EXPECT_EQ(withSeparator("/home/anna/Dokumente/"), "/home/anna/Dokumente/");
    EXPECT_EQ(withSeparator(""), "");

    EXPECT_EQ(chooseWorkDir("/home/anna/.local/share/veltrano/", "/opt/veltrano/bin/"),
              "/home/anna/.local/share/veltrano/temp/");
    EXPECT_EQ(chooseWorkDir("/home/anna/.local/share/veltrano", "/opt/veltrano/bin/"),
              "/home/anna/.local/share/veltrano/temp/");
    // Without an application-data folder the program's own folder is used.
    EXPECT_EQ(chooseWorkDir("", "/opt/veltrano/bin/"), "/opt/veltrano/bin/");
    EXPECT_EQ(chooseWorkDir("/a/", "/opt/veltrano/bin/"), "/opt/veltrano/bin/");

    EXPECT_TRUE(usesCompactLayout(640));
    EXPECT_TRUE(usesCompactLayout(779));
    EXPECT_FALSE(usesCompactLayout(780));
}

class OpenCommandLineFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(QString::fromStdString(folders.workDir()));
        editor.emplace(fs, ui, folders.workDir());
        editor->workingFile.createEmpty();
    }

    test::TestFolders folders;
    test::FaultyFileSystem fs;
    test::FakeUiPort ui;
    std::optional<Editor> editor;
};

TEST_F(OpenCommandLineFileTest, CopiesTheFileAndDrawsIt)
{
    const std::string name = folders.path("Benzol");  // the extension is added
    putFileBytes(name + ".cfd", recordFileBytes(kThreeRecords));

    openCommandLineFile(*editor, name);

    EXPECT_EQ(fileBytes(folders.tempDat()), recordFileBytes(kThreeRecords));
    EXPECT_EQ(editor->document.DocumentName, name + ".cfd");
    EXPECT_EQ(editor->document.SavedRecordCount, 3u);
    EXPECT_EQ(ui.currentCaption, "Veltrano:   Benzol.cfd");
    EXPECT_TRUE(ui.messages.empty());
    // The bond is on the page; the page was not blanked afterwards.
    EXPECT_EQ(editor->canvas.pixel(115, 100), kBlack);
    EXPECT_FALSE(ui.changedAreas.empty());
}

TEST_F(OpenCommandLineFileTest, AMissingFileIsNamedAndOpensEmptyUnderItsName)
{
    const std::string name = folders.path("neu.cfd");
    openCommandLineFile(*editor, name);

    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].starts_with("Datei nicht gefunden:\n" + name + "\n")) << ui.messages[0];
    EXPECT_EQ(ui.currentCaption, "Veltrano:   neu.cfd");
    EXPECT_EQ(editor->document.DocumentName, name);
    EXPECT_EQ(editor->document.SavedRecordCount, 0u);
    EXPECT_TRUE(fileExists(folders.tempDat()));
    EXPECT_TRUE(fileBytes(folders.tempDat()).empty());
    EXPECT_FALSE(fileExists(name));  // nothing is created before a save
}

TEST_F(OpenCommandLineFileTest, AFileThatIsNoDrawingOpensOnlyWhenTheUserSaysSo)
{
    const std::string name = folders.path("Notizen.cfd");
    const std::string text = "Nur eine Notiz, keine Formel. Sie ist länger als ein Element, das 32 Byte hat.\n";
    const Bytes source(text.begin(), text.end());
    putFileBytes(name, source);

    ui.messageAnswers = {MessageResult::Cancel};
    openCommandLineFile(*editor, name);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].buttons, MessageButtons::OpenAnywayCancel);
    EXPECT_TRUE(ui.messageBoxes[0].text.starts_with("„Notizen.cfd“ sieht nicht wie eine Formeldatei aus: nur 0 von 2"))
        << ui.messageBoxes[0].text;
    EXPECT_TRUE(fileBytes(folders.tempDat()).empty());
    EXPECT_TRUE(editor->document.DocumentName.empty());
    EXPECT_EQ(ui.currentCaption, "Veltrano");

    // Opened anyway: named, but a save asks for a name instead of writing
    // the text over.
    ui.messageAnswers = {MessageResult::Ok};
    openCommandLineFile(*editor, name);
    EXPECT_EQ(editor->document.DocumentName, name);
    EXPECT_TRUE(editor->document.SourceDoubtful);
    editor->workingFile.AppendRecord(kThreeRecords[0]);
    ui.saveDialogAnswers = {std::nullopt};
    Speichern2Click(*editor);
    EXPECT_EQ(ui.saveDialogs.size(), 1u);
    EXPECT_EQ(fileBytes(name), source);
}

TEST_F(OpenCommandLineFileTest, AFileThatCannotBeReadGivesTheMessageAndAnUntitledDocument)
{
    // A folder with a formula file's name exists but cannot be read as one.
    const std::string folder = folders.path("kaputt.cfd");
    QDir().mkpath(QString::fromStdString(folder));
    openCommandLineFile(*editor, folder);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Die Datei konnte nicht geöffnet werden."});
    EXPECT_EQ(editor->document.DocumentName, "");
    EXPECT_EQ(ui.currentCaption, "Veltrano");
    EXPECT_TRUE(fileExists(folders.tempDat()));
    EXPECT_TRUE(fileBytes(folders.tempDat()).empty());

    // A regular file whose read fails: the same, and the file keeps its bytes.
    ui.messages.clear();
    const std::string name = folders.path("lesefehler.cfd");
    putFileBytes(name, recordFileBytes(kThreeRecords));
    fs.failAt(1, EIO, test::FsOp::Read);
    openCommandLineFile(*editor, name);
    EXPECT_TRUE(fs.injected());
    fs.disarm();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Die Datei konnte nicht geöffnet werden."});
    EXPECT_EQ(editor->document.DocumentName, "");
    EXPECT_EQ(editor->document.SavedRecordCount, 0u);
    EXPECT_TRUE(fileBytes(folders.tempDat()).empty());
    EXPECT_EQ(fileBytes(name), recordFileBytes(kThreeRecords));
}

TEST_F(OpenCommandLineFileTest, AWorkingCopyThatCannotBeWrittenLeavesTheDocumentUntitled)
{
    const std::string name = folders.path("benzol.cfd");
    putFileBytes(name, recordFileBytes(kThreeRecords));
    // The file is read; writing it over temp.dat fails.
    fs.onlyPathsContaining("temp.dat");
    fs.failAt(1, ENOSPC, test::FsOp::Write);
    openCommandLineFile(*editor, name);
    EXPECT_TRUE(fs.injected());
    fs.disarm();
    fs.onlyPathsContaining("");

    EXPECT_EQ(ui.messages, std::vector<std::string>{"Die Datei konnte nicht geöffnet werden."});
    EXPECT_EQ(editor->document.DocumentName, "");
    EXPECT_EQ(ui.currentCaption, "Veltrano");
    EXPECT_TRUE(fileExists(folders.tempDat()));
    EXPECT_TRUE(fileBytes(folders.tempDat()).empty());
    EXPECT_EQ(fileBytes(name), recordFileBytes(kThreeRecords));
}

TEST_F(OpenCommandLineFileTest, AReadOnlyFileGivesAWritableWorkingCopy)
{
    const std::string name = folders.path("schreibgeschuetzt.cfd");
    putFileBytes(name, recordFileBytes(kThreeRecords));
    ASSERT_EQ(::chmod(name.c_str(), 0444), 0);

    openCommandLineFile(*editor, name);

    struct stat status {};
    ASSERT_EQ(::stat(folders.tempDat().c_str(), &status), 0);
    EXPECT_NE(status.st_mode & S_IWUSR, 0u);
    // Editing works: one more record is appended to the copy.
    editor->workingFile.AppendRecord(makeRecord(kind::SingleBond, 1, 1, 31, 1));
    EXPECT_EQ(editor->workingFile.recordCount(), 4u);
    EXPECT_EQ(fileBytes(name), recordFileBytes(kThreeRecords));
}

TEST_F(OpenCommandLineFileTest, StartStateMatchesThePressedButtons)
{
    editor->tools.LeftTool = kind::SelectTool;
    editor->tools.LineLength = 45;
    editor->tools.CurrentColour = 0x0000FF;
    editor->editing.SelectionPresent = true;
    editor->editing.Modified = true;
    editor->document.DocumentName = "x.cfd";
    setStartState(*editor);

    EXPECT_EQ(editor->tools.LeftTool, kind::SingleBond);
    EXPECT_EQ(editor->tools.RightLabel, kind::DoubleBondMarker);
    EXPECT_EQ(editor->tools.LineLength, 30.0);
    EXPECT_EQ(editor->tools.RingStep, 30.0);
    EXPECT_TRUE(editor->tools.GridOn);
    EXPECT_EQ(editor->tools.CurrentColour, kBlack);
    EXPECT_FALSE(editor->editing.SelectionPresent);
    EXPECT_FALSE(editor->editing.MovingSelection);
    EXPECT_FALSE(editor->editing.PressActive);
    EXPECT_FALSE(editor->editing.Modified);
    EXPECT_EQ(editor->editing.SelRect, (SelectionRect{0, 0, 0, 0}));
    EXPECT_EQ(editor->document.DocumentName, "");
    EXPECT_EQ(ui.itemIndex(Control::ComboBox2), 0);
    EXPECT_EQ(ui.itemIndex(Control::ComboBox1), 3);
}

TEST_F(OpenCommandLineFileTest, AnUnwritableWorkDirIsReportedAndStartUpGoesOn)
{
    fs.failAt(1, EACCES, test::FsOp::Open);
    createEmptyWorkingDocument(*editor);
    EXPECT_TRUE(fs.injected());
    fs.disarm();
    EXPECT_EQ(ui.errors.size(), 1u);
}

}  // namespace
}  // namespace veltrano
