#pragma once
// What the text tool makes of the text of Edit1: every character the format
// can hold becomes the kind of one text element, in order; the others are
// collected so the user can be told which ones were left out.

#include "document/element_kind.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrano {

struct TypedText {
    std::vector<ElementKind> kinds;  // one per stored character, markers included
    std::u32string leftOut;          // characters without a kind, each once, in order
};

// The kind of one typed character: a character of Windows-1252 is its code
// + 50, except codes below 15 and 197..205, whose kinds are labels, the
// selection tool and bonds; a Greek letter that Windows-1252 lacks is the
// Greek-letter kind 307 + its Windows-1253 code, as the Greek buttons store
// it (small alpha 532). Any other character has none.
std::optional<ElementKind> typedCharacterKind(char32_t character);

// The text of Edit1 (UTF-8; invalid bytes count as U+FFFD) as kinds.
TypedText typedText(std::string_view utf8);

// The German message that names the characters the text tool left out, each
// with its code point (alone for characters that print nothing).
std::string leftOutMessage(std::u32string_view characters);

}  // namespace veltrano
