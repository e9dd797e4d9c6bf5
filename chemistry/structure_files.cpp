#include "chemistry/structure_files.h"

#include "chemistry/drawing_graph.h"
#include "chemistry/interpreted_drawing.h"
#include "chemistry/label_groups.h"
#include "document/element_kind.h"
#include "document/rounding.h"

#include <GraphMol/Conformer.h>
#include <GraphMol/Depictor/RDDepictor.h>
#include <GraphMol/FileParsers/FileParsers.h>
#include <GraphMol/FileParsers/MolFileStereochem.h>
#include <GraphMol/MolOps.h>
#include <GraphMol/RWMol.h>
#include <GraphMol/RingInfo.h>
#include <GraphMol/SmilesParse/SmilesParse.h>
#include <GraphMol/SmilesParse/SmilesWrite.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <sstream>

namespace veltrano::chemistry {

namespace {

// A molecule larger than a page holds is refused: RDKit's SMILES parser and
// layout take seconds from about a thousand atoms on, so a hostile input
// could hang the editor. SMILES longer than this are refused unparsed.
constexpr unsigned kMaxAtoms = 300;
constexpr std::size_t kMaxSmilesLength = 600;

using Molecule = std::unique_ptr<RDKit::RWMol>;

std::string lowered(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

std::string molBlockOf(const RDKit::RWMol& mol, const std::string& name)
{
    RDKit::RWMol copy(mol);
    copy.setProp("_Name", name);
    return RDKit::MolToMolBlock(copy, true, -1, true);
}

void parseOne(std::string_view label, const std::function<RDKit::RWMol*()>& parse, std::vector<Molecule>& out,
              std::vector<std::string>& problems)
{
    try {
        Molecule mol(parse());
        if (!mol)
            problems.push_back(std::string(label) + " lässt sich nicht lesen.");
        else if (mol->getNumAtoms() == 0)
            problems.push_back(std::string(label) + " enthält keine Atome.");
        else if (mol->getNumAtoms() > kMaxAtoms)
            problems.push_back(std::string(label) + " hat mehr als " + std::to_string(kMaxAtoms) + " Atome.");
        else
            out.push_back(std::move(mol));
    } catch (const std::exception&) {
        problems.push_back(std::string(label) + " lässt sich nicht lesen.");
    }
}

std::vector<Molecule> parseMolecules(const std::string& text, StructureFormat format,
                                     std::vector<std::string>& problems)
{
    std::vector<Molecule> molecules;
    std::istringstream lines(text);
    std::string line, block;
    int number = 0;
    switch (format) {
    case StructureFormat::Smiles:
        while (std::getline(lines, line)) {
            ++number;
            std::istringstream words(line);
            std::string smiles;
            if (!(words >> smiles) || smiles[0] == '#')
                continue;
            if (smiles.size() > kMaxSmilesLength) {
                problems.push_back("Die SMILES in Zeile " + std::to_string(number) + " ist länger als "
                                   + std::to_string(kMaxSmilesLength) + " Zeichen.");
                continue;
            }
            parseOne("Die SMILES in Zeile " + std::to_string(number), [&] { return RDKit::SmilesToMol(smiles); },
                     molecules, problems);
        }
        break;
    case StructureFormat::Mol:
        parseOne("Die MOL-Datei", [&] { return RDKit::MolBlockToMol(text, true, true, true); }, molecules,
                 problems);
        break;
    case StructureFormat::Sdf:
        while (std::getline(lines, line)) {
            if (line.rfind("$$$$", 0) != 0) {
                block += line + "\n";
                continue;
            }
            ++number;
            parseOne("Der Eintrag " + std::to_string(number) + " der SDF-Datei",
                     [&] { return RDKit::MolBlockToMol(block, true, true, true); }, molecules, problems);
            block.clear();
        }
        if (block.find_first_not_of(" \t\r\n") != std::string::npos) {
            ++number;
            parseOne("Der Eintrag " + std::to_string(number) + " der SDF-Datei",
                     [&] { return RDKit::MolBlockToMol(block, true, true, true); }, molecules, problems);
        }
        break;
    }
    if (molecules.empty() && problems.empty())
        problems.push_back("Die Eingabe enthält kein Molekül.");
    return molecules;
}

bool hasUsable2D(const RDKit::ROMol& mol)
{
    if (mol.getNumConformers() == 0 || mol.getConformer().is3D())
        return false;
    const RDKit::Conformer& conformer = mol.getConformer();
    for (unsigned i = 1; i < mol.getNumAtoms(); ++i) {
        const RDGeom::Point3D& a = conformer.getAtomPos(i);
        if (a.x != 0 || a.y != 0)
            return true;
    }
    return mol.getNumAtoms() == 1;
}

struct PixelPoint {
    double x, y;
};

// Writes one molecule's records, its atoms already mapped to page pixels.
class MoleculeWriter {
public:
    MoleculeWriter(const RDKit::RWMol& mol, std::vector<PixelPoint> at, double lineLength,
                   StructureImport& result)
        : m_mol(mol), m_at(std::move(at)), m_length(lineLength), m_result(result)
    {
    }

    void write()
    {
        for (const RDKit::Bond* bond : m_mol.bonds())
            writeBond(*bond);
        for (const ElementRecord& inner : m_inner)
            m_result.records.push_back(inner);
        for (const RDKit::Atom* atom : m_mol.atoms())
            writeAtom(*atom);
    }

private:
    void writeBond(const RDKit::Bond& bond)
    {
        const PixelPoint a = m_at[bond.getBeginAtomIdx()], b = m_at[bond.getEndAtomIdx()];
        ElementKind k = kind::SingleBond;
        if (bond.getBondDir() == RDKit::Bond::BEGINWEDGE)
            k = kind::SolidWedge;  // narrow at its first point, the begin atom
        else if (bond.getBondDir() == RDKit::Bond::BEGINDASH)
            k = kind::HashedWedge;
        else if (bond.getBondType() == RDKit::Bond::TRIPLE)
            k = kind::TripleBond;
        else if (bond.getBondType() == RDKit::Bond::DOUBLE && !m_mol.getRingInfo()->numBondRings(bond.getIdx()))
            k = kind::DoubleBond;
        m_result.records.push_back(makeRecord(k, a.x, a.y, b.x, b.y));
        if (bond.getBondType() == RDKit::Bond::DOUBLE && k == kind::SingleBond)
            m_inner.push_back(innerLine(bond, a, b));
    }

    // The second line of a ring double bond, as "DB" pressed inside the ring.
    ElementRecord innerLine(const RDKit::Bond& bond, PixelPoint p, PixelPoint q) const
    {
        PixelPoint centre{0, 0};
        const RDKit::RingInfo& rings = *m_mol.getRingInfo();
        std::size_t best = SIZE_MAX;
        for (const auto& ring : rings.bondRings()) {
            if (std::find(ring.begin(), ring.end(), int(bond.getIdx())) == ring.end() || ring.size() >= best)
                continue;
            best = ring.size();
            centre = {0, 0};
            for (int b : ring) {
                const PixelPoint e = m_at[m_mol.getBondWithIdx(unsigned(b))->getBeginAtomIdx()];
                centre.x += e.x / double(ring.size());
                centre.y += e.y / double(ring.size());
            }
        }
        double a = p.y - q.y, b = q.x - p.x;
        const double mx = (p.x + q.x) / 2, my = (p.y + q.y) / 2;
        if (a * (centre.x - mx) + b * (centre.y - my) < 0) {
            a = -a;
            b = -b;
        }
        const double n = std::hypot(a, b), off = 0.8 * std::sqrt(m_length);
        return makeRecord(kind::SingleBond, p.x + 0.1 * (q.x - p.x) + off * a / n,
                          p.y + 0.1 * (q.y - p.y) + off * b / n, q.x + 0.1 * (p.x - q.x) + off * a / n,
                          q.y + 0.1 * (p.y - q.y) + off * b / n);
    }

    // The label text and count a chemist writes for the atom.
    std::pair<std::string, int> labelOf(const RDKit::Atom& atom, bool bondsOnRight) const
    {
        const int hs = int(atom.getTotalNumHs());
        const std::string symbol = atom.getSymbol();
        if (symbol == "O" && hs == 1)
            return {bondsOnRight ? "HO" : "OH", 1};
        if (symbol == "N" && hs >= 1 && hs <= 3)
            return {bondsOnRight ? "H N" : "NH", hs};
        if (symbol == "C")
            return hs == 0 ? std::pair<std::string, int>{"C", 1} : std::pair<std::string, int>{"CH", hs};
        return {symbol, 1};
    }

    static std::optional<ElementKind> labelCode(std::string_view text)
    {
        for (ElementKind code = 0; code < kind::LabelCount; ++code) {
            if (isAtomLabel(code) && LabelText(code) == text)
                return code;
        }
        return std::nullopt;
    }

    void writeAtom(const RDKit::Atom& atom)
    {
        const bool carbon = atom.getAtomicNum() == 6;
        if (carbon && atom.getFormalCharge() == 0 && atom.getDegree() > 0 && atom.getIsotope() == 0)
            return;
        const PixelPoint p = m_at[atom.getIdx()];
        bool bondsOnRight = atom.getDegree() > 0;
        for (const RDKit::Atom* neighbour : m_mol.atomNeighbors(&atom))
            bondsOnRight = bondsOnRight && m_at[neighbour->getIdx()].x > p.x + 1;
        const auto [text, count] = labelOf(atom, bondsOnRight);
        const std::optional<ElementKind> code = labelCode(text);
        const double size = roundHalfEven(m_length / 2.4);
        const double x1 = p.x - roundHalfEven(m_length / 5.8) - labelTextWidth(textBeforeAttachAtom(text), size);
        const double y1 = p.y - roundHalfEven(m_length / 3.2);
        if (!code) {
            m_result.problems.push_back("Das Element " + text
                                        + " hat kein Etikett; es steht als Text da und wird nicht als Atom gelesen.");
            const double cell = m_length / 2.3;
            for (std::size_t i = 0; i < text.size(); ++i)
                m_result.records.push_back(makeRecord(ElementKind(static_cast<unsigned char>(text[i]) + kind::CharacterOffset),
                                                      x1 + double(i) * cell, y1, roundHalfEven(m_length / 2.1), 0));
            return;
        }
        m_result.records.push_back(makeRecord(*code, x1, y1, size, 0));
        double right = x1 + labelTextWidth(text, size);
        if (count >= 2 && count <= 6) {
            const std::size_t blank = text.find(' ');
            const double anchor = x1 + labelTextWidth(std::string_view(text).substr(0, blank), size);
            const double digitSize = roundHalfEven(m_length / 1.7 / 2.4);
            m_result.records.push_back(
                makeRecord(ElementKind(38 + count), anchor, y1 + roundHalfEven(0.2 * m_length), digitSize, 0));
            if (blank == std::string::npos)
                right += labelTextWidth("2", digitSize);
        }
        const int charge = atom.getFormalCharge();
        for (int i = 0; i < std::abs(charge) && i < 4; ++i) {
            const double clickX = right + 5 + i * 0.25 * m_length, clickY = p.y - 8 * m_length / 30;
            m_result.records.push_back(makeRecord(charge > 0 ? 11 : 10, clickX - roundHalfEven(m_length / 5.8),
                                                  clickY - roundHalfEven(m_length / 3.2), size, 0));
        }
    }

    const RDKit::RWMol& m_mol;
    std::vector<PixelPoint> m_at;
    double m_length;
    StructureImport& m_result;
    std::vector<ElementRecord> m_inner;
};

// Lays the molecule out (where it has no 2D coordinates), wedges its
// stereo centres, writes it Kekulé, and returns its right edge in pixels.
double placeMolecule(RDKit::RWMol& mol, double lineLength, double left, double top, StructureImport& result)
{
    if (!hasUsable2D(mol))
        RDDepict::compute2DCoords(mol);
    const RDKit::Conformer& conformer = mol.getConformer();
    RDKit::ClearSingleBondDirFlags(mol);
    RDKit::WedgeMolBonds(mol, &conformer);
    RDKit::MolOps::Kekulize(mol, true);
    std::vector<double> lengths;
    for (const RDKit::Bond* bond : mol.bonds())
        lengths.push_back((conformer.getAtomPos(bond->getBeginAtomIdx()) - conformer.getAtomPos(bond->getEndAtomIdx())).length());
    double scale = lineLength / 1.5;
    if (!lengths.empty()) {
        std::nth_element(lengths.begin(), lengths.begin() + std::ptrdiff_t(lengths.size() / 2), lengths.end());
        if (lengths[lengths.size() / 2] > 1e-3)
            scale = lineLength / lengths[lengths.size() / 2];
    }
    double minX = 1e300, maxX = -1e300, maxY = -1e300;
    for (unsigned i = 0; i < mol.getNumAtoms(); ++i) {
        const RDGeom::Point3D& p = conformer.getAtomPos(i);
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    std::vector<PixelPoint> at;
    for (unsigned i = 0; i < mol.getNumAtoms(); ++i) {
        const RDGeom::Point3D& p = conformer.getAtomPos(i);
        at.push_back({left + (p.x - minX) * scale, top + (maxY - p.y) * scale});
    }
    MoleculeWriter(mol, at, lineLength, result).write();
    return left + (maxX - minX) * scale;
}

}  // namespace

std::optional<StructureFormat> structureFormatOfPath(std::string_view path)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || path.find_first_of("/\\", dot) != std::string_view::npos)
        return std::nullopt;
    const std::string extension = lowered(path.substr(dot + 1));
    if (extension == "mol")
        return StructureFormat::Mol;
    if (extension == "sdf" || extension == "sd")
        return StructureFormat::Sdf;
    if (extension == "smi" || extension == "smiles")
        return StructureFormat::Smiles;
    return std::nullopt;
}

std::string structureText(std::span<const ElementRecord> records, StructureFormat format)
{
    const InterpretedDrawing drawing = interpretWithMolecules(records);
    std::string text;
    RDKit::RWMol all;
    for (std::size_t i = 0; i < drawing.molecules.size(); ++i) {
        const RDKit::RWMol* mol = drawing.molecules[i].get();
        if (!mol)
            continue;
        const std::string name = "Fragment " + std::to_string(drawing.summary.fragments[i].number);
        if (format == StructureFormat::Sdf)
            text += molBlockOf(*mol, name) + "$$$$\n";
        else if (format == StructureFormat::Smiles)
            text += drawing.summary.fragments[i].smiles + "\t" + name + "\n";
        else
            all.insertMol(*mol);
    }
    if (format == StructureFormat::Mol) {
        if (all.getNumAtoms() > 0)
            RDKit::MolOps::sanitizeMol(all);
        text = molBlockOf(all, "Veltrano");
    }
    return text;
}

StructureImport importStructure(const std::string& text, StructureFormat format, double lineLength,
                                double originX, double originY)
{
    silenceRdkitLogs();
    StructureImport result;
    if (!(lineLength > 0) || !std::isfinite(lineLength))
        lineLength = 30;
    std::vector<Molecule> molecules = parseMolecules(text, format, result.problems);
    double left = originX;
    for (Molecule& mol : molecules) {
        try {
            left = placeMolecule(*mol, lineLength, left, originY, result) + 2 * lineLength;
            ++result.molecules;
        } catch (const std::exception&) {
            result.problems.push_back("Ein Molekül der Eingabe lässt sich nicht zeichnen.");
        }
    }
    return result;
}

}  // namespace veltrano::chemistry
