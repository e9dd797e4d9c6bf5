// The PDF file's numbers and structure: numbers as short as they can be and
// always valid PDF, a cross-reference table that points at every object,
// streams that decompress to what was given.
#include "render/pdf_file.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <cmath>
#include <limits>
#include <utility>

namespace veltrano {
namespace {

TEST(PdfFile, numbersAreShortFiniteAndBounded)
{
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    const std::pair<double, const char*> cases[] = {
        {0, "0"},          {38400, "38400"},     {-12, "-12"},      {38.4, "38.4"},
        {-0.5, "-0.5"},    {0.0234375, "0.023"}, {0.0625, "0.063"}, {-0.0004, "0"},
        {1e-300, "0"},     {1e38, "1000000000"}, {-1e38, "-1000000000"},
        {kInfinity, "0"}, {std::nan(""), "0"}};
    for (const auto& [value, expected] : cases) {
        QByteArray out;
        appendPdfNumber(out, value);
        EXPECT_EQ(out, expected) << value;
    }
}

TEST(PdfFile, crossReferenceFindsEveryObjectAndStreamsDecompress)
{
    PdfFile file;
    const int catalog = file.reserveObject(), info = file.reserveObject(), stream = file.reserveObject();
    const QByteArray data = QByteArray("0 0 m 10 10 l S\n").repeated(100);
    // Written out of order: the table follows the offsets, not the numbers.
    file.writeStream(stream, data, "/Extra 1");
    file.writeObject(info, "<</Creator(Veltrano)>>");
    file.writeObject(catalog, "<</Type/Catalog>>");
    const QByteArray pdf = file.finish(catalog, info);

    ASSERT_TRUE(pdf.startsWith("%PDF-1."));
    ASSERT_TRUE(pdf.endsWith("%%EOF\n"));
    const QRegularExpressionMatch start = QRegularExpression("startxref\n(\\d+)\n%%EOF\n$").match(pdf);
    ASSERT_TRUE(start.hasMatch());
    const qsizetype table = start.captured(1).toLongLong();
    ASSERT_TRUE(pdf.mid(table).startsWith("xref\n0 4\n0000000000 65535 f \n"));
    for (int object = 1; object <= 3; ++object) {
        const QByteArray entry = pdf.mid(table + 9 + 20 * object, 20);
        ASSERT_TRUE(entry.endsWith(" 00000 n \n")) << entry.constData();
        EXPECT_TRUE(pdf.mid(entry.left(10).toLongLong()).startsWith(QByteArray::number(object) + " 0 obj\n"));
    }
    EXPECT_TRUE(pdf.contains("trailer\n<</Size 4/Root 1 0 R/Info 2 0 R>>"));

    const QRegularExpressionMatch length = QRegularExpression("<</Length (\\d+)/Filter/FlateDecode/Extra 1>>\nstream\n")
                                               .match(pdf);
    ASSERT_TRUE(length.hasMatch());
    const QByteArray compressed = pdf.mid(length.capturedEnd(), length.captured(1).toLongLong());
    EXPECT_TRUE(pdf.mid(length.capturedEnd() + compressed.size()).startsWith("\nendstream\nendobj\n"));
    // A zlib stream: qUncompress wants the size in front.
    QByteArray sized(4, '\0');
    sized[2] = char(data.size() >> 8);
    sized[3] = char(data.size() & 0xFF);
    EXPECT_EQ(qUncompress(sized + compressed), data);
}

}  // namespace
}  // namespace veltrano
