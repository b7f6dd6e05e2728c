// The demo booster on Linux is an ELF program carrying its version block in a
// section of its own.

#include <gtest/gtest.h>

#include "launcher/startup/installed_version.h"
#include "tests/launcher/version_file_test.h"
#include "tests/support/process.h"
#include "tools/versioninfo/version_block_writer.h"

namespace {

using launcher_test::VersionFileTest;
using vantu::QueryFileVersion;
using vantu::tools::BuildElfImage;
using vantu::tools::BuildVersionBlock;
using vantu::tools::SimpleVersionInfo;

std::wstring Wide(const std::filesystem::path& p) {
    return p.wstring();
}

TEST_F(VersionFileTest, ReadsTheDemoBoostersElfSection) {
    std::wstring value;
    ASSERT_TRUE(QueryFileVersion(Wide(testing_support::BinDir() / "VantuSpeedUp.exe"), value));
    EXPECT_FALSE(value.empty());
    std::wstring fromImage;
    EXPECT_TRUE(QueryFileVersion(
        Write("booster", BuildElfImage(BuildVersionBlock(SimpleVersionInfo("7.6.5.4")))),
        fromImage));
    EXPECT_EQ(fromImage, L"7.6.5.4");
}

}  // namespace
