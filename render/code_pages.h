#pragma once
// The two Windows code pages of the page's text: Windows-1252 for labels and
// typed characters, Windows-1253 for text in the Greek character set.

#include <optional>

namespace veltrano {

// The Unicode character of a byte. Bytes 0x81, 0x8D, 0x8F, 0x90, 0x9D of
// Windows-1252 (and the undefined bytes of 0x80..0x9F in Windows-1253) pass
// through as the C1 control of the same value, as Windows converts them;
// the undefined Greek bytes 0xAA, 0xD2 and 0xFF give 0.
char16_t windows1252ToUnicode(unsigned char byte);
char16_t windows1253ToUnicode(unsigned char byte);

// The Windows-1252 byte of a Unicode character, the inverse of
// windows1252ToUnicode: nothing for characters the code page lacks (the C1
// controls U+0081, U+008D, U+008F, U+0090 and U+009D come back as their own
// byte).
std::optional<unsigned char> windows1252FromUnicode(char32_t character);

// The Windows-1253 byte of a Unicode character, the inverse of
// windows1253ToUnicode: nothing for characters the Greek code page lacks.
std::optional<unsigned char> windows1253FromUnicode(char32_t character);

}  // namespace veltrano
