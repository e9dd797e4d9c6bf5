// Inserting a template into a full document: the steroid (line length 30)
// merged into the 5001-record mixed sample, which reads the template file,
// appends its records, marks them and repaints the whole page with the
// selection frame. temp.dat is put back between iterations, outside the
// timing, so every merge meets the same document.
#include "commands/merge.h"
#include "document/record_file.h"
#include "editor/editor.h"
#include "quiet_ui_port.h"
#include "tools/sample_documents.h"
#include "tools/template_geometry.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

using namespace veltrano;

void MergeTemplate5001(benchmark::State& state)
{
    QTemporaryDir folder;
    FileSystem& fs = FileSystem::system();
    bench::QuietUiPort ui;
    Editor editor(fs, ui, folder.path().toStdString());
    const std::vector<ElementRecord> document = samples::mixedDocument(samples::kSampleSize);
    const std::string templatePath = QDir(folder.path()).filePath("30pregnan.cfd").toStdString();
    writeRecords(fs, templatePath, templates::templateRecords("pregnan", 30.0));
    for (auto _ : state) {
        state.PauseTiming();
        writeRecords(fs, editor.workingFile.path(), document);
        state.ResumeTiming();
        mergeFormulaFile(editor, templatePath);
        benchmark::DoNotOptimize(editor.page.constBits());
    }
}
BENCHMARK(MergeTemplate5001)->Name("Command/mergeTemplate5001")->Unit(benchmark::kMillisecond);

}  // namespace
