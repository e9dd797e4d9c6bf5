// A pixel guard that fails leaves pictures behind: the page drawn, and for a
// comparison of two pages the expected page and a difference picture, in
// the output folder named by TEST_UNDECLARED_OUTPUTS_DIR, each named in the
// failure message.
#include "page_mismatch.h"
#include "render/page.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdlib>
#include <string>

namespace veltrano {
namespace {

// Sets TEST_UNDECLARED_OUTPUTS_DIR for the life of the object.
class OutputFolder {
public:
    OutputFolder()
    {
        const char* previous = std::getenv("TEST_UNDECLARED_OUTPUTS_DIR");
        m_hadPrevious = previous != nullptr;
        if (previous)
            m_previous = previous;
        setenv("TEST_UNDECLARED_OUTPUTS_DIR", path().c_str(), 1);
    }
    ~OutputFolder()
    {
        if (m_hadPrevious)
            setenv("TEST_UNDECLARED_OUTPUTS_DIR", m_previous.c_str(), 1);
        else
            unsetenv("TEST_UNDECLARED_OUTPUTS_DIR");
    }
    std::string path() const { return m_folder.path().toStdString(); }
    std::string file(const char* name) const { return QDir(m_folder.path()).filePath(name).toStdString(); }

private:
    QTemporaryDir m_folder;
    bool m_hadPrevious = false;
    std::string m_previous;
};

TEST(PageMismatch, WrongHashWritesTheDrawnPageAndNamesIt)
{
    const OutputFolder output;
    QImage page = makeBlankPage();
    page.setPixel(17, 23, qRgb(0, 0, 0));

    EXPECT_TRUE(test::pageHashIs(page, test::pageHash(page), "right"));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(output.file("right-actual.png"))));

    const ::testing::AssertionResult result = test::pageHashIs(page, test::pageHash(page) ^ 1, "wrong");
    ASSERT_FALSE(result);
    const std::string written = output.file("wrong-actual.png");
    EXPECT_NE(std::string(result.message()).find(written), std::string::npos) << result.message();
    const QImage reread(QString::fromStdString(written));
    ASSERT_FALSE(reread.isNull());
    EXPECT_EQ(test::pageHash(reread.convertToFormat(QImage::Format_RGB32)), test::pageHash(page));
}

TEST(PageMismatch, DifferentPagesWriteBothAndMarkTheDifference)
{
    const OutputFolder output;
    const QImage expected = makeBlankPage();
    QImage actual = makeBlankPage();
    actual.setPixel(400, 300, qRgb(10, 20, 30));
    actual.setPixel(401, 300, qRgb(10, 20, 30));

    EXPECT_TRUE(test::samePages(expected, expected, "same"));
    const ::testing::AssertionResult result = test::samePages(actual, expected, "moved");
    ASSERT_FALSE(result);
    const std::string message = result.message();
    EXPECT_NE(message.find("2 pixels differ, the first at (400, 300)"), std::string::npos) << message;
    for (const char* name : {"moved-actual.png", "moved-expected.png", "moved-difference.png"})
        EXPECT_NE(message.find(output.file(name)), std::string::npos) << name << ": " << message;

    const QImage difference(QString::fromStdString(output.file("moved-difference.png")));
    ASSERT_EQ(difference.size(), expected.size());
    int red = 0;
    for (int y = 0; y < difference.height(); ++y)
        for (int x = 0; x < difference.width(); ++x)
            red += (difference.pixel(x, y) & 0xFFFFFF) == 0xFF0000 ? 1 : 0;
    EXPECT_EQ(red, 2);
    EXPECT_EQ(difference.pixel(400, 300) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(difference.pixel(401, 300) & 0xFFFFFF, 0xFF0000u);
}

}  // namespace
}  // namespace veltrano
