#pragma once
// A PDF file written front to back: numbered objects and Flate-compressed
// streams, in any order, then the cross-reference table of their offsets
// and the trailer. The caller writes each object's contents in PDF syntax;
// the file knows only objects, streams and numbers.

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

namespace veltrano {

// Appends value in PDF's number syntax, shortest first: a whole number
// where it is one, else at most three decimals, never an exponent. A value
// that is not finite is written as 0 and any other is bounded to
// +-kPdfFarthest, so a damaged drawing still gives numbers every reader
// takes.
inline constexpr double kPdfFarthest = 1e9;
void appendPdfNumber(QByteArray& out, double value);

class PdfFile {
public:
    PdfFile();

    // A number for an object written later, so that objects can refer to
    // each other in any order.
    int reserveObject();
    // Writes object number (from reserveObject) with body, a dictionary or
    // any other object.
    void writeObject(int number, QByteArrayView body);
    // Writes object number as a stream of data, Flate-compressed, whose
    // dictionary has extraEntries besides its length and filter.
    void writeStream(int number, const QByteArray& data, QByteArrayView extraEntries = {});

    // The whole file: the objects, the cross-reference table and the
    // trailer naming root (the catalog) and info. Every reserved object
    // must have been written.
    QByteArray finish(int root, int info);

private:
    void beginObject(int number);

    QByteArray m_out;
    std::vector<qsizetype> m_offsets;  // by object number - 1
};

}  // namespace veltrano
