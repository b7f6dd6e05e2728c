#include "launcher/startup/installed_version.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cwctype>

#include "platform/resources/version_info.h"

namespace vantu {

namespace {

// One "%d" conversion: leading white space, an optional sign, digits; out of
// range values saturate as the C library's conversion does.
bool ParseInt(const std::wstring& text, std::size_t& pos, int& out) {
    while (pos < text.size() && std::iswspace(static_cast<wint_t>(text[pos]))) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) {
        negative = text[pos] == L'-';
        ++pos;
    }
    std::size_t digitsStart = pos;
    long long value = 0;
    while (pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9') {
        value = std::min<long long>(value * 10 + (text[pos] - L'0'), 1LL << 32);
        ++pos;
    }
    if (pos == digitsStart) {
        return false;
    }
    value = negative ? -value : value;
    out = static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
    return true;
}

// "%d.%d.%d.%d": parsing stops at the first character that does not fit;
// components that were not parsed count as 0.
std::array<int, 4> ParseVersion(const std::wstring& text) {
    std::array<int, 4> parts{0, 0, 0, 0};
    std::size_t pos = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != L'.') {
                break;
            }
            ++pos;
        }
        if (!ParseInt(text, pos, parts[i])) {
            break;
        }
    }
    return parts;
}

}  // namespace

bool QueryVersionString(const std::wstring& key, const std::wstring& filePath,
                        std::wstring& value) {
    if (key.empty() || filePath.empty()) {
        return false;
    }
    auto block = platform::VersionInfoBlock::ReadFromFile(filePath);
    if (!block) {
        return false;
    }
    auto translations = block->Value(L"\\VarFileInfo\\Translation");
    if (!translations || translations->size() < 4) {
        return false;
    }
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>((*translations)[i]); };
    unsigned long language = byte(0) | (byte(1) << 8);
    unsigned long codePage = byte(2) | (byte(3) << 8);
    wchar_t table[9];
    std::swprintf(table, 9, L"%08lx", language * 65536 + codePage);
    if (auto text = block->Text(L"\\StringFileInfo\\" + std::wstring(table) + L"\\" + key)) {
        value = *text;
    }
    return true;
}

bool QueryFileVersion(const std::wstring& filePath, std::wstring& value) {
    return QueryVersionString(L"FileVersion", filePath, value);
}

bool IsUpdateNeeded(const std::wstring& installedVersion, const std::wstring& latestVersion) {
    if (installedVersion.empty() || latestVersion.empty()) {
        return true;
    }
    return ParseVersion(installedVersion) < ParseVersion(latestVersion);
}

}  // namespace vantu
