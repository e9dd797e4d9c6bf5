// Whole pointer gestures through the main window: QTest presses, moves and
// releases on I1, palette buttons clicked as the user clicks them, and the
// working document checked record by record afterwards.

#include "app/hauptf.h"
#include "app/page_widget.h"
#include "app/pointer_input.h"
#include "document/element_kind.h"
#include "document/record_file.h"
#include "document/working_file.h"
#include "support/file_helpers.h"
#include "window_test_support.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace veltrano {
namespace {

constexpr double kCos30 = 25.980762113533160;  // 30 cos 30 degrees

class GestureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<Thauptf>(folders.environment());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        image = window->findChild<PageWidget*>("I1");
        ASSERT_NE(image, nullptr);
    }

    void clickButton(const char* name)
    {
        auto* button = window->findChild<QAbstractButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }

    // Press, moves and release on I1 as the mouse gives them: the moves are
    // sent back to back, so the window may handle them as one step.
    void drag(QPoint from, std::initializer_list<QPoint> moves, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(image, button, Qt::NoModifier, from);
        QPoint last = from;
        for (const QPoint& move : moves) {
            QTest::mouseMove(image, move);
            last = move;
        }
        QTest::mouseRelease(image, button, Qt::NoModifier, last);
    }

    void rightClick(QPoint at) { drag(at, {}, Qt::RightButton); }

    std::vector<ElementRecord> records() const { return parseRecords(test::fileBytes(folders.tempDat())); }

    // A bond from a vertex of the ring, dragged 60 pixels in its direction.
    void bond(QPointF from, double degrees)
    {
        const double rad = degrees * 3.141592653589793 / 180.0;
        const QPoint press = from.toPoint();
        drag(press, {press + QPoint(20, 0), QPointF(from.x() + 60 * std::cos(rad), from.y() - 60 * std::sin(rad)).toPoint()});
    }

    test::TestFolders folders;
    std::unique_ptr<Thauptf> window;
    PageWidget* image = nullptr;
};

TEST_F(GestureTest, HydroxybenzoicAcidDrawnBondByBond)
{
    // The ring, pointing up, from its top vertex clockwise.
    const QPointF top(300, 300), upperRight(300 + kCos30, 315), lowerRight(300 + kCos30, 345),
        bottom(300, 360), lowerLeft(300 - kCos30, 345), upperLeft(300 - kCos30, 315);
    bond(top, -30);
    bond(upperRight, -90);
    bond(lowerRight, -150);
    bond(bottom, 150);
    bond(lowerLeft, 90);
    bond(upperLeft, 30);
    // The two substituent bonds, straight up and straight down.
    bond(top, 90);
    bond(bottom, -90);

    // Three inner lines on the side of the ring's centre ("DB" is the
    // right-button label at start-up).
    rightClick({310, 312});
    rightClick({310, 347});
    rightClick({280, 330});

    clickButton("SpeedButton18");  // "COOH"
    rightClick({300, 262});
    clickButton("SpeedButton32");  // "OH"
    rightClick({300, 398});

    const auto r = records();
    ASSERT_EQ(r.size(), 13u);
    const auto bondRecord = [](QPointF a, QPointF b) {
        return makeRecord(kind::SingleBond, a.x(), a.y(), b.x(), b.y());
    };
    EXPECT_EQ(r[0], bondRecord(top, upperRight));
    EXPECT_EQ(r[1], bondRecord(upperRight, lowerRight));
    EXPECT_EQ(r[3].x2, r[4].x1);
    EXPECT_EQ(r[5], bondRecord(upperLeft, top));  // closes exactly
    EXPECT_EQ(r[6], bondRecord(top, QPointF(300, 270)));
    EXPECT_EQ(r[7], bondRecord(bottom, QPointF(300, 390)));
    for (int i : {8, 9, 10}) {
        EXPECT_EQ(r[i].kind, kind::SingleBond);
        // Each inner line lies inside the ring: nearer the centre than its bond.
        const double mx = (r[i].X1() + r[i].X2()) / 2, my = (r[i].Y1() + r[i].Y2()) / 2;
        EXPECT_LT(std::hypot(mx - 300, my - 330), 26.0 - 4.0) << i;
    }
    EXPECT_EQ(r[11], makeRecord(5, 295, 253, 12, 0));
    EXPECT_EQ(r[12], makeRecord(20, 295, 389, 12, 0));
    // The last label is the selection.
    EXPECT_TRUE(window->editor().editing.SelectionPresent);
    EXPECT_TRUE(window->editor().editing.SelMarks[12]);

    // "Neu zeichnen" draws the ring again from the file.
    clickButton("Button2");
    const QImage& page = window->editor().page;
    EXPECT_EQ(page.pixel(312, 307) & 0xFFFFFF, 0u);  // a ring bond
}

