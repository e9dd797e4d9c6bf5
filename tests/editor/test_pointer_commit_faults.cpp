// A commit that fails leaves no trace on the page: after a failed snapshot,
// append or rewrite the page shows exactly what temp.dat holds, and a page
// that cannot even be read back is blank.

#include "document/io_error.h"
#include "document/record_file.h"
#include "editor/editor.h"
#include "editor/pointer.h"
#include "render/canvas.h"
#include "render/page.h"
#include "render/painter.h"
#include "render/view_state.h"
#include "support/fake_ui_port.h"
#include "support/faulty_file_system.h"
#include "support/file_helpers.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cerrno>

namespace veltrano {
namespace {

using test::FsOp;

class CommitFaults : public ::testing::Test {
protected:
    QTemporaryDir workDir;
    test::FaultyFileSystem fs;
    test::FakeUiPort ui;
    Editor editor{fs, ui, workDir.path().toStdString()};

    void SetUp() override
    {
        editor.workingFile.createEmpty();
        writeRecords(FileSystem::system(), editor.workingFile.path(), {makeRecord(kind::SingleBond, 100, 100, 130, 100)});
    }

    // The page exactly as a fresh repaint of temp.dat draws it.
    QImage documentPicture() const
    {
        QImage page = makeBlankPage();
        Canvas canvas(page);
        ViewState view;
        ResetView(view);
        RepaintFile(canvas, view, readAllRecords(FileSystem::system(), editor.workingFile.path()));
        return page;
    }

    void expectPageShowsTheDocument(const char* what)
    {
        EXPECT_TRUE(editor.page == documentPicture()) << what;
    }
};

TEST_F(CommitFaults, AFailedDrawingCommitTakesTheBondOffThePage)
{
    struct Case {
        const char* what;
        const char* path;
        FsOp op;
    };
    // The snapshot copy fails, or the append to temp.dat does.
    const Case cases[] = {{"snapshot", "sicher1", FsOp::Open}, {"append", "temp.dat", FsOp::Write}};
    for (const Case& c : cases) {
        I1MouseDown(editor, PointerButton::Left, 300, 300);
        I1MouseMove(editor, 360, 300);
        ASSERT_NE(editor.page.pixel(315, 300), qRgb(255, 255, 255)) << c.what;
        fs.onlyPathsContaining(c.path);
        fs.failAt(1, EACCES, c.op);
        EXPECT_THROW(I1MouseUp(editor, PointerButton::Left, 360, 300), IoError) << c.what;
        EXPECT_TRUE(fs.injected()) << c.what;
        fs.disarm();
        fs.onlyPathsContaining("");

        EXPECT_EQ(parseRecords(test::fileBytes(editor.workingFile.path())).size(), 1u) << c.what;
        EXPECT_EQ(editor.page.pixel(315, 300), qRgb(255, 255, 255)) << c.what;
        EXPECT_NE(editor.page.pixel(115, 100), qRgb(255, 255, 255)) << c.what;
        expectPageShowsTheDocument(c.what);
    }
}

TEST_F(CommitFaults, FailedPlacementsShowOnlyWhatWasAppended)
{
    // Text of two characters whose second append fails: the first stays in
    // temp.dat and on the page, the second is on neither.
    editor.tools.RightLabel = kind::TextTool;
    ui.texts["Edit1"] = "CH";
    fs.onlyPathsContaining("temp.dat");
    fs.failAt(2, ENOSPC, FsOp::Write);
    EXPECT_THROW(I1MouseDown(editor, PointerButton::Right, 400, 400), IoError);
    EXPECT_TRUE(fs.injected());
    fs.disarm();
    fs.onlyPathsContaining("");
    EXPECT_EQ(parseRecords(test::fileBytes(editor.workingFile.path())).size(), 2u);
    expectPageShowsTheDocument("text");
    EXPECT_FALSE(editor.editing.SelectionPresent);

    // A label whose append fails leaves the page as the document is.
    editor.tools.RightLabel = 5;  // "COOH"
    fs.onlyPathsContaining("temp.dat");
    fs.failAt(1, ENOSPC, FsOp::Write);
    EXPECT_THROW(I1MouseDown(editor, PointerButton::Right, 200, 600), IoError);
    fs.disarm();
    fs.onlyPathsContaining("");
    EXPECT_EQ(parseRecords(test::fileBytes(editor.workingFile.path())).size(), 2u);
    expectPageShowsTheDocument("label");
}

TEST_F(CommitFaults, AFailedRectangleLeavesNoFrameAndNoSelection)
{
    editor.tools.LeftTool = kind::SelectTool;
    I1MouseDown(editor, PointerButton::Left, 90, 90);
    I1MouseMove(editor, 140, 110);
    ASSERT_EQ(editor.page.pixel(90, 90), qRgb(0, 0, 0));  // the dashed frame starts there
    fs.onlyPathsContaining("sicher1");
    fs.failAt(1, EACCES);
    EXPECT_THROW(I1MouseUp(editor, PointerButton::Left, 140, 110), IoError);
    fs.disarm();
    fs.onlyPathsContaining("");
    EXPECT_FALSE(editor.editing.SelectionPresent);
    expectPageShowsTheDocument("rectangle");
}

// A disk that has gone away: from the moment it breaks, every read and
// write fails.
class BrokenDisk : public FileSystem {
public:
    bool broken = false;
    long long read(int fd, void* buffer, std::size_t size) override
    {
        if (!broken)
            return FileSystem::read(fd, buffer, size);
        setLastError(EIO);
        return -1;
    }
    long long write(int fd, const void* buffer, std::size_t size) override
    {
        if (!broken)
            return FileSystem::write(fd, buffer, size);
        setLastError(EIO);
        return -1;
    }
};

TEST(CommitFaultsBrokenDisk, WhenTheDocumentCannotBeReadBackThePageIsBlank)
{
    QTemporaryDir workDir;
    BrokenDisk disk;
    test::FakeUiPort ui;
    Editor editor{disk, ui, workDir.path().toStdString()};
    editor.workingFile.createEmpty();
    editor.workingFile.AppendRecord(makeRecord(kind::SingleBond, 100, 100, 130, 100));

    I1MouseDown(editor, PointerButton::Left, 300, 300);
    I1MouseMove(editor, 360, 300);
    ASSERT_NE(editor.page.pixel(115, 100), qRgb(255, 255, 255));
    ASSERT_NE(editor.page.pixel(315, 300), qRgb(255, 255, 255));
    disk.broken = true;
    EXPECT_THROW(I1MouseUp(editor, PointerButton::Left, 360, 300), IoError);
    EXPECT_TRUE(editor.page == makeBlankPage());
    EXPECT_FALSE(editor.editing.PressActive);
}

}  // namespace
}  // namespace veltrano
