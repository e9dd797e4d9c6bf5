#include "scene.h"

#include "commands/startup.h"
#include "document/element_kind.h"
#include "document/record_file.h"
#include "editor/full_repaint.h"
#include "editor/pointer.h"
#include "editor/ui_port.h"
#include "render/page.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace veltrano::test {

namespace {

const char* const kWork = "work";
const char* const kFormulas = "Formeln";

}  // namespace

std::vector<ElementRecord> Scene::drawing()
{
    return {
        makeRecord(kind::SingleBond, 100, 100, 130, 100),
        makeRecord(kind::DoubleBond, 130, 100, 145, 126),
        makeRecord(kind::TripleBond, 300, 200, 330, 200),
        makeRecord(kind::SingleBond, 145, 126, 130, 152),
    };
}

std::vector<ElementRecord> Scene::saved()
{
    return {
        makeRecord(kind::SingleBond, 100, 100, 130, 100),
        makeRecord(kind::DoubleBond, 500, 500, 530, 500),
    };
}

Scene::Scene()
{
    QDir(folder.path()).mkpath(kWork);
    QDir(folder.path()).mkpath(kFormulas);
    editor.emplace(fs, ui, path(kWork));
    setStartState(*editor);
    putFileBytes(editor->workingFile.path(), recordFileBytes(drawing()));
    putFileBytes(path("Formeln/alt.cfd"), recordFileBytes(saved()));
    putFileBytes(path("Formeln/neu.cfd"), recordFileBytes({makeRecord(kind::TripleBond, 40, 40, 70, 40)}));
    putFileBytes(path("Formeln/vorlage.cfd"), recordFileBytes({makeRecord(kind::SingleBond, 600, 600, 630, 600),
                                                               makeRecord(kind::SingleBond, 630, 600, 645, 626)}));
    editor->document.DocumentName = path("Formeln/alt.cfd");
    editor->document.LastDir = path("Formeln/");
    editor->document.SavedRecordCount = 2;
    editor->editing.Modified = true;
    FullRepaint(*editor);
}

std::string Scene::path(const std::string& relative) const
{
    return folder.path().toStdString() + "/" + relative;
}

void Scene::putWorkFile(const std::string& name, const std::vector<ElementRecord>& records)
{
    putFileBytes(editor->workingFile.pathOf(name), recordFileBytes(records));
}

void Scene::select(const std::vector<std::uint32_t>& positions)
{
    EditingState& editing = editor->editing;
    editing.SelMarks.clearAll();
    for (std::uint32_t position : positions)
        editing.SelMarks.mark(position);
    editing.SelRect = SelectionRect{90, 90, 340, 210};
    editing.SelectionPresent = true;
    SelectionFrame(*editor);
    ui.setEnabled(ui::kDeleteItem, true);
    ui.setEnabled(ui::kCopyItem, true);
}

Scene::Files Scene::files() const
{
    static const QRegularExpression scratch(
        QStringLiteral("^(temp2\\.dat|ttemp\\.dat|kopie1\\.dat|sicher2\\.dat|gesichert\\.dat|speichern\\.txt)$"
                       "|\\.part[0-9]+$"));
    Files files;
    for (const char* sub : {kWork, kFormulas}) {
        for (const std::string& name : folderEntries(path(sub))) {
            if (!scratch.match(QString::fromStdString(name)).hasMatch())
                files[std::string(sub) + "/" + name] = fileBytes(path(std::string(sub) + "/" + name));
        }
    }
    return files;
}

void Scene::expectPageShowsTheDocument(const std::string& where)
{
    FakeUiPort quiet;
    Editor fresh(FileSystem::system(), quiet, path(kWork));
    FullRepaint(fresh);
    if (editor->editing.SelectionPresent) {
        fresh.editing.SelRect = editor->editing.SelRect;
        SelectionFrame(fresh);
    }
    // A repaint whose read of temp.dat failed leaves the page blank (and
    // has said so); "Neu zeichnen" draws it again.
    const bool toldBlank = editor->page == makeBlankPage() && !ui.errors.empty();
    EXPECT_TRUE(editor->page == fresh.page || toldBlank) << where << ": the page does not show temp.dat";
}

void Scene::expectDrawingStillWorks(const std::string& where)
{
    const std::size_t errorsBefore = ui.errors.size() + ui.messages.size();
    const std::size_t count = parseRecords(fileBytes(editor->workingFile.path())).size();
    FullRepaint(*editor);
    editor->tools.LeftTool = kind::SingleBond;
    I1MouseDown(*editor, PointerButton::Left, 700, 700);
    I1MouseMove(*editor, 760, 700);
    I1MouseUp(*editor, PointerButton::Left, 760, 700);
    EXPECT_EQ(ui.errors.size() + ui.messages.size(), errorsBefore) << where;
    EXPECT_EQ(parseRecords(fileBytes(editor->workingFile.path())).size(), count + 1) << where;
}

}  // namespace veltrano::test
