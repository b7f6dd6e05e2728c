#pragma once

// The callback objects the engine calls while it opens and extracts a
// package. Both refuse to give a password, so encrypted packages fail
// without asking anyone.

#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "update/archive/engine/seven_zip_abi.h"
#include "update/archive/engine/seven_zip_engine.h"
#include "update/archive/engine/seven_zip_handler.h"

namespace SevenZip::intl {

class ArchiveOpenCallback final : public abi::IArchiveOpenCallback,
                                  public abi::ICryptoGetTextPassword {
  public:
    ArchiveOpenCallback() = default;

    HRESULT SEVENZIP_STDCALL QueryInterface(const abi::Guid& iid, void** out) override;
    ULONG SEVENZIP_STDCALL AddRef() override;
    ULONG SEVENZIP_STDCALL Release() override;
    HRESULT SEVENZIP_STDCALL SetTotal(const std::uint64_t* files,
                                      const std::uint64_t* bytes) override;
    HRESULT SEVENZIP_STDCALL SetCompleted(const std::uint64_t* files,
                                          const std::uint64_t* bytes) override;
    HRESULT SEVENZIP_STDCALL CryptoGetTextPassword(abi::BSTR* password) override;

  private:
    ~ArchiveOpenCallback() = default;

    std::atomic<ULONG> m_references{1};
};

// Writes each item below the destination folder, replacing what is there,
// and refuses items that would land outside it or that are links.
class ArchiveExtractCallback final : public abi::IArchiveExtractCallback,
                                     public abi::ICryptoGetTextPassword,
                                     public abi::ICompressProgressInfo {
  public:
    ArchiveExtractCallback(const Engine& engine, const ArchiveHandler& archive,
                           const std::wstring& destination, int overwriteMode);

    HRESULT SEVENZIP_STDCALL QueryInterface(const abi::Guid& iid, void** out) override;
    ULONG SEVENZIP_STDCALL AddRef() override;
    ULONG SEVENZIP_STDCALL Release() override;
    HRESULT SEVENZIP_STDCALL SetTotal(std::uint64_t total) override;
    HRESULT SEVENZIP_STDCALL SetCompleted(const std::uint64_t* completed) override;
    HRESULT SEVENZIP_STDCALL GetStream(std::uint32_t index, abi::ISequentialOutStream** stream,
                                       std::int32_t askMode) override;
    HRESULT SEVENZIP_STDCALL PrepareOperation(std::int32_t askMode) override;
    HRESULT SEVENZIP_STDCALL SetOperationResult(std::int32_t result) override;
    HRESULT SEVENZIP_STDCALL CryptoGetTextPassword(abi::BSTR* password) override;
    HRESULT SEVENZIP_STDCALL SetRatioInfo(const std::uint64_t* inSize,
                                          const std::uint64_t* outSize) override;

    // Some item came out damaged (its operation result was not kOK).
    bool AnItemFailed() const { return m_itemFailed; }

  private:
    ~ArchiveExtractCallback() = default;

    HRESULT ReadItemProperties(std::uint32_t index);
    mode_t FileMode(mode_t previousMode, bool replaced) const;
    void ApplyTimesAndMode();

    std::atomic<ULONG> m_references{1};
    const Engine& m_engine;
    ArchiveHandler m_archive;  // one reference held
    std::wstring m_destination;
    std::wstring m_relativePath;
    std::wstring m_outputPath;
    bool m_isFolder = false;
    bool m_hasAttributes = false;
    std::uint32_t m_attributes = 0;
    bool m_hasModified = false;
    abi::FileTime m_modified{};
    bool m_hasAccessed = false;
    abi::FileTime m_accessed{};
    bool m_hasCreated = false;
    abi::FileTime m_created{};
    bool m_hasSize = false;
    std::uint64_t m_size = 0;
    bool m_hasPosixMode = false;
    std::uint32_t m_posixMode = 0;
    bool m_itemFailed = false;
    mode_t m_mode = 0;                     // applied to the current file item when it is done
    [[maybe_unused]] int m_overwriteMode;  // always Replace in this program
    std::atomic<std::uint64_t> m_total{0};
};

}  // namespace SevenZip::intl
