#pragma once

// The engine's Linux build: plain C++ virtual calls and exports, and wide
// strings of 4-byte characters that the engine allocates and frees itself
// (its own SysAllocString and VariantClear, never the C library's free).

#include <cstdint>

#define SEVENZIP_STDCALL

namespace SevenZip::abi {

using BSTR = wchar_t*;

// The engine's PROPVARIANT holds nothing wider than 8 bytes: 16 in all.
using VariantWidestMember = std::uint64_t;

}  // namespace SevenZip::abi
