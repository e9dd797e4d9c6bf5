#include "render/canvas.h"

// Placeholder until the rasteriser lands: keeps the tree building.
namespace veltrano {

Canvas::Canvas(QImage& image) : m_image(&image) {}
void Canvas::restoreState(const CanvasState& state) { m_state = state; }
void Canvas::setPenColour(Colour colour) { m_state.penColour = colour; }
void Canvas::setPenWidth(int width) { m_state.penWidth = width; }
void Canvas::moveTo(double x, double y) { m_state.penPosition = {x, y}; }
void Canvas::lineTo(double x, double y) { m_state.penPosition = {x, y}; }
void Canvas::setFontName(std::string_view name) { m_state.fontName = std::string(name); }
void Canvas::setFontSize(int points) { m_state.fontSize = points; }
void Canvas::setFontColour(Colour colour) { m_state.fontColour = colour; }
void Canvas::setCharSet(CharSet charSet) { m_state.charSet = charSet; }
void Canvas::textOut(double, double, std::string_view) {}
Colour Canvas::pixel(int, int) const { return kWhite; }
void Canvas::setPixel(int, int, Colour) {}

}  // namespace veltrano
