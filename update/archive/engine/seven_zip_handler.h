#pragma once

// One reference to an archive handler made by the engine. Every call into
// the engine's own objects goes through here: their run-time type
// information names the engine's classes, not these declarations, so the
// sanitizer's dynamic type check is switched off for exactly these calls.

#include <cstdint>

#include "update/archive/engine/seven_zip_abi.h"
#include "update/archive/engine/seven_zip_engine.h"

#define SEVENZIP_ENGINE_CALL __attribute__((no_sanitize("vptr")))

namespace SevenZip {

class ArchiveHandler {
  public:
    ArchiveHandler() = default;
    SEVENZIP_ENGINE_CALL ArchiveHandler(const ArchiveHandler& other);
    ArchiveHandler& operator=(const ArchiveHandler&) = delete;
    SEVENZIP_ENGINE_CALL ~ArchiveHandler();

    // A new handler of the given engine class; the factory's result.
    HRESULT Create(const Engine& engine, const abi::Guid& classId);
    explicit operator bool() const { return m_handler != nullptr; }

    SEVENZIP_ENGINE_CALL HRESULT Open(abi::IInStream* stream, const std::uint64_t* maxStartPosition,
                                      abi::IArchiveOpenCallback* callback);
    SEVENZIP_ENGINE_CALL HRESULT Close();
    SEVENZIP_ENGINE_CALL HRESULT GetNumberOfItems(std::uint32_t* count);
    SEVENZIP_ENGINE_CALL HRESULT GetProperty(std::uint32_t index, abi::PROPID id,
                                             abi::PropVariant* value);
    SEVENZIP_ENGINE_CALL HRESULT Extract(const std::uint32_t* indices, std::uint32_t count,
                                         std::int32_t testMode,
                                         abi::IArchiveExtractCallback* callback);

  private:
    abi::IInArchive* m_handler = nullptr;
};

}  // namespace SevenZip
