#include "render/code_pages.h"

namespace veltrano {

namespace {

// 0x80..0x9F of Windows-1252; the undefined positions hold their own value.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

// 0x80..0x9F of Windows-1253: the punctuation of Windows-1252 without the
// Latin letters and modifiers.
constexpr char16_t kWindows1253High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x0088, 0x2030, 0x008A, 0x2039, 0x008C, 0x008D, 0x008E, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x0098, 0x2122, 0x009A, 0x203A, 0x009C, 0x009D, 0x009E, 0x009F,  // 98..9F
};

}  // namespace

char16_t windows1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kWindows1252High[byte - 0x80];
    return byte;
}

std::optional<unsigned char> windows1252FromUnicode(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<unsigned char>(character);
    for (unsigned i = 0; i < 32; ++i) {
        if (kWindows1252High[i] == character)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

char16_t windows1253ToUnicode(unsigned char byte)
{
    if (byte < 0x80)
        return byte;
    if (byte <= 0x9F)
        return kWindows1253High[byte - 0x80];
    switch (byte) {
    case 0xA1:
        return 0x0385;  // dialytika tonos
    case 0xA2:
        return 0x0386;  // capital alpha with tonos
    case 0xAA:
    case 0xD2:
    case 0xFF:
        return 0;  // undefined
    case 0xAF:
        return 0x2015;  // horizontal bar
    case 0xB4:
        return 0x0384;  // tonos
    case 0xBB:
    case 0xBD:
        return byte;  // the Latin-1 characters >> and 1/2
    default:
        break;
    }
    if (byte >= 0xB8)
        return char16_t(byte + 0x2D0);
    return byte;  // 0xA0..0xB7: as in Latin-1
}

std::optional<unsigned char> windows1253FromUnicode(char32_t character)
{
    // The undefined bytes give 0, which no character maps back to but U+0000.
    if (character == 0)
        return 0;
    for (unsigned byte = 1; byte < 256; ++byte) {
        if (windows1253ToUnicode(static_cast<unsigned char>(byte)) == character)
            return static_cast<unsigned char>(byte);
    }
    return std::nullopt;
}

}  // namespace veltrano
