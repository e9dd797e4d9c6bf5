// The vector drawing has the page's geometry but not its halo: rasterised
// at page scale with antialiasing, its ink lies within a pixel of the page's
// ink, for the example, every template and the mixed sample of every drawn
// kind, and a single bond is as dark on either side.
#include "document/file_system.h"
#include "document/record_file.h"
#include "page_mismatch.h"
#include "render/canvas.h"
#include "render/page.h"
#include "render/painter.h"
#include "render/vector_output.h"
#include "tools/sample_documents.h"
#include "vector_agreement.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>

#include <cstdio>
#include <string>
#include <vector>

namespace veltrano {
namespace {

using test::Agreement;

QImage rasterPage(const std::vector<ElementRecord>& records)
{
    QImage page = makeBlankPage();
    Canvas canvas(page);
    RepaintFile(canvas, ViewState{}, records);
    return page;
}

QImage vectorPage(const std::vector<ElementRecord>& records)
{
    QImage page(kPageWidth, kPageHeight, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    paintDrawing(painter, ViewState{}, records, QRect(0, 0, kPageWidth, kPageHeight));
    return page;
}

std::vector<ElementRecord> recordsOf(const QString& path)
{
    return readAllRecords(FileSystem::system(), path.toStdString());
}

// Checks one document and, on a failure, writes the pages and a picture of
// the disagreement.
Agreement expectAgreement(const std::vector<ElementRecord>& records, const std::string& name)
{
    const QImage raster = rasterPage(records);
    const QImage vector = vectorPage(records);
    const QImage inkEver = test::rasterInkEver(records);
    const Agreement agreement = test::agreementOf(raster, inkEver, vector);
    EXPECT_GT(agreement.rasterInk, 0) << name;
    const bool agrees = agreement.coveredShare() >= 0.99 && agreement.vectorStray == 0;
    EXPECT_TRUE(agrees) << name << ": " << test::describe(agreement);
    if (!agrees) {
        const QDir folder(QString::fromStdString(test::mismatchOutputFolder()));
        const QString stem = QString::fromStdString(name);
        raster.save(folder.filePath(stem + "-raster.png"));
        vector.save(folder.filePath(stem + "-vector.png"));
        test::agreementPicture(raster, inkEver, vector).save(folder.filePath(stem + "-agreement.png"));
        ADD_FAILURE() << "pictures in " << folder.path().toStdString();
    }
    std::printf("[ agreement ] %s: %s\n", name.c_str(), test::describe(agreement).c_str());
    return agreement;
}

TEST(VectorAgreement, exampleDrawing)
{
    const Agreement a = expectAgreement(recordsOf(VELTRANO_SOURCE_DIR "/examples/benzoesaeure.cfd"), "benzoesaeure");
    RecordProperty("agreement", test::describe(a));
}

TEST(VectorAgreement, everyTemplate)
{
    const QDir folder(VELTRANO_SOURCE_DIR "/data/struk");
    const QStringList names = folder.entryList({"*.cfd"}, QDir::Files, QDir::Name);
    ASSERT_GE(names.size(), 40);
    Agreement total;
    for (const QString& name : names) {
        const std::vector<ElementRecord> records = recordsOf(folder.filePath(name));
        const QImage raster = rasterPage(records);
        const Agreement a = test::agreementOf(raster, test::rasterInkEver(records), vectorPage(records));
        if (a.coveredShare() < 0.99 || a.vectorStray != 0)
            expectAgreement(records, name.toStdString());
        total.rasterInk += a.rasterInk;
        total.rasterCovered += a.rasterCovered;
        total.vectorInk += a.vectorInk;
        total.vectorStray += a.vectorStray;
    }
    std::printf("[ agreement ] %lld templates: %s\n", static_cast<long long>(names.size()), test::describe(total).c_str());
    RecordProperty("agreement", test::describe(total));
}

TEST(VectorAgreement, singleBondHasNoBandOnOneSide)
{
    const std::vector<ElementRecord> bond = {makeRecord(kind::SingleBond, 20, 30, 120, 30)};
    const QImage raster = rasterPage(bond), vector = vectorPage(bond);
    // The page's halo lies above the line only; the vector line's edges match.
    EXPECT_NE(raster.pixel(70, 29), raster.pixel(70, 31));
    EXPECT_LE(qRed(vector.pixel(70, 30)), 64);
    EXPECT_EQ(vector.pixel(70, 29), vector.pixel(70, 31));
    EXPECT_GE(qRed(vector.pixel(70, 29)), 200);
}

TEST(VectorAgreement, mixedSampleOfEveryKind)
{
    const Agreement a = expectAgreement(samples::mixedDocument(), "mixed5001");
    RecordProperty("agreement", test::describe(a));
}

}  // namespace
}  // namespace veltrano
