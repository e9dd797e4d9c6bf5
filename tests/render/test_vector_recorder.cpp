// The vector recorder keeps the primitives' calls as they come: unrounded
// points, the pen of each stroke, text runs with the page's cell metrics.
#include "render/canvas.h"
#include "render/glyph_cache.h"
#include "render/page.h"
#include "render/painter.h"
#include "render/primitives.h"
#include "render/vector_recorder.h"
#include "tools/sample_documents.h"

#include <gtest/gtest.h>

#include <array>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace veltrano {
namespace {

std::vector<VectorStroke> strokesOf(const VectorRecorder& recorder)
{
    std::vector<VectorStroke> strokes;
    for (const VectorItem& item : recorder.items())
        if (const auto* stroke = std::get_if<VectorStroke>(&item))
            strokes.push_back(*stroke);
    return strokes;
}

std::vector<VectorText> textsOf(const VectorRecorder& recorder)
{
    std::vector<VectorText> texts;
    for (const VectorItem& item : recorder.items())
        if (const auto* text = std::get_if<VectorText>(&item))
            texts.push_back(*text);
    return texts;
}

TEST(VectorRecorder, keepsUnroundedPointsAndJoinsConnectedLinesOfOnePen)
{
    VectorRecorder recorder;
    recorder.setPenColour(0x0000FF);
    recorder.setPenWidth(2);
    recorder.moveTo(10.25, 20.75);
    recorder.lineTo(30.5, 20.75);
    recorder.lineTo(30.5, 40.125);
    // Another pen starts another stroke, even from the same point.
    recorder.setPenWidth(1);
    recorder.lineTo(50.0, 40.125);
    // A move breaks the stroke.
    recorder.moveTo(60, 60);
    recorder.lineTo(70, 60);

    const auto strokes = strokesOf(recorder);
    ASSERT_EQ(strokes.size(), 3u);
    EXPECT_EQ(strokes[0].width, 2);
    EXPECT_EQ(strokes[0].colour, 0x0000FFu);
    const auto first = recorder.pointsOf(strokes[0]);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].x, 10.25);
    EXPECT_EQ(first[0].y, 20.75);
    EXPECT_EQ(first[2].y, 40.125);
    EXPECT_EQ(strokes[1].width, 1);
    EXPECT_EQ(recorder.pointsOf(strokes[1]).size(), 2u);
    EXPECT_EQ(recorder.pointsOf(strokes[2])[0].x, 60.0);
    EXPECT_EQ(recorder.penPosition().x, 70.0);
}

TEST(VectorRecorder, dropsWhatTheCanvasDoesNotDrawAndClipsFarLines)
{
    VectorRecorder recorder;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    recorder.moveTo(10, 10);
    recorder.lineTo(nan, 10);          // non-finite: nothing
    recorder.moveTo(10.2, 10);
    recorder.lineTo(10.4, 10.1);       // one pixel pen, both ends on one pixel: nothing
    recorder.setPenWidth(3);
    recorder.moveTo(5, 5);
    recorder.lineTo(5, 5);             // a wide pen's zero-length line is its cap
    recorder.setPenWidth(1);
    recorder.moveTo(-1e30, 500);
    recorder.lineTo(1e30, 500);        // far ends: clipped to the page and its margin
    recorder.moveTo(-1e300, -1e300);
    recorder.lineTo(-1e299, -1e300);   // wholly beside the page: nothing

    const auto strokes = strokesOf(recorder);
    ASSERT_EQ(strokes.size(), 2u);
    EXPECT_EQ(strokes[0].width, 3);
    ASSERT_EQ(recorder.pointsOf(strokes[0]).size(), 2u);
    const auto far = recorder.pointsOf(strokes[1]);
    EXPECT_DOUBLE_EQ(far[0].x, -VectorRecorder::kClipMargin);
    EXPECT_DOUBLE_EQ(far[1].x, kPageWidth + VectorRecorder::kClipMargin);
    EXPECT_DOUBLE_EQ(far[0].y, 500.0);
}

