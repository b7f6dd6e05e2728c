// Package items and listed deletions whose names Windows reads as a drive, a
// stream, a device or ".." are refused there (Linux takes them as plain
// names, so this holds on Windows only).

#include <gtest/gtest.h>

#include "update/archive/seven_zip_paths.h"

namespace {

using SevenZip::IsContainedItemPath;
using SevenZip::NormalizeItemPath;

TEST(WindowsItemPaths, NamesTheSystemReadsOtherwiseAreNotContained) {
    for (const wchar_t* bad :
         {L"C:/Windows/evil.dll", L"C:evil.dll", L"sub/a.dll:stream", L"a.dll::$DATA", L"a/.../x",
          L"a/.. /x", L"NUL", L"sub/com1.txt", L"name."}) {
        EXPECT_FALSE(IsContainedItemPath(NormalizeItemPath(bad))) << std::wstring(bad).size();
    }
    EXPECT_FALSE(IsContainedItemPath(NormalizeItemPath(L"C:\\Windows\\evil.dll")));
    EXPECT_FALSE(IsContainedItemPath(NormalizeItemPath(L"\\\\?\\C:\\evil.dll")));
    for (const wchar_t* good : {L"a.dll", L"sub/b.dll", L"console.txt", L"升级.txt"}) {
        EXPECT_TRUE(IsContainedItemPath(NormalizeItemPath(good))) << std::wstring(good).size();
    }
}

}  // namespace
