// veltrano-render --formula, run as a program: the tab-separated lines, the
// JSON arrays (parsed with QJsonDocument), the exit codes and the German
// messages for files that cannot be read.

#include "document/element_kind.h"
#include "support/file_helpers.h"
#include "tools/sample_documents.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

namespace veltrano {
namespace {

#ifndef VELTRANO_RENDER
#error "VELTRANO_RENDER names the veltrano-render program"
#endif

struct ProgramRun {
    int exitCode = -1;
    std::string out, err;
};

ProgramRun runRender(const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const std::string& argument : arguments)
        list << QString::fromStdString(argument);
    QProcess process;
    process.start(QStringLiteral(VELTRANO_RENDER), list);
    ProgramRun run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

std::vector<std::string> split(const std::string& text, const std::string& separator)
{
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string::npos; from = at + separator.size())
        parts.push_back(text.substr(from, at - from));
    parts.push_back(text.substr(from));
    return parts;
}

std::vector<ElementRecord> moved(std::vector<ElementRecord> records, double dx)
{
    for (ElementRecord& r : records)
        r = makeRecord(r.kind, r.X1() + dx, r.Y1(), isTwoPointKind(r.kind) ? r.X2() + dx : r.X2(), r.Y2());
    return records;
}

// Methanol: a bond from (60, 300) to an "OH" placed as the editor places it.
std::vector<ElementRecord> methanol()
{
    return {makeRecord(kind::SingleBond, 60, 300, 90, 300), makeRecord(20, 85, 291, 12, 0)};
}

// A carbon with five bonds, which RDKit refuses.
std::vector<ElementRecord> fiveBonds()
{
    std::vector<ElementRecord> records;
    for (int k = 0; k < 5; ++k) {
        const double angle = k * 2 * std::numbers::pi / 5;
        records.push_back(
            makeRecord(kind::SingleBond, 300, 300, 300 + 30 * std::cos(angle), 300 - 30 * std::sin(angle)));
    }
    return records;
}

struct Row {
    std::string formula;  // empty: RDKit refused the fragment, no masses
    double molarMass = 0, exactMass = 0;
    std::string smiles;
    std::vector<std::string> problems;
};

const Row kBenzoicAcid{"C7H6O2", 122.12, 122.0368, "O=C(O)c1ccccc1", {}};
const Row kMethanol{"CH4O", 32.04, 32.0262, "CO", {}};
const Row kFiveBonds{"", 0, 0, "", {"Das Kohlenstoffatom hat zu viele Bindungen."}};

struct Case {
    const char* name;
    std::vector<std::string> arguments;  // "@NAME" is NAME in the scratch folder, "@example" the example
    int exitCode;
    std::vector<std::vector<Row>> files;  // the fragments printed, per file read
    std::string errorPart;                // in the error output ("" for none at all)
};

class FormulaCommandLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        std::vector<ElementRecord> two = moved(samples::benzoicAcid(), 500);  // on the right, written first
        for (const ElementRecord& r : methanol())
            two.push_back(r);
        test::putFileBytes(path("zwei.cfd"), test::recordFileBytes(two));
        test::putFileBytes(path("fuenf.cfd"), test::recordFileBytes(fiveBonds()));
        test::putFileBytes(path("leer.cfd"), {});
        const std::string text = "Einkaufsliste: Natron, Essig, Zitronensaeure, Kochsalz und Backpulver.\n";
        test::putFileBytes(path("notiz.cfd"), test::Bytes(text.begin(), text.end()));
    }

    std::string path(const std::string& name) const
    {
        return m_dir.filePath(QString::fromStdString(name)).toStdString();
    }

    std::vector<std::string> resolved(const std::vector<std::string>& arguments) const
    {
        std::vector<std::string> result;
        for (const std::string& a : arguments) {
            if (a == "@example")
                result.push_back(VELTRANO_SOURCE_DIR "/examples/benzoesaeure.cfd");
            else
                result.push_back(a.starts_with("@") ? path(a.substr(1)) : a);
        }
        return result;
    }

    QTemporaryDir m_dir;
};

