#include "update/seven_zip_handler.h"

namespace SevenZip {

ArchiveHandler::ArchiveHandler(const ArchiveHandler& other) : handler_(other.handler_) {
    if (handler_ != nullptr) {
        handler_->AddRef();
    }
}

ArchiveHandler::~ArchiveHandler() {
    if (handler_ != nullptr) {
        handler_->Release();
    }
}

HRESULT ArchiveHandler::Create(const Engine& engine, const abi::Guid& classId) {
    if (handler_ != nullptr) {
        return E_FAIL;
    }
    return engine.CreateObject(classId, abi::IID_IInArchive, reinterpret_cast<void**>(&handler_));
}

HRESULT ArchiveHandler::Open(abi::IInStream* stream, const std::uint64_t* maxStartPosition,
                             abi::IArchiveOpenCallback* callback) {
    return handler_->Open(stream, maxStartPosition, callback);
}

HRESULT ArchiveHandler::Close() {
    return handler_->Close();
}

HRESULT ArchiveHandler::GetNumberOfItems(std::uint32_t* count) {
    return handler_->GetNumberOfItems(count);
}

HRESULT ArchiveHandler::GetProperty(std::uint32_t index, abi::PROPID id, abi::PropVariant* value) {
    return handler_->GetProperty(index, id, value);
}

HRESULT ArchiveHandler::Extract(const std::uint32_t* indices, std::uint32_t count,
                                std::int32_t testMode, abi::IArchiveExtractCallback* callback) {
    return handler_->Extract(indices, count, testMode, callback);
}

}  // namespace SevenZip
