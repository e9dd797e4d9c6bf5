#pragma once
// Sample documents for benchmarks, tests and the examples folder. Every
// generator is deterministic: the same call gives the same records on every
// machine (the random numbers come from std::mt19937, whose sequence the C++
// standard fixes, mapped to ranges by our own arithmetic).

#include "document/element_record.h"

#include <cstddef>
#include <vector>

namespace veltrano::samples {

constexpr std::size_t kSampleSize = 5001;

// Records of every drawn kind (all bonds, labels, typed characters, Greek
// letters, arrows and brackets) at random places on the page.
std::vector<ElementRecord> mixedDocument(std::size_t count = kSampleSize);

// Bonds of the kinds 248-255 only, bond length 30 at random angles.
std::vector<ElementRecord> bondsDocument(std::size_t count = kSampleSize);

// Damaged input: coordinates up to +-1e38, zero-length and reversed
// elements, text with extreme font sizes, and random kinds over the whole
// 16-bit range, with random colours and reserved bytes.
std::vector<ElementRecord> hostileDocument(std::size_t count = kSampleSize);

// Typed characters, labels and Greek letters in 300 distinct font sizes
// (-150 to 150 points without 0; a negative size asks for a cell height),
// each size used about equally often, at random places: more fonts than a
// repaint of an ordinary document needs.
std::vector<ElementRecord> manySizesDocument(std::size_t count = kSampleSize);

// Typed characters, labels and Greek letters at the 151 sizes from 150 to
// 300 points, each as an em and as a cell height, at random places: the
// faces of one repaint hold more than the glyph cache's budget.
std::vector<ElementRecord> largeSizesDocument(std::size_t count = kSampleSize);

// Labels of every kind at 300 points, at random places: a repaint that is
// nearly all pixel work.
std::vector<ElementRecord> largeLabelsDocument(std::size_t count = kSampleSize);

// Curved arrows of all six kinds from near the left edge of the page to near
// the right edge, each bent by its curvature.
std::vector<ElementRecord> curvedArrowsDocument(std::size_t count = kSampleSize);

// Benzoic acid as the editor draws it at bond length 30: a benzene ring of
// alternating single and double bonds with a COOH group of bonds and the
// labels "O" and "OH".
std::vector<ElementRecord> benzoicAcid();

}  // namespace veltrano::samples
