#include "ui/core/markup_decode.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/text/text_codec.h"

namespace VantuUI {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

MarkupBytes CopyBytes(const void* bytes, std::size_t size) {
    MarkupBytes copy;
    copy.text.reset(new char[size + kMarkupPadding]);
    if (size > 0) {
        std::memcpy(copy.text.get(), bytes, size);
    }
    std::memset(copy.text.get() + size, 0, kMarkupPadding);
    copy.size = size;
    return copy;
}

MarkupBytes FromWide(const std::wstring& wide) {
    const std::string utf8 = platform::EncodeUtf8(wide);
    return CopyBytes(utf8.data(), utf8.size());
}

// Code points, lone surrogates as U+FFFD.
std::wstring DecodeUtf16(const unsigned char* p, std::size_t units, bool bigEndian) {
    auto unit = [&](std::size_t i) -> char32_t {
        const unsigned char* u = p + 2 * i;
        return bigEndian ? (u[0] << 8 | u[1]) : (u[1] << 8 | u[0]);
    };
    std::wstring out;
    out.reserve(units);
    for (std::size_t i = 0; i < units; ++i) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units) {
            char32_t low = unit(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                // A pair stays two characters: the UTF-8 encoding joins it.
                out += static_cast<wchar_t>(c);
                out += static_cast<wchar_t>(low);
                ++i;
                continue;
            }
        }
        out += static_cast<wchar_t>((c >= 0xD800 && c <= 0xDFFF) ? kReplacement : c);
    }
    return out;
}

}  // namespace

MarkupBytes ReadMarkupBytes(const unsigned char* bytes, std::size_t size, MarkupEncoding encoding) {
    if (bytes == nullptr) {
        size = 0;
    }
    if (encoding == MarkupEncoding::Utf16) {
        if (size < 2 ||
            !((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
            return {};
        }
        return FromWide(DecodeUtf16(bytes + 2, size / 2 - 1, bytes[0] == 0xFE));
    }
    if (encoding == MarkupEncoding::Utf8 && size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB &&
        bytes[2] == 0xBF) {
        bytes += 3;
        size -= 3;
    }
    return CopyBytes(bytes, size);
}

MarkupBytes EncodeMarkupText(const wchar_t* text) {
    return FromWide(text != nullptr ? std::wstring(text) : std::wstring());
}

std::size_t WidenMarkupText(const char* text, wchar_t* out, std::size_t limit) {
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    std::size_t written = 0;
    while (*p != 0 && written < limit) {
        if (*p < 0x80) {
            out[written++] = *p++;
            continue;
        }
        // The NUL ends a cut-short sequence before the end is reached.
        char32_t c;
        const int length = platform::DecodeUtf8Sequence(p, p + 4, c);
        if (length == 0) {
            c = kReplacement;
        }
        p += length == 0 ? 1 : length;
        if (sizeof(wchar_t) == 2 && c > 0xFFFF) {
            // Four bytes give two units: still no more than read.
            if (written + 2 > limit) {
                break;
            }
            c -= 0x10000;
            out[written++] = static_cast<wchar_t>(0xD800 + (c >> 10));
            c = 0xDC00 + (c & 0x3FF);
        }
        out[written++] = static_cast<wchar_t>(c);
    }
    out[written] = 0;
    return written;
}

}  // namespace VantuUI
