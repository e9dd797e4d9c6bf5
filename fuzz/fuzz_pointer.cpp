// Fuzz target: a document and a sequence of user gestures on it, decoded
// from the fuzzer's bytes, run through the real palette, pointer and
// command handlers of one editor on its own temporary WorkDir. After every
// step the target checks what must hold whatever the user does, and
// aborts (so the fuzzer reports the input) when it does not:
//  - no exception but IoError leaves a handler (the window catches only
//    that one; anything else would end the program);
//  - temp.dat exists and holds whole 32-byte records;
//  - the record count changes only where the gesture adds or removes
//    elements: a right or middle press placing a label, text or Greek
//    letter (more records), the release of a drawing drag after a move
//    (one more), and undo (any count); a press released without a move
//    between them adds nothing;
//  - a drawing release commits exactly the element last shown, and a
//    placement selects exactly the records it appended;
//  - the page is exactly what the step's own rule says it shows, wherever
//    that rule is a repaint: a fresh FullRepaint of temp.dat, or that plus
//    the dashed frame of a selection or rectangle being dragged (see
//    PageModel below);
//  - a run leaves no file descriptor open and its WorkDir is removed.
// Input layout: two bytes record count (little-endian), that many 32-byte
// records (as far as the input reaches) for temp.dat, then the gestures.
// VELTRANO_FUZZ_TRACE=1 in the environment prints every step.
#include "commands/edit_commands.h"
#include "commands/move_commands.h"
#include "commands/view_commands.h"
#include "document/element_kind.h"
#include "document/file_system.h"
#include "document/io_error.h"
#include "document/record_file.h"
#include "editor/editor.h"
#include "editor/full_repaint.h"
#include "editor/palette.h"
#include "editor/palette_tables.h"
#include "editor/pointer.h"
#include "fuzz/fuzz_application.h"
#include "fuzz/fuzz_ui_port.h"

#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace veltrano;

constexpr std::size_t kRecordBytes = 32;
// Enough steps for several whole gestures; more only repeat them slower.
constexpr int kMaxSteps = 200;

[[noreturn]] void violated(const char* what)
{
    std::fprintf(stderr, "fuzz_pointer: invariant violated: %s\n", what);
    std::abort();
}

// Reads the gesture stream; past its end every read gives 0.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool atEnd() const { return m_pos >= m_size; }
    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    std::uint32_t word(int bytes)
    {
        std::uint32_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= std::uint32_t(byte()) << (8 * i);
        return value;
    }
    // A pointer coordinate: mostly on or near the page, sometimes anywhere
    // in the signed 32-bit range.
    int coordinate()
    {
        switch (byte() % 4) {
        case 0: return int(std::int32_t(word(4)));
        case 1: return int(std::int16_t(word(2)));
        case 2: return int(word(2) % 1300) - 50;
        default: return int(byte()) * 5;
        }
    }
    std::string text(std::size_t maxLength)
    {
        const std::size_t length = byte() % (maxLength + 1);
        std::string result;
        for (std::size_t i = 0; i < length && !atEnd(); ++i)
            result.push_back(char(byte()));
        return result;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// Every button of the three radio groups, the selection tool included.
const std::vector<std::string_view>& paletteButtonNames()
{
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> all;
        for (const auto group : {leftToolButtons(), rightLabelButtons(), ringSizeButtons()})
            for (const PaletteButton& button : group)
                all.push_back(button.name);
        return all;
    }();
    return names;
}

// What the page must show after a step, by the rule of that step.
struct PageModel {
    enum class Shows {
        Repaint,           // exactly a fresh FullRepaint of temp.dat
        RepaintAndFrame,   // that, then the dashed frame of `frame`
        Other,             // drawn over a repaint: a drag's feedback (and
                           // its white erasing), a committed element, a
                           // placed label, text or Greek letter
    };
    Shows shows = Shows::Repaint;
    SelectionRect frame;

    void repaint() { shows = Shows::Repaint; }
    void repaintAndFrame(const SelectionRect& rect)
    {
        shows = Shows::RepaintAndFrame;
        frame = rect;
    }
    void other() { shows = Shows::Other; }
};

std::uint32_t recordCountOf(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        violated("temp.dat is missing");
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        violated("temp.dat has no size");
    if (size % kRecordBytes != 0)
        violated("temp.dat holds a partial record");
    return std::uint32_t(size / kRecordBytes);
}

class Session {
public:
    explicit Session(const std::string& workDir)
        : m_editor(FileSystem::system(), m_ui, workDir), m_reference(FileSystem::system(), m_referenceUi, workDir),
          m_temp(m_editor.workingFile.path())
    {
        // The controls as the window starts with them.
        m_ui.setItemIndex(ui::kCurvatureBox, kDefaultCurvatureIndex);
        m_ui.setText(ui::kLineLengthBox, "30");
    }

