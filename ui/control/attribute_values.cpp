#include "ui/control/attribute_values.h"

#include <cwchar>
#include <limits>

namespace VantuUI {

bool ParseBool(const std::wstring& value) {
    return value == L"true";
}

int ParseInt(const std::wstring& value) {
    int result = 0;
    ParseIntList(value, &result, 1);
    return result;
}

namespace {

int ClampToInt(long v) {
    if (v > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (v < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(v);
}

}  // namespace

int ParseIntList(const std::wstring& value, int* out, int count) {
    const wchar_t* p = value.c_str();
    int present = 0;
    for (int i = 0; i < count; ++i) {
        out[i] = 0;
    }
    for (int i = 0; i < count && *p != L'\0'; ++i) {
        wchar_t* end = nullptr;
        long v = std::wcstol(p, &end, 10);
        if (end == p) {
            break;
        }
        out[i] = ClampToInt(v);
        ++present;
        p = end;
        if (*p == L'\0') {
            break;
        }
        ++p;  // exactly one separator, whatever it is
    }
    return present;
}

RECT ParseRect(const std::wstring& value) {
    int v[4];
    ParseIntList(value, v, 4);
    return RECT{v[0], v[1], v[2], v[3]};
}

RECT ParseBorderWidths(const std::wstring& value) {
    if (value.find(L',') == std::wstring::npos) {
        const int width = ParseInt(value);
        return RECT{width, width, width, width};
    }
    return ParseRect(value);
}

SIZE ParseSize(const std::wstring& value) {
    int v[2];
    ParseIntList(value, v, 2);
    return SIZE{v[0], v[1]};
}

void ParseFractions(const std::wstring& value, double* out, int count) {
    const wchar_t* p = value.c_str();
    for (int i = 0; i < count; ++i) {
        out[i] = 0.0;
    }
    for (int i = 0; i < count && *p != L'\0'; ++i) {
        wchar_t* end = nullptr;
        double v = std::wcstod(p, &end);
        if (end == p) {
            break;
        }
        out[i] = v;
        p = end;
        if (*p == L'\0') {
            break;
        }
        ++p;
    }
}

DWORD ParseColor(const std::wstring& value, bool skipBlanks) {
    const wchar_t* p = value.c_str();
    if (skipBlanks) {
        while (*p != L'\0' && *p <= L' ') {
            ++p;
        }
    }
    if (*p == L'#') {
        ++p;
    }
    wchar_t* end = nullptr;
    unsigned long v = std::wcstoul(p, &end, 16);
    // Values past 32 bits saturate, as a 32-bit conversion would.
    if (v > 0xFFFFFFFFul) {
        v = 0xFFFFFFFFul;
    }
    return static_cast<DWORD>(v);
}

}  // namespace VantuUI
