#include "commands/print_command.h"

#include "render/vector_output.h"

#include <QFileInfo>
#include <QPainter>

#include <algorithm>
#include <memory>

namespace veltrano {

QTransform printTransform(QSizeF drawingSize, QSizeF printableSize, double dotsPerInchX, double dotsPerInchY)
{
    double scaleX = dotsPerInchX / kPagePixelsPerInch;
    double scaleY = dotsPerInchY / kPagePixelsPerInch;
    const double printedWidth = drawingSize.width() * scaleX;
    const double printedHeight = drawingSize.height() * scaleY;
    // One shrink factor for both axes keeps the drawing's proportions.
    double shrink = 1.0;
    if (printedWidth > printableSize.width() && printedWidth > 0)
        shrink = std::min(shrink, printableSize.width() / printedWidth);
    if (printedHeight > printableSize.height() && printedHeight > 0)
        shrink = std::min(shrink, printableSize.height() / printedHeight);
    scaleX *= shrink;
    scaleY *= shrink;
    return QTransform::fromScale(scaleX, scaleY);
}

PrintJob drawingPrintJob(Editor& editor)
{
    auto records = std::make_shared<const std::vector<ElementRecord>>(editor.workingFile.readAll());
    const QRect area = vectorCutOut(editor.view, *records, editor.page.size());
    const std::string& name = editor.document.DocumentName;
    PrintJob job;
    job.documentName = name.empty() ? "Veltrano" : QFileInfo(QString::fromStdString(name)).fileName().toStdString();
    job.size = area.size();
    job.paint = [view = editor.view, records, area](QPainter& painter) { paintDrawing(painter, view, *records, area); };
    return job;
}

void printDrawing(Editor& editor)
{
    if (editor.ui.print(drawingPrintJob(editor)) == PrintResult::Failed)
        editor.ui.showMessage(kPrintFailedMessage);
}

}  // namespace veltrano
