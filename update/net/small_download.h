#pragma once

// A small file that goes with a package (its signature), fetched into memory
// under the same address rules, certificate checks and time-outs as the
// package itself.

#include <cstddef>
#include <optional>
#include <string>

namespace vantu {

// The file's bytes; nothing when the transfer fails or the file, announced
// or received, is larger than `maxBytes`.
std::optional<std::string> DownloadSmallFile(const std::wstring& address, std::size_t maxBytes);

}  // namespace vantu
