#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/resources/embedded_resources.h"
#include "tests/support/host_program.h"
#include "tests/support/temp_dir.h"
#include "tests/update/package_maker.h"
#include "ui/core/zip/zip_reader.h"

namespace {

// The build packs every file under skin/ into the program resource "ZIPRES"
// 101 (this test program links it like the launcher does).
TEST(SkinArchive, EmbeddedResourceHoldsEverySkinFile) {
    auto resource = platform::FindEmbeddedResource("ZIPRES", 101);
    ASSERT_TRUE(resource.has_value());
    ASSERT_GT(resource->size(), 0u);

    const std::filesystem::path root = std::filesystem::path(VANTU_SOURCE_DIR) / "skin";
    std::set<std::string> expected;
    for (const auto& file : std::filesystem::recursive_directory_iterator(root)) {
        if (file.is_regular_file() && file.path().filename() != "CMakeLists.txt") {
            expected.insert(file.path().lexically_relative(root).generic_string());
        }
    }
    auto zip = VantuUI::CZipReader::OpenMemory(resource->data(), resource->size());
    if (expected.empty()) {
        // Only an end record: nothing to read, and the reader does not open it.
        EXPECT_EQ(resource->size(), 22u);
        return;
    }
    ASSERT_NE(zip, nullptr);
    ASSERT_EQ(zip->EntryCount(), static_cast<int>(expected.size()));
    for (const auto& name : expected) {
        int index = -1;
        VantuUI::ZipEntryInfo info;
        std::wstring wide(name.begin(), name.end());
        ASSERT_EQ(zip->Find(wide, false, &index, &info), VantuUI::ZipResult::Ok) << name;
        std::string content(info.uncompressedSize, '\0');
        DWORD result =
            zip->Unzip(index, content.data(), content.size(), VantuUI::ZipStream::Memory);
        EXPECT_TRUE(result == VantuUI::ZipResult::More || result == VantuUI::ZipResult::Ok);
        EXPECT_TRUE(content == testing_support::ReadFile(root / name)) << name;
    }
}

TEST(SkinArchive, PackerStoresFilesUnderTheirRelativeNames) {
    testing_support::TempDir dir;
    std::filesystem::create_directories(dir / "skin/img");
    testing_support::WriteFile(dir / "skin/MainWindow.xml", "<Window/>");
    testing_support::WriteFile(dir / "skin/img/pic_bg.png", std::string(5000, 'p'));
    using testing_support::HostPath;
    const std::vector<std::string> args = {
        HostPath(std::filesystem::path(VANTU_SOURCE_DIR) / "cmake/pack_zip.py"),
        HostPath(dir / "s.zip"), HostPath(dir / "skin"), HostPath(dir / "skin/img/pic_bg.png"),
        HostPath(dir / "skin/MainWindow.xml")};
    package_maker::RunTool(dir.path(), "/usr/bin/python3", args);
    ASSERT_FALSE(HasFailure());
    std::string first = testing_support::ReadFile(dir / "s.zip");
    auto zip = VantuUI::CZipReader::OpenMemory(first.data(), first.size());
    ASSERT_NE(zip, nullptr);
    VantuUI::ZipEntryInfo info;
    ASSERT_EQ(zip->GetEntry(0, info), VantuUI::ZipResult::Ok);
    EXPECT_EQ(info.name, L"MainWindow.xml");
    ASSERT_EQ(zip->GetEntry(1, info), VantuUI::ZipResult::Ok);
    EXPECT_EQ(info.name, L"img/pic_bg.png");
    EXPECT_LT(info.compressedSize, info.uncompressedSize);
    // The same files give the same bytes.
    package_maker::RunTool(dir.path(), "/usr/bin/python3", args);
    EXPECT_TRUE(testing_support::ReadFile(dir / "s.zip") == first);
}

}  // namespace
