#pragma once

// The version query: which booster version is current for this channel and
// where its package is.

#include <string>
#include <string_view>

#include "update/net/http_client.h"

namespace vantu {

struct VersionQueryResult {
    bool requestOk = false;
    int code = 0;  // the answer's "Code"
    std::wstring latestVersion;
    std::wstring updateContent;
    std::wstring downloadUrl;
};

// "https://<host>:<port>/v1/oem/clientVersion?oemId=<oemId>" from the build
// settings.
std::string VersionQueryAddress();

// UTF-8 to a wide string; invalid input gives an empty string and the line
// "bad conversion" on standard error.
std::wstring Utf8ToWide(std::string_view bytes);

// Reads an answer body. A body that is not JSON, or whose members have types
// that cannot be read as the integer or texts wanted, gives code 0 and empty
// texts. requestOk is left false: the caller knows how the request went.
VersionQueryResult ReadVersionAnswer(std::string_view body);

// Sends the query through `client` (which keeps its handles afterwards) and
// reads the answer.
VersionQueryResult QueryLatestVersion(HttpClient& client, const std::string& address);

}  // namespace vantu
