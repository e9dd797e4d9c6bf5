// The UI port on real widgets: German message boxes with their buttons, the
// dialogs with their settings, and controls found by their names.

#include "app/main_menu.h"
#include "app/qt_ui_port.h"
#include "window_test_support.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace veltrano {
namespace {

// Runs action on the next modal dialog of type T as soon as it is shown.
template <typename T>
void onNextModal(std::function<void(T*)> action)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        action(dialog);
    });
    timer->start(5);
}

// A window with a few named controls of each kind the core switches.
class PortTest : public ::testing::Test {
protected:
    PortTest()
        : port(&window)
    {
        window.setObjectName("Thauptf");
        auto* client = new QWidget;
        window.setCentralWidget(client);
        buildMainMenu(window.menuBar());
        edit = new QLineEdit(client);
        edit->setObjectName("Edit1");
        lengthBox = new QComboBox(client);
        lengthBox->setObjectName("ComboBox1");
        lengthBox->setEditable(true);
        lengthBox->addItems({"15", "20", "30"});
        curvatureBox = new QComboBox(client);
        curvatureBox->setObjectName("ComboBox2");
        curvatureBox->addItems({"0", "1", "2"});
        grid = new QPushButton("Raster ist an", client);
        grid->setObjectName("Button1");
        auto* group = new QButtonGroup(client);
        for (const char* name : {"SpeedButton11", "SpeedButton13"}) {
            auto* button = new QToolButton(client);
            button->setObjectName(name);
            button->setCheckable(true);
            group->addButton(button);
        }
        timer = new QTimer(client);
        timer->setObjectName("Timer2");
        timer->setInterval(80);
    }

    QMainWindow window;
    QtUiPort port;
    QLineEdit* edit;
    QComboBox* lengthBox;
    QComboBox* curvatureBox;
    QPushButton* grid;
    QTimer* timer;
};

TEST_F(PortTest, MessageBoxesHaveGermanTitlesAndButtons)
{
    {
        test::MessageBoxWatcher watcher("&Nein");
        EXPECT_EQ(port.messageBox("Wollen Sie nicht zuerst die aktuelle Formel sichern?", MessageKind::Confirmation,
                                  MessageButtons::YesNo),
                  MessageResult::No);
        ASSERT_EQ(watcher.seen().size(), 1u);
        EXPECT_EQ(watcher.seen()[0].title, "Bestätigen");
        EXPECT_EQ(watcher.seen()[0].buttons, (QStringList{"&Ja", "&Nein"}));
    }
    {
        test::MessageBoxWatcher watcher("&Ja");
        EXPECT_EQ(port.messageBox("Frage", MessageKind::Confirmation, MessageButtons::YesNo), MessageResult::Yes);
    }
    {
        test::MessageBoxWatcher closesIt;  // escape counts as No
        EXPECT_EQ(port.messageBox("Frage", MessageKind::Confirmation, MessageButtons::YesNo), MessageResult::No);
    }
    {
        test::MessageBoxWatcher watcher("Abbrechen");
        EXPECT_EQ(port.messageBox("Datei überschreiben?", MessageKind::Warning, MessageButtons::OkCancel),
                  MessageResult::Cancel);
        ASSERT_EQ(watcher.seen().size(), 1u);
        EXPECT_EQ(watcher.seen()[0].title, "Warnung");
        EXPECT_EQ(watcher.seen()[0].buttons, (QStringList{"OK", "Abbrechen"}));
    }
    {
        test::MessageBoxWatcher watcher("OK");
        EXPECT_EQ(port.messageBox("Datei überschreiben?", MessageKind::Warning, MessageButtons::OkCancel),
                  MessageResult::Ok);
    }
    {
        test::MessageBoxWatcher watcher;
        port.showMessage("Die Datei konnte nicht geöffnet werden.");
        port.showError("Datei nicht gefunden");
        ASSERT_EQ(watcher.seen().size(), 2u);
        EXPECT_EQ(watcher.seen()[0].title, "Veltrano");
        EXPECT_EQ(watcher.seen()[0].text, "Die Datei konnte nicht geöffnet werden.");
        EXPECT_EQ(watcher.seen()[1].buttons, QStringList{"OK"});
        EXPECT_EQ(watcher.seen()[1].text, "Datei nicht gefunden");
    }
}

