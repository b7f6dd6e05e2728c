#include "update/net/http_response.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace vantu {

long StatusCode(const std::string& statusLine) {
    auto space = statusLine.find(' ');
    return space == std::string::npos ? 0
                                      : std::strtol(statusLine.c_str() + space + 1, nullptr, 10);
}

bool IsRedirectStatus(long status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

bool IsValidHost(const std::string& host) {
    if (host.empty()) {
        return false;
    }
    for (unsigned char c : host) {
        if (!std::isalnum(c) && c != '-' && c != '.' && c != '_') {
            return false;
        }
    }
    return true;
}

// The block is measured as the platform's raw-header text: every line
// followed by a terminator, one more at the end, two bytes per character.
std::optional<HttpState> CheckHeaders(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += '\0';
    }
    text += '\0';
    if (text.size() * 2 > kHeaderBufferBytes) {
        return HttpState::HeadersFailed;
    }
    if (text.find("404") != std::string::npos) {
        return HttpState::NotFound;
    }
    return std::nullopt;
}

void AppendBodyRead(std::string& body, const char* data, size_t bytes) {
    for (size_t offset = 0; offset < bytes; offset += kBodyReadBytes) {
        const size_t length = std::min(kBodyReadBytes, bytes - offset);
        body.append(data + offset, strnlen(data + offset, length));
    }
}

}  // namespace vantu
