#include "update/archive/seven_zip_callbacks.h"

#include <new>
#include <optional>

#include "platform/files/file_system.h"
#include "platform/files/paths.h"
#include "update/archive/seven_zip_paths.h"
#include "update/archive/seven_zip_trace.h"
#include "update/archive/streams/seven_zip_file_stream.h"
#include "update/archive/streams/seven_zip_streams.h"
#include "update/booster_file.h"

namespace SevenZip::intl {

namespace {

constexpr HRESULT kCreateFailed = 1631;  // a plain system number, as callers expect
constexpr std::uint32_t kAttributeReadOnly = 0x1;
constexpr std::uint32_t kAttributeUnixExtension = 0x8000;
// The Unix file type bits as archives store them, whatever the system.
constexpr std::uint32_t kUnixTypeMask = 0170000;
constexpr std::uint32_t kUnixLink = 0120000;

bool IsLinkMode(std::uint32_t mode) {
    return (mode & kUnixTypeMask) == kUnixLink;
}

// 100 ns steps since 1601 to a time since 1970.
timespec ToTimespec(const abi::FileTime& time) {
    constexpr std::int64_t kUnixEpoch = 116444736000000000LL;
    std::int64_t ticks = static_cast<std::int64_t>(time.Value()) - kUnixEpoch;
    std::int64_t seconds = ticks / 10000000;
    std::int64_t rest = ticks % 10000000;
    if (rest < 0) {
        rest += 10000000;
        --seconds;
    }
    return timespec{static_cast<time_t>(seconds), static_cast<long>(rest * 100)};
}

// Reads a time property; 0 (as some writers give for missing times) counts
// as absent.
HRESULT ReadTime(const Engine& engine, ArchiveHandler& archive, std::uint32_t index, abi::PROPID id,
                 bool* present, abi::FileTime* time) {
    Property value(engine);
    HRESULT result = archive.GetProperty(index, id, &value);
    if (result != S_OK) {
        return result;
    }
    *present = false;
    if (value->vt == abi::VT_FILETIME) {
        *present = value->filetime.Value() != 0;
        *time = value->filetime;
    } else if (value->vt != abi::VT_EMPTY) {
        return E_FAIL;
    }
    return S_OK;
}

HRESULT ReadUnsigned(const Engine& engine, ArchiveHandler& archive, std::uint32_t index,
                     abi::PROPID id, bool* present, std::uint64_t* number) {
    Property value(engine);
    HRESULT result = archive.GetProperty(index, id, &value);
    if (result != S_OK) {
        return result;
    }
    *present = true;
    switch (value->vt) {
        case abi::VT_EMPTY:
            *present = false;
            break;
        case abi::VT_UI1:
            *number = value->bVal;
            break;
        case abi::VT_UI2:
            *number = value->uiVal;
            break;
        case abi::VT_UI4:
            *number = value->ulVal;
            break;
        case abi::VT_UI8:
            *number = value->uhVal;
            break;
        default:
            return E_FAIL;
    }
    return S_OK;
}

}  // namespace

HRESULT ArchiveOpenCallback::QueryInterface(const abi::Guid& iid, void** out) {
    if (iid == abi::IID_IUnknown || iid == abi::IID_IArchiveOpenCallback) {
        *out = static_cast<abi::IArchiveOpenCallback*>(this);
    } else if (iid == abi::IID_ICryptoGetTextPassword) {
        *out = static_cast<abi::ICryptoGetTextPassword*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG ArchiveOpenCallback::AddRef() {
    return ++m_references;
}

ULONG ArchiveOpenCallback::Release() {
    ULONG left = --m_references;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT ArchiveOpenCallback::SetTotal(const std::uint64_t*, const std::uint64_t*) {
    return S_OK;
}

HRESULT ArchiveOpenCallback::SetCompleted(const std::uint64_t*, const std::uint64_t*) {
    return S_OK;
}

HRESULT ArchiveOpenCallback::CryptoGetTextPassword(abi::BSTR* password) {
    *password = nullptr;
    return E_ABORT;
}

ArchiveExtractCallback::ArchiveExtractCallback(const Engine& engine, const ArchiveHandler& archive,
                                               const std::wstring& destination, int overwriteMode)
    : m_engine(engine),
      m_archive(archive),
      m_destination(destination),
      m_overwriteMode(overwriteMode) {
    if (m_destination.empty() || !platform::IsPathSeparator(m_destination.back())) {
        m_destination += L'/';
    }
}

HRESULT ArchiveExtractCallback::QueryInterface(const abi::Guid& iid, void** out) {
    if (iid == abi::IID_IUnknown || iid == abi::IID_IProgress ||
        iid == abi::IID_IArchiveExtractCallback) {
        *out = static_cast<abi::IArchiveExtractCallback*>(this);
    } else if (iid == abi::IID_ICryptoGetTextPassword) {
        *out = static_cast<abi::ICryptoGetTextPassword*>(this);
    } else if (iid == abi::IID_ICompressProgressInfo) {
        *out = static_cast<abi::ICompressProgressInfo*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG ArchiveExtractCallback::AddRef() {
    return ++m_references;
}

ULONG ArchiveExtractCallback::Release() {
    ULONG left = --m_references;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT ArchiveExtractCallback::SetTotal(std::uint64_t total) {
    m_total = total;
    return S_OK;
}

HRESULT ArchiveExtractCallback::SetCompleted(const std::uint64_t*) {
    return S_OK;
}

HRESULT ArchiveExtractCallback::PrepareOperation(std::int32_t) {
    return S_OK;
}

HRESULT ArchiveExtractCallback::SetRatioInfo(const std::uint64_t*, const std::uint64_t*) {
    return S_OK;
}

HRESULT ArchiveExtractCallback::CryptoGetTextPassword(abi::BSTR* password) {
    *password = nullptr;
    return E_ABORT;
}

HRESULT ArchiveExtractCallback::ReadItemProperties(std::uint32_t index) {
    std::uint64_t number = 0;
    HRESULT result =
        ReadUnsigned(m_engine, m_archive, index, abi::kpidAttrib, &m_hasAttributes, &number);
    if (result != S_OK) {
        return result;
    }
    m_attributes = static_cast<std::uint32_t>(number);
    {
        Property folder(m_engine);
        result = m_archive.GetProperty(index, abi::kpidIsDir, &folder);
        if (result != S_OK) {
            return result;
        }
        if (folder->vt != abi::VT_BOOL && folder->vt != abi::VT_EMPTY) {
            return E_FAIL;
        }
        m_isFolder = folder->vt == abi::VT_BOOL && folder->boolVal != 0;
    }
    if ((result = ReadTime(m_engine, m_archive, index, abi::kpidMTime, &m_hasModified,
                           &m_modified)) != S_OK ||
        (result = ReadTime(m_engine, m_archive, index, abi::kpidCTime, &m_hasCreated,
                           &m_created)) != S_OK ||
        (result = ReadTime(m_engine, m_archive, index, abi::kpidATime, &m_hasAccessed,
                           &m_accessed)) != S_OK ||
        (result = ReadUnsigned(m_engine, m_archive, index, abi::kpidSize, &m_hasSize, &m_size)) !=
            S_OK) {
        return result;
    }
    // Not every handler knows the Unix mode property; its absence is fine.
    m_hasPosixMode = false;
    if (ReadUnsigned(m_engine, m_archive, index, abi::kpidPosixAttrib, &m_hasPosixMode, &number) ==
            S_OK &&
        m_hasPosixMode) {
        m_posixMode = static_cast<std::uint32_t>(number);
    } else {
        m_hasPosixMode = false;
    }
    return S_OK;
}

HRESULT ArchiveExtractCallback::GetStream(std::uint32_t index, abi::ISequentialOutStream** stream,
                                          std::int32_t askMode) {
    *stream = nullptr;
    {
        Property path(m_engine);
        HRESULT result = m_archive.GetProperty(index, abi::kpidPath, &path);
        if (result == S_OK && path->vt != abi::VT_EMPTY && path->vt != abi::VT_BSTR) {
            result = E_FAIL;
        }
        if (result != S_OK) {
            TraceLine("获取数据失败");
            return result;
        }
        m_relativePath = path->vt == abi::VT_EMPTY
                             ? std::wstring(L"[Content]")
                             : NormalizeItemPath(path->bstrVal != nullptr ? path->bstrVal : L"");
    }
    if (askMode != abi::kExtract) {
        return S_OK;
    }
    if (HRESULT result = ReadItemProperties(index); result != S_OK) {
        TraceLine("获取数据失败");
        return result;
    }

    // An item must stay below the destination: no absolute path, no "..",
    // no link on the way, and no link item (a later item written through it
    // would escape).
    bool isLink = (m_hasAttributes && (m_attributes & kAttributeUnixExtension) != 0 &&
                   IsLinkMode(m_attributes >> 16)) ||
                  (m_hasPosixMode && IsLinkMode(m_posixMode));
    if (isLink || !StaysBelow(m_destination, m_relativePath)) {
        TraceLine("拒绝路径:", m_relativePath);
        return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
    }

    m_outputPath = platform::JoinPath(m_destination, m_relativePath);
    if (m_isFolder) {
        TraceLine("DirBegin:", m_outputPath);
        platform::CreateFolderChain(m_outputPath);
        return S_OK;
    }

    TraceLine("FileBegin:", m_outputPath);
    auto previousMode = platform::RegularFileMode(m_outputPath);
    if (platform::PathExists(m_outputPath) && !platform::RemovePath(m_outputPath)) {
        TraceLine("移除路径失败:", m_outputPath);
        return LastErrorResult();
    }
    m_mode = FileMode(previousMode.value_or(0), previousMode.has_value());
    auto folder = platform::ParentFolderOf(m_outputPath);
    if (!platform::CreateFolderChain(folder)) {
        TraceLine("创建目录失败:", folder);
        return kCreateFailed;
    }
    auto file = CreateFileForWriting(m_outputPath);
    if (!file) {
        TraceLine("创建文件失败:", m_outputPath);
        HRESULT result = LastErrorResult();
        m_outputPath.clear();
        return result;
    }
    auto* wrapper = new (std::nothrow) OutStreamWrapper(std::move(file));
    if (wrapper == nullptr) {
        TraceLine("内存不足");
        return E_OUTOFMEMORY;
    }
    *stream = wrapper;
    return S_OK;
}

mode_t ArchiveExtractCallback::FileMode(mode_t previousMode, bool replaced) const {
    mode_t mode;
    std::uint32_t unixMode = m_hasAttributes && (m_attributes & kAttributeUnixExtension) != 0
                                 ? m_attributes >> 16
                                 : (m_hasPosixMode ? m_posixMode : 0);
    if ((unixMode & 0777) != 0) {
        mode = unixMode & 0777;  // never set-user-id, set-group-id or sticky
    } else if (replaced) {
        mode = previousMode & 0777;
    } else {
        mode = m_relativePath == vantu::kBoosterFileName ? 0755 : 0644;
    }
    if (m_hasAttributes && (m_attributes & kAttributeReadOnly) != 0) {
        mode &= ~static_cast<mode_t>(0222);
    }
    return mode;
}

void ArchiveExtractCallback::ApplyTimesAndMode() {
    // The creation time has no place on this file system.
    if (m_hasModified || m_hasAccessed) {
        platform::SetFileTimes(
            m_outputPath, m_hasAccessed ? std::optional(ToTimespec(m_accessed)) : std::nullopt,
            m_hasModified ? std::optional(ToTimespec(m_modified)) : std::nullopt);
    }
    platform::SetFileMode(m_outputPath, m_mode);
}

HRESULT ArchiveExtractCallback::SetOperationResult(std::int32_t result) {
    if (result != abi::kOK) {
        // A damaged item must never pass for installed: stop here, and the
        // whole extraction fails.
        m_itemFailed = true;
        return E_FAIL;
    }
    if (m_outputPath.empty()) {
        TraceLine("AllDone");
        return S_OK;
    }
    // Folders keep the times of their creation and their default mode.
    if (!m_isFolder) {
        ApplyTimesAndMode();
    }
    TraceLine("FileDone:", m_outputPath);
    return S_OK;
}

}  // namespace SevenZip::intl