TEST_F(PortTest, TheSaveDialogUsesTheFilterFolderAndExtensionAndDoesNotAskAboutOverwriting)
{
    test::TestFolders folders;
    FileDialogOptions options;
    options.initialDirectory = folders.path("Dokumente");
    options.defaultExtension = "cfd";
    options.fileName = "*.cfd";
    onNextModal<QFileDialog>([](QFileDialog* dialog) {
        EXPECT_EQ(dialog->nameFilters(), QStringList{"Formel-Dateien (*.cfd)"});
        EXPECT_EQ(dialog->defaultSuffix(), "cfd");
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        dialog->selectFile("antwort");
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog hides its own accept()
    });
    const auto chosen = port.saveFileDialog(options);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, folders.path("Dokumente/antwort.cfd"));

    onNextModal<QFileDialog>([](QFileDialog* dialog) {
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        dialog->reject();
    });
    EXPECT_FALSE(port.openFileDialog(options).has_value());
}

TEST_F(PortTest, TheColourDialogStartsAtTheGivenColourAndAnswersInWindowsOrder)
{
    onNextModal<QColorDialog>([](QColorDialog* dialog) {
        EXPECT_EQ(dialog->currentColor(), QColor(255, 0, 0));
        dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
        dialog->accept();
    });
    EXPECT_EQ(port.colourDialog(0x0000FF), std::optional<Colour>(0x563412));

    onNextModal<QColorDialog>([](QColorDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(port.colourDialog(0x0000FF), std::nullopt);
}

TEST_F(PortTest, ControlsAndMenuItemsAreReachedByTheirEnum)
{
    QSignalSpy lengthChanges(lengthBox, &QComboBox::currentTextChanged);
    QSignalSpy curvatureChanges(curvatureBox, &QComboBox::currentIndexChanged);
    QSignalSpy editChanges(edit, &QLineEdit::textChanged);

    // Setting a text or an item runs no change handler.
    port.setText(Control::ComboBox1, "45");
    EXPECT_EQ(port.text(Control::ComboBox1), "45");
    port.setText(Control::Edit1, "CH₃");
    EXPECT_EQ(port.text(Control::Edit1), "CH₃");
    port.setItemIndex(Control::ComboBox2, 2);
    EXPECT_EQ(port.itemIndex(Control::ComboBox2), 2);
    EXPECT_EQ(port.itemIndex(Control::Edit1), -1);
    EXPECT_EQ(lengthChanges.size(), 0);
    EXPECT_EQ(curvatureChanges.size(), 0);
    EXPECT_EQ(editChanges.size(), 0);

    port.setText(Control::Button1, "Raster ist aus");
    EXPECT_EQ(grid->text(), "Raster ist aus");
    EXPECT_EQ(port.text(Control::Button1), "Raster ist aus");

    port.setDown(Control::SpeedButton13, true);
    EXPECT_TRUE(window.findChild<QToolButton*>("SpeedButton13")->isChecked());
    EXPECT_FALSE(window.findChild<QToolButton*>("SpeedButton11")->isChecked());

    port.setEnabled(Control::ComboBox2, false);
    EXPECT_FALSE(curvatureBox->isEnabled());
    EXPECT_FALSE(port.isEnabled(Control::ComboBox2));
    port.setEnabled(ui::kPasteItem, true);
    EXPECT_TRUE(window.findChild<QAction*>("Einfgen1")->isEnabled());
    port.setVisible(ui::kAnswerSaveItem, false);
    EXPECT_FALSE(window.findChild<QAction*>("FormelAntwortspeichern1")->isVisible());
    port.setVisible(ui::kAnswerSaveItem, true);
    EXPECT_TRUE(window.findChild<QAction*>("FormelAntwortspeichern1")->isVisible());

    port.setCaption("Veltrano:   benzol.cfd");
    EXPECT_EQ(window.windowTitle(), "Veltrano:   benzol.cfd");
    EXPECT_EQ(port.caption(), "Veltrano:   benzol.cfd");
}

TEST_F(PortTest, TimersRunByNameAndTheCloseGoesThroughTheWindow)
{
    port.startTimer(Control::Timer2);
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(port.isTimerRunning(Control::Timer2));
    port.startTimer(Control::Timer2);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 80);
    port.stopTimer(Control::Timer2);
    EXPECT_FALSE(port.isTimerRunning(Control::Timer2));
    EXPECT_FALSE(port.isTimerRunning(Control::Twiederan));

    int closes = 0;
    port.setCloseHandler([&closes] { ++closes; });
    port.closeMainWindow();
    EXPECT_EQ(closes, 1);
}

}  // namespace
}  // namespace veltrano
