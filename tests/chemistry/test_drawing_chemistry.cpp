// Known molecules drawn as a user draws them read back as published.
#include "chemistry/drawing_chemistry.h"
#include "document/record_file.h"
#include "drawing_script.h"
#include "editor/editor_fixture.h"
#include "known_molecules.h"

#include <gtest/gtest.h>

namespace veltrano::test {
namespace {

class DrawnMolecule : public EditorTest, public ::testing::WithParamInterface<KnownMolecule> {
protected:
    void SetUp() override { editor.workingFile.createEmpty(); }

    std::vector<ElementRecord> draw(const char* script)
    {
        DrawingScript(editor).run(script);
        return parseRecords(fileBytes(editor.workingFile.path()));
    }
};

TEST_P(DrawnMolecule, ReadsAsPublished)
{
    const KnownMolecule& molecule = GetParam();
    const chemistry::DrawingChemistry chemistry = chemistry::interpretDrawing(draw(molecule.drawing));
    for (const chemistry::ReadingProblem& problem : chemistry::allProblems(chemistry))
        ADD_FAILURE() << problem.message;
    ASSERT_EQ(chemistry.fragments.size(), 1u);
    const chemistry::Fragment& fragment = chemistry.fragments[0];
    EXPECT_EQ(fragment.formula, molecule.formula);
    EXPECT_NEAR(fragment.molarMass, molecule.molarMass, 0.01);
    EXPECT_EQ(fragment.smiles, chemistry::canonicalSmiles(molecule.smiles));
}

INSTANTIATE_TEST_SUITE_P(Known, DrawnMolecule, ::testing::ValuesIn(knownMolecules()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace veltrano::test
