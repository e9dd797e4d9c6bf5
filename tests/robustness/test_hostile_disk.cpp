// Files and disks that work against the editor: special files chosen as a
// document, a temp.dat deleted behind its back, a read-only WorkDir, a
// real full disk, and the hostile documents of tests/data/hostile opened
// and drawn through the file command.

#include "command_table.h"
#include "commands/file_commands.h"
#include "commands/merge.h"
#include "commands/startup.h"
#include "editor/full_repaint.h"
#include "editor/guarded.h"
#include "editor/pointer.h"
#include "document/element_kind.h"
#include "document/plausibility.h"
#include "document/record_file.h"
#include "render/page.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veltrano {
namespace {

using test::fileBytes;
using test::Scene;

const char* const kCannotOpen = "Die Datei konnte nicht geöffnet werden.";

TEST(HostileFiles, AFifoADeviceOrAFolderIsRefusedAsADocumentWithoutBlocking)
{
    Scene scene;
    const std::string fifo = scene.path("Formeln/rohr.cfd");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string folder = scene.path("Formeln/ordner.cfd");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
    const test::Bytes document = fileBytes(scene.editor->workingFile.path());

    for (const std::string& chosen : {fifo, std::string("/dev/zero"), folder}) {
        scene.ui.messages.clear();
        // Ö&ffnen, a merge and the command-line file (for names that keep
        // their extension) refuse it alike.
        scene.ui.messageAnswers.push_back(MessageResult::No);  // not saved first
        scene.ui.openDialogAnswers.push_back(chosen);
        runGuarded(scene.ui, [&] { ffnen1Click(*scene.editor); });
        runGuarded(scene.ui, [&] { mergeFormulaFile(*scene.editor, chosen); });
        std::size_t refusals = 2;
        if (chosen != "/dev/zero") {
            runGuarded(scene.ui, [&] { openCommandLineFile(*scene.editor, chosen); });
            ++refusals;
        }
        EXPECT_EQ(scene.ui.messages, std::vector<std::string>(refusals, kCannotOpen)) << chosen;
        EXPECT_TRUE(scene.ui.errors.empty()) << chosen;
        EXPECT_EQ(fileBytes(scene.editor->workingFile.path()), document) << chosen;
        EXPECT_EQ(scene.editor->document.DocumentName, scene.path("Formeln/alt.cfd")) << chosen;
    }

    // Saved over, the FIFO is refused too and stays a FIFO.
    scene.ui.saveDialogAnswers.push_back(fifo);
    scene.ui.messageAnswers.push_back(MessageResult::Ok);
    runGuarded(scene.ui, [&] { Speichern1Click(*scene.editor); });
    EXPECT_EQ(scene.ui.errors, std::vector<std::string>{"„rohr.cfd“ ist keine gewöhnliche Datei"});
    struct stat st {};
    ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(scene.editor->document.DocumentName, scene.path("Formeln/alt.cfd"));
}

TEST(HostileFiles, EveryCommandCopesWithTemp_datDeletedBehindItsBack)
{
    for (const test::Case& c : test::writingCommands()) {
        Scene scene;
        if (c.prepare)
            c.prepare(scene);
        ASSERT_EQ(::unlink(scene.editor->workingFile.path().c_str()), 0);
        runGuarded(scene.ui, [&] { c.command(*scene.editor); });
        // At most one message, in German, and no file of the user's spoilt.
        const std::size_t told = scene.ui.errors.size() + scene.ui.messages.size();
        EXPECT_LE(told, 1u) << c.name;
        for (const std::string& text : scene.ui.errors)
            EXPECT_TRUE(text == "Datei nicht gefunden" || text == kCannotOpen) << c.name << ": " << text;
        EXPECT_EQ(fileBytes(scene.path("Formeln/alt.cfd")), test::recordFileBytes(Scene::saved())) << c.name;
        // The next drawing starts a document again.
        runGuarded(scene.ui, [&] { FullRepaint(*scene.editor); });
        scene.ui.errors.clear();
        scene.ui.messages.clear();
        scene.editor->tools.LeftTool = kind::SingleBond;
        runGuarded(scene.ui, [&] {
            I1MouseDown(*scene.editor, PointerButton::Left, 700, 700);
            I1MouseMove(*scene.editor, 760, 700);
            I1MouseUp(*scene.editor, PointerButton::Left, 760, 700);
        });
        EXPECT_TRUE(scene.ui.errors.empty()) << c.name << ": " << (scene.ui.errors.empty() ? "" : scene.ui.errors[0]);
        EXPECT_GE(parseRecords(fileBytes(scene.editor->workingFile.path())).size(), 1u) << c.name;
        scene.expectPageShowsTheDocument(c.name);
    }
}

// A file system on which nothing may be written: a read-only WorkDir as a
// process without root's rights meets it.
class ReadOnlyDisk : public FileSystem {
public:
    int open(const std::string& path, OpenMode mode) override
    {
        if (mode != OpenMode::Read) {
            setLastError(EROFS);
            return -1;
        }
        return FileSystem::open(path, mode);
    }
    bool rename(const std::string&, const std::string&) override
    {
        setLastError(EROFS);
        return false;
    }
};

TEST(HostileFiles, AReadOnlyWorkDirRefusesEveryChangeAndKeepsTheDrawing)
{
    if (::geteuid() == 0)
        std::printf("[ robustness ] running as root: permission bits do not stop writes, so the read-only "
                    "WorkDir is shown through the file-system seam only\n");
    for (const test::Case& c : test::writingCommands()) {
        Scene scene;
        if (c.prepare)
            c.prepare(scene);
        const Scene::Files before = scene.files();
        ReadOnlyDisk readOnly;
        Editor editor(readOnly, scene.ui, scene.path("work"));
        editor.document = scene.editor->document;
        editor.editing = scene.editor->editing;
        editor.tools = scene.editor->tools;
        editor.page = scene.editor->page;
        runGuarded(scene.ui, [&] { c.command(editor); });
        const Scene::Files after = scene.files();
        // Nothing changed; exports and saves into Formeln/ are read-only too.
        EXPECT_EQ(after, before) << c.name;
        EXPECT_LE(scene.ui.errors.size() + scene.ui.messages.size(), 1u) << c.name;
        for (const std::string& text : scene.ui.errors)
            EXPECT_EQ(text, "Dateizugriff verweigert") << c.name;
    }
}

TEST(HostileFiles, AFullDiskStopsTheDrawingWithAMessageAndLosesNothing)
{
    Scene scene;
    const std::string disk = scene.path("klein");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(disk)));
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "a small tmpfs cannot be mounted here (" << std::strerror(errno)
                     << "); the full disk is shown through the file-system seam in FaultInjection";
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    } unmount{disk};

    test::FakeUiPort ui;
    Editor editor(FileSystem::system(), ui, disk);
    editor.workingFile.createEmpty();
    FullRepaint(editor);
    editor.tools.LeftTool = kind::SingleBond;
    // Bonds until the disk is full: every one is a snapshot and an append.
    int drawn = 0;
    while (ui.errors.empty() && drawn < 5000) {
        runGuarded(ui, [&] {
            I1MouseDown(editor, PointerButton::Left, 100 + drawn % 900, 100 + drawn % 800);
            I1MouseMove(editor, 130 + drawn % 900, 100 + drawn % 800);
            I1MouseUp(editor, PointerButton::Left, 130 + drawn % 900, 100 + drawn % 800);
        });
        ++drawn;
    }
    ASSERT_EQ(ui.errors, std::vector<std::string>{"Zu wenig Speicherplatz"});
    const test::Bytes full = fileBytes(editor.workingFile.path());
    EXPECT_EQ(full.size() % kRecordSize, 0u) << "a failed append leaves no fragment";
    EXPECT_GE(full.size() / kRecordSize, std::size_t(drawn - 2));
    // The page shows what temp.dat holds.
    test::FakeUiPort quiet;
    Editor fresh(FileSystem::system(), quiet, disk);
    FullRepaint(fresh);
    EXPECT_TRUE(editor.page == fresh.page);
    // Saving elsewhere still works.
    editor.document.DocumentName = scene.path("Formeln/voll.cfd");
    ui.errors.clear();
    runGuarded(ui, [&] { Speichern2Click(editor); });
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_EQ(fileBytes(scene.path("Formeln/voll.cfd")), full);
}