// Points on the straight way are left out, but none that bends the line by
// more than the thinning distance, and no turning back.
TEST(VectorRecorder, thinsPolylinesWithinTheThinningDistance)
{
    VectorRecorder recorder;
    recorder.moveTo(0, 0);
    for (int i = 1; i <= 10; ++i)
        recorder.lineTo(10.0 * i, 0);      // one straight line in ten pieces
    recorder.lineTo(50, 0);                // back along itself: kept
    std::vector<PenPosition> arc;
    recorder.moveTo(0, 300);
    for (int i = 1; i <= 200; ++i) {       // a parabola a pixel at a time, as the curved arrow steps
        const double offset = 30 - 30 * (i - 100.0) * (i - 100.0) / 10000.0;
        arc.push_back({double(i), 300 + offset});
    }
    recorder.polylineTo(arc);

    const auto strokes = strokesOf(recorder);
    ASSERT_EQ(strokes.size(), 2u);
    const auto straight = recorder.pointsOf(strokes[0]);
    ASSERT_EQ(straight.size(), 3u);
    EXPECT_EQ(straight[1].x, 100.0);
    EXPECT_EQ(straight[2].x, 50.0);

    const auto thinned = recorder.pointsOf(strokes[1]);
    EXPECT_LT(thinned.size(), arc.size() / 3);
    EXPECT_EQ(thinned.back().x, 200.0);
    // Every stepped point lies within the thinning distance of the thinned
    // polyline.
    for (const PenPosition& p : arc) {
        double nearest = 1e9;
        for (std::size_t k = 0; k + 1 < thinned.size(); ++k) {
            const PenPosition a = thinned[k], b = thinned[k + 1];
            const double dx = b.x - a.x, dy = b.y - a.y;
            const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
            nearest = std::min(nearest, std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy));
        }
        EXPECT_LE(nearest, VectorRecorder::kThinning + 1e-9) << p.x;
    }
}

// A vector surface gets no smoothing: a triple bond is its three seen lines
// (the outer ones 2 pixels beside the axis over the length shortened by 3),
// a single bond its line, all with the one-pixel pen in the bond's colour.
TEST(VectorRecorder, bondsAreTheirSeenLinesOfOneWeight)
{
    VectorRecorder recorder;
    PaintElement(recorder, ViewState{}, makeRecord(kind::TripleBond, 10, 10, 50, 10, 0x0000FF));
    PaintElement(recorder, ViewState{}, makeRecord(kind::SingleBond, 10, 50, 50, 50, 0x0000FF));
    const std::vector<std::array<double, 4>> lines = {{13, 12, 47, 12}, {13, 8, 47, 8}, {10, 10, 50, 10}, {10, 50, 50, 50}};
    const auto strokes = strokesOf(recorder);
    ASSERT_EQ(strokes.size(), lines.size());
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        const auto p = recorder.pointsOf(strokes[i]);
        EXPECT_EQ((std::array{p[0].x, p[0].y, p[p.size() - 1].x, p[p.size() - 1].y}), lines[i]) << i;
        EXPECT_EQ(strokes[i].width, 1);
        EXPECT_EQ(strokes[i].colour, 0x0000FFu);
    }
}