std::string twoDecimals(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

TEST_F(FormulaCommandLine, LinesAndJsonPerFragment)
{
    const Case cases[] = {
        {"the example", {"--formula", "@example"}, 0, {{kBenzoicAcid}}, ""},
        {"the example as JSON", {"--formula", "--json", "@example"}, 0, {{kBenzoicAcid}}, ""},
        {"--json first", {"--json", "--formula", "@example"}, 0, {{kBenzoicAcid}}, ""},
        {"two molecules, the left one first", {"--formula", "@zwei.cfd"}, 0, {{kMethanol, kBenzoicAcid}}, ""},
        {"two molecules as JSON", {"--formula", "--json", "@zwei.cfd"}, 0, {{kMethanol, kBenzoicAcid}}, ""},
        {"a molecule RDKit refuses", {"--formula", "@fuenf.cfd"}, 0, {{kFiveBonds}}, ""},
        {"a molecule RDKit refuses, JSON", {"--formula", "--json", "@fuenf.cfd"}, 0, {{kFiveBonds}}, ""},
        {"an empty drawing", {"--formula", "--json", "@leer.cfd"}, 0, {{}}, ""},
        {"two files", {"--formula", "--json", "@example", "@zwei.cfd"}, 0,
         {{kBenzoicAcid}, {kMethanol, kBenzoicAcid}}, ""},
        {"a missing file", {"--formula", "@fehlt.cfd"}, 1, {}, "fehlt.cfd: Datei nicht gefunden"},
        {"a missing file among good ones", {"--formula", "--json", "@fehlt.cfd", "@example"}, 1, {{kBenzoicAcid}},
         "Datei nicht gefunden"},
        {"a text, not a drawing", {"--formula", "@notiz.cfd"}, 1, {},
         "notiz.cfd: sieht nicht wie eine Formeldatei aus: nur 0 von 2 Elementen haben eine bekannte Art"},
        {"a folder", {"--formula", "@"}, 1, {}, "veltrano-render: "},
        {"no file", {"--formula", "--json"}, 2, {}, "usage"},
        {"an option after the files", {"--formula", "@example", "--json"}, 2, {}, "options come before the files"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::string> arguments = resolved(c.arguments);
        const ProgramRun run = runRender(arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        if (c.errorPart.empty())
            EXPECT_EQ(run.err, "");
        else
            EXPECT_NE(run.err.find(c.errorPart), std::string::npos) << run.err;
        std::vector<std::string> inputs;  // the files read, in order
        for (const std::string& a : arguments) {
            if (!a.starts_with("--") && !a.ends_with("fehlt.cfd"))
                inputs.push_back(a);
        }
        const bool json = std::find(arguments.begin(), arguments.end(), "--json") != arguments.end();
        if (!json) {
            std::vector<std::string> expected;
            for (std::size_t f = 0; f < c.files.size(); ++f) {
                for (std::size_t i = 0; i < c.files[f].size(); ++i) {
                    const Row& row = c.files[f][i];
                    expected.push_back(inputs[f] + "\t" + std::to_string(i + 1) + "\t" + row.formula + "\t"
                                       + (row.formula.empty() ? "" : twoDecimals(row.molarMass)) + "\t" + row.smiles);
                }
            }
            std::vector<std::string> lines = split(run.out, "\n");
            EXPECT_EQ(lines.back(), "");  // every line ends
            lines.pop_back();
            EXPECT_EQ(lines, expected);
            continue;
        }
        // One array per file, each ending in a line "]".
        std::vector<std::string> arrays = split(run.out, "\n]\n");
        EXPECT_EQ(arrays.back(), "");
        arrays.pop_back();
        ASSERT_EQ(arrays.size(), c.files.size()) << run.out;
        for (std::size_t f = 0; f < arrays.size(); ++f) {
            QJsonParseError error;
            const QJsonDocument document =
                QJsonDocument::fromJson(QByteArray::fromStdString(arrays[f] + "\n]"), &error);
            ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << "\n" << arrays[f];
            ASSERT_TRUE(document.isArray());
            const QJsonArray fragments = document.array();
            ASSERT_EQ(std::size_t(fragments.size()), c.files[f].size()) << arrays[f];
            for (qsizetype i = 0; i < fragments.size(); ++i) {
                const Row& row = c.files[f][std::size_t(i)];
                const QJsonObject o = fragments[i].toObject();
                EXPECT_EQ(o.keys(),
                          (QStringList{"exactMass", "formula", "fragment", "molarMass", "problems", "smiles"}));
                EXPECT_TRUE(o["fragment"].isDouble());
                EXPECT_EQ(o["fragment"].toInt(), i + 1);
                EXPECT_EQ(o["formula"].toString().toStdString(), row.formula);
                EXPECT_EQ(o["smiles"].toString().toStdString(), row.smiles);
                if (row.formula.empty()) {
                    EXPECT_TRUE(o["molarMass"].isNull());
                    EXPECT_TRUE(o["exactMass"].isNull());
                } else {
                    ASSERT_TRUE(o["molarMass"].isDouble());
                    ASSERT_TRUE(o["exactMass"].isDouble());
                    EXPECT_NEAR(o["molarMass"].toDouble(), row.molarMass, 0.005);
                    EXPECT_NEAR(o["exactMass"].toDouble(), row.exactMass, 0.00005);
                }
                std::vector<std::string> problems;
                for (const QJsonValue& p : o["problems"].toArray())
                    problems.push_back(p.toString().toStdString());
                EXPECT_EQ(problems, row.problems);
            }
        }
    }
}

}  // namespace
}  // namespace veltrano
