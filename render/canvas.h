#pragma once
// The canvas of the drawing page: a pen (colour, width, position), a font
// (name, size in points, colour, character set) and the drawing calls the
// primitives use. Lines are rasterised by our own code with the classic
// Windows pixel rules; text is drawn opaque (white cell, then the glyphs).
//
// Coordinates are doubles and are rounded to the nearest pixel (ties to even)
// by the canvas; any finite value is accepted, huge ones are clipped before
// anything is stepped, and a non-finite one draws nothing.

#include "render/colour.h"
#include "render/drawing_surface.h"
#include "render/face_table.h"
#include "render/raster_target.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <string_view>

namespace veltrano {

class CoverMask;
struct TextPixels;
struct SegmentStroker;

struct CanvasState {
    Colour penColour = kBlack;
    int penWidth = 1;
    PenPosition penPosition;
    std::string fontName = "Arial";
    int fontSize = 10;  // points
    Colour fontColour = kBlack;
    CharSet charSet = CharSet::Ansi;
};

// The raster surface; final, so that calls through a Canvas are direct.
class Canvas final : public DrawingSurface {
public:
    // Draws on image, which must outlive the canvas. An image of another
    // format than 32 bits per pixel is converted to Format_RGB32 first.
    explicit Canvas(QImage& image);
    ~Canvas() override;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    QImage& image() { return *m_image; }
    const QImage& image() const { return *m_image; }
    void setImage(QImage& image);

    const CanvasState& state() const { return m_state; }
    void restoreState(const CanvasState& state);

    void setPenColour(Colour colour) override;
    Colour penColour() const override { return m_state.penColour; }
    void setPenWidth(int width) override;
    int penWidth() const override { return m_state.penWidth; }
    void setPenStyleSolid() {}  // the only style this program uses

    void moveTo(double x, double y) override;
    void lineTo(double x, double y) override;
    // lineTo to each point in turn, with the image's pixels fetched once:
    // for curves drawn as many short pieces.
    void polylineTo(std::span<const PenPosition> points) override;
    // moveTo(ends[0]), lineTo(ends[1]), moveTo(ends[2]), ... with the
    // image's pixels fetched once.
    void separateLines(std::span<const PenPosition> ends) override;
    PenPosition penPosition() const override { return m_state.penPosition; }

    void setFontName(std::string_view name) override;
    void setFontSize(int points) override;
    void setFontColour(Colour colour) override;
    void setCharSet(CharSet charSet) override;
    const std::string& fontName() const override { return m_state.fontName; }
    CharSet charSet() const override { return m_state.charSet; }

    int fontSize() const override { return m_state.fontSize; }
    Colour fontColour() const override { return m_state.fontColour; }

    // Draws bytes of the font's code page (Windows-1252, or Windows-1253 for
    // the Greek character set) with the top-left of the text cell at (x, y),
    // opaque: the cell is filled white first. The pen position is left alone.
    void textOut(double x, double y, std::string_view bytes) override;
    // The text cell of bytes in the current font: the sum of the advances by
    // ascent + descent.
    QSize textExtent(std::string_view bytes) const;

    // Copies sourceRect of source onto the canvas image with its top-left at
    // destination, unscaled. Source pixels outside source read as white;
    // what falls outside the canvas image is dropped.
    void copyRect(QPoint destination, const QImage& source, const QRect& sourceRect);

    // While set, textOut paints nothing and puts into sink the pixels it
    // would have taken (nothing when it would have painted none); the
    // canvas's state changes as when painting. For finding text that later
    // text paints over; null ends it.
    void setTextMeasure(TextPixels* sink) { m_measure = sink; }
    // While set, text sets only the image rows top .. bottom - 1 (within the
    // canvas's own rows); the others are left as they are.
    void setTextRows(std::optional<std::pair<int, int>> rows) { m_textRows = rows; }

    // While set, lines and text paint only the pixels the mask leaves free
    // (or the current element's): for painting a document back to front.
    // The mask is made for the rows drawn (bandTop, bandHeight), or it is
    // not used; it outlives its use; null ends it.
    void setCoverMask(CoverMask* cover) { m_cover = cover; }
    CoverMask* coverMask() const { return m_cover; }

    // From now on lines and text reach only the image rows top .. bottom - 1
    // (0 <= top < bottom <= image height), whose pixels are fetched here
    // once: for painting one band of the page on a thread of its own while
    // other canvases paint the other bands. Coordinates stay page
    // coordinates. The image must keep its size and stay unshared meanwhile.
    void setBand(int top, int bottom);
    int bandTop() const;
    int bandHeight() const;
    // The page's rows among the canvas's own (its band, or its image).
    std::pair<int, int> rowsSet() const override;

    // White outside the page.
    Colour pixel(int x, int y) const;
    void setPixel(int x, int y, Colour colour);

private:
    // The current pen for a run of segments: a width of 0 or 1 is the
    // one-pixel line, anything wider the round-capped wide pen.
    SegmentStroker stroker(const RasterTarget& target) const;
    void thinPolyline(const SegmentStroker& stroke, PenPosition from, std::span<const PenPosition> points) const;
    GlyphFace& face() const;
    // The pixels lines and text are drawn on: the band or the whole image.
    RasterTarget target() const;

    QImage* m_image;
    CoverMask* m_cover = nullptr;
    TextPixels* m_measure = nullptr;
    std::optional<std::pair<int, int>> m_textRows;
    // Set by setBand: the band's rows of the image.
    std::optional<RasterTarget> m_band;
    CanvasState m_state;
    // The faces this canvas used in the glyph cache's current pass, and the
    // one of the current font among them, fetched on first use after a
    // change.
    mutable FaceTable m_faces;
    mutable GlyphFace* m_face = nullptr;
};

// Ends a canvas's text measuring and text rows when it goes out of scope,
// also when painting throws, so a long-lived canvas never keeps them.
class TextLimitsInUse {
public:
    explicit TextLimitsInUse(Canvas& canvas) : m_canvas(canvas) {}
    ~TextLimitsInUse()
    {
        m_canvas.setTextMeasure(nullptr);
        m_canvas.setTextRows(std::nullopt);
    }
    TextLimitsInUse(const TextLimitsInUse&) = delete;
    TextLimitsInUse& operator=(const TextLimitsInUse&) = delete;

private:
    Canvas& m_canvas;
};

}  // namespace veltrano
