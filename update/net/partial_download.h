#pragma once

// The package download across runs: while the package file is incomplete,
// a small record beside it in the launcher folder says which address and
// version its bytes belong to and what validator and length they came
// with, so that the next upgrade to the same address and version continues
// the file instead of starting over. The record is read as untrusted input:
// anything but a well-formed record means starting over.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "update/net/download.h"

namespace vantu {

// The record's file in the launcher folder.
inline constexpr std::wstring_view kPartialRecordName = L"download.partial";

struct PartialDownloadRecord {
    std::string address;  // UTF-8, as the version answer gave it
    std::string version;  // UTF-8, the version the answer announced
    std::string validator;
    std::uint64_t length = 0;  // the whole file's announced length; 0: unknown

    bool operator==(const PartialDownloadRecord&) const = default;
};

std::string FormatPartialRecord(const PartialDownloadRecord& record);
// Nothing unless the bytes are exactly a record as FormatPartialRecord writes
// it, with a validator and texts without control characters.
std::optional<PartialDownloadRecord> ParsePartialRecord(std::string_view bytes);

// The address's last path segment (after its last "/" or "\"), taken as is.
std::wstring PackageFileName(const std::wstring& address);

// Downloads the package of `version` at `address` into folder +
// PackageFileName(address), continuing a partial file left there for the
// same address and version and deleting one left for any other. True when
// the whole file is there with its announced length; then the record is
// gone. A download that broke keeps the file and its record for the next
// run; any other failure deletes both.
bool DownloadPackage(const std::wstring& address, const std::wstring& version,
                     const std::wstring& folder, BindCallback callback);

}  // namespace vantu
