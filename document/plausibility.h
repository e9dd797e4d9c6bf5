#pragma once
// Whether a file looks like a formula file. The format has no header, so any
// file can be read as records; this tells a drawing from a picture, a text or
// random bytes by what the records hold, before such a file is shown as an
// empty or garbled drawing and then saved over.
//
// A drawing's records have kinds that something draws and coordinates near
// the page (moved elements may lie off it, but not by a hundred pages). A
// few odd records are tolerated (a damaged file is still the user's
// drawing); a file where many are odd is not a drawing. An empty file is an
// empty drawing. A trailing fragment after whole records is ignored, as
// every reader ignores it; a non-empty file with no whole record holds no
// drawing.

#include "document/element_record.h"

#include <cstdint>
#include <string>
#include <vector>

namespace veltrano {

struct Plausibility {
    bool plausible = true;
    // Why not, as the end of a German sentence ("nur 3 von 40 Elementen
    // haben eine bekannte Art"); empty when plausible.
    std::string reason;
};

// The farthest a coordinate of a drawing lies from the page's origin.
inline constexpr double kFarthestCoordinate = 100000.0;
// The share of records that must look right.
inline constexpr double kPlausibleShare = 0.9;

Plausibility judgeFormulaFile(const std::vector<ElementRecord>& records, std::uint64_t fileSize);

// The question before a doubtful file is used: "„NAME“ sieht nicht wie eine
// Formeldatei aus: REASON." and what follows.
std::string doubtfulFileQuestion(const std::string& fileName, const Plausibility& verdict, const std::string& consequence);

}  // namespace veltrano
