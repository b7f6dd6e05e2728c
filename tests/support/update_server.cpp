#include "tests/support/update_server.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace testing_support {

namespace {

// WinINet matches no addresses in certificates, only names; libcurl's tests
// keep the address, which names the one interface the server listens on.
#ifdef _WIN32
constexpr std::string_view kServerHost = "localhost";
#else
constexpr std::string_view kServerHost = "127.0.0.1";
#endif

const char* Python() {
    return std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
}

bool SameHeaderName(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::string RecordedRequest::Header(std::string_view name) const {
    for (const auto& [key, value] : headers) {
        if (SameHeaderName(key, name)) {
            return value;
        }
    }
    return {};
}

bool RecordedRequest::HasHeader(std::string_view name) const {
    for (const auto& [key, value] : headers) {
        if (SameHeaderName(key, name)) {
            return true;
        }
    }
    return false;
}

LocalUpdateServer::LocalUpdateServer(const UpdateServerOptions& options)
    : m_log(m_root.path() / ".requests") {
    const std::vector<std::string> args = {HostPath(Script()),
                                           "--root",
                                           HostPath(m_root.path()),
                                           "--pki",
                                           HostPath(options.pki.empty() ? PkiDir() : options.pki),
                                           "--port",
                                           std::to_string(options.port),
                                           "--cert",
                                           options.cert,
                                           "--behaviour",
                                           options.behaviour,
                                           "--log",
                                           HostPath(m_log)};
    m_process = std::make_unique<HostProgram>(Python(), args);
    if (!m_process->WaitForOutput("listening", std::chrono::seconds(15))) {
        throw std::runtime_error("update server did not start: " + m_process->Err());
    }
    std::smatch match;
    const std::string out = m_process->Out();
    if (!std::regex_search(out, match, std::regex("https=(\\d+) http=(\\d+)"))) {
        throw std::runtime_error("update server said: " + out);
    }
    m_httpsPort = std::stoi(match[1]);
    m_httpPort = std::stoi(match[2]);
}

std::string LocalUpdateServer::HttpsUrl(std::string_view path) const {
    return "https://" + Host() + ":" + std::to_string(m_httpsPort) + std::string(path);
}

std::string LocalUpdateServer::HttpUrl(std::string_view path) const {
    return "http://" + Host() + ":" + std::to_string(m_httpPort) + std::string(path);
}

std::string LocalUpdateServer::Host() {
    return std::string(kServerHost);
}

void LocalUpdateServer::SetVersionAnswer(std::string_view body) const {
    WriteFile(m_root.path() / "clientVersion.json", body);
}

void LocalUpdateServer::SetVersionBehaviour(std::string_view behaviour) const {
    WriteFile(m_root.path() / "behaviour", behaviour);
}

void LocalUpdateServer::SetPackageBehaviour(std::string_view behaviour) const {
    WriteFile(m_root.path() / "package-behaviour", behaviour);
}

std::vector<RecordedRequest> LocalUpdateServer::Requests() const {
    std::vector<RecordedRequest> requests;
    std::map<std::int64_t, size_t> byId;
    std::ifstream in(m_log);
    std::string line;
    while (std::getline(in, line)) {
        const auto entry = nlohmann::json::parse(line, nullptr, /*allow_exceptions=*/false);
        if (!entry.is_object() || entry.contains("handshake")) {
            continue;
        }
        if (entry.contains("response")) {
            if (auto found = byId.find(entry.value("response", std::int64_t{-1}));
                found != byId.end()) {
                auto& request = requests[found->second];
                request.status = entry.value("status", 0);
                request.first = entry.value("first", std::int64_t{-1});
                request.sent = entry.value("sent", std::int64_t{-1});
            }
            continue;
        }
        byId[entry.value("id", std::int64_t{-1})] = requests.size();
        RecordedRequest request{entry.value("listener", ""),
                                entry.value("method", ""),
                                entry.value("target", ""),
                                entry.value("version", ""),
                                {},
                                0,
                                -1,
                                -1};
        for (const auto& header : entry.value("headers", nlohmann::json::array())) {
            request.headers.emplace_back(header.at(0).get<std::string>(),
                                         header.at(1).get<std::string>());
        }
        requests.push_back(std::move(request));
    }
    return requests;
}

std::vector<RecordedRequest> LocalUpdateServer::RequestsFor(std::string_view target) const {
    std::vector<RecordedRequest> found;
    for (auto& request : Requests()) {
        if (request.target == target) {
            found.push_back(std::move(request));
        }
    }
    return found;
}

int LocalUpdateServer::FailedHandshakes() const {
    std::ifstream in(m_log);
    std::string line;
    int count = 0;
    while (std::getline(in, line)) {
        count += line.find("\"handshake\"") != std::string::npos ? 1 : 0;
    }
    return count;
}

std::filesystem::path LocalUpdateServer::PkiDir() {
    return std::filesystem::path(VANTU_BUILD_DIR) / "test-pki";
}

std::filesystem::path LocalUpdateServer::Script() {
    return std::filesystem::path(VANTU_SOURCE_DIR) / "tools/update_server/update_server.py";
}

std::string GeneratedBytes(size_t count) {
    static constexpr std::string_view kAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string bytes(count, '\0');
    for (size_t i = 0; i < count; ++i) {
        bytes[i] = kAlphabet[i % kAlphabet.size()];
    }
    return bytes;
}

}  // namespace testing_support
