// The glyph cache is bounded by the memory its faces hold, not by how many
// there are: a repaint of a document with hundreds of font sizes finds every
// face again (none is made twice), a small budget is kept by dropping the
// faces not used for longest, and heights beyond the largest face share it.
#include "render/canvas.h"
#include "render/glyph_cache.h"
#include "render/page.h"
#include "render/painter.h"
#include "tools/sample_documents.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace veltrano {
namespace {

TEST(GlyphCacheBudget, ARepaintWithManySizesMakesEachFaceOnce)
{
    const std::vector<ElementRecord> records = samples::manySizesDocument();
    std::set<int> sizes;
    for (const ElementRecord& r : records)
        sizes.insert(int(r.X2()));
    ASSERT_EQ(sizes.size(), 300u);

    QImage page = makeBlankPage();
    Canvas canvas(page);
    ViewState view;
    ResetView(view);
    GlyphCache& cache = GlyphCache::shared();
    RepaintFile(canvas, view, records);
    const std::uint64_t afterFirst = cache.facesCreated();
    RepaintFile(canvas, view, records);
    EXPECT_EQ(cache.facesCreated(), afterFirst);
    EXPECT_LE(cache.bytesHeld(), GlyphCache::kDefaultBudget);
}

TEST(GlyphCacheBudget, EachDistinctRequestIsMadeOnceWithinTheBudget)
{
    GlyphCache cache;
    for (int round = 0; round < 3; ++round)
        for (const char* font : {"Arial", "Courier New"})
            for (int height = -150; height <= 150; ++height)
                cache.face(font, height, height % 2 == 0 ? CharSet::Ansi : CharSet::Greek)->glyph('A');
    EXPECT_EQ(cache.facesCreated(), 2u * 301u);
    EXPECT_EQ(cache.facesHeld(), 2u * 301u);
}

TEST(GlyphCacheBudget, ASmallBudgetDropsTheFacesUnusedForLongest)
{
    const std::size_t oneFace = GlyphCache().face("Arial", -16, CharSet::Ansi)->bytes();
    const std::size_t budget = 8 * oneFace + oneFace / 2;
    GlyphCache cache(budget);
    const auto kept = cache.face("Arial", -16, CharSet::Ansi);
    for (int height = -60; height <= -20; ++height) {
        cache.face("Courier New", height, CharSet::Ansi)->glyph('W');
        cache.face("Arial", -16, CharSet::Ansi);  // used all along
        EXPECT_LE(cache.bytesHeld(), budget) << height;
        EXPECT_GE(cache.facesHeld(), 2u);
    }
    // The face used all along was never made again; the first of the others
    // was dropped and comes back as a new face.
    EXPECT_EQ(cache.face("Arial", -16, CharSet::Ansi), kept);
    const std::uint64_t made = cache.facesCreated();
    cache.face("Courier New", -20, CharSet::Ansi);
    EXPECT_EQ(cache.facesCreated(), made) << "the newest face is still held";
    cache.face("Courier New", -60, CharSet::Ansi);
    EXPECT_EQ(cache.facesCreated(), made + 1);

    // A face a caller keeps stays usable after it has been dropped.
    EXPECT_FALSE(kept->glyph('O').runs.empty());
}

TEST(GlyphCacheBudget, RepaintsThatNeedMoreThanTheBudgetKeepTheirFacesUpToTheCeiling)
{
    const std::size_t oneFace = GlyphCache().face("Arial", -16, CharSet::Ansi)->bytes();
    // Repaints that use the same faces over and over, within the budget's
    // fourfold ceiling and beyond it: past the ceiling faces are dropped
    // again, so the cache stays bounded.
    const struct {
        int faces;
        std::uint64_t madeInLaterRepaints;
    } cases[] = {{20, 0}, {60, 2 * 3 * 60}};
    for (const auto& c : cases) {
        GlyphCache cache(8 * oneFace + oneFace / 2);
        auto repaint = [&] {
            const GlyphCache::Pass pass(cache);
            for (int use = 0; use < 3; ++use)
                for (int height = -20; height > -20 - c.faces; --height)
                    cache.face("Courier New", height, CharSet::Ansi);
        };
        repaint();
        const std::uint64_t first = cache.facesCreated();
        repaint();
        repaint();
        EXPECT_EQ(cache.facesCreated() - first, c.madeInLaterRepaints) << c.faces;
        EXPECT_LE(cache.bytesHeld(), 4 * (8 * oneFace + oneFace / 2) + oneFace) << c.faces;
    }
}

TEST(GlyphCacheBudget, HeightsBeyondTheLargestFaceShareIt)
{
    GlyphCache cache;
    const auto largest = cache.face("Arial", -kMaxTextPixelSize, CharSet::Ansi);
    for (int height : {-kMaxTextPixelSize - 1, -5000, -21845})
        EXPECT_EQ(cache.face("Arial", height, CharSet::Ansi), largest) << height;
    const auto largestCell = cache.face("Arial", kMaxTextPixelSize, CharSet::Ansi);
    EXPECT_EQ(cache.face("Arial", 30000, CharSet::Ansi), largestCell);
    EXPECT_EQ(cache.facesCreated(), 2u);
    EXPECT_EQ(largest->pixelSize(), kMaxTextPixelSize);
}

}  // namespace
}  // namespace veltrano
