// The move, colour and view controls of the main window used as a user uses
// them: QTest presses and holds on the move buttons, typing into the line
// length box, the colour buttons' pressed state.

#include "app/hauptf.h"
#include "document/element_kind.h"
#include "document/record_file.h"
#include "window_test_support.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace veltrano {
namespace {

class SideCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<Thauptf>(folders.environment());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        writeRecords(FileSystem::system(), folders.tempDat(), {makeRecord(kind::SingleBond, 100, 100, 130, 100)});
    }

    QAbstractButton* button(const char* name) const { return window->findChild<QAbstractButton*>(name); }
    double bondY() const { return readAllRecords(FileSystem::system(), folders.tempDat()).at(0).Y1(); }

    // Holds a mouse button on a move button while Timer2 ticks the given
    // number of times (the ticks are fired here, not waited for) and
    // releases it over the button; the timer runs exactly while it is held.
    void hold(const char* name, Qt::MouseButton mouseButton, int ticks)
    {
        QAbstractButton* target = button(name);
        ASSERT_NE(target, nullptr) << name;
        const QPoint centre = target->rect().center();
        QTest::mousePress(target, mouseButton, Qt::NoModifier, centre);
        EXPECT_TRUE(window->findChild<QTimer*>("Timer2")->isActive());
        for (int tick = 0; tick < ticks; ++tick)
            window->Timer2Timer();
        QTest::mouseRelease(target, mouseButton, Qt::NoModifier, centre);
        EXPECT_FALSE(window->findChild<QTimer*>("Timer2")->isActive());
    }

    test::TestFolders folders;
    std::unique_ptr<Thauptf> window;
};

TEST_F(SideCommands, AClickMovesOnePixelAndHoldingRepeatsOnEveryTick)
{
    EXPECT_EQ(window->findChild<QTimer*>("Timer2")->interval(), 80);
    hold("SpeedButton48", Qt::LeftButton, 0);
    EXPECT_EQ(bondY(), 101);

    // Five ticks while the left button is held, then the click's own step.
    hold("SpeedButton48", Qt::LeftButton, 5);
    EXPECT_EQ(bondY(), 107);

    // The right button repeats while held but makes no step of its own.
    hold("SpeedButton45", Qt::RightButton, 0);
    EXPECT_EQ(bondY(), 107);
    hold("SpeedButton45", Qt::RightButton, 4);
    EXPECT_EQ(bondY(), 103);
}

TEST_F(SideCommands, LettersInTheLineLengthBoxBringBackTheLengthAndNumbersAreTaken)
{
    auto* box = window->findChild<QComboBox*>("ComboBox1");
    ASSERT_NE(box, nullptr);
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), "ab");
    EXPECT_EQ(box->currentText(), "30");
    EXPECT_EQ(window->editor().tools.LineLength, 30);

    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), "45");
    EXPECT_EQ(window->editor().tools.LineLength, 45);
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), "-10");
    EXPECT_EQ(window->editor().tools.LineLength, -10);
}

TEST_F(SideCommands, DigitsTypedKeyByKeyAreTheLengthWithoutCompletion)
{
    auto* edit = window->findChild<QComboBox*>("ComboBox1")->lineEdit();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::mouseClick(edit, Qt::LeftButton);  // the completer works on the focused box only
    for (const QString typed : {"4", "1", "15", "2", "7"}) {  // "4" begins "40", "1" begins "15"
        edit->clear();
        for (qsizetype keys = 1; keys <= typed.size(); ++keys) {
            QTest::keyClick(edit, typed[keys - 1].toLatin1());
            EXPECT_EQ(edit->text().toStdString(), typed.left(keys).toStdString());
            EXPECT_EQ(window->editor().tools.LineLength, typed.left(keys).toInt());
        }
    }
}

TEST_F(SideCommands, TheLastColourClickedIsShownPressedAndTheRasterButtonNamesItsState)
{
    button("SpeedButton13")->click();
    EXPECT_TRUE(button("SpeedButton13")->isChecked());
    EXPECT_FALSE(button("SpeedButton11")->isChecked());
    EXPECT_EQ(window->editor().tools.CurrentColour, 0x0000FFu);

    button("Button1")->click();
    EXPECT_EQ(button("Button1")->text(), "Raster ist aus");
    button("Button1")->click();
    EXPECT_EQ(button("Button1")->text(), "Raster ist an");
    EXPECT_TRUE(window->editor().tools.GridOn);
}

}  // namespace
}  // namespace veltrano
