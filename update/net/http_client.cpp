#include "update/net/http_client.h"

#include <algorithm>
#include <cstdlib>

namespace vantu {

ParsedUrl ParseUrl(std::string_view address) {
    size_t schemeLength = 0;
    if (address.starts_with("https://")) {
        schemeLength = 8;
    } else if (address.starts_with("http://")) {
        schemeLength = 7;
    }
    size_t slash = address.find('/', schemeLength + 1);
    std::string_view authority = address.substr(
        std::min(schemeLength, address.size()),
        slash == std::string_view::npos ? std::string_view::npos : slash - schemeLength);
    std::string_view rawPath =
        slash == std::string_view::npos ? std::string_view() : address.substr(slash);
    rawPath = rawPath.substr(0, rawPath.find('#'));

    ParsedUrl url;
    auto colon = authority.find(':');
    url.host = std::string(authority.substr(0, colon));
    std::string portText =
        colon == std::string_view::npos ? std::string() : std::string(authority.substr(colon + 1));
    if (schemeLength > 0) {
        url.scheme = std::string(address.substr(0, schemeLength - 3));
    }
    auto question = rawPath.find('?');
    if (question != std::string_view::npos) {
        url.query = std::string(rawPath.substr(question + 1));
    }
    url.path = std::string(rawPath.substr(0, question));
    if (!portText.empty()) {
        url.port = std::atoi(portText.c_str());
    } else {
        url.port = url.IsSecure() ? 443 : 80;
    }
    return url;
}

}  // namespace vantu
