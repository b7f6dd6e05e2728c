#include "update/archive/engine/seven_zip_engine_library.h"

#include <oleauto.h>
#include <propidl.h>
#include <windows.h>

#include <cstddef>

#include "platform/resources/module_path.h"

namespace SevenZip {

static_assert(sizeof(abi::PropVariant) == sizeof(PROPVARIANT));
static_assert(offsetof(abi::PropVariant, bstrVal) == offsetof(PROPVARIANT, bstrVal));
static_assert(offsetof(abi::PropVariant, filetime) == offsetof(PROPVARIANT, filetime));

namespace {

constexpr wchar_t kEngineFileName[] = L"7z.dll";

// What the engine hands out are numbers, times, booleans and BSTRs; only
// the strings own memory (oleaut32's, which the engine allocated them from).
HRESULT SEVENZIP_STDCALL ClearVariant(abi::PropVariant* value) {
    if (value->vt == abi::VT_BSTR) {
        SysFreeString(value->bstrVal);
    }
    value->vt = abi::VT_EMPTY;
    value->uhVal = 0;
    return S_OK;
}

}  // namespace

std::wstring EngineLibraryPath() {
    std::wstring folder = platform::ModuleFolder();
    // Without the program's own folder there is no full path to load by,
    // and a bare name would be looked up elsewhere: load nothing.
    return folder.empty() ? std::wstring() : folder + kEngineFileName;
}

VariantClearFn VariantClearFor(const platform::SharedLibrary&) {
    return &ClearVariant;
}

}  // namespace SevenZip
