#include "update/archive/seven_zip_archive.h"

#include <algorithm>

#include "update/archive/seven_zip_callbacks.h"
#include "update/archive/engine/seven_zip_engine.h"
#include "update/archive/streams/seven_zip_file_stream.h"
#include "update/archive/engine/seven_zip_handler.h"
#include "update/archive/seven_zip_paths.h"
#include "update/archive/streams/seven_zip_streams.h"

namespace SevenZip {

namespace {

constexpr int kOpenFailed = 110;  // a plain system number, as callers expect

std::uint8_t HandlerId(ArchiveFormat format) {
    switch (format) {
        case FormatZip:
            return 0x01;
        case FormatCab:
            return 0x08;
        case FormatLzma:
            return 0x0A;
        case FormatLzma86:
            return 0x0B;
        default:
            return 0x07;  // 7z, also for anything unknown
    }
}

// A fresh handler for the format, or the factory's error.
HRESULT CreateHandler(ArchiveFormat format, ArchiveHandler* handler) {
    const Engine* engine = Engine::Instance();
    if (engine == nullptr) {
        return E_FAIL;
    }
    return handler->Create(*engine, abi::HandlerClassId(HandlerId(format)));
}

// Opens the package with a fresh handler. The caller closes it on success.
HRESULT OpenHandler(ArchiveFormat format, const std::shared_ptr<FileStream>& file,
                    const std::uint64_t* maxStartPosition, ArchiveHandler* handler) {
    HRESULT result = CreateHandler(format, handler);
    if (result != S_OK) {
        return result;
    }
    ComRef<intl::InStreamWrapper> stream(new intl::InStreamWrapper(file));
    ComRef<intl::ArchiveOpenCallback> callback(new intl::ArchiveOpenCallback());
    std::uint64_t start = 0;
    stream->Seek(0, 0, &start);
    return handler->Open(stream.get(), maxStartPosition, callback.get());
}

}  // namespace

std::vector<ArchiveFormat> DetectionOrder(ArchiveFormat current) {
    std::vector<ArchiveFormat> candidates = {current,    Format7z,  FormatLzma86,
                                             FormatLzma, FormatCab, FormatZip};
    // Drop the later copy of the current format; a current format that is
    // none of the five is dropped itself.
    auto repeated = std::find(candidates.rbegin(), candidates.rend() - 1, current);
    if (repeated != candidates.rend() - 1) {
        candidates.erase(std::next(repeated).base());
    } else {
        candidates.erase(candidates.begin());
    }
    return candidates;
}

bool SevenZipArchive::SetArchivePath(const std::wstring& path) {
    archivePath = path;
    return true;
}

void SevenZipArchive::SetFormat(ArchiveFormat newFormat) {
    metadataRead = false;
    formatSet = true;
    format = newFormat;
}

ArchiveFormat SevenZipArchive::GetFormat() {
    if (!metadataRead && !formatSet) {
        metadataRead = ReadMetadata();
    }
    return format;
}

void SevenZipArchive::SetLevel(int newLevel) {
    level = newLevel;
}

int SevenZipArchive::GetLevel() {
    return level;
}

bool SevenZipArchive::DetectFormat() {
    formatSet = false;
    auto file = OpenFileForReading(archivePath);
    if (!file) {
        return false;
    }
    static constexpr std::uint64_t kStartAtZero = 0;
    for (ArchiveFormat candidate : DetectionOrder(format)) {
        format = candidate;
        ArchiveHandler handler;
        HRESULT result = OpenHandler(candidate, file, &kStartAtZero, &handler);
        if (handler) {
            handler.Close();
        }
        if (result == S_OK) {
            return true;
        }
    }
    format = FormatUnknown;
    return false;
}

bool SevenZipArchive::ReadMetadata() {
    bool detected = formatSet || DetectFormat();
    bool listed = ReadItemList();
    return detected && listed;
}

void SevenZipArchive::ReadMetadataOnce() {
    if (!metadataRead) {
        metadataRead = ReadMetadata();
    }
}

std::uint32_t SevenZipArchive::GetItemCount() {
    ReadMetadataOnce();
    return itemCount;
}

std::vector<std::wstring> SevenZipArchive::GetItemNames() {
    ReadMetadataOnce();
    return itemNames;
}

std::vector<std::uint32_t> SevenZipArchive::GetItemSizes() {
    ReadMetadataOnce();
    return itemSizes;
}

bool SevenZipArchive::ReadItemList() {
    auto file = OpenFileForReading(archivePath);
    const Engine* engine = Engine::Instance();
    if (!file || engine == nullptr) {
        return false;
    }
    ArchiveHandler handler;
    if (OpenHandler(format, file, nullptr, &handler) != S_OK) {
        return false;
    }
    std::uint32_t count = 0;
    if (handler.GetNumberOfItems(&count) != S_OK) {
        return false;
    }
    itemCount = count;
    itemNames.assign(count, std::wstring());
    itemSizes.assign(count, 0);
    for (std::uint32_t i = 0; i < count; ++i) {
        Property size(*engine);
        if (handler.GetProperty(i, abi::kpidSize, &size) != S_OK) {
            return false;
        }
        if (size->vt == abi::VT_UI8 || size->vt == abi::VT_UI4) {
            itemSizes[i] =
                size->vt == abi::VT_UI8 ? static_cast<std::uint32_t>(size->uhVal) : size->ulVal;
        }
        Property path(*engine);
        if (handler.GetProperty(i, abi::kpidPath, &path) != S_OK) {
            return false;
        }
        if (path->vt == abi::VT_BSTR && path->bstrVal != nullptr) {
            itemNames[i] = NormalizeItemPath(path->bstrVal);
        }
    }
    handler.Close();
    return true;
}

int SevenZipExtractor::ExtractAll(const std::wstring& destination) {
    DetectFormat();
    auto file = OpenFileForReading(archivePath);
    if (!file) {
        return kOpenFailed;
    }
    const Engine* engine = Engine::Instance();
    if (engine == nullptr) {
        return E_FAIL;
    }
    ArchiveHandler handler;
    if (HRESULT result = OpenHandler(format, file, nullptr, &handler); result != S_OK) {
        return result;
    }
    ComRef<intl::ArchiveExtractCallback> callback(
        new intl::ArchiveExtractCallback(*engine, handler, destination, overwriteMode));
    HRESULT result = handler.Extract(nullptr, 0xFFFFFFFF, 0, callback.get());
    handler.Close();
    return result == S_OK && callback->AnItemFailed() ? E_FAIL : result;
}

}  // namespace SevenZip
