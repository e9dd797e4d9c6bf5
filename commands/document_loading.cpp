#include "commands/document_loading.h"

#include "render/page.h"
#include "render/painter.h"

#include <QFileInfo>

#include <exception>

namespace veltrano {

namespace {

constexpr const char* kUntitledCaption = "Veltrano";
constexpr const char* kCaptionPrefix = "Veltrano:   ";

}  // namespace

std::string captionFor(const std::string& documentName)
{
    if (documentName.empty())
        return kUntitledCaption;
    return kCaptionPrefix + QFileInfo(QString::fromStdString(documentName)).fileName().toStdString();
}

bool loadDocument(Editor& editor, const std::string& path)
{
    std::uint32_t count = 0;
    try {
        count = editor.workingFile.loadFile(path, editor.passRecords);
    } catch (const std::exception&) {
        // An IoError of the source or of temp.dat, or a file too large for
        // the memory left: temp.dat has not been touched.
        editor.ui.showMessage(kCannotOpenMessage);
        return false;
    }

    resetToBlank(editor.page);
    editor.canvas.setImage(editor.page);
    RepaintFile(editor.canvas, editor.view, editor.passRecords);
    if (!editor.passRecords.empty())
        editor.editing.RecordBuffer = editor.passRecords.back();
    editor.ui.pageChanged(QRect(0, 0, kPageWidth, kPageHeight));
    editor.document.SavedRecordCount = count;
    return true;
}

}  // namespace veltrano
