#pragma once

// Where the engine library comes from and how what it returns is freed:
// the parts of loading it that differ per system.

#include <string>

#include "platform/modules/shared_library.h"
#include "update/archive/engine/seven_zip_abi.h"

namespace SevenZip {

// The engine's full path: on Linux the build-time path, never the install
// folder (which a player can write to); on Windows 7z.dll in the program's
// own folder, where the installer puts it, loaded by that full path only.
std::wstring EngineLibraryPath();

using VariantClearFn = HRESULT(SEVENZIP_STDCALL*)(abi::PropVariant*);

// The call that frees what a property read left in a variant: the engine's
// own export on Linux, oleaut32's string release on Windows. Null when the
// library lacks it.
VariantClearFn VariantClearFor(const platform::SharedLibrary& engine);

}  // namespace SevenZip
