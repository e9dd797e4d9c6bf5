#pragma once
// The logo of the About window, drawn by our own code at start-up: a
// benzene ring painted by the element painter as the editor draws one, a
// wedge bond leading to the lettering "Veltrano" and a line below it. The
// top-left corner stays white for the name and version labels that lie
// over it, and the right half below the lettering for the contact text.

#include <QImage>

namespace veltrano {

constexpr int kLogoWidth = 370;
constexpr int kLogoHeight = 168;

QImage drawAboutLogo();

}  // namespace veltrano
