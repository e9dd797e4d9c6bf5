// The heap an editor needs for a large document: the growth of the heap
// beyond that of an editor with an empty document, at its peak during the
// repaints of a document of 500 000 mixed records, per record. Every
// allocation of the benchmark program goes through the counting operator
// new below (the image pixels, allocated by Qt with malloc, are not counted;
// the page exists in the empty editor as well).
#include "bench/quiet_ui_port.h"
#include "document/file_system.h"
#include "document/record_file.h"
#include "editor/editor.h"
#include "editor/full_repaint.h"
#include "tools/sample_documents.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

std::atomic<std::size_t> heldBytes{0};
std::atomic<std::size_t> peakBytes{0};

void* counted(void* block)
{
    if (block) {
        const std::size_t held = heldBytes.fetch_add(malloc_usable_size(block), std::memory_order_relaxed)
                                 + malloc_usable_size(block);
        std::size_t peak = peakBytes.load(std::memory_order_relaxed);
        while (held > peak && !peakBytes.compare_exchange_weak(peak, held, std::memory_order_relaxed)) {
        }
    }
    return block;
}

void release(void* block)
{
    if (block) {
        heldBytes.fetch_sub(malloc_usable_size(block), std::memory_order_relaxed);
        std::free(block);
    }
}

void* allocate(std::size_t size)
{
    void* const block = counted(std::malloc(size == 0 ? 1 : size));
    if (!block)
        throw std::bad_alloc();
    return block;
}

}  // namespace

void* operator new(std::size_t size)
{
    return allocate(size);
}
void* operator new[](std::size_t size)
{
    return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return counted(std::malloc(size == 0 ? 1 : size));
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return counted(std::malloc(size == 0 ? 1 : size));
}
void operator delete(void* block) noexcept
{
    release(block);
}
void operator delete[](void* block) noexcept
{
    release(block);
}
void operator delete(void* block, std::size_t) noexcept
{
    release(block);
}
void operator delete[](void* block, std::size_t) noexcept
{
    release(block);
}

namespace {

using namespace veltrano;

void EditorHeap(benchmark::State& state, std::size_t count)
{
    QTemporaryDir workDir;
    bench::QuietUiPort ui;
    Editor editor(FileSystem::system(), ui, workDir.path().toStdString());
    // The faces of the mixture's fonts are made first: they belong to any
    // editor that has shown such a drawing, whatever its size.
    writeRecords(editor.fileSystem, editor.workingFile.path(), samples::mixedDocument(5001));
    FullRepaint(editor);
    editor.workingFile.createEmpty();
    FullRepaint(editor);
    editor.passRecords.shrink_to_fit();
    writeRecords(editor.fileSystem, editor.workingFile.path(), samples::mixedDocument(count));

    const std::size_t emptyEditor = heldBytes.load();
    peakBytes.store(emptyEditor);
    for (auto _ : state) {
        FullRepaint(editor);
        benchmark::DoNotOptimize(editor.page.constBits());
    }
    const double growth = double(peakBytes.load() - emptyEditor);
    state.counters["peak_bytes_per_record"] = growth / double(count);
    state.counters["peak_growth_MiB"] = growth / double(1 << 20);
}

}  // namespace

BENCHMARK_CAPTURE(EditorHeap, mixed500000, 500000)->Unit(benchmark::kMillisecond)->Iterations(3);
