#include "commands/view_commands.h"

#include "document/rounding.h"
#include "editor/full_repaint.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace veltrano {

namespace {

constexpr const char* kGridOnCaption = "Raster ist an";
constexpr const char* kGridOffCaption = "Raster ist aus";

// The length as the box shows it: rounded, and within what an int holds
// even for a length that arrived as a huge number.
int displayedLength(double length)
{
    const double rounded = roundHalfEven(length);
    if (!(rounded >= std::numeric_limits<int>::min() && rounded <= std::numeric_limits<int>::max()))
        return 0;
    return int(rounded);
}

}  // namespace

void Button1Click(Editor& editor)
{
    editor.tools.GridOn = !editor.tools.GridOn;
    editor.ui.setText(ui::kGridButton, editor.tools.GridOn ? kGridOnCaption : kGridOffCaption);
}

void BitBtn1Click(Editor& editor)
{
    editor.editing.Modified = true;
    editor.workingFile.rewriteWithoutLast();
    FullRepaint(editor);
}

std::optional<int> parseLineLength(const std::string& text)
{
    std::size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos)
        return std::nullopt;
    // from_chars takes a minus sign but no plus sign.
    if (text[start] == '+' && start + 1 < text.size() && text[start + 1] != '-')
        ++start;
    int value = 0;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

void ComboBox1Change(Editor& editor)
{
    const std::string text = editor.ui.text(ui::kLineLengthBox);
    // An empty text, and a sign typed on its own as the start of a negative
    // length, are left alone: restoring the length there would make "-10"
    // impossible to type.
    if (text.empty() || text == "-" || text == "+")
        return;
    if (const auto length = parseLineLength(text))
        editor.tools.LineLength = double(*length);
    else
        editor.ui.setText(ui::kLineLengthBox, std::to_string(displayedLength(editor.tools.LineLength)));
}

}  // namespace veltrano
