#pragma once
// The PDF tools of poppler-utils (pdftotext, pdfinfo, pdftoppm) for tests
// that check a written PDF from the outside. Each returns nothing when the
// tool is not installed, so the test can skip; a tool that fails on the
// file fails the test.

#include <QImage>
#include <QSizeF>
#include <QString>

#include <optional>
#include <string>

namespace veltrano::test {

bool popplerInstalled();
// The text of every page.
std::optional<QString> pdfText(const std::string& path);
// Page count and the first page's size in points, from pdfinfo.
struct PdfInfo {
    int pages = 0;
    QSizeF pageSize;
};
std::optional<PdfInfo> pdfInfo(const std::string& path);
// The first page rasterised at dotsPerInch.
std::optional<QImage> pdfFirstPage(const std::string& path, int dotsPerInch);

}  // namespace veltrano::test
