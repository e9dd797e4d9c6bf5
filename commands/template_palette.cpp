#include "commands/template_palette.h"

#include "commands/data_folders.h"
#include "commands/merge.h"

#include <charconv>
#include <cstdint>

namespace veltrano {

namespace {

void chooseLineLength(Editor& editor, const LineLengthRadio& radio)
{
    editor.ui.setDown(radio.control, true);
    editor.TemplatePrefix = radio.prefix;
}

}  // namespace

std::optional<int> integerOfText(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    std::int64_t magnitude = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (error != std::errc() || end != text.data() + text.size() || magnitude > (std::int64_t(1) << 31))
        return std::nullopt;
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX)
        return std::nullopt;
    return int(value);
}

void SpeedButton81Click(Editor& editor)
{
    editor.ui.showWindow(ui::kTemplatePalette);
    const std::string text = editor.ui.text(ui::kLineLengthBox);
    const std::optional<int> lineLength = integerOfText(text);
    if (!lineLength) {
        std::string message = "'";
        message += text;
        message += "' ist kein gültiger ganzzahliger Wert.";
        editor.ui.showError(message);
        return;
    }
    const auto radios = lineLengthRadios();
    chooseLineLength(editor, *lineLength >= kLongTemplateLineLength ? radios[1] : radios[0]);
}

void RadioButton1Click(Editor& editor)
{
    editor.TemplatePrefix = lineLengthRadios()[0].prefix;
}

void RadioButton2Click(Editor& editor)
{
    editor.TemplatePrefix = lineLengthRadios()[1].prefix;
}

std::string templatePath(FileSystem& fs, const std::string& programDir, std::string_view prefix,
                         std::string_view name)
{
    const std::string relative = "struk/" + std::string(prefix) + std::string(name) + ".cfd";
    return findDataFile(fs, programDir, relative).value_or(programDir + relative);
}

void insertTemplate(Editor& editor, const std::string& programDir, std::string_view templateName)
{
    mergeFormulaFile(editor, templatePath(editor.fileSystem, programDir, editor.TemplatePrefix, templateName),
                     UnreadableReport::SentenceAndPath);
}

bool TemplateButtonClick(Editor& editor, const std::string& programDir, std::string_view buttonName)
{
    const TemplateButton* button = findTemplateButton(buttonName);
    if (!button)
        return false;
    insertTemplate(editor, programDir, button->templateName);
    return true;
}

}  // namespace veltrano
