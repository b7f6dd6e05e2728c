#include "update/archive/engine/seven_zip_handler.h"

namespace SevenZip {

ArchiveHandler::ArchiveHandler(const ArchiveHandler& other) : m_handler(other.m_handler) {
    if (m_handler != nullptr) {
        m_handler->AddRef();
    }
}

ArchiveHandler::~ArchiveHandler() {
    if (m_handler != nullptr) {
        m_handler->Release();
    }
}

HRESULT ArchiveHandler::Create(const Engine& engine, const abi::Guid& classId) {
    if (m_handler != nullptr) {
        return E_FAIL;
    }
    return engine.CreateObject(classId, abi::IID_IInArchive, reinterpret_cast<void**>(&m_handler));
}

HRESULT ArchiveHandler::Open(abi::IInStream* stream, const std::uint64_t* maxStartPosition,
                             abi::IArchiveOpenCallback* callback) {
    return m_handler->Open(stream, maxStartPosition, callback);
}

HRESULT ArchiveHandler::Close() {
    return m_handler->Close();
}

HRESULT ArchiveHandler::GetNumberOfItems(std::uint32_t* count) {
    return m_handler->GetNumberOfItems(count);
}

HRESULT ArchiveHandler::GetProperty(std::uint32_t index, abi::PROPID id, abi::PropVariant* value) {
    return m_handler->GetProperty(index, id, value);
}

HRESULT ArchiveHandler::Extract(const std::uint32_t* indices, std::uint32_t count,
                                std::int32_t testMode, abi::IArchiveExtractCallback* callback) {
    return m_handler->Extract(indices, count, testMode, callback);
}

}  // namespace SevenZip
