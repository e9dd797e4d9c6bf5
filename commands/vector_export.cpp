#include "commands/vector_export.h"

#include "commands/bitmap_export.h"
#include "document/record_file.h"
#include "render/vector_output.h"

#include <QByteArray>

namespace veltrano {

namespace {

using VectorDocument = QByteArray (*)(const ViewState&, const std::vector<ElementRecord>&, const QRect&);

void exportVectorDocument(Editor& editor, VectorDocument document, const char* extension)
{
    if (editor.document.DocumentName.empty()) {
        editor.ui.showMessage(kSaveFirstMessage);
        return;
    }
    const std::vector<ElementRecord> records = editor.workingFile.readAll();
    const QRect area = vectorCutOut(editor.view, records, editor.ui.drawingImageSize());
    const QByteArray bytes = document(editor.view, records, area);
    editor.workingFile.writeKeptFile(exportFileName(editor.document.DocumentName, extension),
                                     std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

}  // namespace

void exportSvg(Editor& editor)
{
    exportVectorDocument(editor, &svgOfDrawing, "svg");
}

void exportPdf(Editor& editor)
{
    exportVectorDocument(editor, &pdfOfDrawing, "pdf");
}

}  // namespace veltrano
