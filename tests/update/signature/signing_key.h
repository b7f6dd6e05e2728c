#pragma once

// minisign key pairs made at test time with the real tool, as a vendor makes
// and uses them.

#include <filesystem>
#include <string>
#include <vector>

namespace signing_testing {

// A key pair without a password, in its own new folder.
class SigningKey {
  public:
    explicit SigningKey(const std::filesystem::path& folder);

    // The base64 line of the .pub file, as the build setting holds it.
    const std::string& PublicKey() const { return m_publicKey; }

    // `minisign -S -m file -t comment`, writing file + ".minisig"; `extra`
    // goes before the file (e.g. "-l" for the legacy algorithm).
    void Sign(const std::filesystem::path& file, const std::string& trustedComment,
              const std::vector<std::string>& extra = {}) const;

  private:
    std::filesystem::path m_folder;
    std::string m_publicKey;
};

// Standard base64 as minisign writes it, and back (a failed decoding fails
// the test).
std::string Base64(const std::string& bytes);
std::string DecodeBase64(const std::string& text);

}  // namespace signing_testing
