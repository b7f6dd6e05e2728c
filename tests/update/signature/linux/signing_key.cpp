#include "tests/update/signature/signing_key.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/temp_dir.h"
#include "tests/update/package_maker.h"

namespace signing_testing {

namespace fs = std::filesystem;

namespace {

constexpr const char* kMinisign = "/usr/bin/minisign";

}  // namespace

SigningKey::SigningKey(const fs::path& folder) : m_folder(folder) {
    fs::create_directories(folder);
    package_maker::RunTool(
        folder, kMinisign,
        {"-G", "-W", "-p", (folder / "key.pub").string(), "-s", (folder / "key.sec").string()});
    std::istringstream pub(testing_support::ReadFile(folder / "key.pub"));
    std::string comment;
    std::getline(pub, comment);
    std::getline(pub, m_publicKey);
    EXPECT_EQ(m_publicKey.size(), 56u) << "not a minisign public key line: " << m_publicKey;
}

void SigningKey::Sign(const fs::path& file, const std::string& trustedComment,
                      const std::vector<std::string>& extra) const {
    std::vector<std::string> args = {"-S", "-s", (m_folder / "key.sec").string()};
    args.insert(args.end(), extra.begin(), extra.end());
    args.insert(args.end(), {"-m", file.string(), "-t", trustedComment});
    package_maker::RunTool(m_folder, kMinisign, args);
}

}  // namespace signing_testing
