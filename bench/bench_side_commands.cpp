// The commands beside the palette on the 5001-record mixed document, each on
// the real disk and each ending in the repaint the user sees: one move step
// of everything selected (it must stay far inside Timer2's 80 ms), a
// recolouring of everything, and the fitted bitmap export (repaint, edge
// search, cut-out, bitmap written; its flush to the disk included).
#include "commands/bitmap_export.h"
#include "commands/colour_commands.h"
#include "commands/move_commands.h"
#include "document/record_file.h"
#include "quiet_ui_port.h"
#include "tools/sample_documents.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

using namespace veltrano;

struct SideCommandFixture {
    QTemporaryDir dir;
    bench::QuietUiPort ui;
    Editor editor{FileSystem::system(), ui, dir.path().toStdString()};

    SideCommandFixture()
    {
        const std::vector<ElementRecord> records = samples::mixedDocument();
        writeRecords(FileSystem::system(), editor.workingFile.path(), records);
        for (std::uint32_t i = 0; i < records.size(); ++i)
            editor.editing.SelMarks.mark(i);
        editor.editing.SelRect = SelectionRect{0, 1200, 0, 1000};
        editor.editing.SelectionPresent = true;
        editor.document.DocumentName = dir.path().toStdString() + "/Gemischt.cfd";
    }
};

void moveStep5001(benchmark::State& state)
{
    SideCommandFixture f;
    // Right and left in turn, so the drawing stays where it is.
    bool right = true;
    for (auto _ : state) {
        moveStep(f.editor, right ? MoveDirection::Right : MoveDirection::Left);
        right = !right;
    }
}

void recolour5001(benchmark::State& state)
{
    SideCommandFixture f;
    bool red = true;
    for (auto _ : state) {
        colourButtonClick(f.editor, red ? Control::SpeedButton13 : Control::SpeedButton11);
        red = !red;
    }
}

void fittedExport5001(benchmark::State& state)
{
    SideCommandFixture f;
    for (auto _ : state)
        Passendebmpexportieren1Click(f.editor);
}

}  // namespace

BENCHMARK(moveStep5001)->Name("Command/moveStep5001")->Unit(benchmark::kMillisecond);
BENCHMARK(recolour5001)->Name("Command/recolour5001")->Unit(benchmark::kMillisecond);
BENCHMARK(fittedExport5001)->Name("Command/fittedExport5001")->Unit(benchmark::kMillisecond);
