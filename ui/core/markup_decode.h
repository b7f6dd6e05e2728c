#pragma once

// The markup parser's text: the bytes of a skin file as UTF-8, which the
// parser reads in place, and the widening of its strings on demand.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "ui/core/markup.h"

namespace VantuUI {

// A copy of a document as UTF-8, and its length. NUL bytes follow the text,
// so that the parser may read a word at a time up to its end.
constexpr std::size_t kMarkupPadding = 8;
struct MarkupBytes {
    std::unique_ptr<char[]> text;
    std::size_t size = 0;
};

// UTF-8 (a leading byte-order mark skipped) and ANSI (the active code page,
// which is UTF-8 here, without mark handling) are copied as they are:
// malformed sequences are left for the widening to turn into U+FFFD. UTF-16
// must start with FF FE or FE FF (an odd last byte is ignored; surrogate
// pairs are joined, a lone one becomes U+FFFD). Null text for UTF-16
// without a mark.
MarkupBytes ReadMarkupBytes(const unsigned char* bytes, std::size_t size, MarkupEncoding encoding);

// The UTF-8 of a wide text (a lone surrogate becomes U+FFFD).
MarkupBytes EncodeMarkupText(const wchar_t* text);

// Widens the UTF-8 at `p` up to its NUL, or up to `limit` characters, into
// `out` and terminates it. Each malformed sequence gives one U+FFFD and
// widening goes on after its first byte. Never writes more characters (the
// NUL included) than it reads bytes plus one, so a string widened into a
// buffer parallel to the bytes stays within its own bytes.
std::size_t WidenMarkupText(const char* p, wchar_t* out, std::size_t limit = SIZE_MAX);

}  // namespace VantuUI
