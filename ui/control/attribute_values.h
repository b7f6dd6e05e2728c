#pragma once

// Parsing of skin attribute values shared by every control: booleans,
// integer lists with one separator character of any kind, fractions and
// ARGB colours.

#include <string>

#include "platform/win32.h"

namespace VantuUI {

// True only for the exact text "true".
bool ParseBool(const std::wstring& value);

// Leading-sign decimal conversion of the whole text (0 when there is no number).
int ParseInt(const std::wstring& value);

// Reads up to `count` integers separated by one character each; missing
// numbers are 0. Returns how many numbers were present.
int ParseIntList(const std::wstring& value, int* out, int count);

RECT ParseRect(const std::wstring& value);
// One integer for all four sides, or four integers left,top,right,bottom.
RECT ParseBorderWidths(const std::wstring& value);
SIZE ParseSize(const std::wstring& value);

// Up to four decimal fractions separated by one character each.
void ParseFractions(const std::wstring& value, double* out, int count);

// Optional blanks (only when skipBlanks), an optional "#", then hexadecimal
// digits read as an unsigned 32-bit number.
DWORD ParseColor(const std::wstring& value, bool skipBlanks);

}  // namespace VantuUI
