#include "update/version_query.h"

#include <climits>
#include <cstdint>
#include <iostream>
#include <optional>

#include "platform/text/text_codec.h"
#include "update/answer_json.h"
#include "update/build_settings.h"

namespace vantu {

namespace {

using Json = nlohmann::json;

std::wstring BadConversion() {
    std::cerr << "bad conversion" << std::endl;
    return {};
}

// A member of an object, null when it is absent.
const Json& MemberOf(const Json& object, const char* name) {
    static const Json kAbsent;
    if (!object.is_object()) {
        return kAbsent;
    }
    const auto found = object.find(name);
    return found != object.end() ? *found : kAbsent;
}

// Integers as the answer's reader always took them: null 0, booleans 1 and
// 0, numbers within the 32-bit range (reals truncated toward zero).
std::optional<int> IntegerOf(const Json& value) {
    if (value.is_null()) {
        return 0;
    }
    if (value.is_boolean()) {
        return value.get<bool>() ? 1 : 0;
    }
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        return number <= INT_MAX ? std::optional<int>(static_cast<int>(number)) : std::nullopt;
    }
    if (value.is_number_integer()) {
        const auto number = value.get<std::int64_t>();
        return number >= INT_MIN && number <= INT_MAX ? std::optional<int>(static_cast<int>(number))
                                                      : std::nullopt;
    }
    if (value.is_number_float()) {
        const double number = value.get<double>();
        return number >= INT_MIN && number <= INT_MAX ? std::optional<int>(static_cast<int>(number))
                                                      : std::nullopt;
    }
    return std::nullopt;
}

// Text members accept what reads as text without inventing it: strings
// (binary: a string that is not UTF-8), booleans and null (absent members
// are null).
bool IsText(const Json& value) {
    return value.is_null() || value.is_string() || value.is_binary() || value.is_boolean();
}

std::wstring TextOf(const Json& value) {
    if (value.is_string()) {
        return Utf8ToWide(value.get_ref<const std::string&>());
    }
    if (value.is_binary()) {
        return BadConversion();
    }
    if (value.is_boolean()) {
        return value.get<bool>() ? L"true" : L"false";
    }
    return {};
}

}  // namespace

std::string VersionQueryAddress() {
    const auto& settings = Settings();
    return "https://" + std::string(settings.updateHost) + ":" +
           std::to_string(settings.updatePort) +
           "/v1/oem/clientVersion?oemId=" + std::to_string(settings.oemId);
}

std::wstring Utf8ToWide(std::string_view bytes) {
    auto wide = platform::DecodeUtf8(bytes);
    if (!wide) {
        return BadConversion();
    }
    return std::move(*wide);
}

VersionQueryResult ReadVersionAnswer(std::string_view body) {
    VersionQueryResult result;
    const std::optional<Json> root = ParseAnswerJson(body);
    // Every type is checked before anything is converted, so that an answer
    // treated as not JSON writes no conversion messages.
    if (!root || !root->is_object()) {
        return result;
    }
    const std::optional<int> code = IntegerOf(MemberOf(*root, "Code"));
    if (!code) {
        return result;
    }
    if (*code != 0) {
        // The message is never acted on: one that is not text must not
        // change the decision the code makes.
        result.code = *code;
        if (const Json& message = MemberOf(*root, "Msg"); IsText(message)) {
            TextOf(message);
        }
        return result;
    }
    const Json& data = MemberOf(*root, "Data");
    if (!data.is_null() && !data.is_object()) {
        return result;
    }
    const Json& latest = MemberOf(data, "LatestVersion");
    const Json& content = MemberOf(data, "UpdateContent");
    const Json& url = MemberOf(data, "DownloadUrl");
    if (!IsText(latest) || !IsText(content) || !IsText(url)) {
        return result;
    }
    result.latestVersion = TextOf(latest);
    result.updateContent = TextOf(content);
    result.downloadUrl = TextOf(url);
    return result;
}

VersionQueryResult QueryLatestVersion(HttpClient& client, const std::string& address) {
    const std::string body = client.Get(address, "");
    if (client.State() != HttpState::Ok) {
        return VersionQueryResult();
    }
    VersionQueryResult result = ReadVersionAnswer(body);
    result.requestOk = true;
    return result;
}

}  // namespace vantu
