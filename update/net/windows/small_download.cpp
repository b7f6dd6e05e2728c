#include "update/net/small_download.h"

#include "platform/text/text_codec.h"
#include "update/net/windows/internet_request.h"
#include "update/net/windows/package_request.h"

namespace vantu {

std::optional<std::string> DownloadSmallFile(const std::wstring& address, std::size_t maxBytes) {
    InternetHandle session = OpenInternetSession();
    if (!session) {
        return std::nullopt;
    }
    std::string bytes;
    // The limit holds for what arrives, whatever the answer announced.
    const PackageRequestSinks sinks{
        [](std::string_view) {},
        [] { return true; },
        [&](const char* data, std::size_t size) {
            if (size > maxBytes - bytes.size()) {
                return false;
            }
            bytes.append(data, size);
            return true;
        },
        [](std::uint64_t, std::uint64_t) {},
    };
    const RequestEnd end =
        SendPackageRequest(session.get(), platform::EncodeUtf8(address), {}, sinks);
    if (end != RequestEnd::Delivered) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace vantu
