// Package items whose names Windows reads as a drive, a device or a file
// stream (plain names on Linux, so these cases are Windows only): the
// extraction fails and writes nothing there.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/update/built_packages_support.h"

namespace {

namespace fs = std::filesystem;
using built_packages::Extraction;
using built_packages::HostileName;

TEST(BuiltPackagesOnWindows, DriveDeviceAndStreamNamesAreRefused) {
    for (const char* kind : {"drive", "drive-relative", "device", "stream"}) {
        for (const char* format : {".7z", ".zip"}) {
            SCOPED_TRACE(std::string(kind) + format + ": " + HostileName(kind));
            Extraction extraction;
            EXPECT_NE(extraction.Run(kind + std::string(format)), 0);
            EXPECT_FALSE(fs::exists("C:/escaped.txt"));
            EXPECT_FALSE(fs::exists(fs::current_path() / "escaped.txt"));
        }
    }
}

}  // namespace

namespace {

// The Windows engine reads a backslash in a name made on Unix as part of the
// name, not as a separator: it becomes the private-use character U+F05C, and
// "..\escaped.txt" one plain file below the destination.
TEST(BuiltPackagesOnWindows, BackslashInAUnixNameIsPartOfTheName) {
    for (const char* format : {".7z", ".zip"}) {
        SCOPED_TRACE(format);
        Extraction extraction;
        SevenZip::SevenZipExtractor extractor;
        EXPECT_EQ(extraction.Run(extractor, "backslash-dot-dot" + std::string(format)), 0);
        auto names = extractor.GetItemNames();
        EXPECT_NE(std::find(names.begin(), names.end(), L"..\uF05Cescaped.txt"), names.end());
        EXPECT_TRUE(fs::exists(extraction.destination() / L"..\uF05Cescaped.txt"));
        EXPECT_FALSE(fs::exists(extraction.temp() / "escaped.txt"));
    }
}

}  // namespace
