#pragma once
// The icon of formula files and of the program: a benzene ring (a hexagon
// with its inner circle) on a white rounded square. One geometry, drawn as
// scalable SVG text and as a PNG for the icon theme's fixed sizes.

#include <QByteArray>

namespace veltrano {

QByteArray fileTypeIconSvg();

// A square PNG of size by size pixels; empty when it cannot be encoded.
QByteArray fileTypeIconPng(int size);

}  // namespace veltrano
