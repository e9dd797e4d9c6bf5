// The vector exports of the mixed 5001-record sample over the whole page:
// recording the drawing and writing the SVG or PDF document.
#include "render/canvas.h"
#include "render/vector_output.h"
#include "render/view_state.h"
#include "tools/sample_documents.h"

#include <benchmark/benchmark.h>

#include <QRect>

#include <vector>

namespace {

using Exporter = QByteArray (*)(const veltrano::ViewState&, const std::vector<veltrano::ElementRecord>&, const QRect&);

void Export(benchmark::State& state, Exporter exporter)
{
    const std::vector<veltrano::ElementRecord> records = veltrano::samples::mixedDocument();
    const QRect area(0, 0, veltrano::kPageWidth, veltrano::kPageHeight);
    const veltrano::ViewState view;
    std::int64_t bytes = 0;
    for (auto _ : state) {
        const QByteArray document = exporter(view, records, area);
        bytes += document.size();
        benchmark::DoNotOptimize(document.constData());
    }
    state.SetBytesProcessed(bytes);
    state.SetItemsProcessed(state.iterations() * std::int64_t(records.size()));
}

}  // namespace

BENCHMARK_CAPTURE(Export, svg5001, veltrano::svgOfDrawing)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Export, pdf5001, veltrano::pdfOfDrawing)->Unit(benchmark::kMillisecond);
