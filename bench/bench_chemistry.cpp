// Reading a drawing as chemistry: the mixed sample of 5001 records (bonds of
// every kind, labels, text, arrows at random places), as the analysis and
// the --formula converter read it.
#include "chemistry/drawing_chemistry.h"
#include "tools/sample_documents.h"

#include <benchmark/benchmark.h>

namespace {

void BM_Interpret5001(benchmark::State& state)
{
    const std::vector<veltrano::ElementRecord> records = veltrano::samples::mixedDocument();
    for (auto _ : state) {
        veltrano::chemistry::DrawingChemistry chemistry = veltrano::chemistry::interpretDrawing(records);
        benchmark::DoNotOptimize(chemistry);
    }
}
BENCHMARK(BM_Interpret5001)->Name("Chemistry/interpret5001")->Unit(benchmark::kMillisecond);

}  // namespace
