#pragma once
// The glyph faces one canvas has used in the current pass of the glyph
// cache, so that switching between the fonts of a repaint finds the face
// without taking the cache's lock: the bands of a large repaint switch
// fonts for every label, each on its own thread.
//
// An entry is trusted only within the pass of the cache it was fetched in
// (GlyphCache::passesOpened): the first use of a face in a repaint still
// goes through the cache, which thereby keeps the face for that repaint
// and the next, so the cache drops and makes faces as it would without the
// table.

#include "render/glyph_cache.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace veltrano {

class FaceTable {
public:
    explicit FaceTable(GlyphCache& cache) : m_cache(&cache) {}
    FaceTable(const FaceTable&) = delete;
    FaceTable& operator=(const FaceTable&) = delete;

    // The face of the cache for these arguments. It stays alive until the
    // next call.
    GlyphFace& face(const std::string& fontName, int height, CharSet charSet);

private:
    struct Entry {
        std::string fontName;
        int height = 0;
        CharSet charSet = CharSet::Ansi;
        std::shared_ptr<GlyphFace> face;
    };
    // Room for the faces of an ordinary document; a document of more sizes
    // replaces the oldest entry, which costs a look-up in the cache.
    static constexpr std::size_t kEntries = 16;

    GlyphCache* m_cache;
    std::uint64_t m_pass = 0;
    std::size_t m_used = 0;
    std::size_t m_next = 0;
    std::array<Entry, kEntries> m_entries;
};

}  // namespace veltrano
