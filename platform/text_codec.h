#pragma once

// Conversions between the two string kinds: wide strings (std::wstring,
// UTF-32 on Linux) for paths and texts, and narrow byte strings (UTF-8) for
// file names on disk, HTTP and JSON. Convert at the edges only.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Strict UTF-8 decoding: overlong forms, surrogates, code points past
// U+10FFFF and truncated sequences are refused.
std::optional<std::wstring> DecodeUtf8(std::string_view bytes);

// Each byte becomes the character of the same number (ISO 8859-1).
std::wstring DecodeLatin1(std::string_view bytes);

// UTF-8 of a wide string. UTF-16 surrogate pairs stored in two wide
// characters (as some libraries hand them out) are joined; a lone surrogate
// or a value past U+10FFFF becomes U+FFFD.
std::string EncodeUtf8(std::wstring_view text);

}  // namespace platform
