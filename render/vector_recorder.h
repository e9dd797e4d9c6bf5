#pragma once
// A drawing surface that keeps what it is given: the pen moves and lines as
// strokes (the points of a polyline, the pen width and colour) and each text
// output as a text run (the cell's top-left, the font, the Unicode text, the
// advance of each character and the cell's size), in drawing order. Nothing
// is rounded; the text cell comes from the same glyph metrics the raster
// page uses, so an opaque cell covers what it covers on the page.
//
// Stroke points are the coordinates the primitives emit. On the page a
// coordinate c stands for the pixel round(c), so the writers centre every
// stroke on that pixel's centre, c + kStrokeCentre: the one-pixel line and
// odd widths lie exactly where the page puts them, even widths (which the
// page reaches one pixel further toward -x and -y) half a pixel from there,
// on the axis of the bond they draw.
//
// The recorder is no pixel page: the primitives give it no smoothing (no
// halo beside a single bond, no white core in a triple bond), only the lines
// that are seen.
//
// Lines are clipped to a box around the page (the page is what the raster
// shows), so a damaged record with coordinates of 10^30 becomes a stroke of
// page size; a line with a non-finite end is dropped, as on the canvas.

#include "render/drawing_surface.h"

#include <QRectF>
#include <QString>

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace veltrano {

class GlyphFace;

struct VectorStroke {
    std::size_t firstPoint = 0;  // into VectorRecorder::points()
    std::size_t pointCount = 0;
    int width = 1;               // pixels; 0 and 1 are the one-pixel line
    Colour colour = kBlack;
};

struct VectorText {
    double left = 0;             // the cell's top-left in page pixels
    double top = 0;
    std::string fontName;        // the surface's font name ("Arial", "Courier New")
    int points = 0;              // the surface's font size
    CharSet charSet = CharSet::Ansi;
    int pixelSize = 0;           // em height in pixels of the page's face
    int ascent = 0;              // baseline below the cell's top
    int cellWidth = 0;           // the sum of the advances
    int cellHeight = 0;          // ascent + descent
    Colour colour = kBlack;
    // One UTF-16 unit per byte of the text (every character of the two code
    // pages is in the basic plane); units without a glyph (hasNoGlyph) take
    // their advance but draw nothing.
    QString text;
    std::vector<int> advances;   // one per unit of text
};

using VectorItem = std::variant<VectorStroke, VectorText>;

// Added to both coordinates of every stroke point.
inline constexpr double kStrokeCentre = 0.5;

// The weight of the one-pixel pen's lines in vector output (the single
// bond, each line of the double and triple bonds, dashes, arrows,
// brackets), in page pixels. On the page a single bond carries 1.4 pixels
// of ink (its line and the 40 % halo pixel beside it) and the lines of a
// triple bond stand 2 pixels apart: 1.2 is close to the single bond's weight
// and leaves the triple bond's gaps two thirds as wide as its lines.
inline constexpr double kVectorLineWidth = 1.2;

// The stroke width a writer gives a pen width: kVectorLineWidth for the
// one-pixel pen, the pen width for wider pens (the wedges' width-2 fans).
inline double vectorStrokeWidth(int width)
{
    return width > 1 ? double(width) : kVectorLineWidth;
}

class VectorRecorder final : public DrawingSurface {
public:
    // Lines are clipped to the page with this margin on every side: more than
    // any pen reaches, so the clipped ends never show.
    static constexpr double kClipMargin = 16.0;
    // A point of a polyline is left out where the polyline without it passes
    // within this distance (pixels): the arcs of curved arrows, stepped a
    // pixel at a time, and lines drawn as several pieces keep a fraction of
    // their points, and no outline moves by more than this.
    static constexpr double kThinning = 1.0 / 20;

    VectorRecorder();

    const std::vector<VectorItem>& items() const { return m_items; }
    std::span<const PenPosition> pointsOf(const VectorStroke& stroke) const
    {
        return std::span<const PenPosition>(m_points).subspan(stroke.firstPoint, stroke.pointCount);
    }

    void setPenColour(Colour colour) override { m_penColour = colour; }
    Colour penColour() const override { return m_penColour; }
    void setPenWidth(int width) override { m_penWidth = width; }
    int penWidth() const override { return m_penWidth; }

    void moveTo(double x, double y) override { m_penPosition = {x, y}; }
    void lineTo(double x, double y) override;
    void polylineTo(std::span<const PenPosition> points) override;
    void separateLines(std::span<const PenPosition> ends) override;
    PenPosition penPosition() const override { return m_penPosition; }
    bool isPixelPage() const override { return false; }

    void setFontName(std::string_view name) override;
    void setFontSize(int points) override;
    void setFontColour(Colour colour) override { m_fontColour = colour; }
    void setCharSet(CharSet charSet) override;
    const std::string& fontName() const override { return m_fontName; }
    CharSet charSet() const override { return m_charSet; }
    int fontSize() const override { return m_fontSize; }
    Colour fontColour() const override { return m_fontColour; }

    void textOut(double x, double y, std::string_view bytes) override;

private:
    void addSegment(PenPosition from, PenPosition to);
    void extendStroke(VectorStroke& stroke, PenPosition to);
    GlyphFace& face();

    std::vector<VectorItem> m_items;
    std::vector<PenPosition> m_points;
    QRectF m_clip;
    // The item index of the stroke a line may extend, or none.
    std::size_t m_openStroke = kNoStroke;
    static constexpr std::size_t kNoStroke = std::size_t(-1);
    // The points the open stroke's last point has replaced so far; the
    // check against all of them keeps the error from adding up.
    std::vector<PenPosition> m_dropped;
    static constexpr std::size_t kMaxDropped = 64;

    Colour m_penColour = kBlack;
    int m_penWidth = 1;
    PenPosition m_penPosition;
    std::string m_fontName = "Arial";
    int m_fontSize = 10;
    Colour m_fontColour = kBlack;
    CharSet m_charSet = CharSet::Ansi;
    // The page's glyph metrics of the current font, fetched on first use
    // after a change.
    std::shared_ptr<GlyphFace> m_face;
};

}  // namespace veltrano
