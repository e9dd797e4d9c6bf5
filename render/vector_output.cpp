// The cut-out, the drawing on a QPainter and the PDF; the SVG is written by
// vector_svg.cpp, the PDF by vector_pdf.cpp where its fonts have every glyph.
#include "render/vector_output.h"

#include "render/canvas.h"
#include "render/content_cutout.h"
#include "render/page.h"
#include "render/painter.h"
#include "render/vector_drawing.h"
#include "render/vector_pdf.h"

#include <QBuffer>
#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPointF>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <cmath>

namespace veltrano {

namespace {

constexpr int kOutputDotsPerInch = 96;

// Qt's raster engine draws pens of at most one device pixel with its fast
// line stepper, which places antialiased lines and their ends up to a pixel
// away from the true outline; a pen a hair wider takes the outline stroker,
// which is exact. So on a raster engine every pen is widened by a 1024th
// (a pen of exactly one device pixel, reached under a scale, is one
// too); other engines (PDF) get the width as it is.
double thinPenWidening(const QPainter& painter)
{
    const QPaintEngine* engine = painter.paintEngine();
    return engine && engine->type() == QPaintEngine::Raster ? 1.0 + 1.0 / 1024 : 1.0;
}

// Plays recorded items on a painter whose transform puts page pixels where
// they belong. The transform changes only between strokes and text, the
// fonts are made once per face.
class ItemPainter {
public:
    explicit ItemPainter(QPainter& painter)
        : m_painter(painter), m_pixels(painter.transform()),
          m_grid(QTransform::fromScale(1 / kStrokeGrid, 1 / kStrokeGrid) * m_pixels),
          m_thinWidening(thinPenWidening(painter))
    {
    }

    // The strokes of one pen run as one path.
    void strokes(const VectorRecorder& recorder, std::size_t first, std::size_t end)
    {
        const auto& head = std::get<VectorStroke>(recorder.items()[first]);
        const double shift = kStrokeCentre;
        QPainterPath path;
        for (std::size_t i = first; i < end; ++i) {
            const auto points = recorder.pointsOf(std::get<VectorStroke>(recorder.items()[i]));
            path.moveTo(onStrokeGrid(points[0].x + shift), onStrokeGrid(points[0].y + shift));
            for (std::size_t k = 1; k < points.size(); ++k)
                path.lineTo(onStrokeGrid(points[k].x + shift), onStrokeGrid(points[k].y + shift));
        }
        QPen pen(qColourOf(head.colour));
        pen.setWidthF(vectorStrokeWidth(head.width) * m_thinWidening * kStrokeGrid);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        useGrid(true);
        m_painter.strokePath(path, pen);
    }

    // The white cell, then the glyphs at the page's pen positions on the
    // baseline: one glyph run, which a PDF keeps as one piece of text.
    void text(const VectorText& run)
    {
        useGrid(false);
        m_painter.fillRect(QRectF(run.left, run.top, run.cellWidth, run.cellHeight), Qt::white);
        const std::vector<PlacedCharacter> placed = placedCharacters(run);
        if (placed.empty())
            return;
        const Face& face = faceOf(run);
        QString characters;
        QList<QPointF> positions;
        for (const PlacedCharacter& character : placed) {
            characters += character.character;
            positions.append(QPointF(character.offset, 0));
        }
        const QList<quint32> glyphs = face.raw.glyphIndexesForString(characters);
        const QPointF baseline(run.left, run.top + run.ascent);
        m_painter.setPen(qColourOf(run.colour));
        if (glyphs.size() == characters.size() && !glyphs.contains(0)) {
            QGlyphRun glyphRun;
            glyphRun.setRawFont(face.raw);
            glyphRun.setGlyphIndexes(glyphs);
            glyphRun.setPositions(positions);
            m_painter.drawGlyphRun(baseline, glyphRun);
            return;
        }
        // A character the face lacks: one by one, so the font fallback
        // finds each a glyph.
        m_painter.setFont(face.font);
        for (const PlacedCharacter& character : placed)
            m_painter.drawText(baseline + QPointF(character.offset, 0), QString(character.character));
    }

private:
    struct Face {
        QFont font;
        QRawFont raw;
    };

