// The template palette as the user meets it: SpeedButton81 opens "Auswahl"
// over the main window with the radio button of the current line length; a
// template button inserts its file; the drawing ignores presses until the
// Twiederan tick.

#include "app/auswahlf.h"
#include "app/hauptf.h"
#include "app/page_widget.h"
#include "app/qt_ui_port.h"
#include "commands/template_table.h"
#include "document/element_kind.h"
#include "document/record_file.h"
#include "support/file_helpers.h"
#include "window_test_support.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace veltrano {
namespace {

const QString kStruk = QString::fromUtf8(VELTRANO_SOURCE_DIR) + "/data/struk";

class TemplatePaletteWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The templates beside the program, as the build puts them.
        const QString target = QString::fromStdString(folders.path("bin/struk"));
        QDir().mkpath(target);
        for (const QString& name : QDir(kStruk).entryList({"*.cfd"}, QDir::Files))
            QFile::copy(kStruk + "/" + name, target + "/" + name);

        window = std::make_unique<Thauptf>(folders.environment());
        palette = std::make_unique<TAuswahlf>(window.get());
        window->setTemplatePalette(palette.get());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        image = window->findChild<PageWidget*>("I1");
        ASSERT_NE(image, nullptr);
    }

    void TearDown() override
    {
        palette.reset();
        window.reset();
    }

    void openWithLineLength(const char* text)
    {
        window->centralWidget()->findChild<QComboBox*>("ComboBox1")->setEditText(text);
        auto* opener = window->centralWidget()->findChild<QAbstractButton*>("SpeedButton81");
        ASSERT_NE(opener, nullptr);
        opener->click();
    }

    template <typename T>
    T* paletteChild(const char* name)
    {
        T* found = palette->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    std::vector<ElementRecord> records() const { return parseRecords(test::fileBytes(folders.tempDat())); }
    std::vector<ElementRecord> templateFile(const char* name) const
    {
        return readAllRecords(FileSystem::system(), (kStruk + "/" + name).toStdString());
    }

    test::TestFolders folders;
    std::unique_ptr<Thauptf> window;
    std::unique_ptr<TAuswahlf> palette;
    PageWidget* image = nullptr;
};

TEST_F(TemplatePaletteWindow, SpeedButton81OpensAuswahlWithTheRadioButtonOfTheLineLength)
{
    EXPECT_FALSE(palette->isVisible());
    openWithLineLength("50");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(palette.get()));
    EXPECT_EQ(palette->windowTitle(), "Auswahl");
    EXPECT_TRUE(palette->windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(palette->size(), QSize(kTemplatePaletteWidth, kTemplatePaletteHeight));
    EXPECT_FALSE(palette->isModal());
    EXPECT_TRUE(paletteChild<QRadioButton>("RadioButton2")->isChecked());
    EXPECT_FALSE(paletteChild<QRadioButton>("RadioButton1")->isChecked());
    EXPECT_EQ(paletteChild<QRadioButton>("RadioButton1")->text(), "Linienlänge 30");
    // Centred over the main window.
    const QPoint offset = palette->frameGeometry().center() - window->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 4);
    // Every template button at its place, with a picture from its file.
    for (const TemplateButton& row : templateButtons()) {
        auto* button = paletteChild<QToolButton>(std::string(row.name).c_str());
        EXPECT_EQ(button->geometry(), QRect(row.place.left, row.place.top, row.place.width, row.place.height));
        EXPECT_FALSE(button->icon().isNull()) << row.name;
    }

    palette->close();
    EXPECT_FALSE(palette->isVisible());
    openWithLineLength("25");
    EXPECT_TRUE(palette->isVisible());
    EXPECT_TRUE(paletteChild<QRadioButton>("RadioButton1")->isChecked());
    // The main window's own SpeedButton1 is still the one the core reaches.
    EXPECT_EQ(window->uiPort().widget("SpeedButton1")->window(), window.get());
}

TEST_F(TemplatePaletteWindow, AClickInsertsTheTemplateAndTheDrawingWaitsForTheTick)
{
    openWithLineLength("25");
    paletteChild<QToolButton>("SpeedButton1")->click();
    EXPECT_EQ(test::recordFileBytes(records()), test::recordFileBytes(templateFile("30benzol1.cfd")));
    EXPECT_EQ(window->editor().tools.LeftTool, kind::SelectTool);
    EXPECT_TRUE(window->editor().editing.SelectionPresent);

    // A press right after the insertion is ignored: it would set Modified.
    EXPECT_FALSE(image->isEnabled());
    QTest::mouseClick(image, Qt::LeftButton, Qt::NoModifier, {600, 600});
    EXPECT_FALSE(window->editor().editing.Modified);
    EXPECT_TRUE(window->editor().editing.SelectionPresent);

    ASSERT_TRUE(QTest::qWaitFor([this] { return image->isEnabled(); }, 5000));
    QTest::mouseClick(image, Qt::LeftButton, Qt::NoModifier, {600, 600});
    EXPECT_TRUE(window->editor().editing.Modified);

    // "Linienlänge 40" then the steroid: the 40 drawing is appended.
    paletteChild<QRadioButton>("RadioButton2")->click();
    paletteChild<QToolButton>("SpeedButton22")->click();
    const std::vector<ElementRecord> all = records();
    const std::vector<ElementRecord> steroid = templateFile("40pregnan.cfd");
    ASSERT_EQ(all.size(), 9 + steroid.size());
    EXPECT_EQ(test::recordFileBytes({all.begin() + 9, all.end()}), test::recordFileBytes(steroid));
}

}  // namespace
}  // namespace veltrano