    void writeDocument(const std::uint8_t* data, std::size_t size)
    {
        const std::vector<std::uint8_t> bytes(data, data + size);
        writeRecords(m_editor.fileSystem, m_editor.workingFile.path(), parseRecords(bytes));
        m_count = recordCountOf(m_temp);
        // The editor starts on a blank page: repaint so that the page
        // follows the document from the first step on.
        FullRepaint(m_editor);
        checkPage();
    }

    void run(ByteReader& in)
    {
        static const bool trace = !qEnvironmentVariableIsEmpty("VELTRANO_FUZZ_TRACE");
        for (int step = 0; step < kMaxSteps && !in.atEnd(); ++step) {
            try {
                m_pageTouched = true;
                runStep(in);
                if (trace)
                    std::fprintf(stderr, "step %d: %s %s, %u records, tool %d, press %d, selection %d\n", step,
                                 m_lastStep, m_lastDetail.c_str(), unsigned(countNow()), int(m_editor.tools.LeftTool),
                                 int(editing().PressActive), int(editing().SelectionPresent));
            } catch (const IoError&) {
                // Reported by the window's error box; the page may then
                // show anything a step had drawn before the failure.
                m_page.other();
                m_count = recordCountOf(m_temp);
                continue;
            } catch (const std::exception& error) {
                std::fprintf(stderr, "fuzz_pointer: exception escaped: %s\n", error.what());
                std::abort();
            } catch (...) {
                violated("a non-standard exception escaped");
            }
            if (m_pageTouched)
                checkPage();
        }
    }

private:
    EditingState& editing() { return m_editor.editing; }

    void expectCount(bool ok, const char* what)
    {
        const std::uint32_t now = recordCountOf(m_temp);
        if (!ok)
            violated(what);
        m_count = now;
    }
    std::uint32_t countNow() const { return recordCountOf(m_temp); }

    void runStep(ByteReader& in)
    {
        const std::uint8_t op = in.byte() % 16;
        static const char* const kNames[16] = {"palette", "palette", "curvature", "Edit1", "ComboBox1", "press",
                                               "press", "move", "move", "move", "release", "release",
                                               "move step", "undo", "grid", "repaint"};
        m_lastStep = kNames[op];
        m_lastDetail.clear();
        const bool pressed = editing().PressActive;
        switch (op) {
        case 0:
        case 1: {
            // While I1 holds the pointer no other control can be clicked.
            const auto& names = paletteButtonNames();
            const std::string_view name = names[in.byte() % names.size()];
            m_lastDetail = name;
            if (pressed) {
                m_pageTouched = false;
                return;
            }
            if (!PaletteButtonClick(m_editor, name))
                violated("a palette button was refused");
            const PaletteButton* button = findPaletteButton(name);
            if (button->group == ButtonGroup::LeftButton && name != controlName(ui::kSelectToolButton))
                m_page.repaint();
            if (countNow() != m_count)
                violated("a palette click changed the record count");
            return;
        }
        case 2: {
            m_pageTouched = false;
            const int index = int(in.byte() % 9) - 1;
            if (pressed) {
                m_pageTouched = false;
                return;
            }
            m_ui.setItemIndex(ui::kCurvatureBox, index);
            ComboBox2Change(m_editor);
            return;
        }
        case 3:
            m_pageTouched = false;
            m_ui.setText(ui::kTextEdit, in.text(12));
            return;
        case 4: {
            m_pageTouched = false;
            const std::string text = lineLengthText(in);
            if (pressed) {
                m_pageTouched = false;
                return;
            }
            m_ui.setText(ui::kLineLengthBox, text);
            ComboBox1Change(m_editor);
            return;
        }
        case 5:
        case 6: {
            const PointerButton button = buttonOf(in.byte());
            const int x = in.coordinate();
            const int y = in.coordinate();
            press(button, x, y);
            return;
        }
        case 7:
        case 8:
        case 9: {
            const int x = in.coordinate();
            const int y = in.coordinate();
            move(x, y);
            return;
        }
        case 10:
        case 11: {
            const PointerButton button = buttonOf(in.byte());
            const int x = in.coordinate();
            const int y = in.coordinate();
            release(button, x, y);
            return;
        }
        case 12: {
            const std::uint8_t direction = in.byte();
            if (pressed) {
                m_pageTouched = false;
                return;
            }
            const bool selection = editing().SelectionPresent;
            moveStep(m_editor, MoveDirection(direction % 4));
            if (selection)
                m_page.repaintAndFrame(editing().SelRect);
            else
                m_page.repaint();
            expectCount(countNow() == m_count, "a move step changed the record count");
            return;
        }
        case 13:
            // Also by its shortcut in the middle of a drag.
            Undo1Click(m_editor);
            m_page.repaint();
            m_count = countNow();
            m_pressSeen = false;
            return;
        case 14:
            m_pageTouched = false;
            if (!pressed)
                Button1Click(m_editor);
            return;
        default:
            // "Neu zeichnen".
            if (pressed) {
                m_pageTouched = false;
                return;
            }
            FullRepaint(m_editor);
            m_page.repaint();
            return;
        }
    }

