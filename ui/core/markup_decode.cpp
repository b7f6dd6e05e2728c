#include "ui/core/markup_decode.h"

#include <cstdint>
#include <cstring>

#include "platform/text/text_codec.h"

namespace VantuUI {

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

// Lenient UTF-8: each malformed sequence gives one U+FFFD and decoding goes
// on after its first byte. Runs of ASCII are copied eight bytes at a time.
std::size_t DecodeUtf8(const unsigned char* p, const unsigned char* end, wchar_t* out) {
    wchar_t* start = out;
    while (p < end) {
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            if ((word & 0x8080808080808080ull) != 0) {
                break;
            }
            for (int i = 0; i < 8; ++i) {
                out[i] = p[i];
            }
            p += 8;
            out += 8;
        }
        if (p == end) {
            break;
        }
        if (*p < 0x80) {
            *out++ = *p++;
            continue;
        }
        char32_t c;
        const int length = platform::DecodeUtf8Sequence(p, end, c);
        if (length == 0) {
            *out++ = kReplacement;
            ++p;
            continue;
        }
        *out++ = static_cast<wchar_t>(c);
        p += length;
    }
    return static_cast<std::size_t>(out - start);
}

std::size_t DecodeUtf16(const unsigned char* p, std::size_t units, bool bigEndian, wchar_t* out) {
    auto unit = [&](std::size_t i) -> char32_t {
        const unsigned char* u = p + 2 * i;
        return bigEndian ? (u[0] << 8 | u[1]) : (u[1] << 8 | u[0]);
    };
    wchar_t* start = out;
    for (std::size_t i = 0; i < units; ++i) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units) {
            char32_t low = unit(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                *out++ = static_cast<wchar_t>(0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        *out++ = (c >= 0xD800 && c <= 0xDFFF) ? kReplacement : static_cast<wchar_t>(c);
    }
    return static_cast<std::size_t>(out - start);
}

}  // namespace

std::unique_ptr<wchar_t[]> DecodeMarkupBytes(const unsigned char* bytes, std::size_t size,
                                             MarkupEncoding encoding) {
    if (bytes == nullptr) {
        size = 0;
    }
    std::unique_ptr<wchar_t[]> text;
    std::size_t length = 0;
    if (encoding == MarkupEncoding::Utf16) {
        if (size < 2 ||
            !((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
            return nullptr;
        }
        std::size_t units = size / 2 - 1;
        text.reset(new wchar_t[units + 1]);
        length = DecodeUtf16(bytes + 2, units, bytes[0] == 0xFE, text.get());
    } else {
        if (encoding == MarkupEncoding::Utf8 && size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB &&
            bytes[2] == 0xBF) {
            bytes += 3;
            size -= 3;
        }
        // Never more characters than bytes.
        text.reset(new wchar_t[size + 1]);
        length = DecodeUtf8(bytes, bytes + size, text.get());
    }
    text[length] = L'\0';
    return text;
}

}  // namespace VantuUI
