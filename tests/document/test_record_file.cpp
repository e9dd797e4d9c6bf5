#include "document/element_kind.h"
#include "document/io_error.h"
#include "document/record_file.h"
#include "support/file_helpers.h"

#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>
#include <gtest/gtest.h>

using namespace veltrano;
using veltrano::test::Bytes;
using veltrano::test::fileBytes;
using veltrano::test::putFileBytes;

namespace {

class RecordFileTest : public ::testing::Test {
protected:
    std::string file(const char* name) const { return m_dir.path().toStdString() + "/" + name; }
    FileSystem& fs = FileSystem::system();

private:
    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(RecordFileTest, RecordLayoutIsByteExact)
{
    ElementRecord r = makeRecord(kind::SingleBond, 1.0, -1.0, 0.0, 2.0, 0x00FF8040);
    r.reserved = {0xAB, 0xCD};
    const RecordBytes bytes = encodeRecord(r);
    const RecordBytes expected = {
        0x81, 0, 0, 0, 0, 0,     // x1 = 1
        0x81, 0, 0, 0, 0, 0x80,  // y1 = -1
        0, 0, 0, 0, 0, 0,        // x2 = 0
        0x82, 0, 0, 0, 0, 0,     // y2 = 2
        0x40, 0x80, 0xFF, 0x00,  // colour, little-endian
        0xFF, 0x00,              // kind 255
        0xAB, 0xCD,              // reserved, carried as read
    };
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(decodeRecord(expected.data()), r);

    ElementRecord greek = makeRecord(532, 0, 0, 12, 0, -1);
    const RecordBytes g = encodeRecord(greek);
    EXPECT_EQ(g[28], 0x14);
    EXPECT_EQ(g[29], 0x02);
    EXPECT_EQ(g[24], 0xFF);
    EXPECT_EQ(g[27], 0xFF);
}

TEST_F(RecordFileTest, TrailingFragmentIsIgnoredAndOverwrittenByAppend)
{
    const ElementRecord first = makeRecord(kind::DoubleBond, 10, 20, 30, 40);
    Bytes bytes = test::recordFileBytes({first});
    bytes.push_back(0x5A);  // a 33-byte file
    putFileBytes(file("a.cfd"), bytes);

    EXPECT_EQ(recordCount(fs, file("a.cfd")), 1u);
    const std::vector<ElementRecord> read = readAllRecords(fs, file("a.cfd"));
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0], first);

    const ElementRecord second = makeRecord(kind::StraightArrow, 1, 2, 3, 4, 0xFF);
    EXPECT_EQ(appendRecord(fs, file("a.cfd"), second), 1u);
    EXPECT_EQ(fileBytes(file("a.cfd")), test::recordFileBytes({first, second}));

    putFileBytes(file("empty.cfd"), {});
    EXPECT_EQ(recordCount(fs, file("empty.cfd")), 0u);
    EXPECT_TRUE(readAllRecords(fs, file("empty.cfd")).empty());
    putFileBytes(file("short.cfd"), Bytes(31, 0xEE));
    EXPECT_EQ(recordCount(fs, file("short.cfd")), 0u);
}

TEST_F(RecordFileTest, ReservedBytesAndUnusedFieldsSurviveReadAndWrite)
{
    // y2 of a text record holds leftovers: a zero exponent with noise behind
    // it must come back exactly as stored, not as a clean zero.
    Bytes bytes = test::recordFileBytes({makeRecord(0, 100, 200, 12, 0)});
    bytes[18] = 0;
    bytes[19] = 0x11;
    bytes[23] = 0x99;
    bytes[30] = 0x7F;
    bytes[31] = 0x80;
    putFileBytes(file("in.cfd"), bytes);
    const std::vector<ElementRecord> records = readAllRecords(fs, file("in.cfd"));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Y2(), 0.0);
    writeRecords(fs, file("out.cfd"), records);
    EXPECT_EQ(fileBytes(file("out.cfd")), bytes);
}

