#include "commands/chemistry_commands.h"

#include "chemistry/structure_files.h"
#include "commands/copy_as_picture.h"
#include "commands/merge.h"
#include "commands/vector_export.h"
#include "document/io_error.h"
#include "document/record_file.h"
#include "editor/full_repaint.h"
#include "editor/take_snapshot.h"

#include <QString>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace veltrano {

namespace {

constexpr const char* kAnalysisTitle = "Analyse";
constexpr const char* kNothingToRead = "Die Zeichnung enthält keine Struktur, die sich als Molekül lesen lässt.";

std::string roleName(chemistry::FragmentRole role)
{
    switch (role) {
    case chemistry::FragmentRole::Educt:
        return "Edukt";
    case chemistry::FragmentRole::Product:
        return "Produkt";
    case chemistry::FragmentRole::Alone:
        break;
    }
    return "–";
}

std::string escaped(const std::string& text)
{
    return QString::fromStdString(text).toHtmlEscaped().toStdString();
}

chemistry::DrawingChemistry readDrawing(Editor& editor)
{
    return chemistry::interpretDrawing(recordsToPicture(editor.workingFile.readAll(), editor.editing));
}

// The records of the problems become the selection, framed on the page.
void frameProblems(Editor& editor, const chemistry::DrawingChemistry& chemistry)
{
    std::vector<std::size_t> positions;
    for (const chemistry::ReadingProblem& problem : chemistry::allProblems(chemistry))
        positions.insert(positions.end(), problem.records.begin(), problem.records.end());
    if (positions.empty())
        return;
    // The positions count in the records read, which are the selection's
    // when there was one; they are mapped back to the document's.
    const std::vector<ElementRecord> all = editor.workingFile.readAll();
    std::vector<std::uint32_t> documentPositions;
    if (editor.editing.SelectionPresent && editor.editing.SelMarks.markedCount() > 0) {
        for (std::uint32_t p = 0; p < all.size(); ++p) {
            if (editor.editing.SelMarks.isMarked(p))
                documentPositions.push_back(p);
        }
    } else {
        for (std::uint32_t p = 0; p < all.size(); ++p)
            documentPositions.push_back(p);
    }
    FullRepaint(editor);
    double left = std::numeric_limits<double>::max(), top = left, right = -left, bottom = -left;
    editor.editing.SelMarks.clearAll();
    for (std::size_t position : positions) {
        if (position >= documentPositions.size())
            continue;
        const std::uint32_t p = documentPositions[position];
        editor.editing.SelMarks.mark(p);
        const ElementRecord& r = all[p];
        for (const auto& [x, y] : {std::pair{r.X1(), r.Y1()}, std::pair{isTwoPointKind(r.kind) ? r.X2() : r.X1(),
                                                                          isTwoPointKind(r.kind) ? r.Y2() : r.Y1()}}) {
            if (!std::isfinite(x) || !std::isfinite(y))
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (left > right)
        return;
    const auto clampToInt = [](double v) { return std::int32_t(std::clamp(v, -1e6, 1e6)); };
    editor.editing.SelRect = SelectionRect{clampToInt(left) - kSelectionMargin, clampToInt(right) + kSelectionMargin + 12,
                                           clampToInt(top) - kSelectionMargin, clampToInt(bottom) + kSelectionMargin + 12};
    editor.editing.SelectionPresent = true;
    SelectionFrame(editor);
    editor.ui.setEnabled(ui::kDeleteItem, true);
    editor.ui.setEnabled(ui::kCopyItem, true);
}

void insertImported(Editor& editor, const chemistry::StructureImport& imported)
{
    if (imported.records.empty()) {
        std::string message = "Die Struktur konnte nicht gelesen werden.";
        for (const std::string& problem : imported.problems)
            message += "\n" + problem;
        editor.ui.showMessage(message);
        return;
    }
    TakeSnapshot(editor);
    mergeRecords(editor, imported.records);
}

}  // namespace

std::string formulaHtml(const std::string& formula)
{
    // Counts are subscripts; a charge, its sign and any digits after it
    // ("C2O4-2"), is one superscript with the sign last, as chemists write it.
    std::string html;
    std::size_t i = 0;
    const auto isDigit = [&](std::size_t at) {
        return at < formula.size() && std::isdigit(static_cast<unsigned char>(formula[at]));
    };
    while (i < formula.size()) {
        const char c = formula[i];
        if (isDigit(i)) {
            std::size_t end = i;
            while (isDigit(end))
                ++end;
            html += "<sub>" + formula.substr(i, end - i) + "</sub>";
            i = end;
        } else if (c == '+' || c == '-') {
            std::size_t end = i + 1;
            while (isDigit(end))
                ++end;
            html += "<sup>" + formula.substr(i + 1, end - i - 1) + (c == '-' ? "−" : "+") + "</sup>";
            i = end;
        } else {
            html += c;
            ++i;
        }
    }
    return html;
}

std::string germanMass(double mass, int decimals)
{
    return QString::number(mass, 'f', decimals).replace(u'.', u',').toStdString() + " g/mol";
}

ReportTable analysisReport(const chemistry::DrawingChemistry& chemistry)
{
    ReportTable report;
    report.title = kAnalysisTitle;
    report.columns = {"Nr.", "Rolle", "Summenformel", "Molare Masse", "Monoisotopische Masse", "SMILES"};
    const bool inchi = chemistry::inchiAvailable();
    if (inchi) {
        report.columns.push_back("InChI");
        report.columns.push_back("InChIKey");
    }
    for (const chemistry::Fragment& fragment : chemistry.fragments) {
        std::vector<std::string> row = {std::to_string(fragment.number), roleName(fragment.role)};
        if (fragment.readable) {
            row.push_back(formulaHtml(fragment.formula));
            row.push_back(germanMass(fragment.molarMass, 2));
            row.push_back(germanMass(fragment.exactMass, 4));
            row.push_back(escaped(fragment.smiles));
            if (inchi) {
                row.push_back(escaped(chemistry::inchiOfSmiles(fragment.smiles)));
                row.push_back(escaped(chemistry::inchiKeyOfSmiles(fragment.smiles)));
            }
        } else {
            row.resize(report.columns.size(), "–");
        }
        report.rows.push_back(row);
    }
    for (const chemistry::ReadingProblem& problem : chemistry::allProblems(chemistry))
        report.notes.push_back(problem.message);
    if (chemistry.fragments.empty())
        report.notes.push_back(kNothingToRead);
    if (!inchi)
        report.notes.push_back("InChI: " + chemistry::inchiUnavailableReason());
    return report;
}

void analyseDrawing(Editor& editor)
{
    const chemistry::DrawingChemistry chemistry = readDrawing(editor);
    frameProblems(editor, chemistry);
    editor.ui.showReport(analysisReport(chemistry));
}

void copySmiles(Editor& editor)
{
    const chemistry::DrawingChemistry chemistry = readDrawing(editor);
    std::string smiles;
    for (const chemistry::Fragment& fragment : chemistry.fragments) {
        if (!fragment.readable || fragment.smiles.empty())
            continue;
        smiles += (smiles.empty() ? "" : ".") + fragment.smiles;
    }
    if (smiles.empty()) {
        editor.ui.showMessage(kNothingToRead);
        return;
    }
    editor.ui.setClipboard({{"text/plain", QByteArray::fromStdString(smiles)}});
}

void exportStructure(Editor& editor)
{
    const std::optional<std::string> target = chooseExportFile(editor, "MOL-Datei (oder .sdf)", "mol");
    if (!target)
        return;
    const auto format = chemistry::structureFormatOfPath(*target).value_or(chemistry::StructureFormat::Mol);
    const std::string text =
        chemistry::structureText(recordsToPicture(editor.workingFile.readAll(), editor.editing), format);
    editor.workingFile.writeKeptFile(*target, std::vector<std::uint8_t>(text.begin(), text.end()));
}

void insertStructureFile(Editor& editor)
{
    FileDialogOptions options;
    options.initialDirectory = editor.document.LastDir;
    options.filterDescription = "MOL/SDF-Dateien";
    options.filterPattern = "*.mol *.sdf";
    const std::optional<std::string> chosen = editor.ui.openFileDialog(options);
    if (!chosen)
        return;
    std::vector<std::uint8_t> bytes;
    try {
        readFileBytes(editor.fileSystem, *chosen, bytes);
    } catch (const IoError&) {
        editor.ui.showMessage("Die Datei konnte nicht geöffnet werden.\n" + *chosen);
        return;
    }
    const auto format = chemistry::structureFormatOfPath(*chosen).value_or(chemistry::StructureFormat::Mol);
    insertImported(editor, chemistry::importStructure(std::string(bytes.begin(), bytes.end()), format,
                                                      editor.tools.LineLength));
}

void insertSmiles(Editor& editor)
{
    const std::optional<std::string> text = editor.ui.inputText("SMILES einfügen", "SMILES der Struktur:");
    if (!text || text->empty())
        return;
    insertImported(editor, chemistry::importStructure(*text, chemistry::StructureFormat::Smiles,
                                                      editor.tools.LineLength));
}

}  // namespace veltrano