    void useGrid(bool grid)
    {
        if (grid == m_onGrid)
            return;
        m_painter.setTransform(grid ? m_grid : m_pixels);
        m_onGrid = grid;
    }

    const Face& faceOf(const VectorText& run)
    {
        const auto key = std::make_pair(run.fontName, run.pixelSize);
        auto found = m_faces.find(key);
        if (found == m_faces.end()) {
            const QFont font = vectorFontOf(run);
            found = m_faces.emplace(key, Face{font, QRawFont::fromFont(font)}).first;
        }
        return found->second;
    }

    QPainter& m_painter;
    const QTransform m_pixels;
    const QTransform m_grid;
    const double m_thinWidening;
    bool m_onGrid = false;
    std::map<std::pair<std::string, int>, Face> m_faces;
};

}  // namespace

QRect vectorCutOut(const ViewState& view, const std::vector<ElementRecord>& records, QSize area)
{
    QImage page = makeBlankPage();
    Canvas canvas(page);
    RepaintFile(canvas, view, records);
    const ContentEdges edges = findContentEdges(page, area);
    return QRect(edges.left - kCutOutMargin, edges.top - kCutOutMargin,
                 std::max(edges.right - edges.left, 0) + 2 * kCutOutMargin,
                 std::max(edges.bottom - edges.top, 0) + 2 * kCutOutMargin);
}

namespace {

void paintRecorded(QPainter& painter, const VectorRecorder& recorder, const QRect& area)
{
    painter.save();
    painter.translate(-area.left(), -area.top());
    // What lies beyond the page is not on the page.
    painter.setClipRect(QRect(area) & QRect(0, 0, kPageWidth, kPageHeight), Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setBrush(Qt::NoBrush);
    ItemPainter items(painter);
    const std::vector<VectorItem>& recorded = recorder.items();
    for (std::size_t i = 0; i < recorded.size();) {
        if (std::holds_alternative<VectorStroke>(recorded[i])) {
            const std::size_t end = penRunEnd(recorded, i);
            items.strokes(recorder, i, end);
            i = end;
        } else {
            items.text(std::get<VectorText>(recorded[i]));
            ++i;
        }
    }
    painter.restore();
}

QByteArray qtPdfOf(const VectorRecorder& recorder, const QRect& area)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kOutputDotsPerInch);
        writer.setCreator(QStringLiteral("Veltrano"));
        // A page of the area's size: one pixel is 3/4 of a point.
        const double pointsPerPixel = 72.0 / kOutputDotsPerInch;
        const QSizeF pageSize(std::max(area.width(), 1) * pointsPerPixel, std::max(area.height(), 1) * pointsPerPixel);
        writer.setPageLayout(QPageLayout(QPageSize(pageSize, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                         QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter(&writer);
        paintRecorded(painter, recorder, area);
    }
    return bytes;
}

}  // namespace

void paintDrawing(QPainter& painter, const ViewState& view, const std::vector<ElementRecord>& records,
                  const QRect& area)
{
    VectorRecorder recorder;
    recordDrawing(recorder, view, records);
    paintRecorded(painter, recorder, area);
}

QByteArray pdfOfDrawing(const ViewState& view, const std::vector<ElementRecord>& records, const QRect& area)
{
    VectorRecorder recorder;
    recordDrawing(recorder, view, records);
    if (std::optional<QByteArray> written = writtenPdfOf(recorder, area))
        return *std::move(written);
    return qtPdfOf(recorder, area);
}

QByteArray qtPdfOfDrawing(const ViewState& view, const std::vector<ElementRecord>& records, const QRect& area)
{
    VectorRecorder recorder;
    recordDrawing(recorder, view, records);
    return qtPdfOf(recorder, area);
}

}  // namespace veltrano
