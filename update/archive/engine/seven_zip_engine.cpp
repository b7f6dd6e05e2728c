#include "update/archive/engine/seven_zip_engine.h"

#include <utility>

#include "update/archive/engine/seven_zip_engine_library.h"

namespace SevenZip {

namespace {

using GetModulePropFn = HRESULT(SEVENZIP_STDCALL*)(abi::PROPID, abi::PropVariant*);

constexpr abi::PROPID kModuleInterfaceType = 0;

}  // namespace

const Engine* Engine::Instance() {
    // Never unloaded: a detached upgrade worker may still be inside the
    // engine while the process ends.
    static const Engine* engine = Load(EngineLibraryPath());
    return engine;
}

Engine* Engine::Load(const std::wstring& path) {
    auto library = platform::SharedLibrary::Load(path);
    if (!library.Loaded()) {
        return nullptr;
    }
    Engine* engine = new Engine();
    engine->m_library = std::move(library);
    const auto& loaded = engine->m_library;
    engine->m_createObject = reinterpret_cast<CreateObjectFn>(loaded.Symbol("CreateObject"));
    engine->m_variantClear = VariantClearFor(loaded);
    auto moduleProp = reinterpret_cast<GetModulePropFn>(loaded.Symbol("GetModuleProp"));
    // Interface type 0: no destructor slot in IUnknown, which is the layout
    // declared in seven_zip_abi.h. Older builds put one there.
    abi::PropVariant type;
    bool layoutMatches = moduleProp != nullptr && moduleProp(kModuleInterfaceType, &type) == S_OK &&
                         type.vt == abi::VT_UI4 && type.ulVal == 0;
    if (engine->m_createObject == nullptr || engine->m_variantClear == nullptr || !layoutMatches) {
        delete engine;
        return nullptr;
    }
    // Names that carry no UTF-8 marker are read as UTF-8 rather than through
    // the C locale, which would turn each byte into one character. The flag
    // is what the Linux library derives from the locale when it is loaded;
    // the Windows one has none and reads such names in the system's code page.
    if (auto* forceUtf8 = static_cast<bool*>(loaded.Symbol("g_ForceToUTF8"))) {
        *forceUtf8 = true;
    }
    return engine;
}

HRESULT Engine::CreateObject(const abi::Guid& classId, const abi::Guid& interfaceId,
                             void** object) const {
    *object = nullptr;
    return m_createObject(&classId, &interfaceId, object);
}

void Engine::ClearVariant(abi::PropVariant* value) const {
    m_variantClear(value);
    value->vt = abi::VT_EMPTY;
}

}  // namespace SevenZip
