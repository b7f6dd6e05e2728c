#include "update/signature/minisign_format.h"

#include <sodium.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace vantu {

namespace {

constexpr std::string_view kUntrustedPrefix = "untrusted comment: ";
constexpr std::string_view kTrustedPrefix = "trusted comment: ";
constexpr std::string_view kKeyAlgorithm = "Ed";
constexpr std::string_view kPrehashedAlgorithm = "ED";
constexpr std::string_view kLegacyAlgorithm = "Ed";
constexpr std::size_t kAlgorithmBytes = 2;

// Standard base64 (with padding) that decodes to exactly `size` bytes.
bool DecodeBase64(std::string_view text, unsigned char* out, std::size_t size) {
    if (text.empty()) {
        return false;
    }
    std::vector<unsigned char> decoded(text.size());
    std::size_t length = 0;
    const char* end = nullptr;
    if (sodium_base642bin(decoded.data(), decoded.size(), text.data(), text.size(), nullptr,
                          &length, &end, sodium_base64_VARIANT_ORIGINAL) != 0 ||
        end != text.data() + text.size() || length != size) {
        return false;
    }
    std::memcpy(out, decoded.data(), size);
    return true;
}

std::string_view Trim(std::string_view text) {
    constexpr std::string_view kSpace = " \t\r\n";
    auto first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

// Splits into lines at "\n", dropping one "\r" before it; a final line end
// does not start another line.
std::vector<std::string_view> Lines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        auto end = bytes.find('\n');
        auto line = bytes.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    }
    return lines;
}

}  // namespace

SignatureError ParseMinisignPublicKey(std::string_view text, MinisignPublicKey* key) {
    std::array<unsigned char, kAlgorithmBytes + sizeof key->keyId + sizeof key->key> raw{};
    if (!DecodeBase64(Trim(text), raw.data(), raw.size()) ||
        std::string_view(reinterpret_cast<const char*>(raw.data()), kAlgorithmBytes) !=
            kKeyAlgorithm) {
        return SignatureError::MalformedPublicKey;
    }
    auto at = raw.begin() + kAlgorithmBytes;
    std::copy_n(at, key->keyId.size(), key->keyId.begin());
    std::copy_n(at + key->keyId.size(), key->key.size(), key->key.begin());
    return SignatureError::None;
}

SignatureError ParseMinisignSignature(std::string_view bytes, MinisignSignature* signature) {
    if (bytes.size() > kMaxSignatureFileBytes) {
        return SignatureError::MalformedSignatureFile;
    }
    auto lines = Lines(bytes);
    if (lines.size() != 4 || !lines[0].starts_with(kUntrustedPrefix) ||
        !lines[2].starts_with(kTrustedPrefix)) {
        return SignatureError::MalformedSignatureFile;
    }
    std::array<unsigned char,
               kAlgorithmBytes + sizeof signature->keyId + sizeof signature->signature>
        raw{};
    if (!DecodeBase64(lines[1], raw.data(), raw.size()) ||
        !DecodeBase64(lines[3], signature->globalSignature.data(),
                      signature->globalSignature.size())) {
        return SignatureError::MalformedSignatureFile;
    }
    std::string_view algorithm(reinterpret_cast<const char*>(raw.data()), kAlgorithmBytes);
    if (algorithm == kLegacyAlgorithm) {
        return SignatureError::LegacyAlgorithm;
    }
    if (algorithm != kPrehashedAlgorithm) {
        return SignatureError::MalformedSignatureFile;
    }
    auto at = raw.begin() + kAlgorithmBytes;
    std::copy_n(at, signature->keyId.size(), signature->keyId.begin());
    std::copy_n(at + signature->keyId.size(), signature->signature.size(),
                signature->signature.begin());
    signature->trustedComment = std::string(lines[2].substr(kTrustedPrefix.size()));
    return SignatureError::None;
}

}  // namespace vantu
