#include "commands/vector_export.h"

#include "commands/drawing_picture.h"
#include "commands/file_commands.h"
#include "document/document_state.h"
#include "document/record_file.h"
#include "render/bitmap_file.h"
#include "render/vector_output.h"

#include <QByteArray>
#include <QFileInfo>

namespace veltrano {

namespace {

constexpr const char* kUntitledExportName = "Zeichnung";
// The PNG is drawn at the clipboard picture's scale: sharp on paper.
constexpr int kPngScale = 3;

std::vector<std::uint8_t> bytesOf(const QByteArray& data)
{
    return std::vector<std::uint8_t>(data.begin(), data.end());
}

// The records and the cut-out every export draws.
struct ExportedDrawing {
    std::vector<ElementRecord> records;
    QRect area;
};

ExportedDrawing drawingToExport(Editor& editor)
{
    ExportedDrawing drawing;
    drawing.records = editor.workingFile.readAll();
    drawing.area = vectorCutOut(editor.view, drawing.records, editor.ui.drawingImageSize());
    return drawing;
}

template <typename Encode>
void exportDrawing(Editor& editor, std::string_view description, std::string_view extension, Encode encode)
{
    const std::optional<std::string> target = chooseExportFile(editor, description, extension);
    if (!target)
        return;
    const ExportedDrawing drawing = drawingToExport(editor);
    editor.workingFile.writeKeptFile(*target, encode(drawing));
}

}  // namespace

std::string offeredExportName(const std::string& documentName, std::string_view extension)
{
    const QString base = documentName.empty() ? QString::fromLatin1(kUntitledExportName)
                                              : QFileInfo(QString::fromStdString(documentName)).completeBaseName();
    return base.toStdString() + "." + std::string(extension);
}

std::optional<std::string> chooseExportFile(Editor& editor, std::string_view description, std::string_view extension)
{
    FileDialogOptions options;
    const std::string& document = editor.document.DocumentName;
    options.initialDirectory = document.empty() ? editor.document.LastDir : directoryOf(document);
    options.filterDescription = std::string(description);
    options.filterPattern = "*." + std::string(extension);
    options.defaultExtension = std::string(extension);
    options.fileName = offeredExportName(document, extension);
    const std::optional<std::string> chosen = editor.ui.saveFileDialog(options);
    if (!chosen)
        return std::nullopt;
    if (editor.fileSystem.exists(*chosen) &&
        editor.ui.messageBox(kOverwriteQuestion, MessageKind::Warning, MessageButtons::OkCancel) != MessageResult::Ok)
        return std::nullopt;
    return chosen;
}

void exportSvg(Editor& editor)
{
    exportDrawing(editor, "SVG-Grafik", "svg", [&](const ExportedDrawing& drawing) {
        return bytesOf(svgOfDrawing(editor.view, drawing.records, drawing.area));
    });
}

void exportPdf(Editor& editor)
{
    exportDrawing(editor, "PDF-Dokument", "pdf", [&](const ExportedDrawing& drawing) {
        return bytesOf(pdfOfDrawing(editor.view, drawing.records, drawing.area));
    });
}

void exportPng(Editor& editor)
{
    exportDrawing(editor, "PNG-Bild", "png", [&](const ExportedDrawing& drawing) {
        return encodePng(drawingPicture(editor.view, drawing.records, drawing.area, kPngScale));
    });
}

}  // namespace veltrano
