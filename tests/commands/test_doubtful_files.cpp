// "Ö&ffnen" and "cfd-Datei einfügen" with files that are no drawings: the
// user is asked, "Abbrechen" changes nothing, and a file opened anyway is
// never written over by "&Speichern".

#include "command_fixture.h"
#include "commands/file_commands.h"
#include "commands/formula_file_check.h"
#include "commands/merge.h"
#include "document/element_kind.h"

namespace veltrano {
namespace {

using test::Bytes;
using test::fileBytes;
using test::putFileBytes;
using test::recordFileBytes;

const std::vector<ElementRecord> kDrawing = {makeRecord(kind::SingleBond, 100, 100, 130, 100)};

class DoubtfulFiles : public test::CommandTest {
protected:
    // A text file of 96 bytes (three records' worth) named like a drawing.
    std::string textFile()
    {
        const std::string name = path("Formeln/Liste.cfd");
        putFileBytes(name, source);
        return name;
    }

    const Bytes source = Bytes(96, 'x');
};

TEST_F(DoubtfulFiles, OpenAsksAndAFileOpenedAnywayIsSavedOnlyUnderANewName)
{
    writeDocument(kDrawing);
    const std::string name = textFile();

    // "Abbrechen": the drawing stays.
    ui.openDialogAnswers = {name};
    ui.messageAnswers = {MessageResult::No, MessageResult::Cancel};
    run(ffnen1Click);
    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    EXPECT_EQ(ui.messageBoxes[1].text,
              "„Liste.cfd“ sieht nicht wie eine Formeldatei aus: nur 0 von 3 Elementen haben eine bekannte Art.\n\n" +
                  std::string(kDoubtfulOpenConsequence));
    EXPECT_EQ(document(), recordFileBytes(kDrawing));
    EXPECT_TRUE(editor.document.DocumentName.empty());

    // "Trotzdem öffnen": the bytes are the document; "&Speichern" asks for
    // a name, and a cancelled dialog writes nothing.
    ui.openDialogAnswers = {name};
    ui.messageAnswers = {MessageResult::No, MessageResult::Ok};
    run(ffnen1Click);
    EXPECT_EQ(document(), source);
    EXPECT_EQ(editor.document.DocumentName, name);
    editor.workingFile.AppendRecord(kDrawing[0]);
    ui.saveDialogAnswers = {std::nullopt};
    run(Speichern2Click);
    EXPECT_EQ(ui.saveDialogs.size(), 1u);
    EXPECT_EQ(fileBytes(name), source);

    // Saved under a new name, the document is an ordinary one again.
    const std::string copy = path("Formeln/Kopie.cfd");
    ui.saveDialogAnswers = {copy};
    run(Speichern2Click);
    EXPECT_EQ(fileBytes(copy), document());
    editor.workingFile.AppendRecord(kDrawing[0]);
    run(Speichern2Click);
    EXPECT_EQ(ui.saveDialogs.size(), 2u);
    EXPECT_EQ(fileBytes(copy), document());
    EXPECT_EQ(fileBytes(name), source);
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(DoubtfulFiles, MergeAsksAndAbbrechenInsertsNothingAndKeepsThePointer)
{
    writeDocument(kDrawing);
    const std::string name = textFile();
    ui.openDialogAnswers = {name};
    ui.messageAnswers = {MessageResult::Cancel};
    run(Importieren1Click);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].buttons, MessageButtons::OpenAnywayCancel);
    EXPECT_EQ(document(), recordFileBytes(kDrawing));
    EXPECT_FALSE(ui.isTimerRunning(ui::kReenableTimer));
    EXPECT_FALSE(ui.callsStartingWith("setEnabled I1").size() > 0);

    ui.openDialogAnswers = {name};
    ui.messageAnswers = {MessageResult::Ok};
    run(Importieren1Click);
    Bytes merged = recordFileBytes(kDrawing);
    merged.insert(merged.end(), source.begin(), source.end());
    EXPECT_EQ(document(), merged);
    EXPECT_EQ(editor.editing.SelMarks.markedCount(), 3u);
}

}  // namespace
}  // namespace veltrano
