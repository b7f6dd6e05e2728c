#include "update/version_query.h"

#include <json/json.h>

#include <iostream>
#include <memory>

#include "platform/text/text_codec.h"
#include "update/build_settings.h"

namespace vantu {

namespace {

// Text members accept what the library reads as text without inventing it:
// strings, booleans and null (absent members are null).
bool IsText(const Json::Value& value) {
    return value.isNull() || value.isString() || value.isBool();
}

std::wstring TextOf(const Json::Value& value) {
    return Utf8ToWide(value.isNull() ? std::string() : value.asString());
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
        std::cerr << "bad conversion" << std::endl;
        return {};
    }
    return std::move(*wide);
}

VersionQueryResult ReadVersionAnswer(std::string_view body) {
    VersionQueryResult result;
    Json::Value root;
    try {
        Json::CharReaderBuilder builder;
        std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
        if (!reader->parse(body.data(), body.data() + body.size(), &root, nullptr)) {
            return result;
        }
        // Every type is checked before anything is converted, so that an
        // answer treated as not JSON writes no conversion messages.
        if (!root.isObject()) {
            return result;
        }
        const Json::Value& codeValue = root["Code"];
        if (!codeValue.isConvertibleTo(Json::intValue)) {
            return result;
        }
        const int code = codeValue.asInt();
        if (code != 0) {
            // The message is never acted on: one that is not text must not
            // change the decision the code makes.
            result.code = code;
            if (IsText(root["Msg"])) {
                TextOf(root["Msg"]);
            }
            return result;
        }
        const Json::Value& data = root["Data"];
        if (!data.isNull() && !data.isObject()) {
            return result;
        }
        const Json::Value latest = data.isObject() ? data["LatestVersion"] : Json::Value();
        const Json::Value content = data.isObject() ? data["UpdateContent"] : Json::Value();
        const Json::Value url = data.isObject() ? data["DownloadUrl"] : Json::Value();
        if (!IsText(latest) || !IsText(content) || !IsText(url)) {
            return result;
        }
        result.latestVersion = TextOf(latest);
        result.updateContent = TextOf(content);
        result.downloadUrl = TextOf(url);
    } catch (const Json::Exception&) {
        // Nesting past the reader's limit ends in an exception.
        return VersionQueryResult();
    }
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
