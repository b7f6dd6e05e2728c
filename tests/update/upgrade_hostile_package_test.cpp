// Damaged packages and odd names: whatever fails leaves the previous
// installation byte for byte and nothing outside the install folder changed.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <random>

#include "tests/support/process.h"
#include "tests/update/upgrade_fixture.h"
#include "update/upgrade_messages.h"

namespace {

using namespace upgrade_testing;

std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (auto& b : bytes) {
        b = static_cast<char>(generator());
    }
    return bytes;
}

void PatchZipMethods(const fs::path& zip, std::uint16_t method) {
    auto bytes = ReadFile(zip);
    auto patch = [&](const std::string& signature, std::size_t offset) {
        for (auto at = bytes.find(signature); at != std::string::npos;
             at = bytes.find(signature, at + 4)) {
            bytes[at + offset] = static_cast<char>(method & 0xFF);
            bytes[at + offset + 1] = static_cast<char>(method >> 8);
        }
    };
    patch("PK\x03\x04", 8);   // local headers
    patch("PK\x01\x02", 10);  // central directory
    WriteFile(zip, bytes);
}

class HostilePackageTest : public UpgradeWorkerTest {
  protected:
    void SetUp() override {
        UpgradeWorkerTest::SetUp();
        WriteFile(payload / "VantuSpeedUp.exe", booster);
        WriteFile(app / "VantuSpeedUp.exe", "old booster");
        WriteFile(app / "a.dll", "old a");
        fs::create_directories(app / "sub");
        WriteFile(app / "sub" / "b.dll", "old b");
    }
    // Upgrades from the package and expects a refusal that changed nothing.
    void ExpectRefused(const fs::path& package) {
        SCOPED_TRACE(package.filename().string());
        auto before = Everything(package.filename().string());
        results.clear();
        Upgrade(FileAddress(package));
        EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_EXTRACT_FAILED});
        EXPECT_EQ(Everything(package.filename().string()), before);
    }
    std::string booster = RandomBytes(200000, 7);
};

TEST_F(HostilePackageTest, DamagedItemsFailAndLeaveThePreviousInstallation) {
    // Stored, so the booster's bytes lie in the archive as they are.
    MakeZip(payload, server / "crc.zip", {"-mx0"});
    auto zip = ReadFile(server / "crc.zip");
    auto at = zip.find(booster.substr(100000, 64));
    ASSERT_NE(at, std::string::npos);
    for (int i = 0; i < 4; ++i) {
        zip[at + i] = static_cast<char>(~zip[at + i]);
    }
    WriteFile(server / "crc.zip", zip);
    ExpectRefused(server / "crc.zip");

    Make7z(payload, server / "solid.7z", {"-ms=on"});
    auto solid = ReadFile(server / "solid.7z");
    WriteFile(server / "cut.7z", solid.substr(0, solid.size() / 2));
    ExpectRefused(server / "cut.7z");
    // Damage inside the solid block, with the headers intact.
    for (std::size_t i = 0; i < 4; ++i) {
        solid[solid.size() / 3 + i] = static_cast<char>(~solid[solid.size() / 3 + i]);
    }
    WriteFile(server / "damaged.7z", solid);
    ExpectRefused(server / "damaged.7z");

    MakeZip(payload, server / "method.zip", {"-mx0"});
    PatchZipMethods(server / "method.zip", 10);  // a method the engine does not know
    ExpectRefused(server / "method.zip");

    // The same package undamaged goes in.
    MakeZip(payload, server / "good.zip", {"-mx0"});
    results.clear();
    Upgrade(FileAddress(server / "good.zip"));
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DONE});
    EXPECT_EQ(ReadFile(app / "VantuSpeedUp.exe"), booster);
}

TEST_F(HostilePackageTest, NamesThePendingListCannotCarryAreRefusedBeforeAnyMove) {
#ifdef _WIN32
    GTEST_SKIP() << "file names on Windows hold neither '|' nor control characters";
#endif
    WriteFile(app / "d|a.dll", "installed");
    for (const char* name : {"d|a.dll", "tab\t.dll", "nl\n.dll"}) {
        SCOPED_TRACE(name);
        fs::remove_all(payload);
        fs::create_directories(payload);
        WriteFile(payload / name, "new");
        WriteFile(payload / "a.dll", "new a");
        Make7z(payload, server / "odd.7z");
        ExpectRefused(server / "odd.7z");
        fs::remove(server / "odd.7z");
    }
}

TEST_F(HostilePackageTest, FoldersMovedAsideAreDeletedAfterEachUpgrade) {
    WriteFile(app / "sub" / "kept.txt", "old");
    WriteFile(app / "temp", "_gone.dll");
    Make7z(payload, server / "pkg.7z");  // with the folder item "sub"
    for (int round = 0; round < 2; ++round) {
        results.clear();
        Upgrade(FileAddress(server / "pkg.7z"));
        EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DONE});
    }
    EXPECT_EQ(ReadFile(app / "sub" / "b.dll"), "new b");
    EXPECT_FALSE(fs::exists(app / "sub" / "kept.txt"));
    EXPECT_FALSE(fs::exists(app / "_sub"));
    EXPECT_FALSE(fs::exists(app / "__sub"));
    // Nothing new was listed, so an older list stays as it was.
    EXPECT_EQ(ReadFile(app / "temp"), "_gone.dll");
}

TEST_F(HostilePackageTest, AnInstallFolderNamedWithNonUtf8BytesUpgradesInPlace) {
#ifdef _WIN32
    GTEST_SKIP() << "file names on Windows are UTF-16, never raw bytes";
#endif
    fs::path odd = temp / "app\xff\xc3(";
    fs::create_directories(odd);
    WriteFile(odd / "a.dll", "old a");
    WriteFile(odd / "_a.dll", "someone's");
    Make7z(payload, server / "pkg.7z");
    testing_support::ProcessOptions options;  // the tests' build takes file addresses
    options.args = {"file://" + (server / "pkg.7z").string(), odd.string()};
    auto result =
        testing_support::RunProcess(testing_support::BinDir() / "vantu-upgrade-local", options);
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_NE(result.out.find("FileDone:" + (odd / "a.dll").string() + "\n"), std::string::npos);
    EXPECT_EQ(ReadFile(odd / "a.dll"), "new a");
    EXPECT_EQ(ReadFile(odd / "sub" / "b.dll"), "new b");
    EXPECT_EQ(ReadFile(odd / "_a.dll"), "someone's");
    EXPECT_FALSE(fs::exists(odd / "__a.dll"));
    EXPECT_FALSE(fs::exists(odd / "pkg.7z"));
    // Nothing landed under a re-encoded name beside it.
    std::vector<std::string> siblings;
    for (const auto& entry : fs::directory_iterator(temp.path())) {
        siblings.push_back(entry.path().filename().string());
    }
    std::sort(siblings.begin(), siblings.end());
    EXPECT_EQ(siblings,
              (std::vector<std::string>{"app", odd.filename().string(), "payload", "server"}));
}

}  // namespace
