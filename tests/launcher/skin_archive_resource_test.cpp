#include "launcher/windows/skin_archive_resource.h"

#include <gtest/gtest.h>

#include "platform/resources/embedded_resources.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "ui/core/resource_settings.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;
using VantuUI::CResourceSettings;
using VantuUI::SkinReadResult;

TEST(SkinArchiveResource, RegistersTheEmbeddedArchiveForSkinFiles) {
    TempDir dir;
    WriteFile(dir / "MainWindow.xml", "<Window size=\"500,310\"/>");
    testing_support::ProcessOptions options;
    options.directory = dir.path();
    options.args = {"-q", "-X", "skin.zip", "MainWindow.xml"};
    ASSERT_EQ(testing_support::RunProcess("/usr/bin/zip", options).exitCode, 0);
    // Registered resources must live as long as the process.
    static const std::string archive = ReadFile(dir / "skin.zip");
    platform::RegisterEmbeddedResource("ZIPRES", 101, archive.data(), archive.size());

    vantu::LoadSkinArchiveResource();

    std::vector<unsigned char> bytes;
    ASSERT_EQ(CResourceSettings::ReadSkinFile(L"MainWindow.xml", 1 << 20, bytes),
              SkinReadResult::Ok);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "<Window size=\"500,310\"/>");
}

}  // namespace
