// The template palette headless: opening it from SpeedButton81 with the
// line length of ComboBox1, the radio buttons, a template button inserting
// its file, the table the window is built from, and the button pictures.

#include "commands/template_palette.h"
#include "commands/template_picture.h"

#include "commands/merge.h"
#include "document/element_kind.h"
#include "document/record_file.h"
#include "editor/editor_fixture.h"

#include <set>

namespace veltrano {
namespace {

// The repository's data folder stands in for ProgramDir: it holds struk/.
const std::string kProgramDir = std::string(VELTRANO_SOURCE_DIR) + "/data/";

class TemplatePalette : public test::EditorTest {
protected:
    static test::Bytes recordFileBytesOf(Editor& editor) { return test::fileBytes(editor.workingFile.path()); }

    void openWithLineLength(const std::string& text)
    {
        ui.texts[std::string(controlName(ui::kLineLengthBox))] = text;
        SpeedButton81Click(editor);
    }

    std::vector<ElementRecord> templateFile(const std::string& name) const
    {
        return readAllRecords(FileSystem::system(), kProgramDir + "struk/" + name);
    }
};

TEST_F(TemplatePalette, TheLineLengthChoosesTheTemplateSet)
{
    struct Case {
        const char* text;
        const char* radio;
        const char* prefix;
    };
    for (const Case& c : {Case{"15", "RadioButton1", "30"}, Case{"25", "RadioButton1", "30"},
                          Case{"33", "RadioButton1", "30"}, Case{"34", "RadioButton2", "40"},
                          Case{"50", "RadioButton2", "40"}, Case{"-3", "RadioButton1", "30"}}) {
        SCOPED_TRACE(c.text);
        ui.down.clear();
        ui.shownWindows.clear();
        openWithLineLength(c.text);
        EXPECT_EQ(ui.shownWindows, std::vector<std::string>{"TAuswahlf"});
        EXPECT_TRUE(ui.isDown(c.radio));
        EXPECT_EQ(editor.TemplatePrefix, c.prefix);
        EXPECT_EQ(editor.tools.LineLength, 30.0);
    }
}

TEST_F(TemplatePalette, TextThatIsNoIntegerShowsThePaletteAndKeepsThePrefix)
{
    openWithLineLength("40");
    for (const char* text : {"abc", "", "3 0", "4.5", "--5", "99999999999"}) {
        SCOPED_TRACE(text);
        ui.errors.clear();
        ui.shownWindows.clear();
        openWithLineLength(text);
        EXPECT_EQ(ui.shownWindows, std::vector<std::string>{"TAuswahlf"});
        ASSERT_EQ(ui.errors.size(), 1u);
        std::string expected = "'";
        expected += text;
        expected += "' ist kein gültiger ganzzahliger Wert.";
        EXPECT_EQ(ui.errors[0], expected);
        EXPECT_EQ(editor.TemplatePrefix, "40");
    }
    EXPECT_EQ(integerOfText(" 25"), 25);
    EXPECT_EQ(integerOfText("+40"), 40);
    EXPECT_EQ(integerOfText("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(integerOfText("2147483648"), std::nullopt);
}

TEST_F(TemplatePalette, LineLength25ThenTheFirstButtonMergesTheBenzene30)
{
    openWithLineLength("25");
    ASSERT_TRUE(TemplateButtonClick(editor, kProgramDir, "SpeedButton1"));
    EXPECT_EQ(recordFileBytesOf(editor), test::recordFileBytes(templateFile("30benzol1.cfd")));
    EXPECT_EQ(editor.editing.SelMarks.markedCount(), 9u);
    EXPECT_FALSE(TemplateButtonClick(editor, kProgramDir, "SpeedButton81"));
}

TEST_F(TemplatePalette, LineLength50ThenRadioButton30ThenTheSteroid)
{
    openWithLineLength("50");
    EXPECT_EQ(editor.TemplatePrefix, "40");
    RadioButton1Click(editor);
    EXPECT_EQ(editor.TemplatePrefix, "30");
    TemplateButtonClick(editor, kProgramDir, "SpeedButton22");
    EXPECT_EQ(recordFileBytesOf(editor), test::recordFileBytes(templateFile("30pregnan.cfd")));
    RadioButton2Click(editor);
    EXPECT_EQ(editor.TemplatePrefix, "40");
    EXPECT_EQ(editor.tools.LineLength, 30.0);
}

TEST_F(TemplatePalette, AMissingTemplateShowsTheMessageAndInsertsNothing)
{
    writeDocument({});
    openWithLineLength("30");
    TemplateButtonClick(editor, workDir.path().toStdString() + "/", "SpeedButton2");
    // The sentence, and on a second line the file it looked for.
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Die Datei konnte nicht geöffnet werden.\n" +
                                                    workDir.path().toStdString() + "/struk/30benzol2.cfd"});
    EXPECT_EQ(editor.workingFile.recordCount(), 0u);
    EXPECT_TRUE(ui.isEnabled(ui::kDrawingImage));
}

TEST(TemplateTable, ButtonsAreUniqueInsideTheWindowAndApart)
{
    std::set<std::string_view> names, templates;
    std::vector<PanelPlace> places;
    for (const LineLengthRadio& radio : lineLengthRadios()) {
        names.insert(radio.name());
        places.push_back(radio.place);
    }
    for (const TemplateButton& button : templateButtons()) {
        EXPECT_TRUE(names.insert(button.name).second) << button.name;
        EXPECT_TRUE(templates.insert(button.templateName).second) << button.templateName;
        places.push_back(button.place);
        EXPECT_EQ(findTemplateButton(button.name), &button);
    }
    EXPECT_EQ(templates.size(), 23u);
    for (std::size_t i = 0; i < places.size(); ++i) {
        const PanelPlace& a = places[i];
        EXPECT_GE(a.left, 0);
        EXPECT_GE(a.top, 0);
        EXPECT_LE(a.left + a.width, kTemplatePaletteWidth);
        EXPECT_LE(a.top + a.height, kTemplatePaletteHeight);
        for (std::size_t j = i + 1; j < places.size(); ++j) {
            const PanelPlace& b = places[j];
            const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                               a.top + a.height <= b.top || b.top + b.height <= a.top;
            EXPECT_TRUE(apart) << i << " and " << j;
        }
    }
}

TEST(TemplatePicture, TheDrawingFillsTheButtonInsideItsMargin)
{
    const std::vector<ElementRecord> benzene =
        readAllRecords(FileSystem::system(), kProgramDir + "struk/30benzol1.cfd");
    const QSize size(29, 29);
    const QImage picture = templatePicture(benzene, size);
    ASSERT_EQ(picture.size(), size);
    int left = size.width(), right = -1, top = size.height(), bottom = -1;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if ((picture.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    EXPECT_GE(left, kTemplatePictureMargin);
    EXPECT_GE(top, kTemplatePictureMargin);
    EXPECT_LT(right, size.width() - kTemplatePictureMargin);
    EXPECT_LT(bottom, size.height() - kTemplatePictureMargin);
    // Scaled to the room: the taller side spans it.
    EXPECT_GE(bottom - top + 1, size.height() - 2 * kTemplatePictureMargin - 1);

    EXPECT_TRUE(templatePictureOfFile(FileSystem::system(), "/nicht/da.cfd", size).isNull());
    const QImage blank = templatePicture({}, size);
    EXPECT_EQ(blank.pixel(14, 14) & 0xFFFFFF, 0xFFFFFFu);
}

}  // namespace
}  // namespace veltrano
