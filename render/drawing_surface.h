#pragma once
// The drawing calls the primitives and the element painter make: a pen
// (colour, width, position), a font (name, size in points, colour,
// character set), pen moves, lines and opaque text. Two surfaces take them:
// the raster Canvas of the page, and the VectorRecorder, which keeps the
// same calls as strokes and text runs for SVG and PDF. The geometry of
// every element is written once, against this interface.
//
// Coordinates are doubles in page pixels as the primitives compute them;
// each surface decides what to do with them (the canvas rounds to whole
// pixels, the recorder keeps them).

#include "render/colour.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace veltrano {

enum class CharSet { Ansi = 0, Greek = 161 };

struct PenPosition {
    double x = 0;
    double y = 0;
};

// The page every drawing is made on, in pixels.
constexpr int kPageWidth = 1200;
constexpr int kPageHeight = 1000;

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    virtual void setPenColour(Colour colour) = 0;
    virtual Colour penColour() const = 0;
    virtual void setPenWidth(int width) = 0;
    virtual int penWidth() const = 0;
    void setPenStyleSolid() {}  // the only style this program uses

    virtual void moveTo(double x, double y) = 0;
    // A line from the pen position; the pen position becomes (x, y).
    virtual void lineTo(double x, double y) = 0;
    // lineTo to each point in turn.
    virtual void polylineTo(std::span<const PenPosition> points) = 0;
    // moveTo(ends[0]), lineTo(ends[1]), moveTo(ends[2]), ...
    virtual void separateLines(std::span<const PenPosition> ends) = 0;
    virtual PenPosition penPosition() const = 0;

    // Whether the surface is a page of whole pixels. The primitives give
    // such a surface the screen's smoothing (the pale halo beside a single
    // bond, the white core of a triple bond); a vector surface gets one
    // clean line for each line that is seen.
    virtual bool isPixelPage() const { return true; }
    // The rows top .. bottom - 1 of the page this surface can set pixels in:
    // all of them, or the band a canvas paints on a thread of its own.
    // Primitives whose work grows with their size leave out what lies beside
    // them.
    virtual std::pair<int, int> rowsSet() const { return {0, kPageHeight}; }

    virtual void setFontName(std::string_view name) = 0;
    // Points as the page takes them: a negative size asks for a cell height.
    virtual void setFontSize(int points) = 0;
    virtual void setFontColour(Colour colour) = 0;
    virtual void setCharSet(CharSet charSet) = 0;
    virtual const std::string& fontName() const = 0;
    virtual CharSet charSet() const = 0;
    virtual int fontSize() const = 0;
    virtual Colour fontColour() const = 0;

    // Bytes of the font's code page (Windows-1252, or Windows-1253 for the
    // Greek character set) with the top-left of the text cell at (x, y),
    // opaque: the cell is white under the glyphs. The pen is left alone.
    virtual void textOut(double x, double y, std::string_view bytes) = 0;

protected:
    DrawingSurface() = default;
    DrawingSurface(const DrawingSurface&) = default;
    DrawingSurface& operator=(const DrawingSurface&) = default;
};

// Keeps the font name and character set of a surface and puts them back when
// it goes out of scope, for drawing calls that use a font of their own.
class FontNameSaver {
public:
    explicit FontNameSaver(DrawingSurface& surface)
        : m_surface(surface), m_fontName(surface.fontName()), m_charSet(surface.charSet())
    {
    }
    ~FontNameSaver()
    {
        m_surface.setFontName(m_fontName);
        m_surface.setCharSet(m_charSet);
    }
    FontNameSaver(const FontNameSaver&) = delete;
    FontNameSaver& operator=(const FontNameSaver&) = delete;

private:
    DrawingSurface& m_surface;
    std::string m_fontName;
    CharSet m_charSet;
};

}  // namespace veltrano
