// The menu "&Info" through the real windows: the About window as it is
// built, shown, animated and hidden, its link, and the help opened by
// "&Hilfe" with the compiled help, the HTML help or neither beside the
// program.

#include "app/aboutf.h"
#include "app/hauptf.h"
#include "support/fake_ui_port.h"
#include "support/file_helpers.h"
#include "window_test_support.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

namespace veltrano {
namespace {

// Catches what would go to the desktop's programs for one URL scheme.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    explicit UrlCatcher(const QString& scheme)
        : m_scheme(scheme)
    {
        QDesktopServices::setUrlHandler(m_scheme, this, "open");
    }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(m_scheme); }

    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.push_back(url); }

private:
    QString m_scheme;
};

template <typename T = QWidget>
T* child(QWidget& window, const char* name)
{
    T* found = window.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QTimer* timer1(Taboutf& about)
{
    return about.findChild<QTimer*>("Timer1");
}

void moveOver(QWidget* widget)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

QColor linkColour(Taboutf& about)
{
    return child<QLabel>(about, "Label3")->palette().color(QPalette::WindowText);
}

TEST(AboutWindow, IsBuiltAsADialogOfFixedSizeWithItsControlsInPlace)
{
    test::FakeUiPort desktop;
    Taboutf about(&desktop);
    EXPECT_EQ(about.windowTitle(), "Info");
    EXPECT_EQ(about.size(), QSize(429, 273));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    const Qt::WindowFlags flags = about.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint | Qt::WindowSystemMenuHint));
    EXPECT_FALSE(about.isVisible());
    EXPECT_FALSE(about.isModal());
    EXPECT_EQ(QFontInfo(about.font()).pixelSize(), 13);

    struct Place {
        const char* name;
        QRect geometry;  // relative to the parent control
    };
    for (const Place& place : {Place{"Panel1", {8, 7, 413, 214}}, Place{"Image1", {-2, 16, 393, 165}},
                               Place{"Memo1", {206, 98, 197, 31}}, Place{"Label4", {8, 180, 393, 29}},
                               Place{"BitBtn1", {170, 228, 89, 33}}})
        EXPECT_EQ(child(about, place.name)->geometry(), place.geometry) << place.name;
    for (const auto& [name, corner] : {std::pair{"Label1", QPoint(16, 18)}, std::pair{"Label2", QPoint(22, 36)},
                                       std::pair{"Label3", QPoint(208, 136)}})
        EXPECT_EQ(child(about, name)->pos(), corner) << name;
    for (const char* name : {"Image1", "Label1", "Label2", "Label3", "Label4", "Memo1"})
        EXPECT_EQ(child(about, name)->parentWidget(), child(about, "Panel1")) << name;

    // Font sizes in pixels at 96 dots per inch: 13, 11, 8 and 7 points.
    struct FontRow {
        const char* name;
        int pixels;
        bool bold;
    };
    for (const FontRow& row : {FontRow{"Label1", 17, false}, FontRow{"Label2", 15, false},
                               FontRow{"Label3", 11, true}, FontRow{"Memo1", 11, true}, FontRow{"Label4", 9, false}}) {
        const QFont font = child(about, row.name)->font();
        EXPECT_EQ(font.pixelSize(), row.pixels) << row.name;
        EXPECT_EQ(font.bold(), row.bold) << row.name;
        const QString family = QFontInfo(font).family();
        EXPECT_TRUE(family == "Liberation Serif" || family == "Times New Roman") << row.name;
    }

    EXPECT_EQ(child<QLabel>(about, "Label1")->text(), "Veltrano");
    EXPECT_EQ(child<QLabel>(about, "Label2")->text(), "Version 4.1");
    EXPECT_EQ(child<QLabel>(about, "Label3")->text(), kWebPageShown);
    EXPECT_EQ(linkColour(about), QColor(255, 0, 0));
    auto* memo = child<QPlainTextEdit>(about, "Memo1");
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(memo->document()->blockCount(), 2);
    auto* notice = child<QLabel>(about, "Label4");
    EXPECT_TRUE(notice->wordWrap());
    EXPECT_TRUE(notice->alignment() & Qt::AlignHCenter);
    EXPECT_FALSE(notice->text().isEmpty());
    EXPECT_EQ(child<QPushButton>(about, "BitBtn1")->text(), "OK");

    // The logo is white where the name and version lie over it.
    const QImage logo = child<QLabel>(about, "Image1")->pixmap().toImage();
    EXPECT_EQ(logo.size(), QSize(370, 168));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 110; ++x)
            ASSERT_EQ(logo.pixel(x, y) & 0xFFFFFF, 0xFFFFFFu) << x << "," << y;
    int inked = 0;
    for (int y = 0; y < logo.height(); ++y)
        for (int x = 0; x < logo.width(); ++x)
            inked += (logo.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    EXPECT_GT(inked, 1000);

    EXPECT_EQ(timer1(about)->interval(), 20);
    EXPECT_FALSE(timer1(about)->isActive());
}

