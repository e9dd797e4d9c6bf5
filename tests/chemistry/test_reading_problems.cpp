// Drawings a chemist would call broken are named, and a reaction splits into
// its educt and product.
#include "chemistry/drawing_chemistry.h"
#include "document/element_kind.h"
#include "document/record_file.h"
#include "drawing_script.h"
#include "editor/editor_fixture.h"

#include <gtest/gtest.h>

namespace veltrano::test {
namespace {

struct BrokenDrawing {
    const char* name;
    const char* drawing;
    const char* problem;  // the start of the message
};

const BrokenDrawing kBroken[] = {
    {"carbon_with_five_bonds", "@300,300 0>0 0>90 0>180 0>270 0>30", "Das Kohlenstoffatom hat zu viele Bindungen"},
    {"subscript_without_label", "@300,300 0>30 1>-30 s1:3", "Die Zahl \u201E3\u201C gehört zu keinem Etikett"},
    {"label_beside_bond_end", "@300,300 0>30 @340,300 L2:OH", "Das Etikett \u201EOH\u201C steht neben einem Bindungsende"},
    {"two_labels_on_one_atom", "@300,300 0>30 L1:OH L1:Cl", "Zwei Etiketten stehen am selben Atom"},
    {"count_that_does_not_fit", "@300,300 0>30 L1:OH s1:3", "Das Etikett \u201EOH\u201C mit der Zahl 3 ist nicht lesbar"},
    {"carboxyl_missing_its_charge", "@300,300 0>30 L1:COO", "Dem Atom O fehlt eine Bindung oder eine Ladung"},
};

class Broken : public EditorTest, public ::testing::WithParamInterface<BrokenDrawing> {};

TEST_P(Broken, IsNamedWithItsRecords)
{
    editor.workingFile.createEmpty();
    DrawingScript(editor).run(GetParam().drawing);
    const auto records = parseRecords(fileBytes(editor.workingFile.path()));
    const std::vector<chemistry::ReadingProblem> problems = chemistry::allProblems(chemistry::interpretDrawing(records));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_TRUE(problems[0].message.starts_with(GetParam().problem)) << problems[0].message;
    EXPECT_FALSE(problems[0].records.empty());
    for (std::size_t r : problems[0].records)
        EXPECT_LT(r, records.size());
}

INSTANTIATE_TEST_SUITE_P(Drawings, Broken, ::testing::ValuesIn(kBroken),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Reaction, ArrowSplitsEductFromProductInLeftToRightOrder)
{
    // Ethanol right of the arrow, acetic acid left of it: the numbers follow
    // the page, the roles the arrow.
    std::vector<ElementRecord> page = {
        makeRecord(kind::SingleBond, 500, 300, 526, 285), makeRecord(kind::SingleBond, 526, 285, 552, 300),
        makeRecord(20, 547, 291, 12, 0),
        makeRecord(kind::StraightArrow, 300, 300, 420, 300),
        makeRecord(kind::SingleBond, 100, 300, 126, 285), makeRecord(kind::DoubleBond, 126, 285, 126, 255),
        makeRecord(kind::SingleBond, 126, 285, 152, 300), makeRecord(0, 121, 246, 12, 0),
        makeRecord(20, 147, 291, 12, 0), makeRecord(11, 330, 280, 12, 0),
    };
    const chemistry::DrawingChemistry chemistry = chemistry::interpretDrawing(page);
    EXPECT_TRUE(chemistry::allProblems(chemistry).empty());
    ASSERT_EQ(chemistry.fragments.size(), 2u);
    EXPECT_EQ(chemistry.fragments[0].smiles, "CC(=O)O");
    EXPECT_EQ(chemistry.fragments[0].role, chemistry::FragmentRole::Educt);
    EXPECT_EQ(chemistry.fragments[1].smiles, "CCO");
    EXPECT_EQ(chemistry.fragments[1].role, chemistry::FragmentRole::Product);
}

TEST(Reading, HostileRecordsNeverCrash)
{
    std::vector<ElementRecord> page;
    for (int k = 0; k < 700; ++k)
        page.push_back(makeRecord(ElementKind(k), k % 7 ? 1e30 : 300 + k % 5, k % 3 ? -1e30 : 300, 1e-30 * k, 300));
    const chemistry::DrawingChemistry chemistry = chemistry::interpretDrawing(page);
    EXPECT_GE(chemistry.lineLength, 0);
}

}  // namespace
}  // namespace veltrano::test
