// The working-file operations on a document of 5001 records: an append (one
// per placed element), a snapshot and the undo exchange, and a rewrite pass
// with an identity transform, each on the real disk in a temporary folder.
#include "document/element_kind.h"
#include "document/working_file.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <vector>

namespace {

using namespace veltrano;

constexpr int kRecords = 5001;

struct WorkingFileFixture {
    QTemporaryDir dir;
    WorkingFile work{FileSystem::system(), dir.path().toStdString()};

    WorkingFileFixture()
    {
        std::vector<ElementRecord> records;
        for (int i = 0; i < kRecords; ++i)
            records.push_back(makeRecord(kind::SingleBond, i % 1200, i % 1000, (i + 30) % 1200, i % 1000));
        work.createEmpty();
        work.AppendRecords(records);
        work.TakeSnapshot();
    }
};

void BM_AppendRecord(benchmark::State& state)
{
    WorkingFileFixture f;
    const ElementRecord record = makeRecord(kind::DoubleBond, 10, 10, 40, 10);
    for (auto _ : state)
        benchmark::DoNotOptimize(f.work.AppendRecord(record));
}
BENCHMARK(BM_AppendRecord);

void BM_TakeSnapshot(benchmark::State& state)
{
    WorkingFileFixture f;
    for (auto _ : state)
        f.work.TakeSnapshot();
}
BENCHMARK(BM_TakeSnapshot)->Unit(benchmark::kMicrosecond);

void BM_RestoreSnapshot(benchmark::State& state)
{
    WorkingFileFixture f;
    for (auto _ : state)
        f.work.RestoreSnapshot();
}
BENCHMARK(BM_RestoreSnapshot)->Unit(benchmark::kMicrosecond);

void BM_RewriteThroughScratch(benchmark::State& state)
{
    WorkingFileFixture f;
    for (auto _ : state)
        f.work.RewriteThroughScratch([](ElementRecord& record, std::uint32_t) { benchmark::DoNotOptimize(record); });
}
BENCHMARK(BM_RewriteThroughScratch)->Unit(benchmark::kMicrosecond);

}  // namespace
