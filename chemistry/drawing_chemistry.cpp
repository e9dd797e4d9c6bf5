#include "chemistry/drawing_chemistry.h"

#include "chemistry/drawing_graph.h"
#include "chemistry/interpreted_drawing.h"
#include "chemistry/label_groups.h"

#include <GraphMol/Conformer.h>
#include <GraphMol/Descriptors/MolDescriptors.h>
#include <GraphMol/FileParsers/MolFileStereochem.h>
#include <GraphMol/MolOps.h>
#include <GraphMol/RWMol.h>
#include <GraphMol/SanitException.h>
#include <GraphMol/SmilesParse/SmilesParse.h>
#include <GraphMol/SmilesParse/SmilesWrite.h>
#include <RDGeneral/RDLog.h>
#ifdef VELTRANO_HAVE_INCHI
#include <GraphMol/inchi.h>
#endif

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <numeric>
#include <optional>

namespace veltrano::chemistry {

namespace {

// The parsed forms of the label table, parsed once.
const RDKit::RWMol& parsedForm(std::string_view smiles)
{
    static std::mutex lock;
    static std::map<std::string, std::unique_ptr<RDKit::RWMol>, std::less<>> cache;
    const std::lock_guard guard(lock);
    auto found = cache.find(smiles);
    if (found == cache.end()) {
        RDKit::SmilesParserParams params;
        params.sanitize = false;
        params.removeHs = false;
        found = cache.emplace(std::string(smiles), std::unique_ptr<RDKit::RWMol>(RDKit::SmilesToMol(std::string(smiles), params))).first;
    }
    return *found->second;
}

// Connected atoms of the graph, in the order of their first atom.
std::vector<std::vector<int>> components(const DrawingGraph& graph)
{
    std::vector<int> parent(graph.atoms.size());
    std::iota(parent.begin(), parent.end(), 0);
    auto root = [&](int a) {
        while (parent[std::size_t(a)] != a)
            a = parent[std::size_t(a)] = parent[std::size_t(parent[std::size_t(a)])];
        return a;
    };
    std::vector<bool> bonded(graph.atoms.size(), false);
    for (const GraphBond& b : graph.bonds) {
        parent[std::size_t(root(b.from))] = root(b.to);
        bonded[std::size_t(b.from)] = bonded[std::size_t(b.to)] = true;
    }
    std::map<int, std::size_t> index;
    std::vector<std::vector<int>> result;
    for (std::size_t a = 0; a < graph.atoms.size(); ++a) {
        if (!bonded[a] && !graph.atoms[a].label)
            continue;  // the end of a bond that was not taken
        const auto [slot, added] = index.emplace(root(int(a)), result.size());
        if (added)
            result.emplace_back();
        result[slot->second].push_back(int(a));
    }
    return result;
}

// Builds one fragment's molecule from the graph.
class FragmentBuilder {
public:
    FragmentBuilder(const DrawingGraph& graph, const std::vector<int>& atoms, std::vector<GraphBond> bonds,
                    Fragment& fragment)
        : m_graph(graph), m_atoms(atoms), m_bonds(std::move(bonds)), m_fragment(fragment)
    {
    }

    std::shared_ptr<RDKit::RWMol> build();

private:
    struct Placed {
        unsigned first = 0, other = 0, charge = 0, count = 0;
    };

    bool addAtoms();
    void addBonds();
    void placeCoordinates();
    bool sanitize();
    void reportRadicals();
    void problem(std::string message, std::vector<std::size_t> records)
    {
        m_fragment.problems.push_back({std::move(message), std::move(records)});
    }
    std::vector<std::size_t> recordsOfMolAtom(unsigned index) const;

