#pragma once

// The stream objects handed to the engine: the package to read and each
// item's output file, with the engine's reference-counting rules.

#include <atomic>
#include <memory>

#include "update/archive/engine/seven_zip_abi.h"
#include "update/archive/streams/seven_zip_file_stream.h"

namespace SevenZip::intl {

class InStreamWrapper final : public abi::IInStream, public abi::IStreamGetSize {
  public:
    explicit InStreamWrapper(std::shared_ptr<FileStream> stream);

    HRESULT SEVENZIP_STDCALL QueryInterface(const abi::Guid& iid, void** out) override;
    ULONG SEVENZIP_STDCALL AddRef() override;
    ULONG SEVENZIP_STDCALL Release() override;
    HRESULT SEVENZIP_STDCALL Read(void* data, std::uint32_t size,
                                  std::uint32_t* processed) override;
    HRESULT SEVENZIP_STDCALL Seek(std::int64_t offset, std::uint32_t origin,
                                  std::uint64_t* newPosition) override;
    HRESULT SEVENZIP_STDCALL GetSize(std::uint64_t* size) override;

  private:
    ~InStreamWrapper() = default;

    std::atomic<ULONG> m_references{1};
    std::shared_ptr<FileStream> m_stream;
};

class OutStreamWrapper final : public abi::IOutStream {
  public:
    explicit OutStreamWrapper(std::shared_ptr<FileStream> stream);

    HRESULT SEVENZIP_STDCALL QueryInterface(const abi::Guid& iid, void** out) override;
    ULONG SEVENZIP_STDCALL AddRef() override;
    ULONG SEVENZIP_STDCALL Release() override;
    HRESULT SEVENZIP_STDCALL Write(const void* data, std::uint32_t size,
                                   std::uint32_t* processed) override;
    HRESULT SEVENZIP_STDCALL Seek(std::int64_t offset, std::uint32_t origin,
                                  std::uint64_t* newPosition) override;
    HRESULT SEVENZIP_STDCALL SetSize(std::uint64_t size) override;

  private:
    ~OutStreamWrapper() = default;

    std::atomic<ULONG> m_references{1};
    std::shared_ptr<FileStream> m_stream;
};

}  // namespace SevenZip::intl
