// Windows has no minisign program: the key pair and the signature files are
// made here with libsodium in minisign's own format (Linux signs with the
// real tool, so the reader is checked against it there).

#include <gtest/gtest.h>
#include <sodium.h>

#include <algorithm>
#include <array>

#include "tests/support/temp_dir.h"
#include "tests/update/signature/signing_key.h"

namespace signing_testing {

namespace fs = std::filesystem;

namespace {

std::string Detached(const std::string& message, const std::string& secretKey) {
    std::string signature(crypto_sign_BYTES, '\0');
    crypto_sign_detached(reinterpret_cast<unsigned char*>(signature.data()), nullptr,
                         reinterpret_cast<const unsigned char*>(message.data()), message.size(),
                         reinterpret_cast<const unsigned char*>(secretKey.data()));
    return signature;
}

std::string Blake2b512(const std::string& bytes) {
    std::string digest(crypto_generichash_BYTES_MAX, '\0');
    crypto_generichash(reinterpret_cast<unsigned char*>(digest.data()), digest.size(),
                       reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), nullptr,
                       0);
    return digest;
}

}  // namespace

SigningKey::SigningKey(const fs::path& folder) : m_folder(folder) {
    fs::create_directories(folder);
    EXPECT_GE(sodium_init(), 0);
    std::string publicKey(crypto_sign_PUBLICKEYBYTES, '\0');
    std::string secretKey(crypto_sign_SECRETKEYBYTES, '\0');
    crypto_sign_keypair(reinterpret_cast<unsigned char*>(publicKey.data()),
                        reinterpret_cast<unsigned char*>(secretKey.data()));
    std::string keyId(8, '\0');
    randombytes_buf(keyId.data(), keyId.size());
    m_publicKey = Base64("Ed" + keyId + publicKey);
    EXPECT_EQ(m_publicKey.size(), 56u);
    // The secret side as this helper alone reads it: key id, then the key.
    testing_support::WriteFile(folder / "key.sec", keyId + secretKey);
    testing_support::WriteFile(folder / "key.pub",
                               "untrusted comment: minisign public key\n" + m_publicKey + "\n");
}

void SigningKey::Sign(const fs::path& file, const std::string& trustedComment,
                      const std::vector<std::string>& extra) const {
    const std::string key = testing_support::ReadFile(m_folder / "key.sec");
    ASSERT_EQ(key.size(), 8u + crypto_sign_SECRETKEYBYTES);
    const std::string keyId = key.substr(0, 8);
    const std::string secretKey = key.substr(8);
    const std::string content = testing_support::ReadFile(file);
    // "-l": the legacy algorithm signs the file itself; the default signs
    // its BLAKE2b-512 digest.
    const bool legacy = std::find(extra.begin(), extra.end(), "-l") != extra.end();
    const std::string signature = Detached(legacy ? content : Blake2b512(content), secretKey);
    const std::string global = Detached(signature + trustedComment, secretKey);
    testing_support::WriteFile(fs::path(file.string() + ".minisig"),
                               "untrusted comment: signature from minisign secret key\n" +
                                   Base64((legacy ? "Ed" : "ED") + keyId + signature) +
                                   "\ntrusted comment: " + trustedComment + "\n" + Base64(global) +
                                   "\n");
}

}  // namespace signing_testing