    const DrawingGraph& m_graph;
    const std::vector<int>& m_atoms;
    std::vector<GraphBond> m_bonds;  // those of this fragment
    Fragment& m_fragment;
    std::shared_ptr<RDKit::RWMol> m_mol = std::make_shared<RDKit::RWMol>();
    std::map<int, Placed> m_placed;     // graph atom -> its molecule atoms
    std::vector<int> m_graphAtomOf;     // molecule atom -> graph atom
};

bool FragmentBuilder::addAtoms()
{
    bool readable = true;
    for (int a : m_atoms) {
        const GraphAtom& atom = m_graph.atoms[std::size_t(a)];
        Placed placed;
        placed.first = m_mol->getNumAtoms();
        if (atom.text.empty()) {
            m_mol->addAtom(new RDKit::Atom(6), false, true);
            placed.other = placed.charge = placed.first;
            placed.count = 1;
        } else {
            const std::optional<GroupForm> form = groupForm(atom.text, atom.count);
            if (!form) {
                problem(atom.count == 1 ? "Das Etikett " + quotedLabelText(atom.text) + " ist kein Atom und keine Gruppe."
                                        : "Das Etikett " + quotedLabelText(atom.text) + " mit der Zahl "
                                              + std::to_string(atom.count) + " ist nicht lesbar.",
                        atom.records);
                readable = false;
                m_mol->addAtom(new RDKit::Atom(0), false, true);  // keeps the indices
                placed.other = placed.charge = placed.first;
            } else {
                const RDKit::RWMol& group = parsedForm(form->smiles);
                m_mol->insertMol(group);
                placed.other = placed.first + unsigned(form->otherSideAtom < 0 ? 0 : form->otherSideAtom);
                placed.charge = placed.first + unsigned(form->chargeAtom);
                placed.count = group.getNumAtoms();
            }
        }
        if (atom.charge != 0) {
            RDKit::Atom* charged = m_mol->getAtomWithIdx(placed.charge);
            charged->setFormalCharge(charged->getFormalCharge() + atom.charge);
        }
        while (m_graphAtomOf.size() < m_mol->getNumAtoms())
            m_graphAtomOf.push_back(a);
        m_placed[a] = placed;
    }
    return readable;
}

void FragmentBuilder::addBonds()
{
    // A group with bonds on both sides takes those of its other side at its
    // other atom ("COO" between two carbons is an ester).
    std::map<int, std::pair<int, int>> sides;  // graph atom -> bonds from left, from right
    for (const GraphBond& b : m_bonds) {
        if (!m_placed.contains(b.from))
            continue;
        const Point2 p = m_graph.atoms[std::size_t(b.from)].at, q = m_graph.atoms[std::size_t(b.to)].at;
        (q.x < p.x ? sides[b.from].first : sides[b.from].second)++;
        (p.x < q.x ? sides[b.to].first : sides[b.to].second)++;
    }
    auto endAtom = [&](int atom, int neighbour) {
        const Placed& placed = m_placed.at(atom);
        const GraphAtom& a = m_graph.atoms[std::size_t(atom)];
        if (placed.other == placed.first || a.text.empty())
            return placed.first;
        const std::optional<GroupForm> form = groupForm(a.text, a.count);
        const auto [left, right] = sides[atom];
        if (!form || left == 0 || right == 0)
            return placed.first;
        const bool fromLeft = m_graph.atoms[std::size_t(neighbour)].at.x < a.at.x;
        return fromLeft == form->otherSideIsLeft ? placed.other : placed.first;
    };
    for (const GraphBond& b : m_bonds) {
        if (!m_placed.contains(b.from))
            continue;
        const unsigned from = endAtom(b.from, b.to), to = endAtom(b.to, b.from);
        const RDKit::Bond::BondType type = b.order == 3   ? RDKit::Bond::TRIPLE
                                           : b.order == 2 ? RDKit::Bond::DOUBLE
                                                          : RDKit::Bond::SINGLE;
        const unsigned count = m_mol->addBond(from, to, type);
        RDKit::Bond* bond = m_mol->getBondWithIdx(count - 1);
        if (b.stereo == BondStereo::Wedge)
            bond->setBondDir(RDKit::Bond::BEGINWEDGE);
        else if (b.stereo == BondStereo::Hash)
            bond->setBondDir(RDKit::Bond::BEGINDASH);
        m_fragment.records.push_back(b.record);
        if (b.innerLine)
            m_fragment.records.push_back(*b.innerLine);
    }
}

// Atom points in Å, y upward; the further atoms of a group in a short row
// away from its bonds, so that a MOL file shows them apart.
void FragmentBuilder::placeCoordinates()
{
    const double scale = angstromPerPixel(m_graph.lineLength);
    auto* conformer = new RDKit::Conformer(m_mol->getNumAtoms());
    conformer->set3D(false);
    for (const auto& [a, placed] : m_placed) {
        const Point2 p = m_graph.atoms[std::size_t(a)].at;
        double dx = 0, dy = 0;
        for (const GraphBond& b : m_bonds) {
            if (b.from != a && b.to != a)
                continue;
            const Point2 q = m_graph.atoms[std::size_t(b.from == a ? b.to : b.from)].at;
            const double d = std::hypot(q.x - p.x, q.y - p.y);
            if (d > 0) {
                dx -= (q.x - p.x) / d;
                dy -= (q.y - p.y) / d;
            }
        }
        const double norm = std::hypot(dx, dy);
        if (norm < 1e-6) {
            dx = 1;
            dy = 0;
        } else {
            dx /= norm;
            dy /= norm;
        }
        for (unsigned k = 0; k < placed.count; ++k) {
            const double step = 0.5 * m_graph.lineLength * k;
            conformer->setAtomPos(placed.first + k,
                                  RDGeom::Point3D((p.x + dx * step) * scale, -(p.y + dy * step) * scale, 0));
        }
    }
    m_mol->addConformer(conformer, true);
}

std::vector<std::size_t> FragmentBuilder::recordsOfMolAtom(unsigned index) const
{
    if (index >= m_graphAtomOf.size())
        return {};
    const int atom = m_graphAtomOf[index];
    std::vector<std::size_t> records = m_graph.atoms[std::size_t(atom)].records;
    for (const GraphBond& b : m_bonds) {
        if (b.from == atom || b.to == atom)
            records.push_back(b.record);
    }
    return records;
}

std::string elementName(const RDKit::Atom& atom)
{
    return atom.getAtomicNum() == 6 ? std::string("Kohlenstoffatom") : "Atom " + atom.getSymbol();
}

bool FragmentBuilder::sanitize()
{
    // Stereo comes from wedges and from the drawn sides of double bonds;
    // without either there is none to perceive.
    bool wedges = false, doubles = false;
    for (const GraphBond& b : m_bonds) {
        wedges = wedges || b.stereo != BondStereo::None;
        doubles = doubles || b.order == 2;
    }
    try {
        if (wedges)
            RDKit::DetectAtomStereoChemistry(*m_mol, &m_mol->getConformer());
        RDKit::MolOps::sanitizeMol(*m_mol);
        if (wedges || doubles) {
            RDKit::DetectBondStereoChemistry(*m_mol, &m_mol->getConformer());
            RDKit::MolOps::assignStereochemistry(*m_mol, true, true, true);
        }
        return true;
    } catch (const RDKit::AtomValenceException& error) {
        const RDKit::Atom& atom = *m_mol->getAtomWithIdx(error.getAtomIdx());
        problem("Das " + elementName(atom) + " hat zu viele Bindungen.", recordsOfMolAtom(error.getAtomIdx()));
    } catch (const RDKit::KekulizeException& error) {
        std::vector<std::size_t> records;
        for (unsigned index : error.getAtomIndices()) {
            const std::vector<std::size_t> more = recordsOfMolAtom(index);
            records.insert(records.end(), more.begin(), more.end());
        }
        problem("Die Doppelbindungen dieses Rings lassen sich nicht lesen.", records);
    } catch (const RDKit::AtomSanitizeException& error) {
        problem("Ein Atom lässt sich chemisch nicht lesen.", recordsOfMolAtom(error.getAtomIdx()));
    } catch (const std::exception&) {
        problem("Dieser Teil der Zeichnung lässt sich chemisch nicht lesen.", m_fragment.records);
    }
    return false;
}

// An atom left with an unpaired electron was drawn with a bond or charge
// missing ("COO" alone); the figures stand, the gap is named.
void FragmentBuilder::reportRadicals()
{
    for (const RDKit::Atom* atom : m_mol->atoms()) {
        if (atom->getNumRadicalElectrons() > 0)
            problem("Dem " + elementName(*atom) + " fehlt eine Bindung oder eine Ladung.",
                    recordsOfMolAtom(atom->getIdx()));
    }
}

std::shared_ptr<RDKit::RWMol> FragmentBuilder::build()
{
    const bool labelsReadable = addAtoms();
    addBonds();
    for (int a : m_atoms) {
        const std::vector<std::size_t>& more = m_graph.atoms[std::size_t(a)].records;
        m_fragment.records.insert(m_fragment.records.end(), more.begin(), more.end());
    }
    std::sort(m_fragment.records.begin(), m_fragment.records.end());
    placeCoordinates();
    if (!labelsReadable || !sanitize())
        return nullptr;
    reportRadicals();
    m_fragment.readable = true;
    m_fragment.formula = RDKit::Descriptors::calcMolFormula(*m_mol);
    m_fragment.molarMass = RDKit::Descriptors::calcAMW(*m_mol);
    m_fragment.exactMass = RDKit::Descriptors::calcExactMW(*m_mol);
    m_fragment.smiles = RDKit::MolToSmiles(*m_mol);
    return m_mol;
}

std::vector<std::size_t> fragmentRecords(const DrawingGraph& graph, const std::vector<int>& atoms,
                                         const std::vector<GraphBond>& bonds)
{
    std::vector<std::size_t> records;
    for (int a : atoms) {
        const std::vector<std::size_t>& more = graph.atoms[std::size_t(a)].records;
        records.insert(records.end(), more.begin(), more.end());
    }
    for (const GraphBond& b : bonds) {
        records.push_back(b.record);
        if (b.innerLine)
            records.push_back(*b.innerLine);
    }
    std::sort(records.begin(), records.end());
    return records;
}

Box boxOf(const DrawingGraph& graph, const std::vector<int>& atoms)
{
    Box box{1e300, 1e300, -1e300, -1e300};
    for (int a : atoms) {
        const Point2 p = graph.atoms[std::size_t(a)].at;
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x);
        box.bottom = std::max(box.bottom, p.y);
    }
    return box;
}

// A reaction arrow as roleOf measures it: its tail and direction, taken
// once for all fragments. Arrows of no length point nowhere and are left out.
struct ArrowAxis {
    Point2 tail;
    double ax = 0, ay = 0, length2 = 0;
};

std::vector<ArrowAxis> arrowAxes(const std::vector<GraphArrow>& arrows)
{
    std::vector<ArrowAxis> axes;
    axes.reserve(arrows.size());
    for (const GraphArrow& arrow : arrows) {
        const double ax = arrow.tip.x - arrow.tail.x, ay = arrow.tip.y - arrow.tail.y;
        const double length2 = ax * ax + ay * ay;
        if (length2 <= 0)
            continue;
        axes.push_back({arrow.tail, ax, ay, length2});
    }
    return axes;
}

// Before or after the nearest reaction arrow, along its direction.
FragmentRole roleOf(const Box& box, const std::vector<ArrowAxis>& arrows)
{
    const Point2 centre{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    bool found = false;
    double best = 1e300, bestT = 0;
    // An arrow whose squared distance is a billionth above the square of
    // the best distance cannot come nearer: its root is only taken where
    // it might (the root, not the square, decides as it always did).
    double bestSquare = best * best;
    for (const ArrowAxis& arrow : arrows) {
        const double t =
            ((centre.x - arrow.tail.x) * arrow.ax + (centre.y - arrow.tail.y) * arrow.ay) / arrow.length2;
        const double c = std::clamp(t, 0.0, 1.0);
        const double dx = centre.x - arrow.tail.x - c * arrow.ax, dy = centre.y - arrow.tail.y - c * arrow.ay;
        if (dx * dx + dy * dy > bestSquare)
            continue;
        const double d = std::hypot(dx, dy);
        if (d < best) {
            best = d;
            bestSquare = d * d * (1 + 1e-9);
            bestT = t;
            found = true;
        }
    }
    if (!found)
        return FragmentRole::Alone;
    return bestT < 0.5 ? FragmentRole::Educt : FragmentRole::Product;
}

}  // namespace

void silenceRdkitLogs()
{
    static std::once_flag once;
    std::call_once(once, [] { boost::logging::disable_logs("rdApp.*"); });
}

namespace {

// A fragment whose reading depends on its connections alone (no wedges, no
// double bond that could be E or Z) has the same figures wherever it
// stands: the key says which atoms and bonds it has, in drawing order.
std::optional<std::string> topologyKey(const DrawingGraph& graph, const std::vector<int>& atoms,
                                       const std::vector<GraphBond>& bonds)
{
    std::map<int, int> local;
    std::string key;
    for (int a : atoms) {
        const GraphAtom& atom = graph.atoms[std::size_t(a)];
        local[a] = int(local.size());
        key += std::string(atom.text) + "," + std::to_string(atom.count) + "," + std::to_string(atom.charge) + ";";
    }
    std::vector<int> degree(atoms.size(), 0);
    for (const GraphBond& b : bonds) {
        if (local.contains(b.from)) {
            ++degree[std::size_t(local[b.from])];
            ++degree[std::size_t(local[b.to])];
        }
    }
    for (const GraphBond& b : bonds) {
        if (!local.contains(b.from))
            continue;
        // A wedge matters only at an atom of three or more bonds.
        if ((b.stereo != BondStereo::None && degree[std::size_t(local[b.from])] > 2)
            || (b.order == 2 && degree[std::size_t(local[b.from])] > 1 && degree[std::size_t(local[b.to])] > 1))
            return std::nullopt;
        key += std::to_string(local[b.from]) + "-" + std::to_string(local[b.to]) + "-" + std::to_string(b.order)
               + (b.stereo == BondStereo::None ? ";" : "w;");
    }
    return key;
}

}  // namespace

InterpretedDrawing interpretWithMolecules(std::span<const ElementRecord> records)
{
    return interpretDrawingAs(records, WithMolecules::Yes);
}

InterpretedDrawing interpretDrawingAs(std::span<const ElementRecord> records, WithMolecules withMolecules)
{
    silenceRdkitLogs();
    const DrawingGraph graph = readDrawingGraph(records);
    InterpretedDrawing result;
    result.summary.lineLength = graph.lineLength;
    result.summary.problems = graph.problems;
    std::vector<std::vector<int>> parts = components(graph);
    std::vector<Box> boxes;
    for (const auto& part : parts)
        boxes.push_back(boxOf(graph, part));
    std::vector<std::size_t> order(parts.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return boxes[a].left < boxes[b].left; });
    std::map<std::string, Fragment> readings;
    std::vector<std::size_t> partOf(graph.atoms.size(), 0);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        for (int a : parts[i])
            partOf[std::size_t(a)] = i;
    }
    const std::vector<ArrowAxis> arrows = arrowAxes(graph.arrows);
    std::vector<std::vector<GraphBond>> bondsOf(parts.size());
    for (const GraphBond& b : graph.bonds) {
        if (!parts.empty())
            bondsOf[partOf[std::size_t(b.from)]].push_back(b);
    }
    for (std::size_t i : order) {
        Fragment fragment;
        fragment.number = int(result.summary.fragments.size() + 1);
        fragment.box = boxes[i];
        fragment.role = roleOf(boxes[i], arrows);
        const std::optional<std::string> key =
            withMolecules == WithMolecules::No ? topologyKey(graph, parts[i], bondsOf[i]) : std::nullopt;
        const auto known = key ? readings.find(*key) : readings.end();
        if (known != readings.end()) {
            Fragment copy = known->second;
            copy.number = fragment.number;
            copy.box = fragment.box;
            copy.role = fragment.role;
            copy.records = fragmentRecords(graph, parts[i], bondsOf[i]);
            result.summary.fragments.push_back(std::move(copy));
            continue;
        }
        std::shared_ptr<RDKit::RWMol> mol = FragmentBuilder(graph, parts[i], bondsOf[i], fragment).build();
        if (withMolecules == WithMolecules::Yes)
            result.molecules.push_back(std::move(mol));
        if (key && fragment.problems.empty())
            readings.emplace(*key, fragment);
        result.summary.fragments.push_back(std::move(fragment));
    }
    return result;
}

