#include "ui/core/resource_settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/resources/module_handle.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/zip/zip_fixtures.h"

namespace {

using VantuUI::CResourceSettings;
using VantuUI::SkinReadResult;

// The settings are process-wide: every test starts from and returns to the
// defaults (loose files, no path, caching on).
class ResourceSettings : public ::testing::Test {
  protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        CResourceSettings::SetSkinArchive(L"", true);
        CResourceSettings::SetSkinPath(L"");
        CResourceSettings::SetProgramModule(nullptr);
        CResourceSettings::SetSkinModule(nullptr);
    }
    static std::wstring Folder(const testing_support::TempDir& dir) {
        return dir.path().wstring() + L"/";
    }
    testing_support::TempDir m_dir;
};

TEST_F(ResourceSettings, SkinPathGetsASeparatorAppendedWhenItLacksOne) {
    CResourceSettings::SetSkinPath(L"skins");
    EXPECT_EQ(CResourceSettings::SkinPath(), L"skins\\");
    CResourceSettings::SetSkinPath(L"skins/");
    EXPECT_EQ(CResourceSettings::SkinPath(), L"skins/");
    CResourceSettings::SetSkinPath(L"skins\\");
    EXPECT_EQ(CResourceSettings::SkinPath(), L"skins\\");
    CResourceSettings::SetSkinPath(L"");
    EXPECT_EQ(CResourceSettings::SkinPath(), L"");
}

TEST_F(ResourceSettings, ModulesAndProgramFolder) {
    EXPECT_EQ(CResourceSettings::SkinModule(), nullptr);
    EXPECT_EQ(CResourceSettings::ProgramFolder(), L"");
    HINSTANCE program = platform::CurrentModule();
    CResourceSettings::SetProgramModule(program);
    EXPECT_EQ(CResourceSettings::SkinModule(), program);
    auto self = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(CResourceSettings::ProgramFolder(), self.parent_path().wstring() + L"/");
    auto other = reinterpret_cast<HINSTANCE>(0x1000);
    CResourceSettings::SetSkinModule(other);
    EXPECT_EQ(CResourceSettings::SkinModule(), other);
}

TEST_F(ResourceSettings, LooseFilesFromTheSkinPathWithEitherSeparator) {
    std::filesystem::create_directories(m_dir / "img");
    testing_support::WriteFile(m_dir / "img/pic.png", "png");
    testing_support::WriteFile(m_dir / "empty.xml", "");
    // The stored path ends in "\", which on disk means "/".
    CResourceSettings::SetSkinPath(m_dir.path().wstring());
    std::vector<unsigned char> bytes;
    EXPECT_EQ(CResourceSettings::ReadSkinFile(L"img\\pic.png", 100, bytes), SkinReadResult::Ok);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "png");
    EXPECT_EQ(CResourceSettings::ReadSkinFile(L"img/pic.png", 3, bytes), SkinReadResult::Ok);
    EXPECT_EQ(CResourceSettings::ReadSkinFile(L"img/pic.png", 2, bytes), SkinReadResult::TooLarge);
    EXPECT_EQ(CResourceSettings::ReadSkinFile(L"empty.xml", 100, bytes), SkinReadResult::Empty);
    EXPECT_EQ(CResourceSettings::ReadSkinFile(L"none.xml", 100, bytes),
              SkinReadResult::CannotOpenFile);
    EXPECT_EQ(CResourceSettings::ReadSkinFile(L"img", 100, bytes), SkinReadResult::CannotOpenFile);
}

TEST_F(ResourceSettings, ArchiveFileCachedOrOpenedPerRead) {
    std::string archive =
        zip_fixtures::MakeArchive(m_dir, zip_fixtures::Tool::Zip, zip_fixtures::Method::Deflated);
    testing_support::WriteFile(m_dir / "skin.zip", archive);
    const std::string& xml = zip_fixtures::SkinFiles().at("MainWindow.xml");
    CResourceSettings::SetSkinPath(Folder(m_dir));
    for (bool cache : {true, false}) {
        CResourceSettings::SetSkinArchive(L"skin.zip", cache);
        EXPECT_EQ(CResourceSettings::IsSkinArchiveCached(), cache);
        EXPECT_EQ(CResourceSettings::CachedSkinArchive() != nullptr, cache);
        std::vector<unsigned char> bytes;
        // Read twice: the second read must not continue the first.
        for (int round = 0; round < 2; ++round) {
            ASSERT_EQ(CResourceSettings::ReadSkinFile(L"MAINWINDOW.XML", 1 << 20, bytes),
                      SkinReadResult::Ok);
            EXPECT_EQ(std::string(bytes.begin(), bytes.end()), xml);
        }
        EXPECT_EQ(CResourceSettings::ReadSkinFile(L"missing.xml", 1 << 20, bytes),
                  SkinReadResult::NotInArchive);
        EXPECT_EQ(CResourceSettings::ReadSkinFile(L"empty.txt", 1 << 20, bytes),
                  SkinReadResult::Empty);
        EXPECT_EQ(CResourceSettings::ReadSkinFile(L"MainWindow.xml", xml.size() - 1, bytes),
                  SkinReadResult::TooLarge);
    }
    CResourceSettings::SetSkinArchive(L"nothere.zip", true);
    EXPECT_EQ(CResourceSettings::CachedSkinArchive(), nullptr);
    std::vector<unsigned char> bytes;
    EXPECT_EQ(CResourceSettings::ReadSkinFile(L"MainWindow.xml", 1 << 20, bytes),
              SkinReadResult::NoArchive);
}

TEST_F(ResourceSettings, TheFirstInMemoryArchiveStaysInForce) {
    testing_support::TempDir other;
    std::string first =
        zip_fixtures::MakePythonArchive(m_dir, {{"MainWindow.xml", "<First/>"}}, "deflated");
    std::string second =
        zip_fixtures::MakePythonArchive(other, {{"MainWindow.xml", "<Second/>"}}, "deflated");
    CResourceSettings::SetSkinArchive(first.data(), first.size());
    CResourceSettings::SetSkinArchive(second.data(), second.size());
    EXPECT_EQ(CResourceSettings::SkinArchiveName(), VantuUI::kMemoryArchiveName);
    std::vector<unsigned char> bytes;
    ASSERT_EQ(CResourceSettings::ReadSkinFile(L"mainwindow.xml", 100, bytes), SkinReadResult::Ok);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "<First/>");

    // Without caching, each read opens the registered block again.
    CResourceSettings::SetSkinArchive(L"", false);
    CResourceSettings::SetSkinArchive(second.data(), second.size());
    EXPECT_EQ(CResourceSettings::CachedSkinArchive(), nullptr);
    ASSERT_EQ(CResourceSettings::ReadSkinFile(L"MainWindow.xml", 100, bytes), SkinReadResult::Ok);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "<Second/>");
}

TEST_F(ResourceSettings, DamagedEntryCannotBeUnzipped) {
    std::string archive =
        zip_fixtures::MakePythonArchive(m_dir, {{"a.xml", std::string(300, 'a')}}, "stored");
    archive[30 + 5 + 10] ^= 1;  // inside the stored data
    CResourceSettings::SetSkinArchive(archive.data(), archive.size());
    std::vector<unsigned char> bytes;
    EXPECT_EQ(CResourceSettings::ReadSkinFile(L"a.xml", 1000, bytes), SkinReadResult::CannotUnzip);
}

}  // namespace
