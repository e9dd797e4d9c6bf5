// The commands of "&Datei" through the core with a scripted UI port: every
// row of the state table (document name, saved count, Modified, LastDir,
// caption), the questions answered each way, byte-exact files, and saves
// that fail at every step without touching the old file.

#include "command_fixture.h"
#include "commands/document_loading.h"
#include "commands/file_commands.h"
#include "document/element_kind.h"
#include "editor/full_repaint.h"
#include "render/page.h"
#include "tools/sample_documents.h"

#include <sys/stat.h>
#include <unistd.h>

#include <new>

namespace veltrano {
namespace {

using test::Bytes;
using test::fileBytes;
using test::fileExists;
using test::FsOp;
using test::putFileBytes;
using test::recordFileBytes;

const std::vector<ElementRecord> kThree = {
    makeRecord(kind::SingleBond, 100, 100, 130, 100),
    makeRecord(0, 140, 95, 12, 0),
    makeRecord(kind::StraightArrow, 200, 200, 260, 200, 0x0000FF),
};
const std::vector<ElementRecord> kOne = {makeRecord(kind::DoubleBond, 300, 300, 330, 300)};
const Bytes kOldFile = {0xAA, 0xBB, 0xCC};

class FileCommandTest : public test::CommandTest {
protected:
    // A drawn document of three records with a file, saved and unmodified.
    void openedDocument(const std::string& name)
    {
        writeDocument(kThree);
        editor.document.DocumentName = name;
        editor.document.SavedRecordCount = 3;
        editor.document.SavedContent = ContentMark::of(recordFileBytes(kThree));
        editor.editing.Modified = false;
        ui.setCaption(captionFor(name));
        FullRepaint(editor);
        ui.clearLog();
    }

    // Runs a save with a fault at its 1st, 2nd, ... file operation until it
    // runs without one. After each round check(failed) sees either a shown
    // error, with every file and the state as before, or no error (a folder
    // that cannot be flushed is no failed save) and the complete save.
    template <typename Command, typename Setup, typename Check>
    void failAtEveryStep(Command command, Setup setup, Check check)
    {
        for (int error : {ENOSPC, EIO}) {
            for (int step = 1;; ++step) {
                SCOPED_TRACE("error " + std::to_string(error) + " at step " + std::to_string(step));
                setup();
                ui.errors.clear();
                fs.failAt(step, error);
                run(command);
                const bool injected = fs.injected();
                fs.disarm();
                check(!ui.errors.empty());
                if (!injected)
                    break;
                ASSERT_LT(step, 100);
            }
        }
    }

    // An edit since the last save, with temp.dat as it is: the saved file
    // held something else.
    void markEdited()
    {
        editor.editing.Modified = true;
        editor.document.SavedContent = ContentMark{};
    }

