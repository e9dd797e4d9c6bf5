// One step of dragging a selection: the whole working file is rewritten
// through the scratch file with every second record moved by one pixel,
// then the page is repainted from disk and the selection frame drawn, as a
// pointer move with the selection tool does it.
#include "bench/quiet_ui_port.h"
#include "document/file_system.h"
#include "document/record_file.h"
#include "document/working_file.h"
#include "editor/editor.h"
#include "editor/full_repaint.h"
#include "tools/sample_documents.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <string>
#include <vector>

namespace {

using namespace veltrano;

// Moves a record by (dx, dy) by the rule of its kind: one-point kinds by
// their first point, two-point kinds by both, the rest not at all.
void shift(ElementRecord& record, double dx, double dy)
{
    const ElementKind k = record.kind;
    const bool onePoint = k < 247 || (k >= 256 && k <= 400) || (k >= 500 && k <= 564);
    const bool twoPoint = (k >= 248 && k <= 255) || (k >= 401 && k <= 499);
    if (!onePoint && !twoPoint)
        return;
    record.setX1(record.X1() + dx);
    record.setY1(record.Y1() + dy);
    if (twoPoint) {
        record.setX2(record.X2() + dx);
        record.setY2(record.Y2() + dy);
    }
}

using SampleMaker = std::vector<ElementRecord> (*)(std::size_t);

void DragStep(benchmark::State& state, SampleMaker makeSample, std::uint32_t count)
{
    // QTemporaryDir lies under /tmp, on the local disk.
    QTemporaryDir workDir;
    bench::QuietUiPort ui;
    Editor editor(FileSystem::system(), ui, workDir.path().toStdString());
    writeRecords(editor.fileSystem, editor.workingFile.path(), makeSample(count));

    EditingState& editing = editor.editing;
    for (std::uint32_t i = 0; i < count; i += 2)
        editing.SelMarks.mark(i);
    editing.SelRect = {100, 600, 100, 500};
    editing.SelectionPresent = true;

    // Alternate the direction so the drawing stays where it is.
    int direction = 1;
    for (auto _ : state) {
        const double dx = direction;
        editor.workingFile.RewriteThroughScratch([&](ElementRecord& record, std::uint32_t position) {
            if (editing.SelMarks[position])
                shift(record, dx, 0);
        });
        FullRepaint(editor);
        editing.SelectionPresent = true;
        editing.SelRect.SelX1 += direction;
        editing.SelRect.SelX2 += direction;
        SelectionFrame(editor);
        benchmark::DoNotOptimize(editor.page.constBits());
        direction = -direction;
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(count));
}

}  // namespace

BENCHMARK_CAPTURE(DragStep, mixed5001, &samples::mixedDocument, 5001)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(DragStep, mixed50000, &samples::mixedDocument, 50000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(DragStep, mixed500000, &samples::mixedDocument, 500000)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