TEST_F(RecordFileTest, MissingFilesAndBadNamesGiveTheGermanTexts)
{
    try {
        readAllRecords(fs, file("missing.cfd"));
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_STREQ(error.what(), "Datei nicht gefunden");
    }
    putFileBytes(file("plain"), {});
    try {
        recordCount(fs, file("plain") + "/below.cfd");
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_STREQ(error.what(), "Ungültiger Dateiname");
    }
    // A failed atomic write leaves no partial file behind.
    EXPECT_THROW(writeRecords(fs, file("nodir") + "/x.cfd", {}), IoError);
    EXPECT_EQ(test::folderEntries(file("")), (std::vector<std::string>{"plain"}));
}

TEST(IoErrorText, EveryErrorClassHasItsRunTimeMessage)
{
    const std::pair<int, const char*> table[] = {
        {ENOENT, "Datei nicht gefunden"},
        {ENOTDIR, "Ungültiger Dateiname"},
        {ENAMETOOLONG, "Ungültiger Dateiname"},
        {EMFILE, "Zu viele geöffnete Dateien"},
        {ENFILE, "Zu viele geöffnete Dateien"},
        {EACCES, "Dateizugriff verweigert"},
        {EPERM, "Dateizugriff verweigert"},
        {EROFS, "Dateizugriff verweigert"},
        {kReadPastEnd, "Versuch hinter dem Dateiende zu lesen"},
        {ENOSPC, "Zu wenig Speicherplatz"},
        {EDQUOT, "Zu wenig Speicherplatz"},
        {EIO, "E/A-Fehler 5"},
        {ELOOP, "Zu viele symbolische Verknüpfungen"},
        {EISDIR, "Ist ein Ordner"},
        {EFBIG, "Datei zu groß"},
        {kNotRegularFile, "Keine gewöhnliche Datei"},
    };
    for (const auto& [error, text] : table) {
        EXPECT_EQ(ioErrorMessage(error), text) << error;
        EXPECT_STREQ(IoError(error).what(), text) << error;
        EXPECT_EQ(IoError(error).errorNumber(), error);
    }
}

TEST(ElementKinds, GroupsAndLayersFollowTheCodeTable)
{
    EXPECT_EQ(LabelText(0), "O");
    EXPECT_EQ(LabelText(18), "\xB2");
    EXPECT_EQ(LabelText(27), "Et OOC");
    EXPECT_EQ(LabelText(38), "{DB}");
    EXPECT_EQ(LabelText(44), "6");
    EXPECT_EQ(LabelText(45), "");
    for (ElementKind k : {247, 45, 64, 414, 499, 565, 65535})
        EXPECT_FALSE(isLabel(k) || isCharacter(k) || isGreek(k) || isBond(k) || isArrowOrBracket(k)) << k;
    EXPECT_EQ(layerOf(247), Layer::Bonds);
    EXPECT_EQ(layerOf(255), Layer::Bonds);
    EXPECT_EQ(layerOf(256), Layer::Text);
    EXPECT_EQ(layerOf(400), Layer::Text);
    EXPECT_EQ(layerOf(564), Layer::Text);
    EXPECT_EQ(layerOf(401), Layer::Arrows);
    EXPECT_EQ(layerOf(499), Layer::Arrows);
    EXPECT_EQ(layerOf(565), Layer::None);
    EXPECT_TRUE(isTextKind(256) && isTextKind(532) && isTextKind(0) && !isTextKind(248) && !isTextKind(413));
    EXPECT_TRUE(isTwoPointKind(248) && isTwoPointKind(413) && !isTwoPointKind(414));
}

TEST_F(RecordFileTest, HostileFilesNeitherHangNorExhaustMemory)
{
    // A FIFO is no record file: it is refused at once instead of blocking
    // in open or passing for an empty document.
    ASSERT_EQ(::mkfifo(file("pipe.cfd").c_str(), 0644), 0);
    try {
        readAllRecords(fs, file("pipe.cfd"));
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_STREQ(error.what(), "Dateizugriff verweigert");
    }

    // A sparse file of 300 MiB is refused before anything is allocated.
    const std::string huge = file("huge.cfd");
    putFileBytes(huge, {});
    ASSERT_EQ(::truncate(huge.c_str(), 300LL * 1024 * 1024), 0);
    try {
        readAllRecords(fs, huge);
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_STREQ(error.what(), "Datei zu groß");
    }
    EXPECT_EQ(recordCount(fs, huge), 300u * 1024 * 1024 / 32);
}
