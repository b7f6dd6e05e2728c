#include "platform/text/word_boundaries.h"

#include <algorithm>
#include <cwctype>

namespace platform {

namespace {

enum class CharClass { kSpace, kWord, kOther };

CharClass ClassOf(wchar_t c) {
    if (c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == 0x3000) {
        return CharClass::kSpace;
    }
    if (c == L'_' || std::iswalnum(static_cast<wint_t>(c)) || c >= 0x2E80) {
        return CharClass::kWord;  // ideographs and other scripts count as word characters
    }
    return CharClass::kOther;
}

}  // namespace

std::size_t NextWordStart(std::wstring_view text, std::size_t index) {
    std::size_t i = std::min(index, text.size());
    if (i < text.size() && ClassOf(text[i]) != CharClass::kSpace) {
        CharClass cls = ClassOf(text[i]);
        while (i < text.size() && ClassOf(text[i]) == cls) {
            ++i;
        }
    }
    while (i < text.size() && ClassOf(text[i]) == CharClass::kSpace) {
        ++i;
    }
    return i;
}

std::size_t PreviousWordStart(std::wstring_view text, std::size_t index) {
    std::size_t i = std::min(index, text.size());
    while (i > 0 && ClassOf(text[i - 1]) == CharClass::kSpace) {
        --i;
    }
    if (i > 0) {
        CharClass cls = ClassOf(text[i - 1]);
        while (i > 0 && ClassOf(text[i - 1]) == cls) {
            --i;
        }
    }
    return i;
}

std::pair<std::size_t, std::size_t> WordRangeAt(std::wstring_view text, std::size_t index) {
    if (text.empty()) {
        return {0, 0};
    }
    index = std::min(index, text.size() - 1);
    CharClass cls = ClassOf(text[index]);
    std::size_t start = index;
    while (start > 0 && ClassOf(text[start - 1]) == cls && text[start - 1] != L'\n') {
        --start;
    }
    std::size_t end = index;
    while (end < text.size() && ClassOf(text[end]) == cls && text[end] != L'\n') {
        ++end;
    }
    return {start, std::max(end, start + 1)};
}

}  // namespace platform
