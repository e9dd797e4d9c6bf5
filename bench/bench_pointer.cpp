// Pointer moves through the real gesture handlers on 5001-record pages:
// dragging a selection of about half the document (every move rewrites
// temp.dat and repaints everything), and the feedback of a bond being drawn
// (every move erases the old bond and paints the new one).
#include "document/file_system.h"
#include "document/record_file.h"
#include "editor/editor.h"
#include "editor/pointer.h"
#include "editor/ui_port.h"
#include "tools/sample_documents.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <string>

namespace {

using namespace veltrano;

// A window that shows nothing and declines every question.
class QuietUiPort : public UiPort {
public:
    MessageResult messageBox(std::string_view, std::string_view, MessageButtons) override
    {
        return MessageResult::Cancel;
    }
    void showMessage(std::string_view) override {}
    void showError(std::string_view) override {}
    std::optional<std::string> openFileDialog(const FileDialogOptions&) override { return {}; }
    std::optional<std::string> saveFileDialog(const FileDialogOptions&) override { return {}; }
    std::optional<Colour> colourDialog(Colour) override { return {}; }
    void setEnabled(std::string_view, bool) override {}
    bool isEnabled(std::string_view) const override { return true; }
    void setVisible(std::string_view, bool) override {}
    void setDown(std::string_view, bool) override {}
    void setFocus(std::string_view) override {}
    std::string text(std::string_view) const override { return {}; }
    void setText(std::string_view, std::string_view) override {}
    int itemIndex(std::string_view) const override { return -1; }
    void setItemIndex(std::string_view, int) override {}
    void setCaption(std::string_view) override {}
    std::string caption() const override { return {}; }
    void startTimer(std::string_view) override {}
    void stopTimer(std::string_view) override {}
    bool isTimerRunning(std::string_view) const override { return false; }
    QSize drawingImageSize() const override { return {502, 413}; }
    void pageChanged(const QRect&) override {}
    void closeMainWindow() override {}
};

struct Page {
    QTemporaryDir workDir;  // under /tmp, on the local disk
    QuietUiPort ui;
    Editor editor{FileSystem::system(), ui, workDir.path().toStdString()};

    explicit Page(const std::vector<ElementRecord>& records)
    {
        writeRecords(editor.fileSystem, editor.workingFile.path(), records);
    }
};

// Press inside a selection of the left half of the page, then one pointer
// move per iteration, back and forth by a pixel.
void SelectionMove(benchmark::State& state)
{
    Page page(samples::mixedDocument(samples::kSampleSize));
    Editor& editor = page.editor;
    editor.tools.LeftTool = kind::SelectTool;
    I1MouseDown(editor, PointerButton::Left, 0, 0);
    I1MouseMove(editor, 600, 1000);
    I1MouseUp(editor, PointerButton::Left, 600, 1000);
    state.counters["selected"] = double(editor.editing.SelMarks.markedCount());

    I1MouseDown(editor, PointerButton::Left, 300, 500);
    int x = 300;
    for (auto _ : state) {
        x = x == 300 ? 301 : 300;
        I1MouseMove(editor, x, 500);
        benchmark::DoNotOptimize(editor.page.constBits());
    }
    I1MouseUp(editor, PointerButton::Left, x, 500);
}

// A single bond dragged over a page full of bonds; the pointer swings
// between two raster directions so every move redraws.
void BondFeedback(benchmark::State& state)
{
    Page page(samples::bondsDocument(samples::kSampleSize));
    Editor& editor = page.editor;
    I1MouseDown(editor, PointerButton::Left, 603, 497);
    bool up = false;
    for (auto _ : state) {
        up = !up;
        I1MouseMove(editor, 660, up ? 460 : 530);
        benchmark::DoNotOptimize(editor.page.constBits());
    }
    I1MouseUp(editor, PointerButton::Left, 660, 500);
}

}  // namespace

BENCHMARK(SelectionMove)->Name("DragStep/selection5001")->Iterations(100)->Repetitions(7)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BondFeedback)->Name("DragStep/bond5001")->Repetitions(7)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
