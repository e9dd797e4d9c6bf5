#include "support/poppler_tools.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace veltrano::test {

namespace {

std::optional<QByteArray> runTool(const QString& tool, const QStringList& arguments)
{
    if (QStandardPaths::findExecutable(tool).isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString() << " failed: " << process.readAllStandardError().toStdString();
        return QByteArray();
    }
    return process.readAllStandardOutput();
}

}  // namespace

bool popplerInstalled()
{
    for (const char* tool : {"pdftotext", "pdfinfo", "pdftoppm"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return false;
    }
    return true;
}

std::optional<QString> pdfText(const std::string& path)
{
    const auto output = runTool("pdftotext", {QString::fromStdString(path), "-"});
    if (!output)
        return std::nullopt;
    return QString::fromUtf8(*output);
}

std::optional<PdfInfo> pdfInfo(const std::string& path)
{
    const auto output = runTool("pdfinfo", {QString::fromStdString(path)});
    if (!output)
        return std::nullopt;
    const QString text = QString::fromUtf8(*output);
    PdfInfo info;
    const QRegularExpressionMatch pages = QRegularExpression(R"(Pages:\s+(\d+))").match(text);
    if (pages.hasMatch())
        info.pages = pages.captured(1).toInt();
    const QRegularExpressionMatch size =
        QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)").match(text);
    if (size.hasMatch())
        info.pageSize = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    return info;
}

std::optional<QImage> pdfFirstPage(const std::string& path, int dotsPerInch)
{
    QTemporaryDir folder;
    const QString stem = folder.filePath("page");
    const auto output = runTool("pdftoppm", {"-r", QString::number(dotsPerInch), "-png", "-singlefile", "-f", "1",
                                             "-l", "1", QString::fromStdString(path), stem});
    if (!output)
        return std::nullopt;
    return QImage(stem + ".png");
}

}  // namespace veltrano::test
