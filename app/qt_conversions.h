#pragma once
// The core's plain values as Qt types: UTF-8 names and captions of the
// tables as QString, table places as QRect, Windows colour values as QColor.

#include "editor/palette_tables.h"
#include "render/colour.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <string_view>

namespace veltrano {

inline QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

inline QRect rectOf(const PanelPlace& place)
{
    return QRect(place.left, place.top, place.width, place.height);
}

inline QColor toQColor(Colour colour)
{
    return QColor(redOf(colour), greenOf(colour), blueOf(colour));
}

}  // namespace veltrano
