#include "commands/bitmap_export.h"

#include "editor/full_repaint.h"
#include "render/bitmap_file.h"
#include "render/content_cutout.h"

namespace veltrano {

namespace {

constexpr std::size_t kReplacedTail = 3;

}  // namespace

std::string bitmapExportName(const std::string& documentName)
{
    return exportFileName(documentName, "bmp");
}

std::string exportFileName(const std::string& documentName, const std::string& extension)
{
    // The tail is counted in characters, not bytes, so a name ending in an
    // umlaut loses that whole character.
    std::size_t cut = documentName.size();
    for (std::size_t removed = 0; removed < kReplacedTail && cut > 0; ++removed) {
        --cut;
        while (cut > 0 && (static_cast<unsigned char>(documentName[cut]) & 0xC0) == 0x80)
            --cut;
    }
    return documentName.substr(0, cut) + extension;
}

namespace {

// The export beside the document, written as the document is saved.
void writeBitmapExport(Editor& editor, const QImage& image)
{
    editor.workingFile.writeKeptFile(bitmapExportName(editor.document.DocumentName), encodeBitmap24(image));
}

}  // namespace

void Exportieren1Click(Editor& editor)
{
    if (editor.document.DocumentName.empty()) {
        editor.ui.showMessage(kSaveFirstMessage);
        return;
    }
    writeBitmapExport(editor, editor.page);
}

void Passendebmpexportieren1Click(Editor& editor)
{
    if (editor.document.DocumentName.empty()) {
        editor.ui.showMessage(kSaveFirstMessage);
        return;
    }
    FullRepaint(editor);
    const QImage cutOut = fittedCutOut(editor.page, editor.ui.drawingImageSize());
    writeBitmapExport(editor, cutOut);
}

}  // namespace veltrano
