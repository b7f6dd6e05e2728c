#pragma once

// What both HTTP clients make of a response, whichever library carries it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "update/net/http_client.h"

namespace vantu {

inline constexpr char kHttpAgent[] = "Http-connect";
// The raw header block must fit this many bytes as UTF-16 text.
inline constexpr size_t kHeaderBufferBytes = 4096;
// The body is read, and stored, in pieces of at most this many bytes.
inline constexpr size_t kBodyReadBytes = 4096;
// The version answer is a few hundred bytes of JSON; anything far larger is
// not read into memory.
inline constexpr size_t kMaxBodyBytes = 64 * 1024;

// The number after the status line's first blank; 0 when there is none.
long StatusCode(const std::string& statusLine);
bool IsRedirectStatus(long status);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
// Letters, digits, '-', '.' and '_' only.
bool IsValidHost(const std::string& host);

// The tests made on the final response's headers before its body is read:
// its raw header text (status line first, no line ends) too long for the
// buffer, or holding "404" anywhere.
std::optional<HttpState> CheckHeaders(const std::vector<std::string>& lines);

// Appends one read of the body as the platform's client did: as a
// zero-terminated string, so that a zero byte cuts the rest of its read.
void AppendBodyRead(std::string& body, const char* data, size_t bytes);

}  // namespace vantu
