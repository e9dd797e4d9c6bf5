// The file and edit commands on the 5001-record mixed document, each on the
// real disk in a temporary folder and each ending in the repaint the user
// sees: opening, undo, deleting half of the document, copying and pasting
// all of it (both from the page a rubber-band selection leaves), and saving
// (which waits for the disk).
#include "commands/edit_commands.h"
#include "commands/file_commands.h"
#include "document/record_file.h"
#include "document/working_file.h"
#include "editor/full_repaint.h"
#include "editor/take_snapshot.h"
#include "quiet_ui_port.h"
#include "tools/sample_documents.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <string>
#include <vector>

namespace {

using namespace veltrano;

// Chooses the benchmark's document in every open and save dialog.
class ChoosingUiPort : public bench::QuietUiPort {
public:
    std::string chosen;
    std::optional<std::string> openFileDialog(const FileDialogOptions&) override { return chosen; }
    std::optional<std::string> saveFileDialog(const FileDialogOptions&) override { return chosen; }
};

struct Fixture {
    QTemporaryDir dir;
    ChoosingUiPort ui;
    Editor editor{FileSystem::system(), ui, dir.path().toStdString()};
    const std::vector<ElementRecord> records = samples::mixedDocument();
    const std::string documentPath = dir.path().toStdString() + "/Gemischt.cfd";

    Fixture()
    {
        ui.chosen = documentPath;
        writeRecords(FileSystem::system(), documentPath, records);
        resetDocument();
        editor.workingFile.TakeSnapshot();
    }

    void resetDocument() { writeRecords(FileSystem::system(), editor.workingFile.path(), records); }

    // Every second record (or every one) selected.
    void select(std::uint32_t every)
    {
        editor.editing.SelMarks.clearAll();
        for (std::uint32_t i = 0; i < records.size(); i += every)
            editor.editing.SelMarks.mark(i);
        editor.editing.SelectionPresent = true;
    }

    // The page as a selection made with the rubber band leaves it: the
    // document with the dashed frame around the whole page.
    void showSelection()
    {
        FullRepaint(editor);
        editor.editing.SelRect = {0, kPageWidth - 1, 0, kPageHeight - 1};
        SelectionFrame(editor);
        editor.editing.SelectionPresent = true;
    }
};

void open5001(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state)
        ffnen1Click(f.editor);
}

// One step back and forward again over a snapshot of the 5001 records
// with one record more: the undo timed, the redo not, and the other way.
void undo5001(benchmark::State& state)
{
    Fixture f;
    TakeSnapshot(f.editor);
    f.editor.workingFile.AppendRecord(f.records.front());
    for (auto _ : state) {
        Undo1Click(f.editor);
        state.PauseTiming();
        redo(f.editor);
        state.ResumeTiming();
    }
}

void redo5001(benchmark::State& state)
{
    Fixture f;
    TakeSnapshot(f.editor);
    f.editor.workingFile.AppendRecord(f.records.front());
    for (auto _ : state) {
        state.PauseTiming();
        Undo1Click(f.editor);
        state.ResumeTiming();
        redo(f.editor);
    }
}

void delete5001(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state) {
        state.PauseTiming();
        f.resetDocument();
        f.select(2);
        f.showSelection();
        state.ResumeTiming();
        Lschen1Click(f.editor);
    }
}

void copyPaste5001(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state) {
        state.PauseTiming();
        f.resetDocument();
        f.select(1);
        f.showSelection();
        state.ResumeTiming();
        Kopieren1Click(f.editor);
        Einfgen1Click(f.editor);
    }
}

void save5001(benchmark::State& state)
{
    Fixture f;
    f.editor.document.DocumentName = f.documentPath;
    for (auto _ : state)
        Speichern2Click(f.editor);
}

}  // namespace

BENCHMARK(open5001)->Name("Command/open5001")->Unit(benchmark::kMillisecond);
BENCHMARK(undo5001)->Name("Command/undo5001")->Unit(benchmark::kMillisecond);
BENCHMARK(redo5001)->Name("Command/redo5001")->Unit(benchmark::kMillisecond);
BENCHMARK(delete5001)->Name("Command/delete5001")->Unit(benchmark::kMillisecond);
BENCHMARK(copyPaste5001)->Name("Command/copyPaste5001")->Unit(benchmark::kMillisecond);
BENCHMARK(save5001)->Name("Command/save5001")->Unit(benchmark::kMillisecond);
