#include "render/hidden_text.h"

#include "document/element_kind.h"
#include "render/canvas.h"
#include "render/glyph_cache.h"
#include "render/painter.h"
#include "render/text_raster.h"

#include <algorithm>
#include <cstdint>

namespace veltrano {

namespace {

// The image in square tiles, each marked once it lies wholly within a cell
// painted later. Tiles, not pixels: a cell marks and a box is tested in a
// few hundred steps, and pixels at the tiles' edges only ever count as
// uncovered, so nothing is hidden that shows.
class TileCover {
public:
    TileCover(int width, int height)
        : m_width(width), m_height(height), m_columns((width + kTile - 1) / kTile),
          m_rows((height + kTile - 1) / kTile), m_taken(std::size_t(m_columns) * std::size_t(m_rows), false)
    {
    }

    // Marks the tiles wholly inside the box (right and bottom excluded).
    // Tiles cut by the image's right or bottom edge count as wholly inside
    // when the box reaches that edge.
    void take(const TextBox& box)
    {
        const std::int64_t right = box.right >= m_width ? std::int64_t(m_columns) * kTile : box.right;
        const std::int64_t bottom = box.bottom >= m_height ? std::int64_t(m_rows) * kTile : box.bottom;
        const int x0 = int(std::clamp<std::int64_t>(ceilDiv(box.left), 0, m_columns));
        const int x1 = int(std::clamp<std::int64_t>(right / kTile, 0, m_columns));
        const int y0 = int(std::clamp<std::int64_t>(ceilDiv(box.top), 0, m_rows));
        const int y1 = int(std::clamp<std::int64_t>(bottom / kTile, 0, m_rows));
        for (int y = y0; y < y1; ++y)
            std::fill_n(m_taken.begin() + std::ptrdiff_t(std::size_t(y) * std::size_t(m_columns) + std::size_t(x0)),
                        std::max(0, x1 - x0), true);
    }

    // The rows from the first tile row with an unmarked tile under the box
    // to the last such (none for a box wholly marked or off the image).
    ShownRows shownRows(const TextBox& box) const
    {
        const std::int64_t left = std::max<std::int64_t>(box.left, 0), top = std::max<std::int64_t>(box.top, 0);
        const std::int64_t right = std::min<std::int64_t>(box.right, m_width);
        const std::int64_t bottom = std::min<std::int64_t>(box.bottom, m_height);
        if (left >= right || top >= bottom)
            return {0, 0};
        const int x0 = int(left / kTile), x1 = int((right - 1) / kTile);
        const int y0 = int(top / kTile), y1 = int((bottom - 1) / kTile);
        auto open = [&](int y) {
            const auto row = m_taken.begin() + std::ptrdiff_t(std::size_t(y) * std::size_t(m_columns));
            return std::find(row + x0, row + x1 + 1, false) != row + x1 + 1;
        };
        int first = y0;
        while (first <= y1 && !open(first))
            ++first;
        if (first > y1)
            return {0, 0};
        int last = y1;
        while (!open(last))
            --last;
        // Rows are cut only at a marked tile row; beyond the box's first and
        // last tile rows nothing is.
        ShownRows shown;
        if (first > y0)
            shown.top = first * kTile;
        if (last < y1)
            shown.bottom = (last + 1) * kTile;
        return shown;
    }

private:
    static constexpr int kTile = 16;
    static std::int64_t ceilDiv(std::int64_t v) { return v >= 0 ? (v + kTile - 1) / kTile : -(-v / kTile); }

    int m_width, m_height, m_columns, m_rows;
    std::vector<bool> m_taken;
};

// Labels, characters and Greek letters: records that paint one text cell
// and nothing else.
bool isText(const ElementRecord& record)
{
    return layerOf(record.kind) == Layer::Text && inkReachOf(traitsOf(record.kind).drawing) == InkReach::TextCell;
}

// How many times over the text cells can cover the image at most, from the
// records alone: the em size bound squared for each byte.
double textCoverBound(const ViewState& view, const std::vector<ElementRecord>& records, const QImage& image)
{
    double area = 0;
    for (const ElementRecord& record : records) {
        if (!isText(record))
            continue;
        const double em = emSizeBound(pixelHeightForPoints(fontPointsOf(record.X2(), view)));
        const std::size_t bytes = traitsOf(record.kind).drawing == Drawing::Label ? LabelText(record.kind).size() : 1;
        area += em * em * double(bytes);
    }
    return area / (double(image.width()) * double(image.height()));
}

// Below this many times, text seldom lies under enough later text to be
// left out, and measuring it costs more than it saves (by this bound the
// mixed sample's text covers its page 9 times, 65 534 characters of 150 to
// 300 points 7000 times).
constexpr double kPiledText = 50.0;

}  // namespace

bool textPilesUp(const Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records)
{
    const QImage& image = canvas.image();
    return image.width() > 0 && image.height() > 0 && textCoverBound(view, records, image) >= kPiledText;
}

std::vector<ShownRows> shownTextRows(Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records)
{
    const QImage& image = canvas.image();
    if (image.width() <= 0 || image.height() <= 0)
        return {};
    // The text layer is painted after the bonds and before the arrows, in
    // file order; what each text record would set is measured on the way
    // as the canvas's state goes from record to record.
    const CanvasState start = canvas.state();
    std::vector<TextPixels> pixels(records.size());
    {
        const TextLimitsInUse inUse(canvas);
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (!isText(records[i]))
                continue;
            canvas.setTextMeasure(&pixels[i]);
            PaintElement(canvas, view, records[i]);
        }
    }
    canvas.restoreState(start);

    std::vector<ShownRows> shown(records.size());
    bool anyCut = false;
    TileCover cover(image.width(), image.height());
    for (std::size_t i = records.size(); i-- > 0;) {
        if (!isText(records[i]))
            continue;
        const TextPixels& text = pixels[i];
        shown[i] = text.any ? cover.shownRows(text.ink) : ShownRows{0, 0};
        anyCut = anyCut || !shown[i].whole();
        if (!shown[i].hidden())
            cover.take(text.cell);
    }
    if (!anyCut)
        shown.clear();
    return shown;
}

}  // namespace veltrano
