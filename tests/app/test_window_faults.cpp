// The main window when resources run out: running out of memory in a
// handler is a message, never the end of the program, and without a usable
// WorkDir the user is told once and the drawing does not repeat it.

#include "app/hauptf.h"
#include "app/page_widget.h"
#include "document/element_kind.h"
#include "support/exhausting_file_system.h"
#include "support/failing_allocation.h"
#include "support/file_helpers.h"
#include "window_test_support.h"

#include <QAbstractButton>
#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace veltrano {
namespace {

using test::fileExists;

class WindowFaults : public ::testing::Test {
protected:
    template <typename T = QWidget>
    static T* child(Thauptf& window, const char* name)
    {
        T* found = window.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    test::TestFolders folders;
};

TEST_F(WindowFaults, RunningOutOfMemoryInAHandlerIsAMessage)
{
    test::ExhaustingFileSystem fs;
    Thauptf window(folders.environment(), fs);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.editor().workingFile.AppendRecord(makeRecord(kind::SingleBond, 100, 100, 130, 100));

    test::MessageBoxWatcher watcher;
    // "Neu zeichnen" and a press on the drawing both read temp.dat.
    fs.exhaustAt(1, "temp.dat");
    QTest::mouseClick(child(window, "Button2"), Qt::LeftButton);
    ASSERT_TRUE(fs.exhausted());
    fs.exhaustAt(1, "temp.dat");
    QTest::mousePress(child(window, "I1"), Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    QTest::mouseRelease(child(window, "I1"), Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    ASSERT_TRUE(fs.exhausted());
    fs.disarm();

    ASSERT_EQ(watcher.seen().size(), 2u);
    for (const test::SeenMessageBox& box : watcher.seen()) {
        EXPECT_EQ(box.text, "Zu wenig Arbeitsspeicher.");
        EXPECT_EQ(box.title, "Veltrano");
    }
    // The window goes on working.
    QTest::mouseClick(child(window, "Button2"), Qt::LeftButton);
    EXPECT_EQ(window.editor().page.pixel(115, 100), qRgb(0, 0, 0));
    EXPECT_EQ(watcher.seen().size(), 2u);
}

TEST_F(WindowFaults, RunningOutOfMemoryWhileStartingWithAFileIsAMessage)
{
    // Eight megabytes of records: each copy of the document in memory is one
    // of the large allocations, made to fail in turn wherever they happen.
    constexpr std::size_t kLarge = std::size_t(6) << 20;
    const std::string name = folders.path("gross.cfd");
    const test::Bytes document =
        test::recordFileBytes(std::vector<ElementRecord>(250000, makeRecord(kind::SingleBond, 100, 100, 130, 100)));
    test::putFileBytes(name, document);
    const StartupEnvironment environment = folders.environment({QString::fromStdString(name)});
    for (int n = 1; n < 50; ++n) {
        SCOPED_TRACE("allocation " + std::to_string(n));
        test::MessageBoxWatcher watcher;
        std::unique_ptr<Thauptf> window;
        test::failAllocationAt(n, kLarge);
        EXPECT_NO_THROW(window = std::make_unique<Thauptf>(environment));
        const bool failed = test::allocationFailed();
        test::stopFailingAllocations();
        ASSERT_TRUE(window);
        EXPECT_EQ(test::fileBytes(name), document);
        if (!failed) {
            EXPECT_TRUE(watcher.seen().empty());
            EXPECT_EQ(window->editor().document.DocumentName, name);
            break;
        }
        ASSERT_EQ(watcher.seen().size(), 1u);
        const QString text = watcher.seen().front().text;
        EXPECT_TRUE(text == "Die Datei konnte nicht geöffnet werden." || text == "Zu wenig Arbeitsspeicher.") << text.toStdString();
    }
}

TEST_F(WindowFaults, WithoutAUsableWorkDirOneMessageAndQuietPresses)
{
    // The application-data folder lies below a file, so no WorkDir can be
    // made there; the program's own folder is not taken instead.
    test::putFileBytes(folders.path("keinordner"), {});
    StartupEnvironment environment = folders.environment({QString::fromStdString(folders.path("x.cfd"))});
    environment.appDataFolder = folders.path("keinordner/veltrano/");
    test::putFileBytes(folders.path("x.cfd"), test::recordFileBytes({makeRecord(kind::SingleBond, 1, 1, 31, 1)}));

    test::MessageBoxWatcher watcher;
    Thauptf window(environment);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QWidget* image = child(window, "I1");
    for (int i = 0; i < 3; ++i) {
        QTest::mousePress(image, Qt::LeftButton, Qt::NoModifier, QPoint(100 + 10 * i, 100));
        QTest::mouseMove(image, QPoint(150, 120));
        QTest::mouseRelease(image, Qt::LeftButton, Qt::NoModifier, QPoint(150, 120));
        QTest::mouseClick(image, Qt::RightButton, Qt::NoModifier, QPoint(60, 60));
    }
    QApplication::processEvents();

    ASSERT_EQ(watcher.seen().size(), 1u);
    const QString text = watcher.seen()[0].text;
    EXPECT_TRUE(text.contains(QString::fromStdString("„" + folders.path("keinordner/veltrano/temp") + "“")))
        << text.toStdString();
    EXPECT_FALSE(window.editor().workDirUsable);
    EXPECT_FALSE(fileExists(folders.path("bin/temp.dat")));
    EXPECT_TRUE(test::folderEntries(folders.path("bin")).empty());
    EXPECT_EQ(window.editor().document.DocumentName, "");
    EXPECT_EQ(window.editor().page.pixel(16, 1), qRgb(255, 255, 255));

    // A command that needs temp.dat reports its run-time error, once.
    QTest::mouseClick(child(window, "Button2"), Qt::LeftButton);
    ASSERT_EQ(watcher.seen().size(), 2u);
    EXPECT_FALSE(watcher.seen()[1].text.isEmpty());
    EXPECT_NE(watcher.seen()[1].text, text);
}

}  // namespace
}  // namespace veltrano
