#include "command_table.h"

#include "commands/bitmap_export.h"
#include "commands/colour_commands.h"
#include "commands/edit_commands.h"
#include "commands/file_commands.h"
#include "commands/merge.h"
#include "commands/move_commands.h"
#include "commands/vector_export.h"
#include "commands/view_commands.h"
#include "document/document_state.h"
#include "document/folder_path.h"
#include "editor/pointer.h"

namespace veltrano::test {

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
         [](Editor& e) { colourButtonClick(e, Control::SpeedButton12); }},
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
             // The drawing differs from alt.cfd: not saved first.
             s.ui.messageAnswers.push_back(MessageResult::No);
             s.ui.openDialogAnswers.push_back(s.path("Formeln/neu.cfd"));
         },
         ffnen1Click},
        {"Vorlage einfügen", nullptr,
         [](Editor& e) { mergeFormulaFile(e, withSeparator(directoryOf(e.document.DocumentName)) + "vorlage.cfd"); }},
        {"Als bmp exportieren", nullptr, Exportieren1Click},
        {"Passende bmp exportieren", nullptr, Passendebmpexportieren1Click},
        // "Als PDF exportieren" is not here: a PDF carries the second it was
        // made, so a run's file cannot be compared with a reference run's.
        // tests/commands/test_vector_export.cpp checks its atomic write.
        {"Als SVG exportieren",
         [](Scene& s) {
             s.ui.saveDialogAnswers.push_back(s.path("Formeln/alt.svg"));
         },
         exportSvg},
    };
}

}  // namespace veltrano::test
