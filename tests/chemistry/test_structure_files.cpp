// MOL, SDF and SMILES out of a drawing and back into one keep the molecule.
#include "chemistry/drawing_chemistry.h"
#include "chemistry/structure_files.h"
#include "document/record_file.h"
#include "drawing_script.h"
#include "editor/editor_fixture.h"
#include "known_molecules.h"

#include <gtest/gtest.h>

namespace veltrano::test {
namespace {

using chemistry::StructureFormat;

std::string smilesOfRecords(const std::vector<ElementRecord>& records)
{
    const chemistry::DrawingChemistry chemistry = chemistry::interpretDrawing(records);
    for (const chemistry::ReadingProblem& problem : chemistry::allProblems(chemistry))
        ADD_FAILURE() << problem.message;
    return chemistry.fragments.size() == 1 ? chemistry.fragments[0].smiles : "";
}

std::string throughDrawing(const std::string& text, StructureFormat format)
{
    const chemistry::StructureImport imported = chemistry::importStructure(text, format, 30);
    EXPECT_TRUE(imported.problems.empty()) << imported.problems.front();
    return smilesOfRecords(imported.records);
}

class RoundTrip : public EditorTest, public ::testing::WithParamInterface<KnownMolecule> {};

TEST_P(RoundTrip, SmilesThroughDrawingKeepsCanonicalSmiles)
{
    const std::string expected = chemistry::canonicalSmiles(GetParam().smiles);
    EXPECT_EQ(throughDrawing(GetParam().smiles, StructureFormat::Smiles), expected);
}

TEST_P(RoundTrip, MolOfDrawnMoleculeThroughDrawingKeepsCanonicalSmiles)
{
    editor.workingFile.createEmpty();
    DrawingScript(editor).run(GetParam().drawing);
    const std::vector<ElementRecord> drawn = parseRecords(fileBytes(editor.workingFile.path()));
    const std::string mol = chemistry::structureText(drawn, StructureFormat::Mol);
    EXPECT_NE(mol.find("V2000"), std::string::npos);
    const std::string back = throughDrawing(mol, StructureFormat::Mol);
    EXPECT_EQ(back, smilesOfRecords(drawn));
    EXPECT_EQ(chemistry::structureText(drawn, StructureFormat::Smiles).substr(0, back.size()), back);
}

INSTANTIATE_TEST_SUITE_P(Known, RoundTrip, ::testing::ValuesIn(knownMolecules()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StructureFiles, SdfHoldsOneRecordPerFragmentAndReadsBackSideBySide)
{
    const std::string smiles = "CCO\nc1ccccc1\n";
    const chemistry::StructureImport two = chemistry::importStructure(smiles, StructureFormat::Smiles, 30);
    ASSERT_EQ(two.molecules, 2);
    const std::string sdf = chemistry::structureText(two.records, StructureFormat::Sdf);
    EXPECT_EQ(std::count(sdf.begin(), sdf.end(), '$'), 8);
    const chemistry::DrawingChemistry back =
        chemistry::interpretDrawing(chemistry::importStructure(sdf, StructureFormat::Sdf, 40).records);
    ASSERT_EQ(back.fragments.size(), 2u);
    EXPECT_EQ(back.fragments[0].smiles, "CCO");
    EXPECT_EQ(back.fragments[1].smiles, "c1ccccc1");
    EXPECT_NEAR(back.lineLength, 40, 0.5);
}

TEST(StructureFiles, BadInputIsNamedInGerman)
{
    for (const auto& [text, format] : {std::pair<std::string, StructureFormat>{"C1CC(", StructureFormat::Smiles},
                                       {"kein Molekül\n\n  0  0\nM  END", StructureFormat::Mol},
                                       {"", StructureFormat::Sdf},
                                       {std::string(3000, 'C'), StructureFormat::Smiles}}) {
        const chemistry::StructureImport imported = chemistry::importStructure(text, format, 30);
        EXPECT_TRUE(imported.records.empty());
        ASSERT_EQ(imported.problems.size(), 1u);
        EXPECT_TRUE(imported.problems[0].starts_with("Die ")) << imported.problems[0];
    }
}

}  // namespace
}  // namespace veltrano::test