TEST(HostileFiles, EveryHostileDocumentOpensAndIsDrawn)
{
    const QDir data(QStringLiteral(VELTRANO_TEST_DATA "/hostile"));
    const QStringList names = data.entryList(QDir::Files, QDir::Name);
    ASSERT_GE(names.size(), 6);
    for (const QString& name : names) {
        Scene scene;
        const std::string path = data.filePath(name).toStdString();
        const test::Bytes original = fileBytes(path);
        // Not saved first; a file too odd to look like a drawing is opened
        // anyway.
        scene.ui.messageAnswers.push_back(MessageResult::No);
        const bool doubtful = !judgeFormulaFile(parseRecords(original), original.size()).plausible;
        if (doubtful)
            scene.ui.messageAnswers.push_back(MessageResult::Ok);
        scene.ui.openDialogAnswers.push_back(path);
        runGuarded(scene.ui, [&] { ffnen1Click(*scene.editor); });
        EXPECT_EQ(scene.ui.messageBoxes.size(), doubtful ? 2u : 1u) << name.toStdString();
        EXPECT_EQ(scene.editor->document.SourceDoubtful, doubtful) << name.toStdString();
        EXPECT_TRUE(scene.ui.errors.empty() && scene.ui.messages.empty()) << name.toStdString();
        EXPECT_EQ(scene.editor->document.DocumentName, path);
        EXPECT_EQ(fileBytes(scene.editor->workingFile.path()), original) << name.toStdString();
        // Drawn again from temp.dat, the page is the same picture.
        FullRepaint(*scene.editor);
        EXPECT_EQ(scene.editor->page.size(), QSize(kPageWidth, kPageHeight));
        scene.expectPageShowsTheDocument(name.toStdString());
        // A drawing without a whole record leaves the page blank.
        if (original.size() < kRecordSize) {
            EXPECT_TRUE(scene.editor->page == makeBlankPage()) << name.toStdString();
        }
        scene.expectDrawingStillWorks(name.toStdString());
    }
}

}  // namespace
}  // namespace veltrano
