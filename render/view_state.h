#pragma once
// The view transform of the drawing unit: a record coordinate v becomes the
// surface coordinate (v - offset) * Scale, and font sizes are multiplied by
// Scale. The program resets it once when the main window is first shown and
// never changes it afterwards, so record coordinates are page pixels.

namespace veltrano {

struct ViewState {
    double OffsetX = 0.0;
    double OffsetY = 0.0;
    double Scale = 1.0;

    double toSurfaceX(double x) const { return (x - OffsetX) * Scale; }
    double toSurfaceY(double y) const { return (y - OffsetY) * Scale; }
};

inline void ResetView(ViewState& view)
{
    view.OffsetX = 0.0;
    view.OffsetY = 0.0;
    view.Scale = 1.0;
}

}  // namespace veltrano