    bool quittingAsks()
    {
        ui.messageAnswers.push_back(MessageResult::Cancel);
        const std::size_t before = ui.messageBoxes.size();
        Beenden1Click(editor);
        if (ui.messageBoxes.size() == before) {
            ui.messageAnswers.clear();
            return false;
        }
        EXPECT_EQ(ui.messageBoxes.back().text, kDiscardQuestion);
        return true;
    }
};

TEST_F(FileCommandTest, CaptionsNameTheFileWithoutItsFolder)
{
    EXPECT_EQ(captionFor(""), "Veltrano");
    EXPECT_EQ(captionFor("/home/anna/Formeln/Benzol.cfd"), "Veltrano:   Benzol.cfd");
    EXPECT_EQ(captionFor("/home/anna/Formeln/Säure.cfd"), "Veltrano:   Säure.cfd");
}

TEST_F(FileCommandTest, NewEmptiesTheDocumentAndKeepsCountSelectionAndTools)
{
    openedDocument(path("Formeln/alt.cfd"));
    editor.editing.SelMarks.mark(1);
    editor.editing.SelectionPresent = true;
    editor.tools.LeftTool = kind::SelectTool;

    run(Neu1Click);

    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_TRUE(document().empty());
    EXPECT_EQ(editor.document.DocumentName, "");
    EXPECT_EQ(editor.document.SavedRecordCount, 3u);
    EXPECT_FALSE(editor.editing.Modified);
    EXPECT_EQ(editor.document.LastDir, path("Formeln/"));
    EXPECT_EQ(ui.currentCaption, "Veltrano");
    EXPECT_EQ(editor.page, makeBlankPage());
    EXPECT_TRUE(editor.editing.SelectionPresent);
    EXPECT_TRUE(editor.editing.SelMarks[1]);
    EXPECT_EQ(editor.tools.LeftTool, kind::SelectTool);
    // Nothing is lost by dropping the new, empty drawing.
    EXPECT_FALSE(quittingAsks());
}

TEST_F(FileCommandTest, NewOffersToSaveAModifiedDocumentAndStopsWhenThatSaveDidNotHappen)
{
    struct Case {
        const char* what;
        MessageResult answer;
        std::optional<std::string> dialog;  // relative to the folder
        bool targetExists;
        std::optional<MessageResult> overwrite;
        bool proceeds;
        bool saved;
    };
    const Case cases[] = {
        {"declined", MessageResult::No, std::nullopt, false, std::nullopt, true, false},
        {"dialog cancelled", MessageResult::Yes, std::nullopt, false, std::nullopt, false, false},
        {"saved", MessageResult::Yes, "Formeln/neu.cfd", false, std::nullopt, true, true},
        {"overwrite declined", MessageResult::Yes, "Formeln/neu.cfd", true, MessageResult::Cancel, false, false},
        {"overwritten", MessageResult::Yes, "Formeln/neu.cfd", true, MessageResult::Ok, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string target = path("Formeln/neu.cfd");
        ::unlink(target.c_str());
        if (c.targetExists)
            putFileBytes(target, kOldFile);
        openedDocument(path("Formeln/alt.cfd"));
        markEdited();
        ui.messageAnswers = {c.answer};
        if (c.overwrite)
            ui.messageAnswers.push_back(*c.overwrite);
        if (c.answer == MessageResult::Yes)
            ui.saveDialogAnswers = {c.dialog ? std::optional(path(*c.dialog)) : std::nullopt};

        run(Neu1Click);

        ASSERT_FALSE(ui.messageBoxes.empty());
        EXPECT_EQ(ui.messageBoxes.front().text, kSaveFirstQuestion);
        EXPECT_EQ(ui.messageBoxes.front().caption, "Warnung");
        EXPECT_EQ(ui.messageBoxes.front().buttons, MessageButtons::YesNo);
        ui.messageBoxes.clear();
        EXPECT_TRUE(ui.messageAnswers.empty());
        EXPECT_TRUE(ui.saveDialogAnswers.empty());
        if (c.saved)
            EXPECT_EQ(fileBytes(target), recordFileBytes(kThree));
        else if (c.targetExists)
            EXPECT_EQ(fileBytes(target), kOldFile);
        else
            EXPECT_FALSE(fileExists(target));
        if (c.proceeds) {
            EXPECT_TRUE(document().empty());
            EXPECT_EQ(editor.document.DocumentName, "");
            EXPECT_FALSE(editor.editing.Modified);
            EXPECT_EQ(ui.currentCaption, "Veltrano");
        } else {
            EXPECT_EQ(document(), recordFileBytes(kThree));
            EXPECT_EQ(editor.document.DocumentName, path("Formeln/alt.cfd"));
            EXPECT_TRUE(editor.editing.Modified);
            EXPECT_EQ(ui.currentCaption, "Veltrano:   alt.cfd");
        }
    }
}

TEST_F(FileCommandTest, OpenMakesTheChosenFileTheDocument)
{
    const std::string source = path("Formeln/Benzol.cfd");
    putFileBytes(source, recordFileBytes(kThree));
    writeDocument(kOne);
    editor.document.SavedRecordCount = 1;
    editor.document.SavedContent = ContentMark::of(recordFileBytes(kOne));
    editor.editing.SelMarks.mark(0);
    editor.editing.SelectionPresent = true;
    ui.openDialogAnswers = {source};

    run(ffnen1Click);

    ASSERT_EQ(ui.openDialogs.size(), 1u);
    EXPECT_EQ(ui.openDialogs[0].initialDirectory, path("Formeln/"));
    EXPECT_EQ(ui.openDialogs[0].filterDescription, "Formel-Dateien");
    EXPECT_EQ(ui.openDialogs[0].filterPattern, "*.cfd");
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(document(), recordFileBytes(kThree));
    EXPECT_EQ(editor.document.DocumentName, source);
    EXPECT_EQ(editor.document.SavedRecordCount, 3u);
    EXPECT_FALSE(editor.editing.Modified);
    EXPECT_EQ(editor.document.LastDir, path("Formeln/"));
    EXPECT_EQ(ui.currentCaption, "Veltrano:   Benzol.cfd");
    EXPECT_EQ(editor.canvas.pixel(115, 100), kBlack);
    EXPECT_EQ(editor.canvas.pixel(315, 300), kWhite);
    EXPECT_TRUE(editor.editing.SelectionPresent);
    EXPECT_FALSE(quittingAsks());
}

TEST_F(FileCommandTest, OpenAsksOnlyWhenModifiedAndACancelKeepsEverything)
{
    // Answered "no", then the dialog cancelled: the document stays, still
    // modified.
    openedDocument(path("Formeln/alt.cfd"));
    markEdited();
    ui.messageAnswers = {MessageResult::No};
    ui.openDialogAnswers = {std::nullopt};
    run(ffnen1Click);
    EXPECT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(document(), recordFileBytes(kThree));
    EXPECT_TRUE(editor.editing.Modified);
    EXPECT_EQ(editor.document.DocumentName, path("Formeln/alt.cfd"));

    // Answered "yes", the save cancelled: the open dialog is not shown.
    ui.messageAnswers = {MessageResult::Yes};
    ui.saveDialogAnswers = {std::nullopt};
    run(ffnen1Click);
    EXPECT_EQ(ui.openDialogs.size(), 1u);
    EXPECT_EQ(document(), recordFileBytes(kThree));
    EXPECT_TRUE(editor.editing.Modified);

    // Unchanged since the last save: no question.
    editor.editing.Modified = false;
    editor.document.SavedContent = ContentMark::of(document());
    ui.messageBoxes.clear();
    ui.openDialogAnswers = {std::nullopt};
    run(ffnen1Click);
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(FileCommandTest, AFailedOpenKeepsTheCurrentDocument)
{
    const std::string source = path("Formeln/kaputt.cfd");
    putFileBytes(source, recordFileBytes(kOne));
    struct Fault {
        const char* what;
        FsOp op;
        const char* pathPart;
    };
    const Fault faults[] = {
        {"source unreadable", FsOp::Read, "kaputt"},
        {"source size unknown", FsOp::Size, "kaputt"},
        {"temp.dat not replaced", FsOp::Rename, "temp.dat"},
        {"temp.dat not written", FsOp::Write, "temp.dat"},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        openedDocument(path("Formeln/alt.cfd"));
        markEdited();
        ui.messageAnswers = {MessageResult::No};
        const QImage pageBefore = editor.page;
        ui.openDialogAnswers = {source};
        ui.messages.clear();
        fs.onlyPathsContaining(fault.pathPart);
        fs.failAt(1, EIO, fault.op);

        run(ffnen1Click);

        EXPECT_TRUE(fs.injected());
        fs.disarm();
        EXPECT_EQ(ui.messages, std::vector<std::string>{kCannotOpenMessage});
        EXPECT_TRUE(ui.errors.empty());
        EXPECT_EQ(document(), recordFileBytes(kThree));
        EXPECT_EQ(editor.document.DocumentName, path("Formeln/alt.cfd"));
        EXPECT_EQ(editor.document.SavedRecordCount, 3u);
        EXPECT_TRUE(editor.editing.Modified);
        EXPECT_EQ(ui.currentCaption, "Veltrano:   alt.cfd");
        EXPECT_EQ(editor.page, pageBefore);
    }
    fs.onlyPathsContaining("");
}

// Runs out of memory while reading any document file.
class MemoryExhaustingFileSystem : public FileSystem {
public:
    long long read(int fd, void* buffer, std::size_t size) override
    {
        if (size > 0)
            throw std::bad_alloc();
        return FileSystem::read(fd, buffer, size);
    }
};

TEST_F(FileCommandTest, OpeningAFileTooLargeForTheMemoryKeepsTheDocument)
{
    MemoryExhaustingFileSystem exhausted;
    test::FakeUiPort otherUi;
    Editor other(exhausted, otherUi, folder.path().toStdString() + "/work");
    writeDocument(kOne);
    // Not even temp.dat can be read to compare it, so the user is asked.
    otherUi.messageAnswers = {MessageResult::No};
    const std::string source = path("Formeln/gross.cfd");
    putFileBytes(source, recordFileBytes(kThree));
    otherUi.openDialogAnswers = {source};

    ffnen1Click(other);

    EXPECT_EQ(otherUi.messages, std::vector<std::string>{kCannotOpenMessage});
    EXPECT_EQ(document(), recordFileBytes(kOne));
    EXPECT_EQ(other.document.DocumentName, "");
}

TEST_F(FileCommandTest, AReadOnlySourceGivesAWritableWorkingDocument)
{
    const std::string source = path("Formeln/schreibgeschuetzt.cfd");
    putFileBytes(source, recordFileBytes(kOne));
    ASSERT_EQ(::chmod(source.c_str(), 0444), 0);
    ui.openDialogAnswers = {source};
    run(ffnen1Click);
    struct stat st {};
    ASSERT_EQ(::stat(tempDat().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0200, 0200u);
    EXPECT_EQ(editor.workingFile.AppendRecord(kThree[0]), 1u);
    EXPECT_EQ(fileBytes(source), recordFileBytes(kOne));
}

TEST_F(FileCommandTest, SaveAndReopenAreByteExact)
{
    // Unknown kinds, odd reserved bytes, far-off coordinates and a trailing
    // fragment all survive.
    Bytes content = recordFileBytes(samples::mixedDocument(300));
    const Bytes hostile = recordFileBytes(samples::hostileDocument(100));
    content.insert(content.end(), hostile.begin(), hostile.end());
    content.insert(content.end(), {1, 2, 3, 4, 5, 6, 7});
    putFileBytes(tempDat(), content);
    const std::string target = path("Formeln/genau.cfd");
    ui.saveDialogAnswers = {target};

    run(Speichern2Click);
    EXPECT_EQ(fileBytes(target), content);
    EXPECT_EQ(editor.document.SavedRecordCount, 400u);

    run(Neu1Click);
    EXPECT_TRUE(document().empty());
    // So many odd records make the file doubtful; opened anyway, it is the
    // document byte for byte.
    ui.openDialogAnswers = {target};
    ui.messageAnswers = {MessageResult::Ok};
    run(ffnen1Click);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].buttons, MessageButtons::OpenAnywayCancel);
    EXPECT_EQ(document(), content);
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FileCommandTest, SaveOfANamedDocumentOverwritesWithoutAQuestion)
{
    const std::string target = path("Formeln/alt.cfd");
    putFileBytes(target, kOldFile);
    openedDocument(target);
    editor.document.SavedRecordCount = 0;
    markEdited();

    run(Speichern2Click);

    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_TRUE(ui.saveDialogs.empty());
    EXPECT_EQ(fileBytes(target), recordFileBytes(kThree));
    EXPECT_EQ(editor.document.DocumentName, target);
    EXPECT_EQ(editor.document.SavedRecordCount, 3u);
    EXPECT_FALSE(editor.editing.Modified);
    EXPECT_TRUE(ui.callsStartingWith("setCaption").empty());
    EXPECT_FALSE(quittingAsks());
}

TEST_F(FileCommandTest, ACancelledSaveOfAnUntitledDocumentLeavesItUnsaved)
{
    writeDocument(kThree);
    markEdited();
    ui.saveDialogAnswers = {std::nullopt};

    run(Speichern2Click);

    EXPECT_EQ(ui.saveDialogs.size(), 1u);
    EXPECT_EQ(editor.document.SavedRecordCount, 0u);
    EXPECT_TRUE(editor.editing.Modified);
    EXPECT_EQ(editor.document.DocumentName, "");
    EXPECT_EQ(ui.currentCaption, "Veltrano");
    EXPECT_TRUE(quittingAsks());

    // The same with the overwrite question declined.
    const std::string existing = path("Formeln/da.cfd");
    putFileBytes(existing, kOldFile);
    ui.saveDialogAnswers = {existing};
    ui.messageAnswers = {MessageResult::Cancel};
    run(Speichern2Click);
    EXPECT_EQ(fileBytes(existing), kOldFile);
    EXPECT_EQ(editor.document.SavedRecordCount, 0u);
    EXPECT_TRUE(editor.editing.Modified);
    EXPECT_TRUE(quittingAsks());
}

TEST_F(FileCommandTest, SaveAsFollowsItsStateTable)
{
    QDir(folder.path()).mkpath("Andere");
    openedDocument(path("Formeln/alt.cfd"));
    markEdited();
    editor.document.SavedRecordCount = 0;

    // Into a new file of another folder.
    const std::string fresh = path("Andere/neu.cfd");
    ui.saveDialogAnswers = {fresh};
    run(Speichern1Click);
    ASSERT_EQ(ui.saveDialogs.size(), 1u);
    EXPECT_EQ(ui.saveDialogs[0].initialDirectory, path("Formeln/"));
    EXPECT_EQ(ui.saveDialogs[0].defaultExtension, "cfd");
    EXPECT_EQ(ui.saveDialogs[0].fileName, "*.cfd");
    EXPECT_EQ(ui.saveDialogs[0].filterDescription, "Formel-Dateien");
    EXPECT_EQ(ui.saveDialogs[0].filterPattern, "*.cfd");
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(fileBytes(fresh), recordFileBytes(kThree));
    EXPECT_EQ(editor.document.DocumentName, fresh);
    EXPECT_EQ(editor.document.SavedRecordCount, 3u);
    EXPECT_FALSE(editor.editing.Modified);
    EXPECT_EQ(editor.document.LastDir, path("Andere/"));
    EXPECT_EQ(ui.currentCaption, "Veltrano:   neu.cfd");

    // Over an existing file, the question declined: nothing is written and
    // only LastDir follows the choice.
    const std::string existing = path("Formeln/da.cfd");
    putFileBytes(existing, kOldFile);
    markEdited();
    editor.workingFile.AppendRecord(kOne[0]);
    ui.saveDialogAnswers = {existing};
    ui.messageAnswers = {MessageResult::Cancel};
    run(Speichern1Click);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, kOverwriteQuestion);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Warnung");
    EXPECT_EQ(ui.messageBoxes[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(ui.saveDialogs[1].initialDirectory, path("Andere/"));
    EXPECT_EQ(fileBytes(existing), kOldFile);
    EXPECT_EQ(editor.document.DocumentName, fresh);
    EXPECT_EQ(editor.document.SavedRecordCount, 3u);
    EXPECT_TRUE(editor.editing.Modified);
    EXPECT_EQ(editor.document.LastDir, path("Formeln/"));
    EXPECT_EQ(ui.currentCaption, "Veltrano:   neu.cfd");

    // The same with OK.
    ui.saveDialogAnswers = {existing};
    ui.messageAnswers = {MessageResult::Ok};
    run(Speichern1Click);
    EXPECT_EQ(fileBytes(existing), fileBytes(tempDat()));
    EXPECT_EQ(editor.document.DocumentName, existing);
    EXPECT_EQ(editor.document.SavedRecordCount, 4u);
    EXPECT_FALSE(editor.editing.Modified);
    EXPECT_EQ(ui.currentCaption, "Veltrano:   da.cfd");
}

TEST_F(FileCommandTest, ASaveIntoAFolderThatRefusesWritingLeavesTheDocumentUnsaved)
{
    writeDocument(kThree);
    markEdited();
    const std::string target = path("Formeln/gesperrt.cfd");
    // The folder refuses new entries, as a read-only folder does.
    fs.onlyPathsContaining(target);
    fs.failAt(1, EACCES, FsOp::Open);
    ui.saveDialogAnswers = {target};

    run(Speichern2Click);

    fs.disarm();
    fs.onlyPathsContaining("");
    EXPECT_EQ(ui.errors, std::vector<std::string>{"Dateizugriff verweigert"});
    EXPECT_FALSE(fileExists(target));
    EXPECT_EQ(editor.document.DocumentName, "");
    EXPECT_EQ(ui.currentCaption, "Veltrano");
    EXPECT_EQ(editor.document.SavedRecordCount, 0u);
    EXPECT_TRUE(editor.editing.Modified);
    EXPECT_TRUE(quittingAsks());
    EXPECT_EQ(test::folderEntries(path("Formeln")), std::vector<std::string>{});
}

TEST_F(FileCommandTest, ASaveIntoAReadOnlyFolderOfTheDiskFails)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser may write into read-only folders";
    writeDocument(kThree);
    QDir(folder.path()).mkpath("Nurlesen");
    const std::string dir = path("Nurlesen");
    ASSERT_EQ(::chmod(dir.c_str(), 0555), 0);
    ui.saveDialogAnswers = {dir + "/x.cfd"};
    run(Speichern2Click);
    ::chmod(dir.c_str(), 0755);
    EXPECT_EQ(ui.errors, std::vector<std::string>{"Dateizugriff verweigert"});
    EXPECT_EQ(editor.document.SavedRecordCount, 0u);
    EXPECT_TRUE(quittingAsks());
}

TEST_F(FileCommandTest, AFailingDiskAtEveryStepOfASaveKeepsTheOldFile)
{
    const std::string target = path("Formeln/alt.cfd");
    int failures = 0;
    failAtEveryStep(
        Speichern2Click,
        [&] {
            putFileBytes(target, kOldFile);
            openedDocument(target);
            editor.document.SavedRecordCount = 0;
            markEdited();
        },
        [&](bool failed) {
            failures += failed;
            EXPECT_EQ(test::folderEntries(path("Formeln")), std::vector<std::string>{"alt.cfd"});
            EXPECT_EQ(document(), recordFileBytes(kThree));
            if (failed) {
                EXPECT_EQ(fileBytes(target), kOldFile);
                EXPECT_EQ(editor.document.SavedRecordCount, 0u);
                EXPECT_TRUE(editor.editing.Modified);
            } else {
                EXPECT_EQ(fileBytes(target), recordFileBytes(kThree));
                EXPECT_EQ(editor.document.SavedRecordCount, 3u);
                EXPECT_FALSE(editor.editing.Modified);
            }
        });
    EXPECT_GE(failures, 10);
}

TEST_F(FileCommandTest, AFailingDiskAtEveryStepOfASaveAsKeepsNameAndOldFile)
{
    const std::string target = path("Formeln/da.cfd");
    failAtEveryStep(
        Speichern1Click,
        [&] {
            putFileBytes(target, kOldFile);
            openedDocument(path("Formeln/alt.cfd"));
            markEdited();
            ui.saveDialogAnswers = {target};
            ui.messageAnswers = {MessageResult::Ok};
        },
        [&](bool failed) {
            EXPECT_EQ(fileBytes(target), failed ? kOldFile : recordFileBytes(kThree));
            EXPECT_EQ(editor.document.DocumentName, failed ? path("Formeln/alt.cfd") : target);
            EXPECT_EQ(ui.currentCaption, failed ? "Veltrano:   alt.cfd" : "Veltrano:   da.cfd");
            EXPECT_EQ(editor.editing.Modified, failed);
        });
}

TEST_F(FileCommandTest, SavingThroughASymbolicLinkUpdatesItsTargetAndKeepsTheLink)
{
    QDir(folder.path()).mkpath("Ablage");
    const std::string real = path("Ablage/echt.cfd");
    putFileBytes(real, kOldFile);
    ASSERT_EQ(::chmod(real.c_str(), 0604), 0);
    const std::string link = path("Formeln/verweis.cfd");
    ASSERT_EQ(::symlink("../Ablage/echt.cfd", link.c_str()), 0);
    openedDocument(link);
    markEdited();

    run(Speichern2Click);

    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(fileBytes(real), recordFileBytes(kThree));
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0604u);
    EXPECT_EQ(editor.document.DocumentName, link);
}

class AnswerSaveTest : public FileCommandTest {
protected:
    AnswerSaveTest()
    {
        QDir(folder.path()).mkpath("Antworten");
        editor.document.AnswerDir = path("Antworten/");
    }
};

TEST_F(AnswerSaveTest, WritesTheFormulaAndTheAnswerBesideIt)
{
    openedDocument(path("Formeln/alt.cfd"));
    markEdited();
    editor.workingFile.AppendRecord(kOne[0]);
    // Umlauts and the euro sign have Windows-1252 codes, the check mark and
    // the Greek letter have none.
    ui.texts["Memo1"] = "Lösung: Ölsäure\nzweite Zeile ✓ € α\n";
    const std::string formula = path("Antworten/A.cfd");
    ui.saveDialogAnswers = {formula};

    run(FormelAntwortspeichern1Click);

    ASSERT_EQ(ui.saveDialogs.size(), 1u);
    EXPECT_EQ(ui.saveDialogs[0].initialDirectory, path("Antworten/"));
    EXPECT_EQ(ui.saveDialogs[0].defaultExtension, "cfd");
    EXPECT_EQ(ui.saveDialogs[0].fileName, "*.cfd");
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(fileBytes(formula), fileBytes(tempDat()));
    const std::string expected = "L\xF6sung: \xD6ls\xE4ure\r\nzweite Zeile ? \x80 ?\r\n";
    EXPECT_EQ(fileBytes(path("Antworten/A.txt")), Bytes(expected.begin(), expected.end()));
    EXPECT_EQ(editor.document.DocumentName, formula);
    EXPECT_EQ(ui.currentCaption, "Veltrano:   A.cfd");
    EXPECT_EQ(editor.document.LastDir, path("Antworten/"));
    EXPECT_FALSE(editor.editing.Modified);
    // The saved count stays that of the last open; the drawing equals the
    // formula file just written, so quitting loses nothing and does not ask.
    EXPECT_EQ(editor.document.SavedRecordCount, 3u);
    EXPECT_FALSE(quittingAsks());
    EXPECT_EQ(test::folderEntries(path("Antworten")), (std::vector<std::string>{"A.cfd", "A.txt"}));
}

TEST_F(AnswerSaveTest, AnEmptyMemoGivesAnEmptyAnswerFileAndADeclinedOverwriteWritesNothing)
{
    writeDocument(kThree);
    const std::string formula = path("Antworten/Säure.cfd");
    ui.saveDialogAnswers = {formula};
    run(FormelAntwortspeichern1Click);
    EXPECT_TRUE(fileExists(path("Antworten/Säure.txt")));
    EXPECT_TRUE(fileBytes(path("Antworten/Säure.txt")).empty());

    // Over an existing formula file, declined: neither file changes.
    putFileBytes(formula, kOldFile);
    ::unlink(path("Antworten/Säure.txt").c_str());
    editor.document.DocumentName.clear();
    markEdited();
    ui.texts["Memo1"] = "Antwort";
    ui.saveDialogAnswers = {formula};
    ui.messageAnswers = {MessageResult::Cancel};
    run(FormelAntwortspeichern1Click);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, kAnswerOverwriteQuestion);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Warnung");
    EXPECT_EQ(ui.messageBoxes[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(fileBytes(formula), kOldFile);
    EXPECT_FALSE(fileExists(path("Antworten/Säure.txt")));
    EXPECT_EQ(editor.document.DocumentName, "");
    EXPECT_TRUE(editor.editing.Modified);

    // Cancelled dialog: nothing at all.
    ui.saveDialogAnswers = {std::nullopt};
    run(FormelAntwortspeichern1Click);
    EXPECT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(editor.document.DocumentName, "");
}

TEST_F(AnswerSaveTest, AFailingDiskLeavesBothFilesWhole)
{
    const std::string formula = path("Antworten/A.cfd");
    const std::string answer = path("Antworten/A.txt");
    const Bytes oldAnswer = {'a', 'l', 't'};
    failAtEveryStep(
        FormelAntwortspeichern1Click,
        [&] {
            putFileBytes(formula, kOldFile);
            putFileBytes(answer, oldAnswer);
            openedDocument(path("Formeln/alt.cfd"));
            markEdited();
            ui.texts["Memo1"] = "neu";
            ui.saveDialogAnswers = {formula};
            ui.messageAnswers = {MessageResult::Ok};
        },
        [&](bool failed) {
            EXPECT_EQ(test::folderEntries(path("Antworten")), (std::vector<std::string>{"A.cfd", "A.txt"}));
            const Bytes f = fileBytes(formula);
            const Bytes a = fileBytes(answer);
            EXPECT_TRUE(f == kOldFile || f == recordFileBytes(kThree));
            EXPECT_TRUE(a == oldAnswer || a == Bytes({'n', 'e', 'u'}));
            EXPECT_EQ(editor.editing.Modified, failed);
            if (!failed) {
                EXPECT_EQ(f, recordFileBytes(kThree));
                EXPECT_EQ(a, Bytes({'n', 'e', 'u'}));
            }
        });
}

TEST(AnswerFile, NameAndBytes)
{
    EXPECT_EQ(answerFilePath("/srv/Aufgaben/A.cfd"), "/srv/Aufgaben/A.txt");
    EXPECT_EQ(answerFilePath("/srv/Aufgaben/Säure.cfd"), "/srv/Aufgaben/Säure.txt");
    EXPECT_EQ(answerFilePath("/srv/Aufgaben/x.y.cfd"), "/srv/Aufgaben/x.y.txt");
    EXPECT_EQ(answerFilePath("/srv/Aufgaben/x.abc"), "/srv/Aufgaben/x.txt");
    EXPECT_EQ(answerFilePath("/srv/Aufgaben/x.txt"), "/srv/Aufgaben/x.txt.txt");
    EXPECT_TRUE(answerFileBytes("").empty());
    // Every line break becomes CR LF, whichever way the memo held it.
    const Bytes breaks = answerFileBytes("a\nb\r\nc\rd");
    EXPECT_EQ(std::string(breaks.begin(), breaks.end()), "a\r\nb\r\nc\r\nd");
    // A character outside the Basic Multilingual Plane is one "?".
    const Bytes wide = answerFileBytes("x\U0001F600y\u00FF");
    EXPECT_EQ(std::string(wide.begin(), wide.end()), "x?y\xFF");
}

TEST_F(FileCommandTest, QuittingAndClosingAskOnlyWithUnsavedChanges)
{
    struct Case {
        const char* what;
        std::vector<ElementRecord> saved;
        bool modified;
        bool asks;
    };
    std::vector<ElementRecord> recoloured = kThree;
    recoloured[0].color = 0xFF;
    const Case cases[] = {
        {"saved", kThree, false, false},
        {"saved, then undone back to it", kThree, true, false},
        {"recoloured since", recoloured, false, true},
        {"another count saved", kOne, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (MessageResult answer : {MessageResult::Cancel, MessageResult::Discard, MessageResult::Save}) {
            for (const bool byMenu : {true, false}) {
                SCOPED_TRACE(byMenu ? "Beenden" : "closing the window");
                openedDocument(path("Formeln/alt.cfd"));
                const Bytes onDisk = fileBytes(path("Formeln/alt.cfd"));
                editor.document.SavedContent = ContentMark::of(recordFileBytes(c.saved));
                editor.editing.Modified = c.modified;
                ui.messageBoxes.clear();
                ui.closeRequests = 0;
                if (c.asks)
                    ui.messageAnswers = {answer};
                bool mayClose = false;
                if (byMenu) {
                    run(Beenden1Click);
                    mayClose = ui.closeRequests == 1;
                } else {
                    mayClose = FormCloseQuery(editor);
                    EXPECT_EQ(ui.closeRequests, 0);
                }
                ASSERT_EQ(ui.messageBoxes.size(), c.asks ? 1u : 0u);
                if (c.asks) {
                    EXPECT_EQ(ui.messageBoxes[0].text, "Wirklich ohne zu speichern schließen?");
                    EXPECT_EQ(ui.messageBoxes[0].caption, "Bestätigen");
                    EXPECT_EQ(ui.messageBoxes[0].buttons, MessageButtons::SaveDiscardCancel);
                }
                EXPECT_EQ(mayClose, !c.asks || answer != MessageResult::Cancel);
                // "Speichern" writes the drawing over its file before the
                // program ends; otherwise nothing is saved or removed.
                const bool saved = c.asks && answer == MessageResult::Save;
                EXPECT_EQ(fileBytes(path("Formeln/alt.cfd")), saved ? recordFileBytes(kThree) : onDisk);
                EXPECT_EQ(document(), recordFileBytes(kThree));
            }
        }
    }
}

TEST_F(FileCommandTest, SavingOnQuitAsksAnUntitledDrawingForAName)
{
    // Cancelling the save dialog keeps the program open.
    writeDocument(kOne);
    editor.editing.Modified = true;
    ui.messageBoxes.clear();
    ui.closeRequests = 0;
    ui.messageAnswers = {MessageResult::Save};
    ui.saveDialogAnswers = {std::nullopt};
    run(Beenden1Click);
    EXPECT_EQ(ui.closeRequests, 0);
    ui.messageAnswers = {MessageResult::Save};
    ui.saveDialogAnswers = {path("Formeln/neu.cfd")};
    run(Beenden1Click);
    EXPECT_EQ(ui.closeRequests, 1);
    EXPECT_EQ(fileBytes(path("Formeln/neu.cfd")), recordFileBytes(kOne));
}

}  // namespace
}  // namespace veltrano
