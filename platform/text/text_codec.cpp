#include "platform/text/text_codec.h"

#include <type_traits>

namespace platform {

namespace {

bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}
bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}
bool IsEscapedByte(char32_t c) {
    return c >= kEscapedByteBase + 0x80 && c <= kEscapedByteBase + 0xFF;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// One code point as wide characters: a surrogate pair where wchar_t has 16
// bits (Windows) and the point lies past U+FFFF.
void AppendWide(std::wstring& out, char32_t c) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (c >> 10));
            out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
            return;
        }
    }
    out += static_cast<wchar_t>(c);
}

// False at the first malformed sequence, unless its bytes are escaped.
bool DecodeText(std::string_view bytes, bool escapeBytes, std::wstring& out) {
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        char32_t c;
        const int length = DecodeUtf8Sequence(p, end, c);
        if (length == 0) {
            if (!escapeBytes) {
                return false;
            }
            out += static_cast<wchar_t>(kEscapedByteBase + *p++);
            continue;
        }
        AppendWide(out, c);
        p += length;
    }
    return true;
}

std::string EncodeText(std::wstring_view text, bool escapedBytes) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        // Through the unsigned type: a 16-bit wchar_t may be signed.
        auto c = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(text[i]));
        if (escapedBytes && IsEscapedByte(c)) {
            out += static_cast<char>(c - kEscapedByteBase);
            continue;
        }
        if (IsHighSurrogate(c) && i + 1 < text.size() &&
            IsLowSurrogate(static_cast<char32_t>(text[i + 1]))) {
            const auto low = static_cast<char32_t>(text[++i]);
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        } else if (IsSurrogate(c) || c > 0x10FFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace

std::optional<std::wstring> DecodeUtf8(std::string_view bytes) {
    std::wstring out;
    if (!DecodeText(bytes, false, out)) {
        return std::nullopt;
    }
    return out;
}

std::wstring DecodeLatin1(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (char b : bytes) {
        out += static_cast<wchar_t>(static_cast<unsigned char>(b));
    }
    return out;
}

std::wstring DecodeFileName(std::string_view bytes) {
    std::wstring out;
    DecodeText(bytes, true, out);
    return out;
}

std::string EncodeFileName(std::wstring_view name) {
    return EncodeText(name, true);
}

std::string EncodeUtf8(std::wstring_view text) {
    return EncodeText(text, false);
}

}  // namespace platform
