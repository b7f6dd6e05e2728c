#include "update/signature/package_signature.h"

#include <sodium.h>

#include <array>
#include <optional>
#include <vector>

#include "platform/files/file_io.h"
#include "update/signature/minisign_format.h"

namespace vantu {

namespace {

constexpr std::size_t kReadPieceBytes = 256 * 1024;

using Digest = std::array<unsigned char, crypto_generichash_BYTES_MAX>;

std::optional<Digest> HashFile(const std::wstring& path) {
    auto file = platform::OpenForReading(path, platform::Links::Refuse);
    if (!file.IsValid()) {
        return std::nullopt;
    }
    crypto_generichash_state state;
    crypto_generichash_init(&state, nullptr, 0, crypto_generichash_BYTES_MAX);
    std::vector<unsigned char> piece(kReadPieceBytes);
    for (;;) {
        long count = platform::ReadSome(file, piece.data(), piece.size());
        if (count < 0) {
            return std::nullopt;
        }
        if (count == 0) {
            break;
        }
        crypto_generichash_update(&state, piece.data(), static_cast<unsigned long long>(count));
    }
    Digest digest{};
    crypto_generichash_final(&state, digest.data(), digest.size());
    return digest;
}

bool CommentSignatureHolds(const MinisignSignature& signature, const MinisignPublicKey& key) {
    std::vector<unsigned char> signedBytes(signature.signature.begin(), signature.signature.end());
    signedBytes.insert(signedBytes.end(), signature.trustedComment.begin(),
                       signature.trustedComment.end());
    return crypto_sign_verify_detached(signature.globalSignature.data(), signedBytes.data(),
                                       signedBytes.size(), key.key.data()) == 0;
}

}  // namespace

std::string SignedVersionComment(std::string_view version) {
    return "version:" + std::string(version);
}

SignatureError VerifyPackageSignature(const std::wstring& packagePath,
                                      std::string_view signatureBytes,
                                      std::string_view announcedVersion,
                                      std::string_view publicKey) {
    if (sodium_init() < 0) {
        return SignatureError::BadSignature;
    }
    MinisignPublicKey key;
    if (auto error = ParseMinisignPublicKey(publicKey, &key); error != SignatureError::None) {
        return error;
    }
    MinisignSignature signature;
    if (auto error = ParseMinisignSignature(signatureBytes, &signature);
        error != SignatureError::None) {
        return error;
    }
    if (signature.keyId != key.keyId) {
        return SignatureError::OtherKey;
    }
    // The cheap checks first: a replayed or relabelled signature is refused
    // before the package is read.
    if (!CommentSignatureHolds(signature, key)) {
        return SignatureError::BadCommentSignature;
    }
    if (announcedVersion.empty() ||
        signature.trustedComment != SignedVersionComment(announcedVersion)) {
        return SignatureError::OtherVersion;
    }
    auto digest = HashFile(packagePath);
    if (!digest) {
        return SignatureError::PackageUnreadable;
    }
    if (crypto_sign_verify_detached(signature.signature.data(), digest->data(), digest->size(),
                                    key.key.data()) != 0) {
        return SignatureError::BadSignature;
    }
    return SignatureError::None;
}

}  // namespace vantu
