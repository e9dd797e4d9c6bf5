#include "render/vector_drawing.h"

#include "render/glyph_cache.h"
#include "render/painter.h"

#include <algorithm>

namespace veltrano {

void recordDrawing(VectorRecorder& recorder, const ViewState& view, const std::vector<ElementRecord>& records)
{
    DrawingSurface& surface = recorder;
    RepaintFile(surface, view, records);
}

QStringList vectorFontFamilies(const std::string& fontName)
{
    if (fontName == "Arial")
        return {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")};
    if (fontName == "Courier New")
        return {QStringLiteral("Liberation Mono"), QStringLiteral("Courier New")};
    return {QString::fromStdString(fontName)};
}

QString cssFontFamilies(const std::string& fontName)
{
    const QStringList families = vectorFontFamilies(fontName);
    QStringList quoted;
    for (const QString& family : families)
        quoted.append(family.contains(QLatin1Char(' ')) ? QLatin1Char('\'') + family + QLatin1Char('\'') : family);
    quoted.append(fontName == "Courier New" ? QStringLiteral("monospace") : QStringLiteral("sans-serif"));
    return quoted.join(QStringLiteral(", "));
}

QFont vectorFontOf(const VectorText& run)
{
    QFont font;
    font.setFamilies(vectorFontFamilies(run.fontName));
    font.setPixelSize(std::max(run.pixelSize, 1));
    font.setKerning(false);
    // On a raster target the glyphs are hinted as the page's are, so that
    // stems and bars land on the same pixel rows; PDF ignores hinting.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

std::size_t penRunEnd(const std::vector<VectorItem>& items, std::size_t first)
{
    const auto& head = std::get<VectorStroke>(items[first]);
    std::size_t end = first + 1;
    while (end < items.size()) {
        const auto* next = std::get_if<VectorStroke>(&items[end]);
        if (!next || next->width != head.width || next->colour != head.colour)
            break;
        ++end;
    }
    return end;
}

std::vector<PlacedCharacter> placedCharacters(const VectorText& run)
{
    std::vector<PlacedCharacter> placed;
    placed.reserve(run.advances.size());
    int offset = 0;
    for (qsizetype i = 0; i < run.text.size(); ++i) {
        const QChar character = run.text[i];
        if (!hasNoGlyph(character.unicode()))
            placed.push_back({character, offset});
        offset += run.advances[std::size_t(i)];
    }
    return placed;
}

}  // namespace veltrano
