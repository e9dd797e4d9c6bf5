// veltrano-render [--fit] INPUT.cfd OUTPUT.bmp|OUTPUT.png
// Draws a formula file onto a blank page with the layered repaint and writes
// the page as a 24-bit Windows bitmap or a PNG. With --fit it writes the
// cut-out of the fitted export instead: the content of the whole page with a
// white margin of 10 pixels. Needs no display: it picks the offscreen
// platform unless QT_QPA_PLATFORM says otherwise.
//
// Exit codes: 0 written, 1 input unreadable, output unwritable or memory
// exhausted (nothing is left at the output path then), 2 wrong arguments.
#include "document/file_system.h"
#include "document/io_error.h"
#include "document/record_file.h"
#include "render/bitmap_file.h"
#include "render/canvas.h"
#include "render/content_cutout.h"
#include "render/page.h"
#include "render/painter.h"
#include "render/view_state.h"

#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <new>
#include <string>
#include <vector>

namespace {

bool isBitmapPath(const std::string& path)
{
    return QString::fromStdString(path).endsWith(".bmp", Qt::CaseInsensitive);
}

int usage()
{
    std::fprintf(stderr, "usage: veltrano-render [--fit] INPUT.cfd OUTPUT.bmp|OUTPUT.png\n");
    return 2;
}

// Reads, draws and writes; record-file errors are reported here, running
// out of memory is left to main.
int render(const std::string& input, const std::string& output, bool fit)
{
    std::vector<veltrano::ElementRecord> records;
    try {
        records = veltrano::readAllRecords(veltrano::FileSystem::system(), input);
    } catch (const veltrano::IoError& error) {
        std::fprintf(stderr, "veltrano-render: %s: %s\n", input.c_str(), error.what());
        return 1;
    }

    QImage page = veltrano::makeBlankPage();
    if (page.isNull())
        throw std::bad_alloc();  // QImage reports a failed allocation this way
    veltrano::Canvas canvas(page);
    veltrano::ViewState view;
    veltrano::ResetView(view);
    veltrano::RepaintFile(canvas, view, records);

    try {
        const QImage picture = fit ? veltrano::fittedCutOut(page, page.size()) : page;
        veltrano::writeBitmapFile(veltrano::FileSystem::system(), output, picture);
    } catch (const veltrano::IoError& error) {
        std::fprintf(stderr, "veltrano-render: %s: %s\n", output.c_str(), error.what());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool fit = argc == 4 && std::string(argv[1]) == "--fit";
    if (argc != 3 && !fit)
        return usage();
    const std::string input = argv[fit ? 2 : 1];
    const std::string output = argv[fit ? 3 : 2];
    if (!isBitmapPath(output) && !veltrano::isPngPath(output))
        return usage();

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    try {
        return render(input, output, fit);
    } catch (const std::bad_alloc&) {
        // The output is written atomically, so nothing half-written remains.
        std::fprintf(stderr, "veltrano-render: %s: %s\n", input.c_str(), veltrano::kOutOfMemoryMessage);
        return 1;
    }
}