DrawingChemistry interpretDrawing(std::span<const ElementRecord> records)
{
    return interpretDrawingAs(records, WithMolecules::No).summary;
}

std::vector<ReadingProblem> allProblems(const DrawingChemistry& chemistry)
{
    std::vector<ReadingProblem> problems = chemistry.problems;
    for (const Fragment& fragment : chemistry.fragments)
        problems.insert(problems.end(), fragment.problems.begin(), fragment.problems.end());
    return problems;
}

std::string canonicalSmiles(const std::string& smiles)
{
    silenceRdkitLogs();
    try {
        std::unique_ptr<RDKit::RWMol> mol(RDKit::SmilesToMol(smiles));
        return mol ? RDKit::MolToSmiles(*mol) : std::string();
    } catch (const std::exception&) {
        return {};
    }
}

bool inchiAvailable()
{
#ifdef VELTRANO_HAVE_INCHI
    return true;
#else
    return false;
#endif
}

std::string inchiUnavailableReason()
{
    return inchiAvailable() ? std::string()
                            : std::string("Das RDKit dieses Systems ist ohne InChI-Unterstützung gebaut.");
}

std::string inchiOfSmiles([[maybe_unused]] const std::string& smiles)
{
#ifdef VELTRANO_HAVE_INCHI
    try {
        std::unique_ptr<RDKit::RWMol> mol(RDKit::SmilesToMol(smiles));
        RDKit::ExtraInchiReturnValues extra;
        return mol ? RDKit::MolToInchi(*mol, extra) : std::string();
    } catch (const std::exception&) {
    }
#endif
    return {};
}

std::string inchiKeyOfSmiles([[maybe_unused]] const std::string& smiles)
{
#ifdef VELTRANO_HAVE_INCHI
    const std::string inchi = inchiOfSmiles(smiles);
    return inchi.empty() ? std::string() : RDKit::InchiToInchiKey(inchi);
#else
    return {};
#endif
}

}  // namespace veltrano::chemistry
