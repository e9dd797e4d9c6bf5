// Reading a drawing as chemistry: the mixed sample of 5001 records (bonds of
// every kind, labels, text, arrows at random places), as the analysis and
// the --formula converter read it; and the whole "Analyse" command on it
// (menu "&Info", Strg+I), headless: the reading, the problems framed on the
// page and the report table built, the window replaced by a quiet port.
#include "chemistry/drawing_chemistry.h"
#include "commands/command_table.h"
#include "document/record_file.h"
#include "quiet_ui_port.h"
#include "tools/sample_documents.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

using namespace veltrano;

void BM_Interpret5001(benchmark::State& state)
{
    const std::vector<ElementRecord> records = samples::mixedDocument();
    for (auto _ : state) {
        chemistry::DrawingChemistry chemistry = chemistry::interpretDrawing(records);
        benchmark::DoNotOptimize(chemistry);
    }
}
BENCHMARK(BM_Interpret5001)->Name("Chemistry/interpret5001")->Unit(benchmark::kMillisecond);

// Keeps the size of the report it is shown, so the table is built for someone.
class ReportCountingPort : public bench::QuietUiPort {
public:
    void showReport(const ReportTable& report) override
    {
        rows = report.rows.size();
        notes = report.notes.size();
    }
    std::size_t rows = 0, notes = 0;
};

void BM_Analyse5001(benchmark::State& state)
{
    QTemporaryDir dir;
    ReportCountingPort ui;
    Editor editor{FileSystem::system(), ui, dir.path().toStdString()};
    writeRecords(FileSystem::system(), editor.workingFile.path(), samples::mixedDocument());
    const CommandRow* analyse = findCommand("Analyse1");
    for (auto _ : state) {
        analyse->run(editor);
        // The analysis selects the records of its problems; the next one
        // reads the whole drawing again, as after a click beside it.
        state.PauseTiming();
        editor.editing.SelMarks.clearAll();
        editor.editing.SelectionPresent = false;
        state.ResumeTiming();
    }
    state.counters["rows"] = double(ui.rows);
    state.counters["notes"] = double(ui.notes);
}
BENCHMARK(BM_Analyse5001)->Name("Chemistry/analyse5001")->Unit(benchmark::kMillisecond);

}  // namespace
