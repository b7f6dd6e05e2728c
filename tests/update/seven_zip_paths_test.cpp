#include "update/archive/seven_zip_paths.h"

#include <gtest/gtest.h>

#include "platform/files/file_system.h"
#include "platform/files/paths.h"

namespace {

using namespace SevenZip;
using namespace platform;

TEST(SevenZipPaths, JoinAndParent) {
    EXPECT_EQ(JoinPath(L"", L"a/b"), L"a/b");
    EXPECT_EQ(JoinPath(L"/app/", L"a"), L"/app/a");
    EXPECT_EQ(JoinPath(L"/app", L"a"), L"/app/a");
    EXPECT_EQ(ParentFolderOf(L"/app/sub/x.dll"), L"/app/sub/");
    EXPECT_EQ(ParentFolderOf(L"/app/sub/"), L"/app/sub/");
    EXPECT_EQ(ParentFolderOf(L"x.dll"), L"");
    EXPECT_FALSE(RemovePath(L""));
}

TEST(SevenZipPaths, OnlyNamesBelowTheFolderAreContained) {
    for (const wchar_t* good :
         {L"a.dll", L"sub/b.dll", L"./a", L"a/./b", L"a..b", L"..a", L"[Content]"}) {
        EXPECT_TRUE(IsContainedItemPath(good)) << good;
    }
    for (const wchar_t* bad :
         {L"", L"/etc/x", L"..", L"../x", L"a/../../x", L"a/..", L".", L"a/.", L"a/", L"/"}) {
        EXPECT_FALSE(IsContainedItemPath(bad)) << bad;
    }
    EXPECT_FALSE(IsContainedItemPath(NormalizeItemPath(L"..\\x")));
    EXPECT_EQ(NormalizeItemPath(L"sub\\b.dll"), L"sub/b.dll");
}

}  // namespace
