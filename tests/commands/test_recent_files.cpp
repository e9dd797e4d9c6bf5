// "Zuletzt geöffnet": opened and saved files go in front, at most eight,
// each once; files that are gone are dropped at start-up and when chosen.

#include "command_fixture.h"
#include "commands/file_commands.h"
#include "commands/recent_files.h"
#include "document/element_kind.h"

namespace veltrano {
namespace {

using test::putFileBytes;
using test::recordFileBytes;

class RecentFiles : public test::CommandTest {
protected:
    // A formula file of one bond starting at x, in Formeln/.
    std::string drawing(const std::string& name, int x)
    {
        const std::string file = path("Formeln/" + name);
        putFileBytes(file, recordFileBytes({makeRecord(kind::SingleBond, x, 100, x + 30, 100)}));
        return file;
    }

    void open(const std::string& file)
    {
        ui.openDialogAnswers = {file};
        run(ffnen1Click);
    }
};

TEST_F(RecentFiles, OpenedAndSavedFilesGoInFrontEachOnceAtMostEight)
{
    std::vector<std::string> files;
    for (int i = 0; i < 10; ++i)
        files.push_back(drawing("f" + std::to_string(i) + ".cfd", 10 * i));
    for (const std::string& file : files)
        open(file);
    ASSERT_EQ(ui.keptRecentFiles.size(), kRecentFileCount);
    EXPECT_EQ(ui.keptRecentFiles.front(), files[9]);
    EXPECT_EQ(ui.keptRecentFiles.back(), files[2]);

    // Opened again, a file moves up instead of appearing twice.
    open(files[5]);
    EXPECT_EQ(ui.keptRecentFiles.front(), files[5]);
    EXPECT_EQ(std::count(ui.keptRecentFiles.begin(), ui.keptRecentFiles.end(), files[5]), 1);
    EXPECT_EQ(ui.keptRecentFiles.size(), kRecentFileCount);

    // "Speichern unter" names a new file.
    ui.saveDialogAnswers = {path("Formeln/neu.cfd")};
    run(Speichern1Click);
    EXPECT_EQ(ui.keptRecentFiles.front(), path("Formeln/neu.cfd"));
}

TEST_F(RecentFiles, TheKeptListLosesMissingFilesAndRepeatsAtStartUp)
{
    const std::string a = drawing("a.cfd", 10);
    const std::string b = drawing("b.cfd", 20);
    ui.keptRecentFiles = {a, path("Formeln/weg.cfd"), "", b, a};
    for (int i = 0; i < 10; ++i)
        ui.keptRecentFiles.push_back(drawing("g" + std::to_string(i) + ".cfd", i));
    loadRecentFiles(editor);
    ASSERT_EQ(editor.recentFiles.size(), kRecentFileCount);
    EXPECT_EQ(editor.recentFiles[0], a);
    EXPECT_EQ(editor.recentFiles[1], b);
    EXPECT_EQ(editor.recentFiles[2], path("Formeln/g0.cfd"));
    EXPECT_EQ(ui.keptRecentFiles, editor.recentFiles);
}

TEST_F(RecentFiles, ChoosingAnEntryOffersToSaveFirstAndAPlaceBeyondTheListDoesNothing)
{
    // (Opening an entry and a file gone since: the window test.)
    const std::string a = drawing("a.cfd", 10);
    open(a);
    writeDocument({makeRecord(kind::SingleBond, 1, 2, 3, 4)});
    editor.editing.Modified = true;
    ui.messageAnswers = {MessageResult::Yes};
    ui.saveDialogAnswers = {std::nullopt};
    run([](Editor& e) { openRecentFile(e, 0); });
    EXPECT_EQ(document(), recordFileBytes({makeRecord(kind::SingleBond, 1, 2, 3, 4)}));
    run([](Editor& e) { openRecentFile(e, 5); });
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.errors.empty());
}

}  // namespace
}  // namespace veltrano
