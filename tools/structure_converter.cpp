#include "tools/structure_converter.h"

#include "chemistry/drawing_chemistry.h"
#include "chemistry/structure_files.h"
#include "document/io_error.h"
#include "document/plausibility.h"
#include "document/record_file.h"

#include <QByteArray>
#include <QFileInfo>

#include <cstdio>
#include <new>
#include <stdexcept>
#include <string_view>

namespace veltrano {

namespace {

std::string jsonString(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

std::string number(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

bool isFormulaFile(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).suffix().compare("cfd", Qt::CaseInsensitive) == 0;
}

// A file refused as no drawing; what() is the German reason.
class NotADrawing : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The records of a formula file; a file that does not look like one (a
// picture, a text) is refused with the reason, as the picture conversion
// refuses it, rather than read as a drawing of odd molecules.
std::vector<ElementRecord> drawingRecords(FileSystem& fs, const std::string& path, std::string_view refusal)
{
    const std::vector<std::uint8_t> bytes = readFileBytes(fs, path);
    std::vector<ElementRecord> records = parseRecords(bytes);
    if (const Plausibility verdict = judgeFormulaFile(records, bytes.size()); !verdict.plausible)
        throw NotADrawing("sieht nicht wie eine Formeldatei aus: " + verdict.reason + "; " + std::string(refusal));
    return records;
}

void printFragments(const std::string& file, const chemistry::DrawingChemistry& chemistry, bool json,
                    std::ostream& out)
{
    // A fragment RDKit refused has no figures: empty fields, JSON null.
    if (!json) {
        for (const chemistry::Fragment& f : chemistry.fragments)
            out << file << "\t" << f.number << "\t" << f.formula << "\t"
                << (f.readable ? number(f.molarMass, 2) : std::string()) << "\t" << f.smiles << "\n";
        return;
    }
    out << "[";
    for (std::size_t i = 0; i < chemistry.fragments.size(); ++i) {
        const chemistry::Fragment& f = chemistry.fragments[i];
        out << (i ? ",\n " : "\n ") << "{\"fragment\": " << f.number << ", \"formula\": " << jsonString(f.formula)
            << ", \"molarMass\": " << (f.readable ? number(f.molarMass, 4) : "null")
            << ", \"exactMass\": " << (f.readable ? number(f.exactMass, 6) : "null")
            << ", \"smiles\": " << jsonString(f.smiles) << ", \"problems\": [";
        for (std::size_t k = 0; k < f.problems.size(); ++k)
            out << (k ? ", " : "") << jsonString(f.problems[k].message);
        out << "]}";
    }
    out << "\n]\n";
}

}  // namespace

int printFormulas(FileSystem& fs, const std::vector<std::string>& files, bool json, std::ostream& out,
                  std::ostream& errors)
{
    int failed = 0;
    for (const std::string& file : files) {
        try {
            const std::vector<ElementRecord> records = drawingRecords(fs, file, "nicht gelesen");
            const chemistry::DrawingChemistry chemistry = chemistry::interpretDrawing(records);
            printFragments(file, chemistry, json, out);
            for (const chemistry::ReadingProblem& problem : chemistry.problems)
                errors << "veltrano-render: " << file << ": " << problem.message << "\n";
        } catch (const IoError& error) {
            errors << "veltrano-render: " << file << ": " << error.what() << "\n";
            ++failed;
        } catch (const NotADrawing& refused) {
            errors << "veltrano-render: " << file << ": " << refused.what() << "\n";
            ++failed;
        } catch (const std::bad_alloc&) {
            errors << "veltrano-render: " << file << ": " << kOutOfMemoryMessage << "\n";
            ++failed;
        }
    }
    return failed;
}

bool isStructureConversion(const std::string& input, const std::string& output)
{
    return (isFormulaFile(input) && chemistry::structureFormatOfPath(output))
           || (chemistry::structureFormatOfPath(input) && isFormulaFile(output));
}

int convertStructure(FileSystem& fs, const std::string& input, const std::string& output, std::ostream& errors)
{
    std::string failedPath = input;
    try {
        std::vector<std::uint8_t> result;
        if (const auto format = chemistry::structureFormatOfPath(output)) {
            const std::string text =
                chemistry::structureText(drawingRecords(fs, input, "nicht umgewandelt"), *format);
            result.assign(text.begin(), text.end());
        } else {
            const std::vector<std::uint8_t> bytes = readFileBytes(fs, input);
            const chemistry::StructureImport imported = chemistry::importStructure(
                std::string(bytes.begin(), bytes.end()), *chemistry::structureFormatOfPath(input), 30);
            for (const std::string& problem : imported.problems)
                errors << "veltrano-render: " << input << ": " << problem << "\n";
            if (imported.molecules == 0)
                return 1;
            for (const ElementRecord& record : imported.records) {
                const RecordBytes recordBytes = encodeRecord(record);
                result.insert(result.end(), recordBytes.begin(), recordBytes.end());
            }
        }
        failedPath = output;
        writeFileBytes(fs, output, result, Durability::Flushed);
        return 0;
    } catch (const IoError& error) {
        errors << "veltrano-render: " << failedPath << ": " << error.what() << "\n";
    } catch (const NotADrawing& refused) {
        errors << "veltrano-render: " << input << ": " << refused.what() << "\n";
    } catch (const std::exception&) {
        errors << "veltrano-render: " << input << ": Die Struktur lässt sich nicht umwandeln.\n";
    }
    return 1;
}

}  // namespace veltrano
