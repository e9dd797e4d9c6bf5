#include "render/pdf_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace veltrano {

namespace {

// zlib's fastest level. The page of a large drawing is most of the file:
// the 820 kB of operators of the 5001-record sample take 6 ms at level 1,
// 8 at level 2, 17 at level 3 and 50 at zlib's default of 6, for streams
// only 3, 6 and 14 % smaller.
constexpr int kFlateLevel = 1;

// Writes the digits of whole ending before end; returns where they start.
char* wholeDigits(char* end, unsigned long long whole)
{
    do {
        *--end = char('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    return end;
}

void appendWhole(QByteArray& out, unsigned long long whole)
{
    char digits[24];
    char* const end = digits + sizeof digits;
    const char* start = wholeDigits(end, whole);
    out.append(start, end - start);
}

}  // namespace

// Built in a buffer and appended at once: a page holds a million numbers.
void appendPdfNumber(QByteArray& out, double value)
{
    if (!std::isfinite(value))
        value = 0;
    long long thousandths = std::llround(std::clamp(value, -kPdfFarthest, kPdfFarthest) * 1000.0);
    const bool negative = thousandths < 0;
    if (negative)
        thousandths = -thousandths;
    char text[32];
    char* const end = text + sizeof text;
    char* start = end;
    int fraction = int(thousandths % 1000);
    if (fraction != 0) {
        // The decimals without trailing zeros, written from the last.
        int decimals = 3;
        for (; fraction % 10 == 0; fraction /= 10)
            --decimals;
        for (int k = 0; k < decimals; ++k, fraction /= 10)
            *--start = char('0' + fraction % 10);
        *--start = '.';
    }
    start = wholeDigits(start, static_cast<unsigned long long>(thousandths / 1000));
    if (negative)
        *--start = '-';
    out.append(start, end - start);
}

PdfFile::PdfFile()
{
    // The comment's bytes above 127 tell transfer programs the file is binary.
    m_out.append("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
}

int PdfFile::reserveObject()
{
    m_offsets.push_back(-1);
    return int(m_offsets.size());
}

void PdfFile::beginObject(int number)
{
    m_offsets[std::size_t(number - 1)] = m_out.size();
    appendWhole(m_out, static_cast<unsigned long long>(number));
    m_out.append(" 0 obj\n");
}

void PdfFile::writeObject(int number, QByteArrayView body)
{
    beginObject(number);
    m_out.append(body);
    m_out.append("\nendobj\n");
}

void PdfFile::writeStream(int number, const QByteArray& data, QByteArrayView extraEntries)
{
    // qCompress puts the uncompressed size in front of the zlib stream.
    const QByteArray compressed = qCompress(data, kFlateLevel);
    const QByteArrayView zlibStream = QByteArrayView(compressed).sliced(4);
    beginObject(number);
    m_out.append("<</Length ");
    appendWhole(m_out, static_cast<unsigned long long>(zlibStream.size()));
    m_out.append("/Filter/FlateDecode");
    m_out.append(extraEntries);
    m_out.append(">>\nstream\n");
    m_out.append(zlibStream);
    m_out.append("\nendstream\nendobj\n");
}

QByteArray PdfFile::finish(int root, int info)
{
    const qsizetype tableOffset = m_out.size();
    m_out.append("xref\n0 ");
    appendWhole(m_out, m_offsets.size() + 1);
    // Each entry is exactly 20 bytes, the line end included.
    m_out.append("\n0000000000 65535 f \n");
    for (const qsizetype offset : m_offsets) {
        char entry[21];
        std::snprintf(entry, sizeof entry, "%010lld 00000 n \n", static_cast<long long>(offset));
        m_out.append(entry, 20);
    }
    m_out.append("trailer\n<</Size ");
    appendWhole(m_out, m_offsets.size() + 1);
    m_out.append("/Root ");
    appendWhole(m_out, static_cast<unsigned long long>(root));
    m_out.append(" 0 R/Info ");
    appendWhole(m_out, static_cast<unsigned long long>(info));
    m_out.append(" 0 R>>\nstartxref\n");
    appendWhole(m_out, static_cast<unsigned long long>(tableOffset));
    m_out.append("\n%%EOF\n");
    return std::move(m_out);
}

}  // namespace veltrano
