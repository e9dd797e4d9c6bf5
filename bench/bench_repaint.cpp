// The layered repaint of whole documents of 5001 records (and of 50 000 and 500 000 mixed ones), read from a file
// as at start-up, and the reset of the page that precedes every full redraw.
#include "document/file_system.h"
#include "document/record_file.h"
#include "render/canvas.h"
#include "render/glyph_cache.h"
#include "render/page.h"
#include "render/painter.h"
#include "render/view_state.h"
#include "tools/sample_documents.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include <functional>
#include <string>
#include <vector>

namespace {

using veltrano::ElementRecord;
using SampleMaker = std::vector<ElementRecord> (*)(std::size_t);

// Warm: the faces stay from one repaint to the next, as in the editor.
// Cold: every repaint starts from an empty glyph cache and makes its faces
// and glyphs (Qt's own cache of font engines stays warm).
enum class Glyphs { Warm, Cold };

void RepaintFile(benchmark::State& state, SampleMaker makeSample, std::size_t count, Glyphs glyphs = Glyphs::Warm)
{
    QTemporaryDir folder;
    const std::string path = QDir(folder.path()).filePath("temp.dat").toStdString();
    veltrano::FileSystem& fs = veltrano::FileSystem::system();
    veltrano::writeRecords(fs, path, makeSample(count));

    QImage page = veltrano::makeBlankPage();
    veltrano::Canvas canvas(page);
    veltrano::ViewState view;
    veltrano::ResetView(view);
    // Timed are the repaints of a document drawn once already, as in the
    // editor; a face made again in them is counted.
    veltrano::RepaintFile(canvas, view, fs, path);
    veltrano::GlyphCache& cache = veltrano::GlyphCache::shared();
    const std::uint64_t facesBefore = cache.facesCreated();
    for (auto _ : state) {
        if (glyphs == Glyphs::Cold) {
            state.PauseTiming();
            cache.dropFaces();
            state.ResumeTiming();
        }
        veltrano::RepaintFile(canvas, view, fs, path);
        benchmark::DoNotOptimize(page.constBits());
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(count));
    state.counters["facesMade"] =
        benchmark::Counter(double(cache.facesCreated() - facesBefore), benchmark::Counter::kAvgIterations);
    state.counters["glyphMiB"] = double(cache.bytesHeld()) / double(1 << 20);
}

void BlankPage(benchmark::State& state)
{
    QImage page = veltrano::makeBlankPage();
    for (auto _ : state) {
        veltrano::resetToBlank(page);
        benchmark::DoNotOptimize(page.constBits());
    }
}

}  // namespace

BENCHMARK_CAPTURE(RepaintFile, mixed5001, veltrano::samples::mixedDocument, 5001)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RepaintFile, bonds5001, veltrano::samples::bondsDocument, 5001)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RepaintFile, hostile5001, veltrano::samples::hostileDocument, 5001)->Unit(benchmark::kMillisecond);
// 300 distinct font sizes: more faces than one repaint of an ordinary
// document creates; made in every repaint (cold) or kept (warm).
BENCHMARK_CAPTURE(RepaintFile, manySizes5001_cold, veltrano::samples::manySizesDocument, 5001, Glyphs::Cold)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RepaintFile, manySizes5001_warm, veltrano::samples::manySizesDocument, 5001, Glyphs::Warm)
    ->Unit(benchmark::kMillisecond);
// 65 534 characters at 150 to 300 points: the faces one repaint needs hold
// more than the glyph cache's budget, and a repaint must not make again the
// faces the one before made.
BENCHMARK_CAPTURE(RepaintFile, largeSizes65534, veltrano::samples::largeSizesDocument, 65534)
    ->Unit(benchmark::kMillisecond);
// Nearly all pixel work: cells of some hundred thousand pixels each, and arcs
// of some thousand steps each.
BENCHMARK_CAPTURE(RepaintFile, largeLabels5001, veltrano::samples::largeLabelsDocument, 5001)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RepaintFile, curvedArrows5001, veltrano::samples::curvedArrowsDocument, 5001)
    ->Unit(benchmark::kMillisecond);
// The same mixture at ten and a hundred times the size: the cost of a
// repaint should grow no faster than the document.
BENCHMARK_CAPTURE(RepaintFile, mixed50000, veltrano::samples::mixedDocument, 50000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RepaintFile, mixed500000, veltrano::samples::mixedDocument, 500000)->Unit(benchmark::kMillisecond);
BENCHMARK(BlankPage)->Unit(benchmark::kMicrosecond);
