// Pointer moves through the real gesture handlers on 5001-record pages:
// dragging a selection of about half the document (every move rewrites
// temp.dat and repaints everything), and the feedback of a bond being drawn
// (every move erases the old bond and paints the new one), and the rubber
// band of the selection tool.
#include "bench/quiet_ui_port.h"
#include "document/file_system.h"
#include "document/record_file.h"
#include "editor/editor.h"
#include "editor/pointer.h"
#include "tools/sample_documents.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <string>

namespace {

using namespace veltrano;

struct Page {
    QTemporaryDir workDir;  // under /tmp, on the local disk
    bench::QuietUiPort ui;
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

// The rubber band of the selection tool pulled over the whole page: every
// move repaints the unchanged document and draws the new frame.
void RubberBand(benchmark::State& state)
{
    Page page(samples::mixedDocument(samples::kSampleSize));
    Editor& editor = page.editor;
    editor.tools.LeftTool = kind::SelectTool;
    I1MouseDown(editor, PointerButton::Left, 100, 100);
    int x = 900;
    for (auto _ : state) {
        x = x == 900 ? 901 : 900;
        I1MouseMove(editor, x, 800);
        benchmark::DoNotOptimize(editor.page.constBits());
    }
    I1MouseUp(editor, PointerButton::Left, x, 800);
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
BENCHMARK(RubberBand)->Name("DragStep/rubberBand5001")->Repetitions(7)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BondFeedback)->Name("DragStep/bond5001")->Repetitions(7)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
