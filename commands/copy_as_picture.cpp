#include "commands/copy_as_picture.h"

#include "commands/drawing_picture.h"
#include "render/bitmap_file.h"
#include "render/vector_output.h"

namespace veltrano {

std::vector<ElementRecord> recordsToPicture(const std::vector<ElementRecord>& records, const EditingState& editing)
{
    if (!editing.SelectionPresent || editing.SelMarks.markedCount() == 0)
        return records;
    std::vector<ElementRecord> selected;
    for (std::uint32_t position = 0; position < records.size(); ++position) {
        if (editing.SelMarks.isMarked(position))
            selected.push_back(records[position]);
    }
    return selected;
}

std::vector<ClipboardFormat> clipboardPicture(const ViewState& view, const std::vector<ElementRecord>& records,
                                              QSize area)
{
    const QRect cutOut = vectorCutOut(view, records, area);
    const std::vector<std::uint8_t> png = encodePng(drawingPicture(view, records, cutOut, kClipboardScale));
    return {
        {kPngMimeType, QByteArray(reinterpret_cast<const char*>(png.data()), qsizetype(png.size()))},
        {kSvgMimeType, svgOfDrawing(view, records, cutOut)},
    };
}

void copyAsPicture(Editor& editor)
{
    // The whole page counts, not only its visible part: the picture is of
    // the drawing, whatever the window shows of it.
    const std::vector<ElementRecord> records = recordsToPicture(editor.workingFile.readAll(), editor.editing);
    editor.ui.setClipboard(clipboardPicture(editor.view, records, editor.page.size()));
}

}  // namespace veltrano
