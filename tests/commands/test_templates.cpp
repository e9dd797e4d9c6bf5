// The 46 template files in data/struk: what the generator makes, read back
// from the files themselves. Real6 keeps 40 bits of mantissa, so a
// coordinate below 512 is off by at most 2^-32 (about 2.3e-10) after
// rounding, and a bond length by at most about 7e-10: the tolerance of
// 1e-9 below is what the format allows, not a margin for sloppy geometry.

#include "commands/template_table.h"
#include "document/element_kind.h"
#include "document/file_system.h"
#include "document/record_file.h"
#include "editor/editor.h"
#include "editor/pointer.h"
#include "support/fake_ui_port.h"
#include "support/file_helpers.h"
#include "tools/template_geometry.h"

#include <gtest/gtest.h>

#include <QLineF>
#include <QTemporaryDir>

#include <algorithm>

#include <cmath>
#include <map>
#include <set>
#include <string>

namespace veltrano {
namespace {

constexpr double kLengthTolerance = 1e-9;
const std::string kStruk = std::string(VELTRANO_SOURCE_DIR) + "/data/struk/";

struct TemplateFile {
    std::string name;
    std::string prefix;
    double lineLength;
    std::vector<ElementRecord> records;
};

std::vector<TemplateFile> allTemplateFiles()
{
    std::vector<TemplateFile> files;
    for (const auto& set : templates::kTemplateSets) {
        for (const TemplateButton& button : templateButtons()) {
            const std::string path = kStruk + templates::templateFileName(set.prefix, button.templateName);
            files.push_back({std::string(button.templateName), std::string(set.prefix), set.lineLength,
                             readAllRecords(FileSystem::system(), path)});
        }
    }
    return files;
}

double lengthOf(const ElementRecord& r)
{
    return std::hypot(r.X2() - r.X1(), r.Y2() - r.Y1());
}

// A point is identified by its stored bytes: two bonds meet only where
// they hold exactly the same coordinates.
using PointKey = std::pair<Real6, Real6>;
struct PointKeyLess {
    bool operator()(const PointKey& a, const PointKey& b) const
    {
        return std::tie(a.first.bytes, a.second.bytes) < std::tie(b.first.bytes, b.second.bytes);
    }
};

struct BondLess {
    bool operator()(const std::pair<PointKey, PointKey>& a, const std::pair<PointKey, PointKey>& b) const
    {
        const PointKeyLess less;
        if (less(a.first, b.first) || less(b.first, a.first))
            return less(a.first, b.first);
        return less(a.second, b.second);
    }
};

bool isInnerLine(const ElementRecord& r, double lineLength)
{
    return std::abs(lengthOf(r) - 0.8 * lineLength) < 1e-6;
}

TEST(TemplateFiles, EveryFileParsesIntoWholeRecordsOfBondsAtTheTopLeft)
{
    for (const TemplateFile& file : allTemplateFiles()) {
        SCOPED_TRACE(file.prefix + file.name);
        const std::string path = kStruk + file.prefix + file.name + ".cfd";
        EXPECT_EQ(test::fileBytes(path).size() % kRecordSize, 0u);
        ASSERT_GE(file.records.size(), 5u);
        double left = 1e9, top = 1e9;
        for (const ElementRecord& r : file.records) {
            EXPECT_EQ(r.kind, kind::SingleBond);
            EXPECT_EQ(r.color, 0);
            left = std::min({left, r.X1(), r.X2()});
            top = std::min({top, r.Y1(), r.Y2()});
        }
        EXPECT_NEAR(left, templates::kTemplateOrigin, kLengthTolerance);
        EXPECT_NEAR(top, templates::kTemplateOrigin, kLengthTolerance);
    }
}

TEST(TemplateFiles, EveryBondHasTheLineLengthAndEveryRingCloses)
{
    // The boats and the two larger cages are drawn in perspective: a bond is
    // as long as it is seen, the longest has the line length.
    const std::set<std::string> inPerspective = {"sechs3", "sechs4", "dreimalsechs", "viermalsechs"};
    // Rings of each ring system, from its chemistry; a tree of bonds would
    // have none, an open ring one fewer.
    const std::map<std::string, int> rings = {
        {"indan", 2},        {"sechssechs", 2},       {"siebensechs", 2},  {"sechssechssechs", 3},
        {"sechssiebensechs", 3}, {"pregnan", 4},       {"sechspluseins", 2}, {"dreimalsechs", 2},
        {"viermalsechs", 3}};
    for (const TemplateFile& file : allTemplateFiles()) {
        SCOPED_TRACE(file.prefix + file.name);
        std::map<PointKey, int, PointKeyLess> degree;
        std::set<std::pair<PointKey, PointKey>, BondLess> drawn;
        int bonds = 0;
        double longest = 0.0;
        for (const ElementRecord& r : file.records) {
            if (isInnerLine(r, file.lineLength))
                continue;
            longest = std::max(longest, lengthOf(r));
            if (inPerspective.count(file.name))
                EXPECT_LE(lengthOf(r), file.lineLength + kLengthTolerance);
            else
                EXPECT_NEAR(lengthOf(r), file.lineLength, kLengthTolerance);
            // A bond shared by two fused rings is drawn once.
            PointKey a{r.x1, r.y1}, b{r.x2, r.y2};
            if (PointKeyLess()(b, a))
                std::swap(a, b);
            EXPECT_TRUE(drawn.insert({a, b}).second) << "bond drawn twice";
            ++degree[{r.x1, r.y1}];
            ++degree[{r.x2, r.y2}];
            ++bonds;
        }
        EXPECT_NEAR(longest, file.lineLength, kLengthTolerance);
        // Cyclomatic number of a connected graph: bonds - points + 1.
        const int expectedRings = rings.count(file.name) ? rings.at(file.name) : 1;
        EXPECT_EQ(bonds - int(degree.size()) + 1, expectedRings);
        int looseEnds = 0;
        for (const auto& [point, count] : degree)
            looseEnds += count == 1;
        // Only the steroid has open ends: its two methyl groups and the side chain.
        EXPECT_EQ(looseEnds, file.name == "pregnan" ? 3 : 0);
    }
}

TEST(TemplateFiles, FlatRingsLieOnTheAngleRasterOfTheirRingSize)
{
    auto onRaster = [](const ElementRecord& r, double step) {
        const double degrees = std::atan2(r.Y2() - r.Y1(), r.X2() - r.X1()) * 180.0 / 3.141592653589793;
        const double multiples = degrees / step;
        return std::abs(multiples - std::round(multiples)) < 1e-7;
    };
    const std::map<std::string, std::vector<double>> rasters = {
        {"benzol1", {30}}, {"benzol2", {30}}, {"fuenf1", {18}}, {"fuenf2", {18}}, {"fuenf3", {18}},
        {"fuenf4", {18}},  {"sieben1", {90.0 / 7}}, {"sieben2", {90.0 / 7}}, {"sieben3", {90.0 / 7}},
        {"sieben4", {90.0 / 7}}, {"indan", {30, 18}}, {"sechssechs", {30}}, {"siebensechs", {30, 90.0 / 7}},
        {"sechssechssechs", {30}}, {"pregnan", {30, 18}}, {"sechs1", {30}}, {"sechs2", {30}}};
    for (const TemplateFile& file : allTemplateFiles()) {
        if (!rasters.count(file.name))
            continue;
        SCOPED_TRACE(file.prefix + file.name);
        for (const ElementRecord& r : file.records) {
            bool any = false;
            for (double step : rasters.at(file.name))
                any = any || onRaster(r, step);
            EXPECT_TRUE(any) << r.X1() << "," << r.Y1() << " " << r.X2() << "," << r.Y2();
        }
    }
}

TEST(TemplateFiles, BenzeneDoubleBondsAreTheInnerLinesOfARightPressWithDB)
{
    for (const TemplateFile& file : allTemplateFiles()) {
        if (file.name.rfind("benzol", 0) != 0)
            continue;
        SCOPED_TRACE(file.prefix + file.name);
        std::vector<ElementRecord> ring, inner;
        for (const ElementRecord& r : file.records)
            (isInnerLine(r, file.lineLength) ? inner : ring).push_back(r);
        ASSERT_EQ(ring.size(), 6u);
        ASSERT_EQ(inner.size(), 3u);

        // Draw the ring, then press with "DB" a little inside each of the
        // marked bonds: the editor appends exactly the template's lines.
        QTemporaryDir dir;
        test::FakeUiPort ui;
        Editor editor(FileSystem::system(), ui, dir.path().toStdString());
        editor.tools.LineLength = file.lineLength;
        writeRecords(FileSystem::system(), editor.workingFile.path(), ring);
        double cx = 0, cy = 0;
        for (const ElementRecord& r : ring) {
            cx += r.X1() / 6;
            cy += r.Y1() / 6;
        }
        for (std::size_t i = 0; i < 6; i += 2) {
            const double mx = (ring[i].X1() + ring[i].X2()) / 2, my = (ring[i].Y1() + ring[i].Y2()) / 2;
            I1MouseDown(editor, PointerButton::Right, int(std::lround(mx + 0.3 * (cx - mx))),
                        int(std::lround(my + 0.3 * (cy - my))));
        }
        const std::vector<ElementRecord> after = editor.workingFile.readAll();
        ASSERT_EQ(after.size(), 9u);
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_EQ(encodeRecord(after[6 + k]), encodeRecord(inner[k])) << k;
            // Inside the ring: nearer the centre than the bond it doubles.
            const ElementRecord& line = inner[k];
            const ElementRecord& bond = ring[2 * k];
            EXPECT_LT(std::hypot((line.X1() + line.X2()) / 2 - cx, (line.Y1() + line.Y2()) / 2 - cy),
                      std::hypot((bond.X1() + bond.X2()) / 2 - cx, (bond.Y1() + bond.Y2()) / 2 - cy));
        }
    }
}

double distanceTo(QPointF p, QLineF segment)
{
    const QPointF d = segment.p2() - segment.p1();
    const double t = std::clamp(QPointF::dotProduct(p - segment.p1(), d) / QPointF::dotProduct(d, d), 0.0, 1.0);
    const QPointF gap = p - (segment.p1() + t * d);
    return std::hypot(gap.x(), gap.y());
}

TEST(TemplateFiles, NoTwoBondsMeetButAtACommonEnd)
{
    constexpr double kClearance = 2.0;  // closer lines run into each other on the page
    for (const TemplateFile& file : allTemplateFiles()) {
        std::vector<QLineF> bonds;
        for (const ElementRecord& r : file.records)
            if (isBond(r.kind))
                bonds.emplace_back(r.X1(), r.Y1(), r.X2(), r.Y2());
        for (std::size_t i = 0; i < bonds.size(); ++i)
            for (std::size_t j = i + 1; j < bonds.size(); ++j) {
                // Every end that is not an end of both keeps clear of the other bond.
                bool common = false;
                double gap = kClearance;
                for (const auto& [end, other] : {std::pair{bonds[i].p1(), bonds[j]}, {bonds[i].p2(), bonds[j]},
                                                 {bonds[j].p1(), bonds[i]}, {bonds[j].p2(), bonds[i]}}) {
                    if (end == other.p1() || end == other.p2())
                        common = true;
                    else
                        gap = std::min(gap, distanceTo(end, other));
                }
                if (!common && bonds[i].intersects(bonds[j], nullptr) == QLineF::BoundedIntersection)
                    gap = 0.0;
                EXPECT_GE(gap, kClearance) << file.prefix << file.name << ": bonds " << i << " and " << j;
            }
    }
}

TEST(TemplateFiles, AreExactlyWhatTheGeneratorWrites)
{
    QTemporaryDir dir;
    templates::writeTemplateFiles(dir.path().toStdString());
    const std::vector<std::string> generated = test::folderEntries(dir.path().toStdString());
    EXPECT_EQ(generated.size(), 46u);
    EXPECT_EQ(test::folderEntries(kStruk), generated);
    for (const std::string& name : generated) {
        SCOPED_TRACE(name);
        EXPECT_EQ(test::fileBytes(dir.path().toStdString() + "/" + name), test::fileBytes(kStruk + name));
    }
}

}  // namespace
}  // namespace veltrano
