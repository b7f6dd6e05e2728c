#pragma once

// Conversions between the two string kinds: wide strings (std::wstring,
// UTF-32 on Linux, UTF-16 on Windows, where code points past U+FFFF take a
// surrogate pair) for paths and texts, and narrow byte strings for file
// names on disk (any bytes, see DecodeFileName), HTTP and JSON (UTF-8).
// Convert at the edges only.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Strict UTF-8 decoding: overlong forms, surrogates, code points past
// U+10FFFF and truncated sequences are refused.
std::optional<std::wstring> DecodeUtf8(std::string_view bytes);

// One UTF-8 sequence at `p` (before `end`): its length, with the code point
// in `c`, or 0 when it is malformed (bad lead or continuation byte, cut
// short, overlong, a surrogate or past U+10FFFF). Inline: decoders call it
// once a character.
inline int DecodeUtf8Sequence(const unsigned char* p, const unsigned char* end, char32_t& c) {
    const unsigned char lead = *p;
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    int extra;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, c = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, c = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, c = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    bool good = end - p > extra;
    for (int i = 1; good && i <= extra; ++i) {
        good = (p[i] & 0xC0) == 0x80;
        c = (c << 6) | (p[i] & 0x3F);
    }
    if (!good || c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return 0;
    }
    return extra + 1;
}

// Each byte becomes the character of the same number (ISO 8859-1).
std::wstring DecodeLatin1(std::string_view bytes);

// File names are byte strings that need not be UTF-8. As wide strings they
// are decoded as UTF-8 where they are valid, and each byte that begins no
// valid sequence becomes the reserved code point U+DC00 + byte
// (U+DC80..U+DCFF, which valid UTF-8 never yields); encoding turns those
// back into the bytes, so every byte sequence survives the round trip.
inline constexpr char32_t kEscapedByteBase = 0xDC00;
std::wstring DecodeFileName(std::string_view bytes);
std::string EncodeFileName(std::wstring_view name);

// UTF-8 of a wide string. UTF-16 surrogate pairs stored in two wide
// characters (as some libraries hand them out) are joined; a lone surrogate
// or a value past U+10FFFF becomes U+FFFD.
std::string EncodeUtf8(std::wstring_view text);

}  // namespace platform
