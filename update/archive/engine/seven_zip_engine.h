#pragma once

// The archive engine library, loaded once per process by one full path
// (seven_zip_engine_library.h): never found through a search, so a library
// planted in a writable folder is never picked up.

#include <string>

#include "platform/com_ref.h"
#include "platform/modules/shared_library.h"
#include "update/archive/engine/seven_zip_abi.h"
#include "update/archive/engine/seven_zip_engine_library.h"

namespace SevenZip {

class Engine {
  public:
    // The process-wide engine, loaded on first use; null when the library
    // is missing or exposes an interface layout this code does not speak.
    static const Engine* Instance();

    // Loads the library at `path`; null on failure. The result owns the
    // library handle.
    static Engine* Load(const std::wstring& path);

    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    HRESULT CreateObject(const abi::Guid& classId, const abi::Guid& interfaceId,
                         void** object) const;
    // Frees what a property read left in the variant and empties it.
    void ClearVariant(abi::PropVariant* value) const;

  private:
    using CreateObjectFn = HRESULT(SEVENZIP_STDCALL*)(const abi::Guid*, const abi::Guid*, void**);

    Engine() = default;

    platform::SharedLibrary m_library;
    CreateObjectFn m_createObject = nullptr;
    VariantClearFn m_variantClear = nullptr;
};

// One reference to an engine object, released when it goes.
using platform::ComRef;

// A property value read from the engine, cleared by the engine when it goes.
class Property {
  public:
    explicit Property(const Engine& engine) : m_engine(engine) {}
    ~Property() { m_engine.ClearVariant(&m_value); }
    Property(const Property&) = delete;
    Property& operator=(const Property&) = delete;

    abi::PropVariant* operator&() { return &m_value; }
    const abi::PropVariant& operator*() const { return m_value; }
    const abi::PropVariant* operator->() const { return &m_value; }

  private:
    const Engine& m_engine;
    abi::PropVariant m_value;
};

}  // namespace SevenZip