TEST(AboutWindow, ShowingStartsTheCubesAndEveryWayOfHidingStopsThemWhereTheyAre)
{
    test::FakeUiPort desktop;
    Taboutf about(&desktop);
    about.showAbout();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_TRUE(about.isVisible());
    EXPECT_TRUE(timer1(about)->isActive());
    // The running timer turns the cubes by itself.
    QTRY_VERIFY_WITH_TIMEOUT(about.cubeAngles().A >= 8, 2000);

    // OK hides the window and stops the timer; the angles stay.
    QTest::mouseClick(child(about, "BitBtn1"), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_FALSE(timer1(about)->isActive());
    const CubeAngles stopped = about.cubeAngles();
    EXPECT_EQ(stopped.A / 4, stopped.B / 3);
    EXPECT_EQ(stopped.A / 4, stopped.C / 2);

    // Shown again, the cubes go on from there.
    about.showAbout();
    EXPECT_TRUE(timer1(about)->isActive());
    EXPECT_EQ(about.cubeAngles().A, stopped.A);
    about.Timer1Timer();
    EXPECT_EQ(about.cubeAngles().A, stopped.A + 4);
    EXPECT_EQ(about.cubeAngles().B, stopped.B + 3);
    EXPECT_EQ(about.cubeAngles().C, stopped.C + 2);

    // Escape and the window manager's close only hide it.
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
    EXPECT_FALSE(timer1(about)->isActive());
    about.showAbout();
    EXPECT_TRUE(about.close());
    EXPECT_FALSE(about.isVisible());
    EXPECT_FALSE(timer1(about)->isActive());
    about.showAbout();
    EXPECT_TRUE(about.isVisible());
    EXPECT_TRUE(timer1(about)->isActive());
}

TEST(AboutWindow, TheTwoCopiesOfTheFrameLieInTheLowerCornersOfTheWindow)
{
    test::FakeUiPort desktop;
    Taboutf about(&desktop);
    about.showAbout();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    timer1(about)->stop();
    for (int tick = 0; tick < 23; ++tick)
        about.Timer1Timer();

    const QSize outer = about.frameGeometry().size();
    const std::array<QRect, 2> places = about.cubePlaces();
    EXPECT_EQ(places[0], QRect(10, outer.height() - 85, 60, 60));
    EXPECT_EQ(places[1], QRect(outer.width() - 74, outer.height() - 85, 60, 60));

    const QImage shown = about.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect panel = child(about, "Panel1")->geometry();
    const QRect button = child(about, "BitBtn1")->geometry();
    const QImage& frame = about.cubeFrame();
    for (const QRect& place : places) {
        int compared = 0, inked = 0;
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 60; ++x) {
                const QPoint at = place.topLeft() + QPoint(x, y);
                if (panel.contains(at) || button.contains(at) || !shown.rect().contains(at))
                    continue;
                ++compared;
                ASSERT_EQ(shown.pixel(at), frame.pixel(x, y)) << at.x() << "," << at.y();
                inked += frame.pixel(x, y) != frame.pixel(99, 99);
            }
        }
        EXPECT_GT(compared, 600);
        EXPECT_GT(inked, 50);  // part of a cube shows below the panel
    }
    // Beside the copies the window shows its button face.
    EXPECT_EQ(shown.pixel(places[0].right() + 5, places[0].bottom()), frame.pixel(99, 99));
    EXPECT_EQ(shown.pixel(5, places[0].bottom()), frame.pixel(99, 99));
}

