// Every command that changes the drawing makes "&Neu", "Ö&ffnen",
// "&Beenden" and closing the window ask before it is dropped; a drawing
// that equals what was last saved (saved again, or undone back to it) makes
// none of them ask.

#include "command_fixture.h"
#include "commands/colour_commands.h"
#include "commands/edit_commands.h"
#include "commands/file_commands.h"
#include "commands/merge.h"
#include "commands/move_commands.h"
#include "commands/view_commands.h"
#include "document/element_kind.h"
#include "editor/pointer.h"

#include <functional>

namespace veltrano {
namespace {

using test::putFileBytes;
using test::recordFileBytes;

const std::vector<ElementRecord> kSaved = {
    makeRecord(kind::SingleBond, 100, 100, 130, 100),
    makeRecord(0, 140, 95, 12, 0),
    makeRecord(kind::SingleBond, 300, 300, 330, 300),
};

struct Prompt;

class UnsavedChanges : public test::CommandTest {
public:
    // The tables' steps reach the UI port and the folder.
    using CommandTest::path;
    using CommandTest::ui;

protected:
    // The document of kSaved, opened from Formeln/gespeichert.cfd.
    void openSaved()
    {
        putFileBytes(path("Formeln/gespeichert.cfd"), recordFileBytes(kSaved));
        ui.openDialogAnswers = {path("Formeln/gespeichert.cfd")};
        ui.messageAnswers.clear();
        if (hasUnsavedChanges(editor.document, editor.workingFile))
            ui.messageAnswers = {MessageResult::No};
        run(ffnen1Click);
        ASSERT_EQ(document(), recordFileBytes(kSaved));
        ui.clearLog();
    }

