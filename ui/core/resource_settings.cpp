#include "ui/core/resource_settings.h"

#include <algorithm>
#include <memory>

#include "platform/files/file_io.h"
#include "platform/files/paths.h"
#include "platform/resources/module_path.h"

namespace VantuUI {

namespace {

struct Settings {
    HINSTANCE programModule = nullptr;
    HINSTANCE skinModule = nullptr;
    std::wstring skinPath;
    std::wstring archiveName;
    bool caching = true;
    std::unique_ptr<CZipReader> cached;
    const void* memoryData = nullptr;  // the registered in-memory archive
    std::size_t memoryLength = 0;
};

Settings& TheSettings() {
    static Settings settings;
    return settings;
}

// Skin names and paths may use either separator; on disk it is "/".
std::wstring DiskPath(std::wstring_view folder, std::wstring_view name) {
    std::wstring path(folder);
    path += name;
    std::replace(path.begin(), path.end(), L'\\', L'/');
    return path;
}

std::unique_ptr<CZipReader> OpenArchive(const Settings& settings) {
    if (settings.archiveName == kMemoryArchiveName) {
        return CZipReader::OpenMemory(settings.memoryData, settings.memoryLength);
    }
    return CZipReader::OpenFile(DiskPath(settings.skinPath, settings.archiveName));
}

SkinReadResult ReadLooseFile(std::wstring_view path, std::size_t maxSize,
                             std::vector<unsigned char>& bytes) {
    platform::UniqueFile fd = platform::OpenForReading(path);
    auto length = platform::RegularFileSize(fd);
    if (!length) {
        return SkinReadResult::CannotOpenFile;
    }
    auto size = *length;
    if (size == 0) {
        return SkinReadResult::Empty;
    }
    if (size > maxSize) {
        return SkinReadResult::TooLarge;
    }
    bytes.resize(static_cast<std::size_t>(size));
    if (!platform::ReadAll(fd, bytes.data(), bytes.size())) {
        bytes.clear();
        return SkinReadResult::CannotReadFile;
    }
    return SkinReadResult::Ok;
}

}  // namespace

void CResourceSettings::SetProgramModule(HINSTANCE module) {
    TheSettings().programModule = module;
}

HINSTANCE CResourceSettings::ProgramModule() {
    return TheSettings().programModule;
}

void CResourceSettings::SetSkinModule(HINSTANCE module) {
    TheSettings().skinModule = module;
}

HINSTANCE CResourceSettings::SkinModule() {
    const Settings& settings = TheSettings();
    return settings.skinModule != nullptr ? settings.skinModule : settings.programModule;
}

std::wstring CResourceSettings::ProgramFolder() {
    return TheSettings().programModule != nullptr ? platform::ModuleFolder() : std::wstring();
}

void CResourceSettings::SetSkinPath(std::wstring_view path) {
    std::wstring& stored = TheSettings().skinPath;
    stored = path;
    if (!stored.empty() && !platform::IsPathSeparator(stored.back())) {
        stored += L'\\';
    }
}

const std::wstring& CResourceSettings::SkinPath() {
    return TheSettings().skinPath;
}

void CResourceSettings::SetSkinArchive(std::wstring_view name, bool cache) {
    Settings& settings = TheSettings();
    if (settings.archiveName == name && settings.caching == cache) {
        return;
    }
    settings.cached.reset();
    settings.archiveName = name;
    settings.caching = cache;
    if (cache && !name.empty()) {
        settings.cached = OpenArchive(settings);
    }
}

void CResourceSettings::SetSkinArchive(const void* data, std::size_t length) {
    Settings& settings = TheSettings();
    if (settings.archiveName == kMemoryArchiveName) {
        return;
    }
    settings.cached.reset();
    settings.archiveName = kMemoryArchiveName;
    settings.memoryData = data;
    settings.memoryLength = length;
    if (settings.caching) {
        settings.cached = CZipReader::OpenMemory(data, length);
    }
}

const std::wstring& CResourceSettings::SkinArchiveName() {
    return TheSettings().archiveName;
}

bool CResourceSettings::IsSkinArchiveCached() {
    return TheSettings().caching;
}

CZipReader* CResourceSettings::CachedSkinArchive() {
    return TheSettings().cached.get();
}

SkinReadResult CResourceSettings::ReadSkinFile(std::wstring_view name, std::size_t maxSize,
                                               std::vector<unsigned char>& bytes) {
    bytes.clear();
    const Settings& settings = TheSettings();
    if (settings.archiveName.empty()) {
        return ReadLooseFile(DiskPath(settings.skinPath, name), maxSize, bytes);
    }
    std::unique_ptr<CZipReader> ownArchive;
    CZipReader* archive = settings.cached.get();
    if (!settings.caching) {
        ownArchive = OpenArchive(settings);  // for this one read
        archive = ownArchive.get();
    }
    if (archive == nullptr) {
        return SkinReadResult::NoArchive;
    }
    int index = -1;
    ZipEntryInfo info;
    archive->Find(name, true, &index, &info);
    if (index == -1) {
        return SkinReadResult::NotInArchive;
    }
    if (info.uncompressedSize == 0) {
        return SkinReadResult::Empty;
    }
    if (info.uncompressedSize > maxSize) {
        return SkinReadResult::TooLarge;
    }
    bytes.resize(info.uncompressedSize);
    DWORD result = archive->Unzip(index, bytes.data(), bytes.size(), ZipStream::Memory);
    if (result != ZipResult::Ok && result != ZipResult::More) {
        bytes.clear();
        return SkinReadResult::CannotUnzip;
    }
    return SkinReadResult::Ok;
}

}  // namespace VantuUI
