// Start-up when resources run out: a command-line file that does not fit
// in memory leaves the working document as it was, and a WorkDir that
// cannot be had is reported once without falling back anywhere.

#include "commands/startup.h"
#include "document/element_kind.h"
#include "support/exhausting_file_system.h"
#include "support/fake_ui_port.h"
#include "support/file_helpers.h"
#include "support/test_folders.h"

#include <QDir>

#include <memory>

#include "render/page.h"

#include <gtest/gtest.h>

namespace veltrano {
namespace {

using test::fileBytes;
using test::putFileBytes;
using test::recordFileBytes;

const std::vector<ElementRecord> kBonds = {
    makeRecord(kind::SingleBond, 100, 100, 130, 100),
    makeRecord(kind::DoubleBond, 130, 100, 145, 126),
};
const std::vector<ElementRecord> kEarlier = {makeRecord(kind::TripleBond, 300, 300, 330, 300)};

class StartupOutOfMemory : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(QString::fromStdString(folders.workDir()));
        editor.emplace(fs, ui, folders.workDir());
        name = folders.path("gross.cfd");
        putFileBytes(name, recordFileBytes(kBonds));
    }

    test::TestFolders folders;
    test::ExhaustingFileSystem fs;
    test::FakeUiPort ui;
    std::optional<Editor> editor;
    std::string name;
};

TEST_F(StartupOutOfMemory, AFileThatDoesNotFitLeavesTemp_datAsItWas)
{
    // Whatever temp.dat holds when the read fails, it keeps.
    putFileBytes(folders.tempDat(), recordFileBytes(kEarlier));
    fs.exhaustAt(1, "gross.cfd");
    openCommandLineFile(*editor, name);
    ASSERT_TRUE(fs.exhausted());

    EXPECT_EQ(ui.messages, std::vector<std::string>{"Die Datei konnte nicht geöffnet werden."});
    EXPECT_EQ(fileBytes(folders.tempDat()), recordFileBytes(kEarlier));
    EXPECT_EQ(editor->document.DocumentName, "");
    EXPECT_EQ(ui.currentCaption, "Veltrano");
    EXPECT_EQ(fileBytes(name), recordFileBytes(kBonds));
}

TEST_F(StartupOutOfMemory, TheOpenedFileIsDrawnFromWhatWasReadWithoutReadingTheWorkingCopyAgain)
{
    editor->workingFile.createEmpty();
    // Any read of the working copy would run out of memory; the drawing
    // needs none, so opening succeeds.
    fs.exhaustAt(1, "temp.dat");
    openCommandLineFile(*editor, name);
    EXPECT_FALSE(fs.exhausted());
    fs.disarm();

    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(editor->document.DocumentName, name);
    EXPECT_EQ(fileBytes(folders.tempDat()), recordFileBytes(kBonds));
    EXPECT_NE(editor->page, makeBlankPage());
}

TEST(StartWorkingDocument, WithoutAWorkDirOneMessageNamesTheFolderAndTheEditorKnows)
{
    test::TestFolders folders;
    test::FakeUiPort ui;
    // The data folder is a file, so no WorkDir can be made below it.
    test::putFileBytes(folders.path("nirgends"), {});
    const std::string missing = folders.path("nirgends/temp/");
    const WorkDirLock lock(missing);
    ASSERT_FALSE(lock.isLocked());
    Editor editor(FileSystem::system(), ui, lock.path());
    startWorkingDocument(editor, lock);

    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("„" + folders.path("nirgends/temp") + "“ kann nicht angelegt"), std::string::npos)
        << ui.messages[0];
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_FALSE(editor.workDirUsable);
    EXPECT_FALSE(test::fileExists(missing + "temp.dat"));

    // The first showing draws a blank page without reading anything.
    editor.page.setPixel(5, 5, qRgb(0, 0, 0));
    FormShow(editor);
    EXPECT_EQ(editor.page.pixel(5, 5), qRgb(255, 255, 255));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.errors.empty());
}

TEST(StartWorkingDocument, WhenEveryFolderIsBusyTheMessageSaysSo)
{
    test::TestFolders folders;
    std::vector<std::unique_ptr<WorkDirLock>> running;
    for (int i = 0; i < WorkDirLock::kLastCandidate; ++i) {
        running.push_back(std::make_unique<WorkDirLock>(folders.workDir()));
        ASSERT_TRUE(running.back()->isLocked()) << i;
    }
    const WorkDirLock last(folders.workDir());
    EXPECT_EQ(last.status(), WorkDirLock::Status::AllBusy);
    const std::string stem = folders.path("data/veltrano/temp");
    const std::string message = workDirMissingMessage(last);
    EXPECT_NE(message.find("„" + stem + "“ bis „" + stem + "99“"), std::string::npos) << message;
}

TEST(StartWorkingDocument, WithAWorkDirTemp_datIsCreatedEmpty)
{
    test::TestFolders folders;
    test::FakeUiPort ui;
    QDir().mkpath(QString::fromStdString(folders.workDir()));
    putFileBytes(folders.tempDat(), recordFileBytes(kEarlier));
    const WorkDirLock lock(folders.workDir());
    ASSERT_TRUE(lock.isLocked());
    Editor editor(FileSystem::system(), ui, lock.path());
    startWorkingDocument(editor, lock);
    EXPECT_TRUE(editor.workDirUsable);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(test::fileExists(folders.tempDat()));
    EXPECT_TRUE(fileBytes(folders.tempDat()).empty());
}

}  // namespace
}  // namespace veltrano
