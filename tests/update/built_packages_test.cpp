// Extraction of packages made by the build machine's archivers: the same
// package files and expectations on every system the launcher runs on.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/support/temp_dir.h"
#include "tests/update/built_packages_support.h"
#include "update/archive/seven_zip_archive.h"

namespace {

namespace fs = std::filesystem;
using built_packages::Extraction;
using built_packages::HostileName;
using built_packages::Package;
using SevenZip::SevenZipExtractor;
using testing_support::ReadFile;

TEST(BuiltPackages, EachFormatIsDetectedAndUnpackedByteForByte) {
    struct Case {
        const char* file;
        SevenZip::ArchiveFormat format;
        bool hasChineseName;
    };
    for (Case c : {Case{"p.7z", SevenZip::Format7z, true}, Case{"p.zip", SevenZip::FormatZip, true},
                   Case{"p.cab", SevenZip::FormatCab, false}}) {
        SCOPED_TRACE(c.file);
        Extraction extraction;
        SevenZipExtractor extractor;
        extractor.SetArchivePath(testing_support::WidePath(Package(c.file)));
        EXPECT_EQ(extractor.GetFormat(), c.format);
        auto names = extractor.GetItemNames();
        EXPECT_NE(std::find(names.begin(), names.end(), L"sub/b.txt"), names.end());
        ASSERT_EQ(extraction.Run(extractor, c.file), 0);
        EXPECT_EQ(ReadFile(extraction.destination() / "a.txt"), "alpha\n");
        EXPECT_EQ(ReadFile(extraction.destination() / "sub" / "b.txt"), "bravo bravo\n");
        if (c.hasChineseName) {
            EXPECT_NE(std::find(names.begin(), names.end(), L"升级.txt"), names.end());
            EXPECT_EQ(ReadFile(extraction.destination() / fs::path(u8"升级.txt")), "升级完成\n");
        }
    }
    // Lzma and Lzma86 hold one item without a path.
    for (Case c : {Case{"a.txt.lzma", SevenZip::FormatLzma, false},
                   Case{"a.txt.lzma86", SevenZip::FormatLzma86, false}}) {
        SCOPED_TRACE(c.file);
        Extraction extraction;
        SevenZipExtractor extractor;
        extractor.SetArchivePath(testing_support::WidePath(Package(c.file)));
        EXPECT_EQ(extractor.GetFormat(), c.format);
        EXPECT_EQ(extractor.GetItemNames(), std::vector<std::wstring>{L""});
        ASSERT_EQ(extraction.Run(extractor, c.file), 0);
        EXPECT_EQ(ReadFile(extraction.destination() / "[Content]"), "alpha\n");
    }
}

TEST(BuiltPackages, EncryptedAndDamagedPackagesFail) {
    for (const char* name :
         {"encrypted.7z", "encrypted-names.7z", "encrypted.zip", "truncated.7z"}) {
        SCOPED_TRACE(name);
        Extraction extraction;
        EXPECT_NE(extraction.Run(name), 0);
    }
    Extraction missing;
    EXPECT_EQ(missing.Run("missing.7z"), 110);
}

// Each hostile package holds a good item, then one whose name leads out of
// the destination: the extraction fails and nothing lands outside.
TEST(BuiltPackages, ItemsLeadingOutOfTheDestinationAreRefused) {
    for (const char* kind : {"dot-dot", "nested-dot-dot", "absolute"}) {
        for (const char* format : {".7z", ".zip"}) {
            SCOPED_TRACE(std::string(kind) + format + ": " + HostileName(kind));
            Extraction extraction;
            EXPECT_NE(extraction.Run(kind + std::string(format)), 0);
            EXPECT_FALSE(fs::exists(extraction.temp() / "escaped.txt"));
            EXPECT_FALSE(fs::exists(extraction.destination().root_path() / "escaped.txt"));
            EXPECT_FALSE(fs::exists(extraction.destination() / "sub" / "b.txt"));
        }
    }
}

// "..\x" from an archive made on Linux: the Linux engine gives the name as
// stored, where "\" separates and ".." is refused; the Windows engine turns
// such a backslash into a private-use character (windows/): one plain name.
// Either way nothing lands outside.
TEST(BuiltPackages, BackslashDotDotNeverLeavesTheDestination) {
    for (const char* format : {".7z", ".zip"}) {
        SCOPED_TRACE(format);
        Extraction extraction;
        extraction.Run("backslash-dot-dot" + std::string(format));
        EXPECT_FALSE(fs::exists(extraction.temp() / "escaped.txt"));
    }
}

TEST(BuiltPackages, LinkItemsAreRefused) {
    Extraction extraction;
    EXPECT_NE(extraction.Run("link.7z"), 0);
    EXPECT_FALSE(fs::is_symlink(extraction.destination() / "link"));
    EXPECT_FALSE(fs::exists(extraction.destination() / "link"));
}

}  // namespace
