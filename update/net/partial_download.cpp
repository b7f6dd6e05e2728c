#include "update/net/partial_download.h"

#include <charconv>
#include <vector>

#include "platform/files/file_system.h"
#include "platform/files/paths.h"
#include "platform/text/text_codec.h"
#include "update/booster_file.h"
#include "update/net/resumable_download.h"
#include "update/pending_deletion_list.h"

namespace vantu {

namespace {

constexpr std::string_view kRecordHeader = "vantu partial download 1";
constexpr std::size_t kMaxRecordBytes = 4096;
constexpr std::string_view kKeys[] = {"address=", "version=", "validator=", "length="};

bool HasControlCharacter(std::string_view text) {
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F) {
            return true;
        }
    }
    return false;
}

std::vector<std::string_view> Lines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        auto end = bytes.find('\n');
        if (end == std::string_view::npos) {
            return {};  // every line ends with its line feed
        }
        lines.push_back(bytes.substr(0, end));
        bytes.remove_prefix(end + 1);
    }
    return lines;
}

std::wstring RecordPath(const std::wstring& folder) {
    return folder + std::wstring(kPartialRecordName);
}

std::optional<PartialDownloadRecord> ReadRecord(const std::wstring& folder) {
    auto bytes = platform::ReadFileBytes(RecordPath(folder), platform::Links::Refuse);
    if (!bytes) {
        return std::nullopt;
    }
    return ParsePartialRecord(*bytes);
}

// Deletes the package file another record left, when its name is one the
// download could have written: a plain regular file in the folder.
void DeleteLeftPartial(const std::wstring& folder, const PartialDownloadRecord& record) {
    auto address = platform::DecodeUtf8(record.address);
    if (!address) {
        return;
    }
    const std::wstring name = PackageFileName(*address);
    if (name.empty() || name == L"." || name == L".." || name == kPartialRecordName ||
        name == kPendingDeletionListName || name == kBoosterFileName || !CanBeListed(name) ||
        !platform::RegularFileMode(folder + name)) {
        return;
    }
    platform::DeleteFile(folder + name);
}

// The file to write, continued when the record left for it matches.
PackageFile OpenPackageFile(const std::wstring& folder, const std::wstring& path,
                            const PartialDownloadRecord& wanted, ResumePoint* start) {
    const std::wstring recordPath = RecordPath(folder);
    auto left = ReadRecord(folder);
    if (left && left->address == wanted.address && left->version == wanted.version) {
        PackageFile file = PackageFile::Continue(path);
        if (file.IsOpen() && file.Size() != 0 &&
            (left->length == 0 || file.Size() < left->length)) {
            *start = {left->validator, left->length};
            return file;
        }
    } else if (left) {
        DeleteLeftPartial(folder, *left);
    }
    platform::RemovePath(recordPath);
    return PackageFile::Create(path);
}

}  // namespace

std::string FormatPartialRecord(const PartialDownloadRecord& record) {
    const std::string values[] = {record.address, record.version, record.validator,
                                  std::to_string(record.length)};
    std::string text = std::string(kRecordHeader) + "\n";
    for (size_t i = 0; i < std::size(kKeys); ++i) {
        text += std::string(kKeys[i]) + values[i] + "\n";
    }
    return text;
}

std::optional<PartialDownloadRecord> ParsePartialRecord(std::string_view bytes) {
    if (bytes.size() > kMaxRecordBytes) {
        return std::nullopt;
    }
    auto lines = Lines(bytes);
    if (lines.size() != 1 + std::size(kKeys) || lines[0] != kRecordHeader) {
        return std::nullopt;
    }
    std::string_view values[std::size(kKeys)];
    for (size_t i = 0; i < std::size(kKeys); ++i) {
        if (!lines[i + 1].starts_with(kKeys[i]) || HasControlCharacter(lines[i + 1])) {
            return std::nullopt;
        }
        values[i] = lines[i + 1].substr(kKeys[i].size());
    }
    PartialDownloadRecord record{std::string(values[0]), std::string(values[1]),
                                 std::string(values[2]), 0};
    const std::string_view length = values[3];
    auto [end, error] =
        std::from_chars(length.data(), length.data() + length.size(), record.length);
    if (error != std::errc() || end != length.data() + length.size() || length.empty() ||
        (length.size() > 1 && length[0] == '0') || record.validator.empty()) {
        return std::nullopt;
    }
    return record;
}

std::wstring PackageFileName(const std::wstring& address) {
    auto last = platform::LastSeparator(address);
    return last == std::wstring::npos ? address : address.substr(last + 1);
}

bool DownloadPackage(const std::wstring& address, const std::wstring& version,
                     const std::wstring& folder, BindCallback callback) {
    const std::wstring path = folder + PackageFileName(address);
    const std::wstring recordPath = RecordPath(folder);
    PartialDownloadRecord wanted{
        platform::EncodeUtf8(address), platform::EncodeUtf8(version), {}, 0};
    ResumePoint start;
    PackageFile file = OpenPackageFile(folder, path, wanted, &start);
    // Written before the answer's body reaches the file, so that the file
    // never holds bytes that its record does not describe.
    auto remember = [&](const ResumePoint& answer) {
        wanted.validator = answer.validator;
        wanted.length = answer.total;
        const bool written = !answer.validator.empty() &&
                             platform::WriteFileBytes(recordPath, FormatPartialRecord(wanted));
        if (!written) {
            platform::RemovePath(recordPath);
        }
    };
    DownloadOutcome outcome = DownloadResuming(address, file, start, callback, remember);
    const bool closed = file.Close();
    if (outcome == DownloadOutcome::Done && closed) {
        platform::RemovePath(recordPath);
        return true;
    }
    if (outcome != DownloadOutcome::Unfinished || !closed) {
        platform::RemovePath(recordPath);
        if (platform::RegularFileMode(path)) {
            platform::DeleteFile(path);
        }
    }
    return false;
}

}  // namespace vantu
