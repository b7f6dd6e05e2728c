#include "update/net/small_download.h"

#include <curl/curl.h>

#include "platform/text/text_codec.h"
#include "update/net/linux/curl_handle.h"
#include "update/net/linux/curl_transfer_policy.h"

namespace vantu {

namespace {

size_t AppendToString(char* data, size_t size, size_t count, void* bytes) {
    static_cast<std::string*>(bytes)->append(data, size * count);
    return size * count;
}

}  // namespace

std::optional<std::string> DownloadSmallFile(const std::wstring& address, std::size_t maxBytes) {
    CurlEasy curl(curl_easy_init());
    if (!curl || !ApplyTransferPolicy(curl.get()) || !ApplyPackagePolicy(curl.get(), maxBytes)) {
        return std::nullopt;
    }
    std::string bytes;
    auto url = platform::EncodeUtf8(address);
    CURL* c = curl.get();
    PackageSizeLimit limit(AppendToString, &bytes, maxBytes);
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, PackageSizeLimit::Write);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &limit);
    if (curl_easy_perform(c) != CURLE_OK) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace vantu