    void describe(std::optional<PointerButton> button, int x, int y)
    {
        static const char* const kButtons[] = {"left", "right", "middle"};
        char detail[64];
        if (button)
            std::snprintf(detail, sizeof detail, "%s at %d, %d", kButtons[int(*button)], x, y);
        else
            std::snprintf(detail, sizeof detail, "to %d, %d", x, y);
        m_lastDetail = detail;
    }

    static PointerButton buttonOf(std::uint8_t code)
    {
        switch (code % 3) {
        case 0: return PointerButton::Left;
        case 1: return PointerButton::Right;
        default: return PointerButton::Middle;
        }
    }

    static std::string lineLengthText(ByteReader& in)
    {
        static const char* const kTexts[] = {"0", "-30", "30", "+5", " 12", "-", "", "1e3", "-2147483648"};
        switch (in.byte() % 4) {
        case 0: return std::to_string(std::int32_t(in.word(4)));
        case 1: return std::to_string(int(std::int8_t(in.byte())));
        case 2: return in.text(6);
        default: return kTexts[in.byte() % std::size(kTexts)];
        }
    }

    void press(PointerButton button, int x, int y)
    {
        const bool selectTool = m_editor.tools.LeftTool == kind::SelectTool;
        const bool insideSelection = editing().SelectionPresent && editing().SelRect.contains(x, y);
        const ElementKind label = m_editor.tools.RightLabel;
        describe(button, x, y);
        m_countAtPress = m_count;
        m_movesSincePress = 0;
        m_pressSeen = true;
        I1MouseDown(m_editor, button, x, y);
        const std::uint32_t now = countNow();
        if (selectTool || button == PointerButton::Left) {
            if (now != m_count)
                violated("a press that places nothing changed the record count");
            // A press inside the selection leaves the page for the move.
            if (!(selectTool && insideSelection))
                m_page.repaint();
            return;
        }
        if (now < m_count)
            violated("a placement removed records");
        if (label == kind::DoubleBondMarker || now == m_count) {
            m_page.repaint();
        } else {
            m_page.other();
            // The placed elements, and only they, are the selection.
            const SelectionMarks& marks = editing().SelMarks;
            if (!editing().SelectionPresent || marks.markedCount() != now - m_count)
                violated("a placement did not select exactly what it placed");
            for (std::uint32_t i = m_count; i < now; ++i)
                if (!marks.isMarked(i))
                    violated("a placement did not select exactly what it placed");
        }
        m_count = now;
        // The placement is the whole gesture: the release must add nothing.
        m_countAtPress = now;
    }

    void move(int x, int y)
    {
        const bool active = editing().PressActive;
        const bool moving = editing().SelectionPresent && editing().MovingSelection;
        const SelectionRect before = editing().SelRect;
        describe(std::nullopt, x, y);
        I1MouseMove(m_editor, x, y);
        if (countNow() != m_count)
            violated("a pointer move changed the record count");
        if (!active) {
            m_pageTouched = false;
            return;
        }
        ++m_movesSincePress;
        if (m_editor.tools.LeftTool != kind::SelectTool)
            m_page.other();
        else if (moving)
            m_page.repaintAndFrame(editing().SelRect);
        else
            m_page.repaintAndFrame(SelectionRect{before.SelX1, x, before.SelY1, y});
    }

    void release(PointerButton button, int x, int y)
    {
        const bool active = editing().PressActive;
        const bool drawing = m_editor.tools.LeftTool != kind::SelectTool && button == PointerButton::Left;
        const ElementKind tool = m_editor.tools.LeftTool;
        const PointF start = editing().DragStart;
        const PointF end = editing().FeedbackEnd;
        describe(button, x, y);
        I1MouseUp(m_editor, button, x, y);
        const std::uint32_t now = countNow();
        if (!active) {
            if (now != m_count)
                violated("a release without a press changed the record count");
            return;
        }
        if (m_pressSeen && m_movesSincePress == 0 && now != m_countAtPress)
            violated("a press and release without a move changed the record count");
        if (drawing) {
            if (now != m_count && now != m_count + 1)
                violated("a drawing release added other than one record");
            if (now == m_count + 1) {
                // What is committed is the element last shown.
                const ElementRecord added = readAllRecords(m_editor.fileSystem, m_editor.workingFile.path()).back();
                const ElementRecord shown = makeRecord(tool, start.x, start.y, end.x, end.y);
                if (added.kind != tool || added.x1 != shown.x1 || added.y1 != shown.y1 || added.x2 != shown.x2
                    || added.y2 != shown.y2)
                    violated("a drawing release committed another element than the one shown");
            }
        } else if (now != m_count) {
            violated("a release that commits nothing changed the record count");
        }
        m_count = now;
        m_pressSeen = false;
        // The release draws nothing: the page keeps what the last step of
        // the gesture showed.
    }

