#pragma once
// What the page shows since the last full repaint: the records and view it
// was painted from, and the page's cache key at that moment. A dashed frame
// drawn over it afterwards (the selection frame, the rubber band) keeps the
// pixels it covers, so the next full repaint of the same document only puts
// those back: a rubber-band step, "Kopieren" after selecting, or "Neu
// zeichnen" costs no painting of the document.
//
// The page's QImage::cacheKey changes with every change of its pixels, so
// any other drawing on the page since (a feedback element, a blanking, a
// band of an export) makes the page count as unknown, and the next repaint
// paints everything.

#include "document/element_record.h"
#include "render/view_state.h"

#include <QImage>
#include <QRect>

#include <cstdint>
#include <initializer_list>

#include <vector>

namespace veltrano {

class PaintedPage {
public:
    PaintedPage();

    // Whether page shows exactly the full repaint of records under view,
    // perhaps with frames kept by keepUnder over it.
    bool shows(const QImage& page, const std::vector<ElementRecord>& records, const ViewState& view) const;

    // Puts back the pixels under every frame, last first; page then shows
    // the full repaint alone.
    void takeFramesOff(QImage& page);

    // page has just been painted from records under view.
    void painted(const QImage& page, const std::vector<ElementRecord>& records, const ViewState& view);

    // Keeps the pixels of the given areas (clipped to the page) before a
    // frame is drawn over them; afterwards drawn() must follow. Does
    // nothing when the page no longer shows the repaint.
    void keepUnder(const QImage& page, std::initializer_list<QRect> areas);
    // The frame is on the page now.
    void drawn(const QImage& page);

    // The page shows something else (or nothing known).
    void forget();

private:
    struct Strip {
        QRect area;
        std::vector<QRgb> pixels;
    };

    // The records are known by their count and a 64-bit hash of their
    // bytes, not kept: a copy would double the heap a large document takes.
    // The hash starts from a seed of this run's, so no file can be made to
    // look like another one.
    std::uint64_t fingerprint(const std::vector<ElementRecord>& records) const;

    const std::uint64_t m_seed;
    std::size_t m_count = 0;
    std::uint64_t m_fingerprint = 0;
    ViewState m_view;
    qint64 m_pageKey = 0;  // 0: the page shows nothing known
    std::vector<Strip> m_underFrames;  // in the order kept
    bool m_keeping = false;            // keepUnder has kept the strips of a frame not yet drawn
};

}  // namespace veltrano