// The text cell is the canvas's, for each font the painter uses and for a
// negative size (a cell height); the text is Unicode of the code page.
TEST(VectorRecorder, textRunsHaveThePagesCellsAndUnicodeText)
{
    struct Case {
        const char* font;
        int points;
        CharSet charSet;
        std::string bytes;
        QString text;
    };
    const Case cases[] = {
        {"Arial", 12, CharSet::Ansi, "COOH", QStringLiteral("COOH")},
        {"Arial", 10, CharSet::Ansi, "\xB2\x80", QStringLiteral("\u00B2\u20AC")},
        {"Courier New", 14, CharSet::Ansi, "\xFC", QStringLiteral("\u00FC")},
        {"Courier New", 14, CharSet::Greek, "\xE1\xED", QStringLiteral("\u03B1\u03BD")},
        {"Courier New", -20, CharSet::Ansi, "A", QStringLiteral("A")},
        {"Arial", 12, CharSet::Ansi, std::string("\x01", 1), QString(QChar(1))},
    };
    QImage page = makeBlankPage();
    Canvas canvas(page);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.font + std::string(" ") + std::to_string(c.points));
        VectorRecorder recorder;
        for (DrawingSurface* surface : {static_cast<DrawingSurface*>(&recorder), static_cast<DrawingSurface*>(&canvas)}) {
            surface->setFontName(c.font);
            surface->setFontSize(c.points);
            surface->setCharSet(c.charSet);
            surface->setFontColour(0x00FF00);
            surface->textOut(100.4, 200.6, c.bytes);
        }
        const auto texts = textsOf(recorder);
        ASSERT_EQ(texts.size(), 1u);
        const VectorText& run = texts[0];
        const QSize cell = canvas.textExtent(c.bytes);
        EXPECT_EQ(run.left, 100.0);
        EXPECT_EQ(run.top, 201.0);
        EXPECT_EQ(run.cellWidth, cell.width());
        EXPECT_EQ(run.cellHeight, cell.height());
        EXPECT_GT(run.cellHeight, 0);
        EXPECT_EQ(run.text, c.text);
        EXPECT_EQ(run.colour, 0x00FF00u);
        EXPECT_EQ(run.fontName, c.font);
        EXPECT_EQ(run.points, c.points);
        const auto face = GlyphCache::shared().face(c.font, pixelHeightForPoints(c.points), c.charSet);
        EXPECT_EQ(run.pixelSize, face->pixelSize());
        EXPECT_EQ(run.ascent, face->ascent());
        int sum = 0;
        for (int advance : run.advances)
            sum += advance;
        EXPECT_EQ(sum, run.cellWidth);
        EXPECT_EQ(run.advances.size(), c.bytes.size());
    }
}

// The painter's calls reach the recorder as they reach the canvas: a single
// wedge keeps its width-2 pen, a Greek letter keeps the surface's font.
TEST(VectorRecorder, getsThePaintersCalls)
{
    VectorRecorder recorder;
    PaintElement(recorder, ViewState{}, makeRecord(kind::SolidWedge, 10, 10, 50, 10, 0x0000FF));
    const auto strokes = strokesOf(recorder);
    ASSERT_EQ(strokes.size(), 6u);  // the fan's six lines
    for (const VectorStroke& stroke : strokes) {
        EXPECT_EQ(stroke.width, 2);
        EXPECT_EQ(stroke.colour, 0x0000FFu);
    }

    recorder.setFontName("Arial");
    PaintElement(recorder, ViewState{}, makeRecord(kind::GreekOffset + 0xE1, 20.5, 30, 12, 0));
    const auto texts = textsOf(recorder);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].fontName, "Courier New");
    EXPECT_EQ(texts[0].charSet, CharSet::Greek);
    EXPECT_EQ(texts[0].text, QStringLiteral("\u03B1"));
    EXPECT_EQ(recorder.fontName(), "Arial");
    EXPECT_EQ(recorder.charSet(), CharSet::Ansi);
}

// A document of damaged records records only what can reach the page.
TEST(VectorRecorder, hostileRecordsStayNearThePage)
{
    VectorRecorder recorder;
    std::vector<ElementRecord> records;
    for (double far : {1e30, -1e30, 1e38}) {
        records.push_back(makeRecord(kind::StraightArrow, far, 100, 100, far));
        records.push_back(makeRecord(kind::CurvedArrowFirst + 2, -far, 500, far, 500));
        records.push_back(makeRecord(kind::TripleBond, far, far, -far, 10));
        records.push_back(makeRecord(5, far, 10, 12, 0));
        records.push_back(makeRecord(5, 10, 10, far, 0));
    }
    const std::vector<ElementRecord> sample = samples::hostileDocument();
    records.insert(records.end(), sample.begin(), sample.end());
    RepaintFile(recorder, ViewState{}, records);
    const double margin = VectorRecorder::kClipMargin;
    for (const VectorItem& item : recorder.items()) {
        if (const auto* stroke = std::get_if<VectorStroke>(&item)) {
            for (const PenPosition& p : recorder.pointsOf(*stroke)) {
                EXPECT_GE(p.x, -margin);
                EXPECT_LE(p.x, kPageWidth + margin);
                EXPECT_GE(p.y, -margin);
                EXPECT_LE(p.y, kPageHeight + margin);
            }
        } else {
            const auto& run = std::get<VectorText>(item);
            EXPECT_LE(run.pixelSize, kMaxTextPixelSize);
            EXPECT_LT(std::fabs(run.left), 1e4);
        }
    }
}

}  // namespace
}  // namespace veltrano
