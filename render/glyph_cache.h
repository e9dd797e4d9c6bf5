#pragma once
// Glyphs of the page fonts, rendered once and kept: for each font (name,
// pixel size, character set) the cell metrics, the advance of each of the 256
// byte codes and, on first use, each byte's glyph as runs of ink pixels.
// Drawing text is then filling spans, which a repaint of thousands of labels
// needs; QPainter renders each glyph only once.
//
// Glyphs are rendered without antialiasing (every pixel is ink or not) and
// with the platform's default hinting, each glyph placed on its own at a
// whole-pixel pen position: the text is not kerned, as on Windows.
//
// Faces and the cache may be used from several threads at once (the bands
// of a large repaint): an advance or glyph known already is read without a
// lock, the first use of one is measured or rendered under the face's lock.

#include "render/drawing_surface.h"

#include <QFont>
#include <QFontMetrics>
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace veltrano {

// A horizontal run of ink pixels relative to the glyph's pen position at the
// top of the text cell: row y, columns firstX .. endX-1.
struct InkRun {
    std::int16_t y;
    std::int16_t firstX;
    std::int16_t endX;
};

struct Glyph {
    std::vector<InkRun> runs;
};

// Pixel sizes are kept within this range (300 points); larger requests,
// which only damaged files make, draw at the limit, so that no glyph costs
// more than a fraction of a millisecond to render.
constexpr int kMaxTextPixelSize = 400;

// The em height in pixels for a font size in points at 96 dots per inch:
// MulDiv(points, 96, 72), halves away from zero. A negative result asks for
// a cell height (ascent + descent) instead of an em height; see GlyphFace.
int pixelHeightForPoints(int points);

// An upper bound of the em size in pixels a face of this height gets, known
// without creating the face.
int emSizeBound(int height);

class GlyphFace {
public:
    // The font at an em height of pixelSize (kept within 1 ..
    // kMaxTextPixelSize); GlyphCache::face takes heights as Windows does.
    GlyphFace(const std::string& fontName, int pixelSize, CharSet charSet);

    int ascent() const { return m_ascent; }
    int descent() const { return m_descent; }
    int cellHeight() const { return m_ascent + m_descent; }
    int pixelSize() const { return m_pixelSize; }
    int advance(unsigned char byte) const;
    // Ink may reach this far beyond the text cell on any side.
    int inkMargin() const { return m_inkMargin; }
    const Glyph& glyph(unsigned char byte);

    // The memory the face holds: itself, an allowance for the font engine it
    // keeps alive, and the ink runs of the glyphs rendered so far.
    std::size_t bytes() const { return sizeof(GlyphFace) + kFontEngineBytes + m_glyphBytes.load(); }
    // A font engine with its scaled outlines and caches, roughly.
    static constexpr std::size_t kFontEngineBytes = 16 * 1024;
    // The count the face's bytes are added to, now and as glyphs are
    // rendered; null stops the counting.
    void chargeTo(std::shared_ptr<std::atomic<std::size_t>> ledger);

private:
    // Both with m_lock held.
    Glyph render(unsigned char byte) const;
    int measuredAdvance(unsigned char byte) const;
    static constexpr int kUnknownAdvance = -1;

    // Guards the font and its metrics (which Qt does not let two threads
    // use at once), the glyphs' storage and the ledger.
    mutable std::mutex m_lock;

    // Set while m_font is made, so declared before it.
    int m_pixelSize = 0;
    QFont m_font;
    // Kept with the face: creating metrics for each advance or glyph would
    // look the font engine up again each time.
    QFontMetrics m_metrics;
    CharSet m_charSet;
    std::atomic<std::size_t> m_glyphBytes = 0;
    std::shared_ptr<std::atomic<std::size_t>> m_ledger;
    int m_ascent = 0;
    int m_descent = 0;
    int m_inkMargin = 0;
    // Measured on first use, like the glyphs.
    mutable std::array<std::atomic<int>, 256> m_advances;
    std::array<std::optional<Glyph>, 256> m_glyphs;
    // Set, once the glyph is in m_glyphs, to point at it.
    std::array<std::atomic<const Glyph*>, 256> m_rendered{};
};

// The faces in use, bounded by the memory they hold (GlyphFace::bytes), not
// by their number: a document may use a few hundred sizes of each font, and
// a repaint must then find every face it made for an earlier record. When a
// new face would take the faces held past the budget, those not used for
// longest are dropped first (callers keep theirs alive through the shared
// pointer). Heights beyond what a face can have share the face of the limit.
//
// A repaint opens a Pass. The faces used since the previous pass began (by
// it and by the current one) are not dropped for the budget: a page whose
// text needs more than the budget holds all of its faces, instead of
// dropping each face in turn just before the repaint, or the next one, needs
// it again. Only past the ceiling, four times the budget, which only
// damaged files reach, are they dropped too.
class GlyphCache {
public:
    // Room for every face of the three page fonts at every size with the
    // glyphs of ordinary text.
    static constexpr std::size_t kDefaultBudget = std::size_t(96) << 20;

    explicit GlyphCache(std::size_t budgetBytes = kDefaultBudget) : m_budget(budgetBytes), m_ceiling(4 * budgetBytes) {}
    ~GlyphCache();
    GlyphCache(const GlyphCache&) = delete;
    GlyphCache& operator=(const GlyphCache&) = delete;

    // height as Windows takes it: negative = em height (character height),
    // positive = cell height, 0 = a default size.
    std::shared_ptr<GlyphFace> face(const std::string& fontName, int height, CharSet charSet);

    // A repaint's use of the cache, from its start to its end. Passes may
    // overlap (the bands of one repaint, repaints in other threads); they
    // count as one from the first start to the last end.
    class Pass {
    public:
        explicit Pass(GlyphCache& cache);
        ~Pass();
        Pass(const Pass&) = delete;
        Pass& operator=(const Pass&) = delete;

    private:
        GlyphCache& m_cache;
    };

    // Drops every face (callers keep theirs alive through the shared
    // pointer): the next requests make their faces again, as in a fresh
    // process, for measuring a repaint that must make its faces.
    void dropFaces();

    std::size_t facesHeld() const;
    std::size_t bytesHeld() const { return m_held->load(); }
    // Faces made since the cache was created, for seeing whether a sequence
    // of requests made any face twice.
    std::uint64_t facesCreated() const;
    // Counts the times a pass opened while none was open; read without the
    // lock (FaceTable).
    std::uint64_t passesOpened() const { return m_passesOpened.load(std::memory_order_relaxed); }

    // The cache of the process.
    static GlyphCache& shared();

private:
    struct Key {
        std::string fontName;
        int height;
        CharSet charSet;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };
    struct Entry {
        std::uint64_t lastUse;
        std::shared_ptr<GlyphFace> face;
    };
    void makeRoomFor(std::size_t bytes);
    // Both with m_lock held. The em size of a face of this height.
    int pixelSizeFor(const std::string& fontName, int height);
    // The cell height of a font at a fixed em size, for cell heights: measured
    // once per font, since a probe font per face would cost a font look-up
    // for every size.
    double cellAtMeasureSize(const std::string& fontName);

    // Guards the entries and the counts; taken before a face's lock.
    mutable std::mutex m_lock;
    std::size_t m_budget;
    std::size_t m_ceiling;
    std::unordered_map<Key, Entry, KeyHash> m_entries;
    // Faces last used at or after m_keptFrom are dropped only past the
    // ceiling: the start of the previous pass (of the current one while
    // there was none before).
    static constexpr std::uint64_t kNoPass = ~std::uint64_t(0);
    std::uint64_t m_keptFrom = kNoPass;
    std::uint64_t m_passStart = kNoPass;
    int m_openPasses = 0;
    // The bytes of the faces held, kept up to date by the faces themselves.
    std::shared_ptr<std::atomic<std::size_t>> m_held = std::make_shared<std::atomic<std::size_t>>(0);
    std::uint64_t m_clock = 0;
    std::uint64_t m_created = 0;
    std::atomic<std::uint64_t> m_passesOpened = 0;
    std::unordered_map<std::string, double> m_cellsAtMeasureSize;
};

// The Unicode character a byte stands for in a character set (0: none).
char16_t decodeByte(unsigned char byte, CharSet charSet);

// Control codes (and bytes without a character, 0) have no glyph in any
// font: they get the font's missing-glyph advance, so their cell is painted
// like any other, but no ink.
bool hasNoGlyph(char16_t character);

}  // namespace veltrano
