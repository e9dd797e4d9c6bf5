// A canvas's table of faces gives the glyph cache's faces, and trusts an
// entry only within the cache's pass it was fetched in: in a new pass the
// first use of a face asks the cache again.
#include "render/face_table.h"

#include <gtest/gtest.h>

namespace veltrano {
namespace {

TEST(FaceTable, GivesTheCachesFacesAndAsksAgainInANewPass)
{
    const std::size_t oneFace = GlyphCache().face("Arial", -16, CharSet::Ansi)->bytes();
    GlyphCache cache(oneFace + oneFace / 2);
    FaceTable table(cache);
    const std::shared_ptr<GlyphFace> first = cache.face("Arial", -16, CharSet::Ansi);
    EXPECT_EQ(&table.face("Arial", -16, CharSet::Ansi), first.get());
    // Other faces, each the cache's own, within what the table holds.
    for (int height = -20; height > -25; --height)
        EXPECT_EQ(&table.face("Courier New", height, CharSet::Greek),
                  cache.face("Courier New", height, CharSet::Greek).get());

    // The cache has dropped the first face for its budget; the table, asked
    // again in the same pass, has the face it fetched, and in a new pass the
    // cache's new one.
    EXPECT_EQ(&table.face("Arial", -16, CharSet::Ansi), first.get());
    const std::uint64_t made = cache.facesCreated();
    const GlyphCache::Pass pass(cache);
    GlyphFace& inNewPass = table.face("Arial", -16, CharSet::Ansi);
    EXPECT_EQ(cache.facesCreated(), made + 1);
    EXPECT_NE(&inNewPass, first.get());
    EXPECT_EQ(&inNewPass, cache.face("Arial", -16, CharSet::Ansi).get());
}

}  // namespace
}  // namespace veltrano