TEST_F(GestureTest, ClickAddsNothingAndEveryDragIsOneRecord)
{
    drag({100, 100}, {});
    EXPECT_TRUE(records().empty());
    EXPECT_FALSE(test::fileExists(window->editor().workingFile.pathOf(workfile::Snapshot)));
    EXPECT_TRUE(window->editor().editing.Modified);

    // Many moves in a row: handled together, the result is the last one's.
    drag({100, 100}, {{120, 130}, {140, 60}, {90, 200}, {150, 80}});
    ASSERT_EQ(records().size(), 1u);
    EXPECT_EQ(records()[0], makeRecord(kind::SingleBond, 100, 100, 100 + kCos30, 85));
    EXPECT_FALSE(window->findChild<PointerInput*>()->hasQueuedMoves());

    // Moves between events: the zero timer runs the queued step.
    QTest::mousePress(image, Qt::LeftButton, Qt::NoModifier, {300, 300});
    QTest::mouseMove(image, {300, 250});
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->findChild<PointerInput*>()->hasQueuedMoves());
    EXPECT_EQ(window->editor().editing.FeedbackEnd.y, 270.0);
    QTest::mouseRelease(image, Qt::LeftButton, Qt::NoModifier, {300, 250});
    EXPECT_EQ(records().size(), 2u);

    // Other buttons than left, right and middle do nothing.
    QTest::mousePress(image, Qt::BackButton, Qt::NoModifier, {500, 500});
    QTest::mouseRelease(image, Qt::BackButton, Qt::NoModifier, {500, 500});
    EXPECT_EQ(records().size(), 2u);
}

TEST_F(GestureTest, SelectAndDragTheSelectionWithTheMouse)
{
    drag({100, 100}, {{160, 100}});                    // bond (100,100)-(130,100)
    drag({400, 400}, {{460, 400}});                    // bond (400,400)-(430,400)
    const auto before = records();
    clickButton("SpeedButton67");                      // the selection tool
    drag({90, 90}, {{120, 120}, {140, 110}});          // catches the first bond
    EXPECT_TRUE(window->editor().editing.SelMarks[0]);
    EXPECT_FALSE(window->editor().editing.SelMarks[1]);
    const auto snapshot = test::fileBytes(window->editor().workingFile.pathOf(workfile::Snapshot));
    EXPECT_EQ(snapshot, test::recordFileBytes(before));

    // Drag it 50 right and 20 down in several moves, then release.
    drag({110, 100}, {{120, 105}, {140, 110}, {160, 120}});
    const auto after = records();
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0], makeRecord(kind::SingleBond, 150, 120, 180, 120));
    EXPECT_EQ(after[1], before[1]);
    EXPECT_EQ(window->editor().editing.SelRect, (SelectionRect{140, 190, 110, 130}));
    EXPECT_EQ(window->editor().page.pixel(165, 120) & 0xFFFFFF, 0u);
    EXPECT_EQ(window->editor().page.pixel(115, 100) & 0xFFFFFF, 0xFFFFFFu);
}

}  // namespace
}  // namespace veltrano
