#include "launcher/startup/installed_version.h"

#include <gtest/gtest.h>

#include "platform/resources/version_info.h"
#include "tests/launcher/version_file_test.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tools/versioninfo/version_block_writer.h"

namespace {

using launcher_test::VersionFileTest;
using testing_support::TempDir;
using testing_support::WriteFile;
using vantu::IsUpdateNeeded;
using vantu::QueryFileVersion;
using vantu::QueryVersionString;
using vantu::tools::BuildElfImage;
using vantu::tools::BuildPeImage;
using vantu::tools::BuildVersionBlock;
using vantu::tools::SimpleVersionInfo;
using vantu::tools::VersionInfo;

std::wstring Wide(const std::filesystem::path& p) {
    return p.wstring();
}

TEST(IsUpdateNeeded, ComparesComponentsNumerically) {
    struct Case {
        const wchar_t* installed;
        const wchar_t* latest;
        bool needed;
    };
    const Case cases[] = {
        {L"1.10.0.0", L"1.9.0.0", false},
        {L"2.0.0.0", L"1.9.9.9", false},
        {L"1.2.3.4", L"1.2.3.4", false},
        {L"1.2.3.4", L"1.2.3.5", true},
        {L"1.2.3.4", L"1.2.4.0", true},
        {L"01.02.03.04", L"1.2.3.4", false},
        {L"1.2.3.4 beta", L"1.2.3.4", false},
        {L" 1. 2.3.4", L"1.2.3.4", false},
        {L"-1.0.0.0", L"0.0.0.0", true},
        {L"1.2", L"1.2.0.0", false},
        {L"1.2", L"1.2.0.1", true},
        {L"1, 2, 3, 4", L"1.0.0.0", false},
        {L"1, 2, 3, 4", L"1.0.0.1", true},
        {L"abc", L"0.0.0.1", true},
        {L"", L"1.0.0.0", true},
        {L"1.0.0.0", L"", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsUpdateNeeded(c.installed, c.latest), c.needed)
            << "installed " << testing::PrintToString(std::wstring(c.installed)) << " latest "
            << testing::PrintToString(std::wstring(c.latest));
    }
}

TEST_F(VersionFileTest, ReadsFileVersionFromPe32AndPe32Plus) {
    auto block = BuildVersionBlock(SimpleVersionInfo("1.2.3.4"));
    for (bool plus : {false, true}) {
        std::wstring value;
        EXPECT_TRUE(QueryFileVersion(Write("app.exe", BuildPeImage(block, plus)), value));
        EXPECT_EQ(value, L"1.2.3.4") << (plus ? "PE32+" : "PE32");
    }
}

TEST_F(VersionFileTest, UsesOnlyTheFirstTranslation) {
    VersionInfo info;
    info.translations = {{0x0409, 0x04B0}, {0x0804, 0x04B0}};
    // Upper-case table keys are found too: the platform's lookup ignores case.
    info.stringTables = {{u"080404B0", {{u"FileVersion", u"2.0.0.0"}}},
                         {u"040904B0", {{u"FileVersion", u"1.0.0.0"}}}};
    std::wstring value;
    EXPECT_TRUE(
        QueryFileVersion(Write("multi.exe", BuildPeImage(BuildVersionBlock(info), false)), value));
    EXPECT_EQ(value, L"1.0.0.0");
}

TEST_F(VersionFileTest, MissingKeyIsTrueWithTheValueUnchanged) {
    auto path =
        Write("app.exe", BuildPeImage(BuildVersionBlock(SimpleVersionInfo("1.2.3.4")), false));
    std::wstring value = L"unchanged";
    EXPECT_TRUE(QueryVersionString(L"CompanyName", path, value));
    EXPECT_EQ(value, L"unchanged");
    // A translation whose string table is absent behaves the same.
    VersionInfo info = SimpleVersionInfo("1.2.3.4");
    info.translations = {{0x0411, 0x04B0}};
    EXPECT_TRUE(
        QueryFileVersion(Write("other.exe", BuildPeImage(BuildVersionBlock(info), true)), value));
    EXPECT_EQ(value, L"unchanged");
}

TEST_F(VersionFileTest, NoTranslationTableOrNoFileIsFalse) {
    VersionInfo info = SimpleVersionInfo("1.2.3.4");
    info.translations.clear();
    std::wstring value = L"unchanged";
    EXPECT_FALSE(
        QueryFileVersion(Write("nt.exe", BuildPeImage(BuildVersionBlock(info), false)), value));
    EXPECT_FALSE(QueryFileVersion(Wide(dir / "absent.exe"), value));
    EXPECT_FALSE(QueryFileVersion(L"", value));
    EXPECT_FALSE(QueryVersionString(L"", Wide(dir / "nt.exe"), value));
    EXPECT_FALSE(QueryFileVersion(Write("text.exe", "just text"), value));
    EXPECT_FALSE(QueryFileVersion(Wide(dir.path()), value));  // a folder
    EXPECT_EQ(value, L"unchanged");
}

TEST_F(VersionFileTest, NonAsciiTextsDecodeFromUtf16) {
    VersionInfo info = SimpleVersionInfo("1.0.0.0");
    info.stringTables[0].strings.push_back({u"ProductName", u"加速器 \U0001F680"});
    std::wstring value;
    EXPECT_TRUE(QueryVersionString(
        L"ProductName", Write("cn.exe", BuildPeImage(BuildVersionBlock(info), false)), value));
    EXPECT_EQ(value, L"加速器 \U0001F680");
}

// Damaged images: every variation must give "no version", never a read
// outside the file (the sanitizer build checks the latter).
void Put32(std::string& image, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        image[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

TEST(DamagedVersionFiles, AreRefusedWithoutReadingOutside) {
    const std::string block = BuildVersionBlock(SimpleVersionInfo("1.2.3.4"));
    const std::string pe = BuildPeImage(block, false);
    const std::string elf = BuildElfImage(block);
    ASSERT_TRUE(platform::ExtractVersionBlock(pe));
    ASSERT_TRUE(platform::ExtractVersionBlock(elf));

    // Every truncation of both images.
    for (std::size_t n = 0; n < pe.size(); n += 7) {
        auto got = platform::ExtractVersionBlock(std::string_view(pe).substr(0, n));
        EXPECT_EQ(got.has_value(), n >= 0x200 + 88 + block.size()) << n;
    }
    // The last section header's trailing fields (alignment, entry size) are not needed.
    for (std::size_t n = 0; n < elf.size() - 0x14; ++n) {
        EXPECT_FALSE(platform::ExtractVersionBlock(std::string_view(elf).substr(0, n))) << n;
    }

    const std::size_t peAt = 0x80;
    const std::size_t opt = peAt + 24;
    const std::size_t rsrc = 0x200;
    struct Damage {
        const char* what;
        std::size_t at;
        std::uint32_t value;
    };
    const Damage damages[] = {
        {"PE offset past the end", 0x3C, 0xFFFFFFF0u},
        {"resource RVA outside every section", opt + 92 + 4 + 16, 0x7FFF0000u},
        {"section raw offset past the end", opt + 224 + 20, 0x7FFFFFFFu},
        {"huge section count", peAt + 6, 0xFFFFu},
        {"huge entry counts", rsrc + 12, 0xFFFFFFFFu},
        {"type entry pointing at itself", rsrc + 20, 0x80000000u},
        {"name level pointing back to the root", rsrc + 24 + 20, 0x80000000u},
        {"data entry past the section", rsrc + 48 + 20, 0x7FFFFFF0u},
        {"data RVA past the end", rsrc + 72, 0xFFFFFF00u},
        {"data size huge", rsrc + 76, 0xFFFFFFFFu},
    };
    for (const auto& d : damages) {
        std::string image = pe;
        Put32(image, d.at, d.value);
        auto got = platform::ExtractVersionBlock(image);
        if (got) {
            // A loop or odd count may still reach data; it must then be the real block.
            EXPECT_EQ(*got, block.substr(0, got->size())) << d.what;
        }
    }
    std::size_t headers = 0;
    for (int i = 7; i >= 0; --i) {
        headers = (headers << 8) | static_cast<unsigned char>(elf[0x28 + i]);
    }
    const Damage elfDamages[] = {
        {"section headers past the end", 0x28, 0xFFFFFF00u},
        {"string table index out of range", 0x3E, 0x7Fu},
        {"section data past the end", headers + 0x40 + 0x18, 0xFFFFFFF0u},
        {"section size past the end", headers + 0x40 + 0x20, 0xFFFFFFF0u},
        {"name offset past the string table", headers + 0x40, 0xFFFFFFF0u},
    };
    for (const auto& d : elfDamages) {
        std::string image = elf;
        ASSERT_LE(d.at + 4, image.size()) << d.what;
        Put32(image, d.at, d.value);
        EXPECT_FALSE(platform::ExtractVersionBlock(image)) << d.what;
    }
}

TEST(DamagedVersionBlocks, LookupsStayInsideTheBlock) {
    const std::string block = BuildVersionBlock(SimpleVersionInfo("1.2.3.4"));
    for (std::size_t n = 0; n <= block.size(); ++n) {
        platform::VersionInfoBlock cut(block.substr(0, n));
        auto text = cut.Text(L"\\StringFileInfo\\080404b0\\FileVersion");
        if (text) {
            EXPECT_EQ(*text, std::wstring(L"1.2.3.4").substr(0, text->size()));
        }
        cut.Value(L"\\VarFileInfo\\Translation");
    }
    // Lengths that claim more than there is, or nothing at all.
    for (std::size_t at = 0; at + 1 < block.size(); at += 2) {
        for (std::uint16_t v : {std::uint16_t{0}, std::uint16_t{1}, std::uint16_t{0xFFFF}}) {
            std::string damaged = block;
            damaged[at] = static_cast<char>(v & 0xFF);
            damaged[at + 1] = static_cast<char>(v >> 8);
            platform::VersionInfoBlock b(damaged);
            b.Text(L"\\StringFileInfo\\080404b0\\FileVersion");
            b.Value(L"\\VarFileInfo\\Translation");
            b.Value(L"\\");
        }
    }
}

}  // namespace

namespace {

std::optional<std::wstring> OwnFileVersion(const std::string& image) {
    auto block = platform::ExtractVersionBlock(image);
    if (!block) {
        return std::nullopt;
    }
    return platform::VersionInfoBlock(*block).Text(L"\\StringFileInfo\\080404b0\\FileVersion");
}

std::string Block(const std::string& version) {
    return BuildVersionBlock(SimpleVersionInfo(version));
}

// A file may carry its version in several languages; the program's own
// reader takes the one the system's lookup takes for a program that asks for
// none: neutral, then (Windows) the user's language, then English, then the
// first. Multi-language system libraries (kernel32.dll under wine) check the
// same against the system itself (tests/platform/windows).
TEST(OwnVersionReader, TakesTheTranslationTheSystemTakes) {
    for (bool pe32plus : {false, true}) {
        EXPECT_EQ(OwnFileVersion(BuildPeImage({{0x0401, Block("1.0.0.1")},
                                               {0x0409, Block("1.0.0.2")},
                                               {0x0804, Block("1.0.0.3")}},
                                              pe32plus)),
                  L"1.0.0.2");
        EXPECT_EQ(OwnFileVersion(BuildPeImage(
                      {{0x0409, Block("1.0.0.2")}, {0x0000, Block("1.0.0.4")}}, pe32plus)),
                  L"1.0.0.4");
        EXPECT_EQ(OwnFileVersion(BuildPeImage(
                      {{0x0401, Block("1.0.0.1")}, {0x0009, Block("1.0.0.5")}}, pe32plus)),
                  L"1.0.0.5");
    }
#ifndef _WIN32
    // No user's language on Linux: without neutral or English, the first.
    EXPECT_EQ(OwnFileVersion(
                  BuildPeImage({{0x0804, Block("1.0.0.3")}, {0x0401, Block("1.0.0.1")}}, true)),
              L"1.0.0.3");
#endif
}

TEST(OwnVersionReader, ADirectoryOfNoLanguageGivesNothing) {
    const std::vector<std::pair<std::uint16_t, std::string>> none;
    EXPECT_FALSE(OwnFileVersion(BuildPeImage(none, true)).has_value());
}

}  // namespace
