// Fuzz target: any bytes, read as a document file, repaint onto a page.
// Built as a libFuzzer target with clang; with other compilers the replay
// driver (replay_main.cpp) runs the same entry point over corpus files.
#include "document/record_file.h"
#include "render/canvas.h"
#include "render/page.h"
#include "render/painter.h"
#include "render/view_state.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// Text needs a GUI application for its fonts; one is made on first use, on
// the offscreen platform unless the caller chose another. It is never
// destroyed: tearing it down among the exit-time destructors crashes Qt.
void ensureApplication()
{
    if (QGuiApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_repaint";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ensureApplication();
    static QImage page = veltrano::makeBlankPage();
    veltrano::resetToBlank(page);
    veltrano::Canvas canvas(page);
    veltrano::ViewState view;
    veltrano::ResetView(view);
    const std::vector<std::uint8_t> bytes(data, data + size);
    veltrano::RepaintFile(canvas, view, veltrano::parseRecords(bytes));
    return 0;
}
