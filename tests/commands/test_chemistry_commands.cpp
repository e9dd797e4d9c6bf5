// The drawing as chemistry in the window's commands: the analysis table of
// the example (benzoic acid), SMILES on the clipboard, a SMILES inserted as
// a selected structure that one undo removes, and what cannot be read.

#include "command_fixture.h"
#include "commands/chemistry_commands.h"
#include "commands/edit_commands.h"
#include "document/element_kind.h"

namespace veltrano {
namespace {

class ChemistryCommands : public test::CommandTest {
protected:
    void openExample()
    {
        writeDocument(readAllRecords(FileSystem::system(), VELTRANO_SOURCE_DIR "/examples/benzoesaeure.cfd"));
    }
};

TEST_F(ChemistryCommands, TheAnalysisOfTheExampleShowsBenzoicAcid)
{
    openExample();
    run(analyseDrawing);
    ASSERT_EQ(ui.reports.size(), 1u);
    const ReportTable& report = ui.reports[0];
    EXPECT_EQ(report.title, "Analyse");
    ASSERT_EQ(report.rows.size(), 1u);
    const std::vector<std::string>& row = report.rows[0];
    EXPECT_EQ(row[2], "C<sub>7</sub>H<sub>6</sub>O<sub>2</sub>");
    EXPECT_EQ(row[3], "122,12 g/mol");
    EXPECT_EQ(row[4], "122,0368 g/mol");
    EXPECT_EQ(row[5], "O=C(O)c1ccccc1");
    EXPECT_FALSE(editor.editing.SelectionPresent);  // nothing to frame

    run(copySmiles);
    EXPECT_EQ(ui.clipboardData("text/plain"), "O=C(O)c1ccccc1");
    EXPECT_EQ(formulaHtml("C2H3O2-"), "C<sub>2</sub>H<sub>3</sub>O<sub>2</sub><sup>−</sup>");
    EXPECT_EQ(formulaHtml("CaH2+2"), "CaH<sub>2</sub><sup>2+</sup>");
}

TEST_F(ChemistryCommands, AnUnreadLabelIsNamedAndFramed)
{
    // A label far from every bond end.
    writeDocument({makeRecord(kind::SingleBond, 100, 100, 130, 100), makeRecord(kind::SingleBond, 130, 100, 145, 126),
                   makeRecord(20, 400, 400, 12, 0)});
    run(analyseDrawing);
    ASSERT_EQ(ui.reports.size(), 1u);
    EXPECT_FALSE(ui.reports[0].notes.empty());
    EXPECT_TRUE(editor.editing.SelectionPresent);
    EXPECT_TRUE(editor.editing.SelMarks.isMarked(2));
    EXPECT_FALSE(editor.editing.SelMarks.isMarked(0));
}

TEST_F(ChemistryCommands, AnInsertedSmilesArrivesSelectedAndOneUndoRemovesIt)
{
    openExample();
    const test::Bytes before = document();
    ui.inputAnswers = {"CN1C=NC2=C1C(=O)N(C(=O)N2C)C"};  // caffeine
    run(insertSmiles);
    ASSERT_TRUE(ui.errors.empty() && ui.messages.empty());
    const std::vector<ElementRecord> records = editor.workingFile.readAll();
    ASSERT_GT(records.size(), readAllRecords(FileSystem::system(), VELTRANO_SOURCE_DIR "/examples/benzoesaeure.cfd").size());
    EXPECT_TRUE(editor.editing.SelectionPresent);
    EXPECT_TRUE(editor.editing.SelMarks.isMarked(std::uint32_t(records.size() - 1)));
    run(analyseDrawing);
    bool caffeine = false;
    for (const auto& row : ui.reports.back().rows)
        caffeine |= row[2] == "C<sub>8</sub>H<sub>10</sub>N<sub>4</sub>O<sub>2</sub>";
    EXPECT_TRUE(caffeine);
    run(Undo1Click);
    EXPECT_EQ(document(), before);

    // Text that is no SMILES is named; nothing is inserted.
    ui.inputAnswers = {"C1CC(("};
    run(insertSmiles);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].starts_with("Die Struktur konnte nicht gelesen werden.")) << ui.messages[0];
    EXPECT_EQ(document(), before);
}

}  // namespace
}  // namespace veltrano
