// Every command that writes, with each of its file operations failing once
// in turn (n = 1, 2, ... until a run meets no fault): every file keeps its
// old or gets its new content, byte for byte, the page shows the document,
// the user is told exactly once, and the next drawing works.

#include "scene.h"

#include "commands/bitmap_export.h"
#include "commands/colour_commands.h"
#include "commands/edit_commands.h"
#include "commands/file_commands.h"
#include "commands/merge.h"
#include "commands/move_commands.h"
#include "commands/view_commands.h"
#include "document/document_state.h"
#include "document/folder_path.h"
#include "editor/guarded.h"
#include "editor/pointer.h"

#include <cerrno>
#include <cstdio>
#include <functional>

#include <gtest/gtest.h>

namespace veltrano {
namespace {

using test::Scene;

struct Case {
    const char* name;
    std::function<void(Scene&)> prepare;
    std::function<void(Editor&)> command;
};

std::vector<Case> writingCommands()
{
    return {
        {"Bindung zeichnen", nullptr,
         [](Editor& e) {
             I1MouseDown(e, PointerButton::Left, 100, 300);
             I1MouseMove(e, 160, 300);
             I1MouseUp(e, PointerButton::Left, 160, 300);
         }},
        {"Beschriftung", [](Scene& s) { s.editor->tools.RightLabel = 5; },
         [](Editor& e) {
             I1MouseDown(e, PointerButton::Right, 400, 400);
             I1MouseUp(e, PointerButton::Right, 400, 400);
         }},
        {"Einfügen", [](Scene& s) { s.putWorkFile("kopie.dat", Scene::saved()); }, Einfgen1Click},
        {"Löschen", [](Scene& s) { s.select({0, 2}); }, Lschen1Click},
        {"Rückgängig", [](Scene& s) { s.putWorkFile("sicher1.dat", Scene::saved()); }, Undo1Click},
        {"Verschieben", [](Scene& s) { s.select({1}); }, [](Editor& e) { moveStep(e, MoveDirection::Right); }},
        {"Umfärben", [](Scene& s) { s.select({0, 1}); },
         [](Editor& e) { colourButtonClick(e, "SpeedButton12"); }},
        {"Einzeln löschen", nullptr, BitBtn1Click},
        {"Speichern", nullptr, Speichern2Click},
        {"Speichern unter",
         [](Scene& s) {
             s.ui.saveDialogAnswers.push_back(s.path("Formeln/neu.cfd"));
             s.ui.messageAnswers.push_back(MessageResult::Ok);
         },
         [](Editor& e) { Speichern1Click(e); }},
        {"Formel+Antwort speichern",
         [](Scene& s) {
             s.ui.texts["Memo1"] = "Benzol\nC6H6";
             s.ui.saveDialogAnswers.push_back(s.path("Formeln/neu.cfd"));
             s.ui.messageAnswers.push_back(MessageResult::Ok);
         },
         FormelAntwortspeichern1Click},
        {"Öffnen",
         [](Scene& s) {
             s.editor->editing.Modified = false;
             s.ui.openDialogAnswers.push_back(s.path("Formeln/neu.cfd"));
         },
         ffnen1Click},
        {"Vorlage einfügen", nullptr,
         [](Editor& e) { mergeFormulaFile(e, withSeparator(directoryOf(e.document.DocumentName)) + "vorlage.cfd"); }},
        {"Als bmp exportieren", nullptr, Exportieren1Click},
        {"Passende bmp exportieren", nullptr, Passendebmpexportieren1Click},
    };
}

// One command with the n-th operation failing; false once a run met no
// fault. after holds the files of a run without any fault.
bool runWithFault(const Case& c, int n, int error, const Scene::Files& after, int& faults)
{
    Scene scene;
    if (c.prepare)
        c.prepare(scene);
    const Scene::Files before = scene.files();
    scene.ui.clearLog();
    scene.fs.failAt(n, error);
    runGuarded(scene.ui, [&] { c.command(*scene.editor); });
    const bool injected = scene.fs.injected();
    scene.fs.disarm();
    if (!injected)
        return false;
    ++faults;
    const std::string where = std::string(c.name) + ", fault at operation " + std::to_string(n);

    const Scene::Files now = scene.files();
    bool allNew = true;
    for (const auto& [name, bytes] : now) {
        const bool isOld = before.count(name) && before.at(name) == bytes;
        const bool isNew = after.count(name) && after.at(name) == bytes;
        EXPECT_TRUE(isOld || isNew) << where << ": " << name << " is neither its old nor its new content (" << bytes.size()
                                    << " bytes; old " << (before.count(name) ? before.at(name).size() : 0) << ", new "
                                    << (after.count(name) ? after.at(name).size() : 0) << ")";
        allNew = allNew && isNew;
    }
    for (const auto& [name, bytes] : before)
        EXPECT_TRUE(now.count(name) || !after.count(name)) << where << ": " << name << " vanished";

    // One message; none only when the fault hit a step that may fail
    // without harm and everything was written.
    const std::size_t told = scene.ui.errors.size() + scene.ui.messages.size();
    if (told == 0)
        EXPECT_TRUE(allNew && now.size() == after.size()) << where << ": a silent failure";
    else
        EXPECT_EQ(told, 1u) << where;

    scene.expectPageShowsTheDocument(where);
    scene.expectDrawingStillWorks(where);
    return true;
}

TEST(FaultInjection, EveryWritingCommandSurvivesEachOperationFailingOnce)
{
    int total = 0;
    std::string summary;
    for (const Case& c : writingCommands()) {
        Scene reference;
        if (c.prepare)
            c.prepare(reference);
        runGuarded(reference.ui, [&] { c.command(*reference.editor); });
        ASSERT_TRUE(reference.ui.errors.empty() && reference.ui.messages.empty()) << c.name << " fails without a fault";
        const Scene::Files after = reference.files();

        int faults = 0;
        for (int error : {EIO, ENOSPC}) {
            int n = 1;
            while (runWithFault(c, n, error, after, faults) && n < 500)
                ++n;
            ASSERT_LT(n, 500) << c.name << " never ran without a fault";
        }
        EXPECT_GT(faults, 0) << c.name;
        total += faults;
        summary += std::string(c.name) + " " + std::to_string(faults) + ", ";
    }
    ::testing::Test::RecordProperty("faults_injected", total);
    std::printf("[ robustness ] faults injected: %d (%s)\n", total, summary.c_str());
}

}  // namespace
}  // namespace veltrano
