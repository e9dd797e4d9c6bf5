// Fuzz target: any bytes, read as a document file, repaint onto a page.
// Built as a libFuzzer target with clang; with other compilers the replay
// driver (replay_main.cpp) runs the same entry point over corpus files.
#include "document/record_file.h"
#include "fuzz/fuzz_application.h"
#include "render/canvas.h"
#include "render/page.h"
#include "render/painter.h"
#include "render/view_state.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    veltrano::fuzz::ensureApplication();
    static QImage page = veltrano::makeBlankPage();
    veltrano::resetToBlank(page);
    veltrano::Canvas canvas(page);
    veltrano::ViewState view;
    veltrano::ResetView(view);
    const std::vector<std::uint8_t> bytes(data, data + size);
    veltrano::RepaintFile(canvas, view, veltrano::parseRecords(bytes));
    return 0;
}
