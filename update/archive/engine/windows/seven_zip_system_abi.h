#pragma once

// The engine's Windows build speaks COM as the system has it: methods and
// exports are __stdcall (the one convention on x64, a different one from
// the compiler's default on 32-bit), strings are oleaut32's BSTRs of 2-byte
// characters, and property values are PROPVARIANTs.

#include <windows.h>
#include <wtypes.h>

#define SEVENZIP_STDCALL __stdcall

namespace SevenZip::abi {

using BSTR = ::BSTR;
static_assert(sizeof(wchar_t) == 2, "BSTRs hold UTF-16 code units");

// The system's PROPVARIANT also holds a BLOB (a size and a pointer): 24
// bytes on x64, 16 on 32-bit. The engine copies whole PROPVARIANTs into
// what it is given, so the value must be that large.
struct VariantWidestMember {
    ULONG size;
    BYTE* data;
};

}  // namespace SevenZip::abi