TEST(AboutWindow, TheLinkTurnsBlueUnderThePointerRedNearTheOtherTextsAndOpensTheWebPage)
{
    test::FakeUiPort desktop;
    Taboutf about(&desktop);
    about.showAbout();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));

    moveOver(child(about, "Label3"));
    EXPECT_EQ(linkColour(about), QColor(0, 0, 255));
    moveOver(child<QPlainTextEdit>(about, "Memo1")->viewport());
    EXPECT_EQ(linkColour(about), QColor(255, 0, 0));
    for (const char* other : {"Image1", "Label4"}) {
        moveOver(child(about, "Label3"));
        moveOver(child(about, other));
        EXPECT_EQ(linkColour(about), QColor(255, 0, 0)) << other;
    }

    QTest::mouseClick(child(about, "Label3"), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(desktop.openedWebPages, std::vector<std::string>{kWebPage});
    EXPECT_TRUE(desktop.openedDocuments.empty());
    QTest::mouseClick(child(about, "Label4"), Qt::LeftButton);
    EXPECT_EQ(desktop.openedWebPages.size(), 1u);
}

TEST(AboutWindow, WithoutAPortOfItsOwnTheLinkGoesToTheDesktop)
{
    UrlCatcher catcher("https");
    Taboutf about;
    about.Label3Click();
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0], QUrl(kWebPage));
}

class InfoMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<Thauptf>(folders.environment());
        window->setAboutWindow(&about);
        programDir = QString::fromStdString(window->programDir());
        QDir().mkpath(programDir + "hilfe");
    }

    void trigger(const char* item)
    {
        QAction* action = window->findChild<QAction*>(item);
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
    }

    test::TestFolders folders;
    test::FakeUiPort desktop;
    Taboutf about{&desktop};
    std::unique_ptr<Thauptf> window;
    QString programDir;
};

TEST_F(InfoMenuTest, AboutShowsTheOneWindowAndShowingItAgainKeepsItRunning)
{
    trigger("About1");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    trigger("About1");
    EXPECT_TRUE(about.isVisible());
    EXPECT_TRUE(timer1(about)->isActive());
    int shownAbouts = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        shownAbouts += top->isVisible() && qobject_cast<Taboutf*>(top) != nullptr;
    EXPECT_EQ(shownAbouts, 1);

    // Centred on the screen.
    const QRect screen = about.screen()->availableGeometry();
    EXPECT_LE(std::abs(about.frameGeometry().center().x() - screen.center().x()), 20);
    EXPECT_LE(std::abs(about.frameGeometry().center().y() - screen.center().y()), 30);

    QTest::mouseClick(child(about, "BitBtn1"), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_FALSE(timer1(about)->isActive());
}

TEST_F(InfoMenuTest, HelpOpensTheCompiledHelpOrElseTheHtmlHelpAndWithNeitherDoesNothing)
{
    UrlCatcher catcher("file");
    test::MessageBoxWatcher watcher;
    const QString compiled = programDir + "Tavrel_Hilfe.chm";
    const QString html = programDir + "hilfe/index.html";
    test::putFileBytes(html.toStdString(), {'<', 'p', '>'});
    test::putFileBytes(compiled.toStdString(), {'I', 'T', 'S', 'F'});

    trigger("Hilfe1");
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0], QUrl::fromLocalFile(compiled));

    QFile::remove(compiled);
    trigger("Hilfe1");
    ASSERT_EQ(catcher.opened.size(), 2);
    EXPECT_EQ(catcher.opened[1], QUrl::fromLocalFile(html));

    // F1 is the same command.
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F1);
    ASSERT_EQ(catcher.opened.size(), 3);
    EXPECT_EQ(catcher.opened[2], QUrl::fromLocalFile(html));

    QFile::remove(html);
    trigger("Hilfe1");
    QCoreApplication::processEvents();
    EXPECT_EQ(catcher.opened.size(), 3);
    EXPECT_TRUE(watcher.seen().empty());
}

}  // namespace
}  // namespace veltrano

#include "test_about.moc"
