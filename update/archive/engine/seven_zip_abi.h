#pragma once

// The archive engine's binary interface: COM interfaces whose IUnknown has
// no virtual destructor (a destructor slot would shift every method by one),
// 32-bit HRESULT and ULONG. What differs per system (the calling convention,
// the wide character and who frees strings) is in linux/ and windows/. Only
// what the extractor uses is declared.

#include <cstddef>
#include <cstdint>

#include "platform/win32.h"

#ifdef _WIN32
#include "update/archive/engine/windows/seven_zip_system_abi.h"
#else
#include "update/archive/engine/linux/seven_zip_system_abi.h"
#endif

namespace SevenZip::abi {

struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
    friend bool operator==(const Guid&, const Guid&) = default;
};

// The engine's ids: 23170F69-40C1-278A-0000-00gg00ss0000.
constexpr Guid EngineInterfaceId(std::uint8_t group, std::uint8_t sub) {
    return Guid{0x23170F69, 0x40C1, 0x278A, {0, 0, 0, group, 0, sub, 0, 0}};
}

// Handler class ids: 23170F69-40C1-278A-1000-000110xx0000.
constexpr Guid HandlerClassId(std::uint8_t format) {
    return Guid{0x23170F69, 0x40C1, 0x278A, {0x10, 0x00, 0x00, 0x01, 0x10, format, 0, 0}};
}