    // Whether the prompt asked its question (and only that one).
    bool asks(const Prompt& prompt);
};

struct Change {
    const char* name;
    std::function<void(UnsavedChanges&, Editor&)> run;
};

void press(Editor& e, PointerButton button, int x, int y, int toX, int toY)
{
    I1MouseDown(e, button, x, y);
    if (toX != x || toY != y)
        I1MouseMove(e, toX, toY);
    I1MouseUp(e, button, toX, toY);
}

void selectFirstTwo(Editor& e)
{
    e.editing.SelMarks.mark(0);
    e.editing.SelMarks.mark(1);
    e.editing.SelectionPresent = true;
    e.editing.SelRect = SelectionRect{90, 90, 160, 120};
}

const Change kChanges[] = {
    {"Bindung zeichnen", [](auto&, Editor& e) { press(e, PointerButton::Left, 500, 500, 560, 500); }},
    {"DB-Linie", [](auto&, Editor& e) {
         e.tools.RightLabel = kind::DoubleBondMarker;
         press(e, PointerButton::Right, 115, 103, 115, 103);
     }},
    {"Beschriftung", [](auto&, Editor& e) {
         e.tools.RightLabel = 5;
         press(e, PointerButton::Right, 600, 600, 600, 600);
     }},
    {"Text", [](UnsavedChanges& t, Editor& e) {
         e.tools.RightLabel = kind::TextTool;
         t.ui.texts["Edit1"] = "Ab";
         press(e, PointerButton::Right, 700, 200, 700, 200);
     }},
    {"Verschieben", [](auto&, Editor& e) {
         selectFirstTwo(e);
         moveStep(e, MoveDirection::Right);
     }},
    {"Umfärben", [](auto&, Editor& e) {
         selectFirstTwo(e);
         colourButtonClick(e, Control::SpeedButton12);
     }},
    {"Einfügen", [](UnsavedChanges& t, Editor& e) {
         putFileBytes(t.path("work/kopie.dat"), recordFileBytes({kSaved[2]}));
         Einfgen1Click(e);
     }},
    {"Löschen", [](auto&, Editor& e) {
         selectFirstTwo(e);
         Lschen1Click(e);
     }},
    {"Einzeln löschen", [](auto&, Editor& e) { BitBtn1Click(e); }},
    {"cfd-Datei einfügen", [](UnsavedChanges& t, Editor& e) {
         putFileBytes(t.path("Formeln/anderes.cfd"), recordFileBytes({kSaved[0]}));
         t.ui.openDialogAnswers.push_back(t.path("Formeln/anderes.cfd"));
         Importieren1Click(e);
     }},
    {"Vorlage", [](UnsavedChanges& t, Editor& e) {
         putFileBytes(t.path("Formeln/30benzol.cfd"), recordFileBytes({kSaved[2], kSaved[0]}));
         mergeFormulaFile(e, t.path("Formeln/30benzol.cfd"));
     }},
    {"Rückgängig", [](UnsavedChanges& t, Editor& e) {
         putFileBytes(t.path("work/sicher1.dat"), recordFileBytes({kSaved[1]}));
         Undo1Click(e);
     }},
};

struct Prompt {
    const char* name;
    std::string_view question;
    // Runs the prompt, answering it (when asked) so that nothing is lost.
    std::function<void(UnsavedChanges&, Editor&)> run;
};

const Prompt kPrompts[] = {
    {"Neu", kSaveFirstQuestion, [](UnsavedChanges& t, Editor& e) {
         t.ui.messageAnswers = {MessageResult::Yes};
         t.ui.saveDialogAnswers = {std::nullopt};
         Neu1Click(e);
     }},
    {"Öffnen", kSaveFirstQuestion, [](UnsavedChanges& t, Editor& e) {
         t.ui.messageAnswers = {MessageResult::Yes};
         t.ui.saveDialogAnswers = {std::nullopt};
         t.ui.openDialogAnswers = {std::nullopt};
         ffnen1Click(e);
     }},
    {"Beenden", kDiscardQuestion, [](UnsavedChanges& t, Editor& e) {
         t.ui.messageAnswers = {MessageResult::Cancel};
         Beenden1Click(e);
         EXPECT_EQ(t.ui.closeRequests, t.ui.messageBoxes.empty() ? 1 : 0);
     }},
    {"Fenster schließen", kDiscardQuestion, [](UnsavedChanges& t, Editor& e) {
         t.ui.messageAnswers = {MessageResult::Cancel};
         const bool mayClose = FormCloseQuery(e);
         EXPECT_EQ(mayClose, t.ui.messageBoxes.empty());
     }},
};

bool UnsavedChanges::asks(const Prompt& prompt)
{
    ui.messageBoxes.clear();
    run([&](Editor& e) { prompt.run(*this, e); });
    if (ui.messageBoxes.empty())
        return false;
    EXPECT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, prompt.question);
    return true;
}

TEST_F(UnsavedChanges, EveryChangeMakesEveryPromptAskAndASaveOrAnUndoEndsIt)
{
    for (const Change& change : kChanges) {
        for (const Prompt& prompt : kPrompts) {
            SCOPED_TRACE(std::string(change.name) + ", then " + prompt.name);
            editor.editing = EditingState{};
            ui.closeRequests = 0;
            openSaved();
            const test::Bytes before = document();
            run([&](Editor& e) { change.run(*this, e); });
            ASSERT_TRUE(ui.errors.empty()) << ui.errors.front();
            ASSERT_NE(document(), before) << "the command changed nothing";
            EXPECT_TRUE(asks(prompt));
            // The question cancelled or the save declined: the drawing stays.
            EXPECT_NE(document(), before);
        }
    }
}

TEST_F(UnsavedChanges, AnUnchangedOrSavedOrUndoneDrawingMakesNoPromptAsk)
{
    for (const Prompt& prompt : kPrompts) {
        SCOPED_TRACE(prompt.name);
        // Opened and untouched.
        ui.closeRequests = 0;
        openSaved();
        EXPECT_FALSE(asks(prompt));

        // Drawn on, then saved under its name.
        ui.closeRequests = 0;
        openSaved();
        run([](Editor& e) { press(e, PointerButton::Left, 500, 500, 560, 500); });
        run(Speichern2Click);
        EXPECT_FALSE(asks(prompt));

        // Recoloured with the count unchanged, then undone back to the saved
        // state: nothing is lost.
        ui.closeRequests = 0;
        openSaved();
        run([](Editor& e) { press(e, PointerButton::Left, 500, 500, 560, 500); });
        run(Undo1Click);
        ASSERT_EQ(document(), recordFileBytes(kSaved));
        EXPECT_FALSE(asks(prompt));

        // A new, empty drawing after a dropped one.
        ui.closeRequests = 0;
        writeDocument(kSaved);
        ui.messageAnswers = {MessageResult::No};
        run(Neu1Click);
        EXPECT_FALSE(asks(prompt));
    }
}

}  // namespace
}  // namespace veltrano
