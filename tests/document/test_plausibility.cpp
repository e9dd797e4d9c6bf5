// Telling formula files from other files: real drawings, the templates and
// the examples pass; random bytes, a picture, a text and a lone fragment do
// not; an empty file and a drawing with a trailing fragment are drawings.

#include "document/plausibility.h"
#include "document/record_file.h"
#include "support/file_helpers.h"
#include "tools/sample_documents.h"

#include <QBuffer>
#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

#include <random>

namespace veltrano {
namespace {

using test::Bytes;

Plausibility judge(const Bytes& bytes)
{
    return judgeFormulaFile(parseRecords(bytes), bytes.size());
}

Bytes pngFile()
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return Bytes(data.begin(), data.end());
}

TEST(Plausibility, DrawingsPassOtherFilesDoNot)
{
    std::mt19937 generator(17);
    Bytes random(4096);
    for (std::uint8_t& byte : random)
        byte = std::uint8_t(generator());
    const std::string text = "Benzol C6H6 und Naphthalin C10H8: zwei aromatische Ringe.\nZweite Zeile.\n";
    Bytes drawing = test::recordFileBytes(samples::mixedDocument(200));
    Bytes withTail = drawing;
    withTail.insert(withTail.end(), 31, 0xEE);
    // A damaged drawing: a few records with odd kinds stay a drawing.
    std::vector<ElementRecord> damaged = samples::mixedDocument(100);
    for (std::size_t i = 0; i < 5; ++i)
        damaged[i * 20].kind = 60000;
    std::vector<ElementRecord> farOff = samples::mixedDocument(20);
    for (ElementRecord& record : farOff)
        record.setX1(-3e30);

    const struct {
        const char* what;
        Bytes bytes;
        bool plausible;
        const char* reason;  // a part of the reason
    } cases[] = {
        {"empty", {}, true, ""},
        {"a drawing", drawing, true, ""},
        {"a drawing and a fragment of 31 bytes", withTail, true, ""},
        {"a damaged drawing", test::recordFileBytes(damaged), true, ""},
        {"31 bytes alone", Bytes(31, 0x81), false, "kein vollständiges Element, nur 31 Byte"},
        {"random bytes", random, false, "von 128 Elementen haben eine bekannte Art"},
        {"a PNG", pngFile(), false, "haben eine bekannte Art"},
        {"a text", Bytes(text.begin(), text.end()), false, "haben eine bekannte Art"},
        {"hostile records", test::recordFileBytes(samples::hostileDocument(100)), false, "bekannte Art"},
        {"far-off coordinates", test::recordFileBytes(farOff), false,
         "20 von 20 Elementen liegen weit außerhalb jeder Zeichnung"},
    };
    for (const auto& c : cases) {
        const Plausibility verdict = judge(c.bytes);
        EXPECT_EQ(verdict.plausible, c.plausible) << c.what << ": " << verdict.reason;
        EXPECT_NE(verdict.reason.find(c.reason), std::string::npos) << c.what << ": " << verdict.reason;
        EXPECT_EQ(verdict.reason.empty(), c.plausible) << c.what;
    }
}

TEST(Plausibility, EveryTemplateAndExampleIsADrawing)
{
    int files = 0;
    for (const char* folder : {"/data/struk", "/examples"}) {
        const QDir dir(QStringLiteral(VELTRANO_SOURCE_DIR) + folder);
        for (const QString& name : dir.entryList({"*.cfd"}, QDir::Files)) {
            const Plausibility verdict = judge(test::fileBytes(dir.filePath(name).toStdString()));
            EXPECT_TRUE(verdict.plausible) << name.toStdString() << ": " << verdict.reason;
            ++files;
        }
    }
    EXPECT_GE(files, 47);
}

}  // namespace
}  // namespace veltrano
