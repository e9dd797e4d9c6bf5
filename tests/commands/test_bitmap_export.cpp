// The two bitmap exports: the untitled refusal, the name rule, the whole
// page with its frame, and the fitted cut-out with its margin.

#include "commands/bitmap_export.h"
#include "document/element_kind.h"
#include "editor/editor_fixture.h"
#include "editor/full_repaint.h"
#include "document/io_error.h"
#include "render/canvas_test_util.h"
#include "support/faulty_file_system.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include <cerrno>

namespace veltrano {
namespace {

class BitmapExport : public test::EditorTest {
protected:
    QTemporaryDir documents;

    std::string documentPath(const char* name) const { return QDir(documents.path()).filePath(name).toStdString(); }
    static QImage readBitmap(const std::string& path) { return QImage(QString::fromStdString(path), "BMP"); }
};

TEST_F(BitmapExport, AnUntitledDocumentOnlyGetsTheMessage)
{
    writeDocument({makeRecord(kind::SingleBond, 100, 50, 130, 50)});
    FullRepaint(editor);
    const QImage before = editor.page.copy();
    editor.editing.SelectionPresent = true;
    Exportieren1Click(editor);
    Passendebmpexportieren1Click(editor);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{kSaveFirstMessage, kSaveFirstMessage}));
    EXPECT_EQ(editor.page, before);
    EXPECT_TRUE(editor.editing.SelectionPresent);
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(BitmapExport, TheNameReplacesTheLastThreeCharacters)
{
    EXPECT_EQ(bitmapExportName("/a/Benzol.cfd"), "/a/Benzol.bmp");
    EXPECT_EQ(bitmapExportName("/a/Benzol.cf"), "/a/Benzolbmp");
    EXPECT_EQ(bitmapExportName("/a/x.CFD"), "/a/x.bmp");
    // An umlaut at the end is one character, not two bytes.
    EXPECT_EQ(bitmapExportName("/a/B.cfü"), "/a/B.bmp");
}

TEST_F(BitmapExport, TheFittedBondIsCutOutWithATenPixelMarginAndNoFrame)
{
    editor.document.DocumentName = documentPath("Beispiel.cfd");
    writeDocument({makeRecord(kind::SingleBond, 100, 50, 130, 50)});
    FullRepaint(editor);
    const test::PixelList ink = test::nonWhitePixels(editor.page);
    ASSERT_FALSE(ink.empty());
    int minX = 1200, maxX = -1, minY = 1000, maxY = -1;
    for (auto [x, y] : ink) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    // A frame on the page must not reach the fitted picture.
    editor.editing.SelRect = SelectionRect{20, 300, 20, 200};
    SelectionFrame(editor);
    editor.editing.SelectionPresent = true;

    Passendebmpexportieren1Click(editor);

    const QImage picture = readBitmap(documentPath("Beispiel.bmp"));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.width(), maxX - minX + 2 + 20);
    EXPECT_EQ(picture.height(), maxY - minY + 2 + 20);
    // The ink lies at its place shifted by the margin and the white line
    // before it; everything else is white.
    test::PixelList expected;
    for (auto [x, y] : ink)
        expected.emplace_back(x - minX + 1 + 10, y - minY + 1 + 10);
    EXPECT_EQ(test::nonWhitePixels(picture.convertToFormat(QImage::Format_RGB32)), test::sorted(expected));
    EXPECT_FALSE(editor.editing.SelectionPresent);
    // 24 bits per pixel in the information header.
    EXPECT_EQ(test::fileBytes(documentPath("Beispiel.bmp")).at(28), 24);
}

TEST_F(BitmapExport, AnEmptyNamedDocumentGivesAWhitePictureOfTheAreaPlusItsMargin)
{
    editor.document.DocumentName = documentPath("Leer.cfd");
    editor.workingFile.createEmpty();
    ui.imageSize = QSize(502, 413);
    Passendebmpexportieren1Click(editor);
    const QImage picture = readBitmap(documentPath("Leer.bmp"));
    EXPECT_EQ(picture.size(), QSize(502 + 19, 413 + 19));
    EXPECT_TRUE(test::nonWhitePixels(picture.convertToFormat(QImage::Format_RGB32)).empty());
}

TEST_F(BitmapExport, TheWholePageIsWrittenAsItIsFrameIncluded)
{
    editor.document.DocumentName = documentPath("Seite.cfd");
    writeDocument({makeRecord(kind::SingleBond, 100, 50, 130, 50)});
    FullRepaint(editor);
    editor.editing.SelRect = SelectionRect{20, 300, 20, 200};
    SelectionFrame(editor);
    const QImage shown = editor.page.copy();

    Exportieren1Click(editor);

    const QImage picture = readBitmap(documentPath("Seite.bmp"));
    ASSERT_EQ(picture.size(), QSize(1200, 1000));
    EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), shown);
}

TEST_F(BitmapExport, AFailureAtAnyFileOperationIsAnErrorAndLeavesTheOldPicture)
{
    test::FaultyFileSystem fs;
    Editor faulty(fs, ui, workDir.path().toStdString());
    faulty.document.DocumentName = documentPath("Alt.cfd");
    const test::Bytes old = {'o', 'l', 'd'};
    test::putFileBytes(documentPath("Alt.bmp"), old);
    for (int step = 1;; ++step) {
        fs.failAt(step, ENOSPC);
        try {
            Exportieren1Click(faulty);
        } catch (const IoError& error) {
            EXPECT_STREQ(error.what(), "Zu wenig Speicherplatz") << step;
            EXPECT_EQ(test::fileBytes(documentPath("Alt.bmp")), old) << step;
            EXPECT_EQ(test::folderEntries(documents.path().toStdString()),
                      (std::vector<std::string>{"Alt.bmp"}))
                << step;
            continue;
        }
        // Only a failed flush of the folder passes unreported: the new
        // picture is then complete in place.
        EXPECT_EQ(readBitmap(documentPath("Alt.bmp")).size(), QSize(1200, 1000)) << step;
        if (!fs.injected())
            break;
        test::putFileBytes(documentPath("Alt.bmp"), old);
    }
}

}  // namespace
}  // namespace veltrano