    void checkPage()
    {
        if (m_page.shows == PageModel::Shows::Other)
            return;
        FullRepaint(m_reference);
        if (m_page.shows == PageModel::Shows::RepaintAndFrame) {
            m_reference.editing.SelRect = m_page.frame;
            SelectionFrame(m_reference);
        }
        // Byte for byte: QImage's own comparison goes pixel by pixel and
        // would cost more than the rest of the run.
        const QImage& page = m_editor.page;
        const QImage& reference = m_reference.page;
        if (page.size() != reference.size() || page.format() != reference.format()
            || page.bytesPerLine() != reference.bytesPerLine()
            || std::memcmp(page.constBits(), reference.constBits(), std::size_t(page.sizeInBytes())) != 0)
            violated(m_page.shows == PageModel::Shows::Repaint ? "the page differs from a repaint of temp.dat"
                                                                : "the page differs from a repaint with the frame");
    }

    fuzz::FuzzUiPort m_ui;
    fuzz::FuzzUiPort m_referenceUi;
    Editor m_editor;
    Editor m_reference;  // repaints temp.dat afresh for the comparison
    std::filesystem::path m_temp;
    PageModel m_page;
    std::uint32_t m_count = 0;
    std::uint32_t m_countAtPress = 0;
    int m_movesSincePress = 0;
    bool m_pressSeen = false;
    bool m_pageTouched = true;  // the step may have drawn or changed temp.dat
    const char* m_lastStep = "";  // for the trace
    std::string m_lastDetail;
};

// A fresh WorkDir for one run, removed with everything in it.
class TemporaryWorkDir {
public:
    TemporaryWorkDir()
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/veltrano-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data()))
            violated("no temporary WorkDir");
        m_path = pattern;
    }
    ~TemporaryWorkDir()
    {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
        if (error || std::filesystem::exists(m_path))
            violated("the WorkDir could not be removed");
    }
    TemporaryWorkDir(const TemporaryWorkDir&) = delete;
    TemporaryWorkDir& operator=(const TemporaryWorkDir&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

int openDescriptors()
{
    int count = 0;
    std::error_code error;
    for (auto it = std::filesystem::directory_iterator("/proc/self/fd", error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error))
        ++count;
    return count;
}

void runOnce(const std::uint8_t* data, std::size_t size)
{
    TemporaryWorkDir workDir;
    Session session(workDir.path());
    std::size_t records = 0;
    if (size >= 2)
        records = std::min<std::size_t>(data[0] | (std::size_t(data[1]) << 8), (size - 2) / kRecordBytes);
    const std::size_t documentEnd = std::min<std::size_t>(size, 2 + records * kRecordBytes);
    session.writeDocument(data + std::min<std::size_t>(size, 2), records * kRecordBytes);
    ByteReader gestures(data + documentEnd, size - documentEnd);
    session.run(gestures);
}

// Fonts are opened lazily on their first use and then stay open; one
// repaint of every kind opens all the program uses before descriptors are
// counted.
void warmUp()
{
    std::vector<std::uint8_t> input{0, 2};
    std::vector<ElementRecord> records;
    for (ElementKind k = 0; k < 600; ++k)
        records.push_back(makeRecord(k, 100, 100, 12, 120));
    const auto bytes = serializeRecords(records);
    input[0] = std::uint8_t(records.size() & 0xFF);
    input[1] = std::uint8_t(records.size() >> 8);
    input.insert(input.end(), bytes.begin(), bytes.end());
    runOnce(input.data(), input.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    veltrano::fuzz::ensureApplication();
    static const bool warm = (warmUp(), true);
    (void)warm;
    const int before = openDescriptors();
    runOnce(data, size);
    if (openDescriptors() != before) {
        // Something the program opens once on first use (a font) is not a
        // leak; the same input growing the count again is.
        const int second = openDescriptors();
        runOnce(data, size);
        if (openDescriptors() != second)
            violated("a run left file descriptors open");
    }
    return 0;
}
