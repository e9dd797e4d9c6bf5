#include "render/face_table.h"

#include <algorithm>

namespace veltrano {

GlyphFace& FaceTable::face(const std::string& fontName, int height, CharSet charSet)
{
    const std::uint64_t pass = m_cache->passesOpened();
    if (pass != m_pass) {
        for (std::size_t i = 0; i < m_used; ++i)
            m_entries[i].face.reset();
        m_used = 0;
        m_next = 0;
        m_pass = pass;
    }
    for (std::size_t i = 0; i < m_used; ++i) {
        const Entry& entry = m_entries[i];
        if (entry.height == height && entry.charSet == charSet && entry.fontName == fontName)
            return *entry.face;
    }
    Entry& entry = m_entries[m_next];
    m_next = (m_next + 1) % kEntries;
    m_used = std::max(m_used, m_next == 0 ? kEntries : m_next);
    entry.fontName = fontName;
    entry.height = height;
    entry.charSet = charSet;
    entry.face = m_cache->face(fontName, height, charSet);
    return *entry.face;
}

}  // namespace veltrano