inline constexpr Guid IID_IUnknown{0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr Guid IID_ISequentialInStream = EngineInterfaceId(0x03, 0x01);
inline constexpr Guid IID_ISequentialOutStream = EngineInterfaceId(0x03, 0x02);
inline constexpr Guid IID_IInStream = EngineInterfaceId(0x03, 0x03);
inline constexpr Guid IID_IOutStream = EngineInterfaceId(0x03, 0x04);
inline constexpr Guid IID_IStreamGetSize = EngineInterfaceId(0x03, 0x06);
inline constexpr Guid IID_IProgress = EngineInterfaceId(0x00, 0x05);
inline constexpr Guid IID_ICompressProgressInfo = EngineInterfaceId(0x04, 0x04);
inline constexpr Guid IID_ICryptoGetTextPassword = EngineInterfaceId(0x05, 0x10);
inline constexpr Guid IID_IArchiveOpenCallback = EngineInterfaceId(0x06, 0x10);
inline constexpr Guid IID_IArchiveExtractCallback = EngineInterfaceId(0x06, 0x20);
inline constexpr Guid IID_IInArchive = EngineInterfaceId(0x06, 0x60);

using PROPID = std::uint32_t;
using VARTYPE = std::uint16_t;

inline constexpr VARTYPE VT_EMPTY = 0;
inline constexpr VARTYPE VT_BSTR = 8;
inline constexpr VARTYPE VT_BOOL = 11;
inline constexpr VARTYPE VT_UI1 = 17;
inline constexpr VARTYPE VT_UI2 = 18;
inline constexpr VARTYPE VT_UI4 = 19;
inline constexpr VARTYPE VT_UI8 = 21;
inline constexpr VARTYPE VT_FILETIME = 64;

struct FileTime {
    std::uint32_t low;
    std::uint32_t high;
    std::uint64_t Value() const { return (std::uint64_t{high} << 32) | low; }
};

struct PropVariant {
    VARTYPE vt = VT_EMPTY;
    std::uint16_t reserved1 = 0;
    std::uint16_t reserved2 = 0;
    std::uint16_t reserved3 = 0;
    union {
        std::uint8_t bVal;
        std::uint16_t uiVal;
        std::uint32_t ulVal;
        std::uint64_t uhVal;
        std::int16_t boolVal;
        FileTime filetime;
        BSTR bstrVal;
        VariantWidestMember widest;  // sizes the value as the system's PROPVARIANT
    };
    PropVariant() : uhVal(0) {}
};
static_assert(offsetof(PropVariant, uhVal) == 8);
static_assert(sizeof(PropVariant) == 8 + sizeof(VariantWidestMember));

// Item property ids.
inline constexpr PROPID kpidPath = 3;
inline constexpr PROPID kpidIsDir = 6;
inline constexpr PROPID kpidSize = 7;
inline constexpr PROPID kpidAttrib = 9;
inline constexpr PROPID kpidCTime = 10;
inline constexpr PROPID kpidATime = 11;
inline constexpr PROPID kpidMTime = 12;
inline constexpr PROPID kpidPosixAttrib = 53;

// Extract ask modes.
inline constexpr std::int32_t kExtract = 0;

// Per-item operation results; anything else (unsupported method, data or
// CRC error, unexpected end...) means the item is damaged.
inline constexpr std::int32_t kOK = 0;

struct IUnknown {
    virtual HRESULT SEVENZIP_STDCALL QueryInterface(const Guid& iid, void** out) = 0;
    virtual ULONG SEVENZIP_STDCALL AddRef() = 0;
    virtual ULONG SEVENZIP_STDCALL Release() = 0;
};

struct ISequentialInStream : IUnknown {
    virtual HRESULT SEVENZIP_STDCALL Read(void* data, std::uint32_t size,
                                          std::uint32_t* processed) = 0;
};

struct IInStream : ISequentialInStream {
    virtual HRESULT SEVENZIP_STDCALL Seek(std::int64_t offset, std::uint32_t origin,
                                          std::uint64_t* newPosition) = 0;
};

struct IStreamGetSize : IUnknown {
    virtual HRESULT SEVENZIP_STDCALL GetSize(std::uint64_t* size) = 0;
};

struct ISequentialOutStream : IUnknown {
    virtual HRESULT SEVENZIP_STDCALL Write(const void* data, std::uint32_t size,
                                           std::uint32_t* processed) = 0;
};

struct IOutStream : ISequentialOutStream {
    virtual HRESULT SEVENZIP_STDCALL Seek(std::int64_t offset, std::uint32_t origin,
                                          std::uint64_t* newPosition) = 0;
    virtual HRESULT SEVENZIP_STDCALL SetSize(std::uint64_t size) = 0;
};

struct IProgress : IUnknown {
    virtual HRESULT SEVENZIP_STDCALL SetTotal(std::uint64_t total) = 0;
    virtual HRESULT SEVENZIP_STDCALL SetCompleted(const std::uint64_t* completed) = 0;
};

struct IArchiveOpenCallback : IUnknown {
    virtual HRESULT SEVENZIP_STDCALL SetTotal(const std::uint64_t* files,
                                              const std::uint64_t* bytes) = 0;
    virtual HRESULT SEVENZIP_STDCALL SetCompleted(const std::uint64_t* files,
                                                  const std::uint64_t* bytes) = 0;
};

struct IArchiveExtractCallback : IProgress {
    virtual HRESULT SEVENZIP_STDCALL GetStream(std::uint32_t index, ISequentialOutStream** stream,
                                               std::int32_t askMode) = 0;
    virtual HRESULT SEVENZIP_STDCALL PrepareOperation(std::int32_t askMode) = 0;
    virtual HRESULT SEVENZIP_STDCALL SetOperationResult(std::int32_t result) = 0;
};

struct ICryptoGetTextPassword : IUnknown {
    virtual HRESULT SEVENZIP_STDCALL CryptoGetTextPassword(BSTR* password) = 0;
};

struct ICompressProgressInfo : IUnknown {
    virtual HRESULT SEVENZIP_STDCALL SetRatioInfo(const std::uint64_t* inSize,
                                                  const std::uint64_t* outSize) = 0;
};

struct IInArchive : IUnknown {
    virtual HRESULT SEVENZIP_STDCALL Open(IInStream* stream,
                                          const std::uint64_t* maxCheckStartPosition,
                                          IArchiveOpenCallback* callback) = 0;
    virtual HRESULT SEVENZIP_STDCALL Close() = 0;
    virtual HRESULT SEVENZIP_STDCALL GetNumberOfItems(std::uint32_t* count) = 0;
    virtual HRESULT SEVENZIP_STDCALL GetProperty(std::uint32_t index, PROPID id,
                                                 PropVariant* value) = 0;
    virtual HRESULT SEVENZIP_STDCALL Extract(const std::uint32_t* indices, std::uint32_t count,
                                             std::int32_t testMode,
                                             IArchiveExtractCallback* callback) = 0;
    virtual HRESULT SEVENZIP_STDCALL GetArchiveProperty(PROPID id, PropVariant* value) = 0;
    virtual HRESULT SEVENZIP_STDCALL GetNumberOfProperties(std::uint32_t* count) = 0;
    virtual HRESULT SEVENZIP_STDCALL GetPropertyInfo(std::uint32_t index, BSTR* name, PROPID* id,
                                                     VARTYPE* type) = 0;
    virtual HRESULT SEVENZIP_STDCALL GetNumberOfArchiveProperties(std::uint32_t* count) = 0;
    virtual HRESULT SEVENZIP_STDCALL GetArchivePropertyInfo(std::uint32_t index, BSTR* name,
                                                            PROPID* id, VARTYPE* type) = 0;
};

}  // namespace SevenZip::abi
