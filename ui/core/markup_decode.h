#pragma once

// Turns the bytes of a skin file into the markup parser's wide text buffer.

#include <cstddef>
#include <memory>

#include "ui/core/markup.h"

namespace VantuUI {

// A NUL-terminated wide buffer holding the decoded text. UTF-8 (a leading
// byte-order mark skipped) and ANSI (the active code page, which is UTF-8
// here, without mark handling) turn malformed sequences into U+FFFD. UTF-16
// must start with FF FE or FE FF (an odd last byte is ignored; surrogate
// pairs are joined). Null for UTF-16 without a mark.
std::unique_ptr<wchar_t[]> DecodeMarkupBytes(const unsigned char* bytes, std::size_t size,
                                             MarkupEncoding encoding);

}  // namespace VantuUI
