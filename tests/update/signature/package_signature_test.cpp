#include "update/signature/package_signature.h"

#include <gtest/gtest.h>
#include <sodium.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tests/update/package_maker.h"
#include "tests/update/signature/signing_key.h"
#include "update/signature/minisign_format.h"

namespace {

namespace fs = std::filesystem;
using signing_testing::Base64;
using signing_testing::DecodeBase64;
using signing_testing::SigningKey;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;
using vantu::SignatureError;

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines, const std::string& end = "\n") {
    std::string text;
    for (const auto& line : lines) {
        text += line + end;
    }
    return text;
}

class PackageSignatureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Larger than one read piece, so the digest spans several.
        std::string bytes(600 * 1024, '\0');
        std::mt19937 random(18);
        for (auto& byte : bytes) {
            byte = static_cast<char>(random());
        }
        WriteFile(package, bytes);
        key.Sign(package, "version:1.2.0.0");
        signature = ReadFile(temp / "pkg.7z.minisig");
    }

    SignatureError Verify(const std::string& signatureBytes) const {
        return vantu::VerifyPackageSignature(package_maker::Wide(package), signatureBytes,
                                             "1.2.0.0", key.PublicKey());
    }

    TempDir temp;
    fs::path package = temp / "pkg.7z";
    SigningKey key{temp / "key"};
    std::string signature;
};

TEST_F(PackageSignatureTest, AcceptsMinisignOutputWithAnyLineEnds) {
    EXPECT_EQ(Verify(signature), SignatureError::None);
    auto lines = SplitLines(signature);
    EXPECT_EQ(Verify(JoinLines(lines, "\r\n")), SignatureError::None);
    std::string unterminated = JoinLines(lines);
    unterminated.pop_back();
    EXPECT_EQ(Verify(unterminated), SignatureError::None);
}

// Every shape but minisign's four lines is refused, whatever the signatures
// inside would say; a file up to 4 KiB is still read.
TEST_F(PackageSignatureTest, MisshapenSignatureFilesAreRefused) {
    const auto lines = SplitLines(signature);
    ASSERT_EQ(lines.size(), 4u);
    auto edited = [&](const std::function<void(std::vector<std::string>&)>& edit) {
        auto copy = lines;
        edit(copy);
        return JoinLines(copy);
    };
    auto withAlgorithm = [&](const std::string& algorithm) {
        return edited([&](auto& l) { l[1] = Base64(algorithm + DecodeBase64(l[1]).substr(2)); });
    };
    const std::string untrusted = "untrusted comment: ";
    auto padded = [&](size_t total) {
        return edited([&](auto& l) {
            l[0] = untrusted +
                   std::string(total - signature.size() + lines[0].size() - untrusted.size(), 'x');
        });
    };
    ASSERT_EQ(padded(vantu::kMaxSignatureFileBytes).size(), vantu::kMaxSignatureFileBytes);
    EXPECT_EQ(Verify(padded(vantu::kMaxSignatureFileBytes)), SignatureError::None);

    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"three lines", edited([](auto& l) { l.pop_back(); })},
        {"a fifth line", edited([](auto& l) { l.push_back(""); })},
        {"no untrusted comment prefix", edited([](auto& l) { l[0] = "comment: x"; })},
        {"no trusted comment prefix", edited([](auto& l) { l[2] = l[2].substr(8); })},
        {"signature not base64", edited([](auto& l) { l[1][10] = '*'; })},
        {"signature one byte short",
         edited([](auto& l) { l[1] = Base64(DecodeBase64(l[1]).substr(1)); })},
        {"global signature one byte long",
         edited([](auto& l) { l[3] = Base64(DecodeBase64(l[3]) + "x"); })},
        {"unknown algorithm", withAlgorithm("EX")},
        {"a byte over 4 KiB", padded(vantu::kMaxSignatureFileBytes + 1)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Verify(c.bytes), SignatureError::MalformedSignatureFile) << c.name;
    }
    EXPECT_EQ(Verify(withAlgorithm("Ed")), SignatureError::LegacyAlgorithm);
}

TEST_F(PackageSignatureTest, ThePublicKeyIsMinisignsKeyLine) {
    auto verifyWith = [&](const std::string& publicKey) {
        return vantu::VerifyPackageSignature(package_maker::Wide(package), signature, "1.2.0.0",
                                             publicKey);
    };
    EXPECT_EQ(verifyWith(" " + key.PublicKey() + "\n"), SignatureError::None);
    const std::string refused[] = {
        "",
        ReadFile(temp / "key" / "key.pub"),  // the whole file, comment line and all
        key.PublicKey().substr(0, 52),
        SplitLines(signature)[1],  // base64 of the right kind of bytes, but a signature
    };
    for (const auto& publicKey : refused) {
        EXPECT_EQ(verifyWith(publicKey), SignatureError::MalformedPublicKey) << publicKey;
    }
}

// Only a trusted comment that is exactly "version:" and the announced
// version will do: one that merely starts with it, or that it starts with,
// names another version, however validly signed.
TEST_F(PackageSignatureTest, TheTrustedCommentMustNameExactlyTheAnnouncedVersion) {
    auto signedFor = [&](const std::string& comment) {
        key.Sign(package, comment);
        return ReadFile(temp / "pkg.7z.minisig");
    };
    auto verifyFor = [&](const std::string& bytes, const std::string& announced) {
        return vantu::VerifyPackageSignature(package_maker::Wide(package), bytes, announced,
                                             key.PublicKey());
    };
    const std::string tenth = signedFor("version:1.2.0.10");
    EXPECT_EQ(verifyFor(tenth, "1.2.0.1"), SignatureError::OtherVersion);
    EXPECT_EQ(verifyFor(tenth, "1.2.0.10"), SignatureError::None);
    EXPECT_EQ(verifyFor(signature, "1.2.0.00"), SignatureError::OtherVersion);
    EXPECT_EQ(verifyFor(signature, "1.2.0"), SignatureError::OtherVersion);
    EXPECT_EQ(verifyFor(signedFor("version:1.2.0.0 "), "1.2.0.0"), SignatureError::OtherVersion);
    EXPECT_EQ(verifyFor(signedFor("aversion:1.2.0.0"), "1.2.0.0"), SignatureError::OtherVersion);
    EXPECT_EQ(verifyFor(signedFor("version:1.2.0.0"), ""), SignatureError::OtherVersion);
}

}  // namespace
