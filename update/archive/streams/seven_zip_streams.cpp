#include "update/archive/streams/seven_zip_streams.h"

#include <utility>

namespace SevenZip::intl {

InStreamWrapper::InStreamWrapper(std::shared_ptr<FileStream> stream)
    : m_stream(std::move(stream)) {}

HRESULT InStreamWrapper::QueryInterface(const abi::Guid& iid, void** out) {
    if (iid == abi::IID_IUnknown || iid == abi::IID_ISequentialInStream ||
        iid == abi::IID_IInStream) {
        *out = static_cast<abi::IInStream*>(this);
    } else if (iid == abi::IID_IStreamGetSize) {
        *out = static_cast<abi::IStreamGetSize*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG InStreamWrapper::AddRef() {
    return ++m_references;
}

ULONG InStreamWrapper::Release() {
    ULONG left = --m_references;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT InStreamWrapper::Read(void* data, std::uint32_t size, std::uint32_t* processed) {
    std::uint32_t done = 0;
    HRESULT result = m_stream->Read(data, size, &done);
    if (processed != nullptr) {
        *processed = done;
    }
    return FAILED(result) ? result : S_OK;
}

HRESULT InStreamWrapper::Seek(std::int64_t offset, std::uint32_t origin,
                              std::uint64_t* newPosition) {
    return m_stream->Seek(offset, origin, newPosition);
}

HRESULT InStreamWrapper::GetSize(std::uint64_t* size) {
    return m_stream->Size(size);
}

OutStreamWrapper::OutStreamWrapper(std::shared_ptr<FileStream> stream)
    : m_stream(std::move(stream)) {}

HRESULT OutStreamWrapper::QueryInterface(const abi::Guid& iid, void** out) {
    if (iid == abi::IID_IUnknown || iid == abi::IID_ISequentialOutStream ||
        iid == abi::IID_IOutStream) {
        *out = static_cast<abi::IOutStream*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG OutStreamWrapper::AddRef() {
    return ++m_references;
}

ULONG OutStreamWrapper::Release() {
    ULONG left = --m_references;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT OutStreamWrapper::Write(const void* data, std::uint32_t size, std::uint32_t* processed) {
    return m_stream->Write(data, size, processed);
}

HRESULT OutStreamWrapper::Seek(std::int64_t offset, std::uint32_t origin,
                               std::uint64_t* newPosition) {
    return m_stream->Seek(offset, origin, newPosition);
}

HRESULT OutStreamWrapper::SetSize(std::uint64_t size) {
    return m_stream->SetSize(size);
}

}  // namespace SevenZip::intl
