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

void Exportieren1Click(Editor& editor)
{
    if (editor.document.DocumentName.empty()) {
        editor.ui.showMessage(kSaveFirstMessage);
        return;
    }
    writeBitmapFile(editor.fileSystem, bitmapExportName(editor.document.DocumentName), editor.page);
}

void Passendebmpexportieren1Click(Editor& editor)
{
    if (editor.document.DocumentName.empty()) {
        editor.ui.showMessage(kSaveFirstMessage);
        return;
    }
    FullRepaint(editor);
    const QImage cutOut = fittedCutOut(editor.page, editor.ui.drawingImageSize());
    writeBitmapFile(editor.fileSystem, bitmapExportName(editor.document.DocumentName), cutOut);
}

}  // namespace veltrano
