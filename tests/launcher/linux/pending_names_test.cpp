// File names that are bytes, not text: Linux only (Windows names are UTF-16).

#include <gtest/gtest.h>

#include "launcher/startup/pending_deletions.h"
#include "tests/launcher/pending_deletion_test.h"
#include "update/pending_deletion_list.h"

namespace {

namespace fs = std::filesystem;
using launcher_test::PendingDeletionTest;
using testing_support::ReadFile;
using testing_support::WriteFile;
using vantu::RetryPendingDeletions;

TEST_F(PendingDeletionTest, EachNameIsDecodedOnItsOwn) {
    WriteFile(dir / "x\xff.dll", "raw bytes");
    WriteFile(dir / "\xe5\x8a\xa0.dll", "utf-8");
    WriteFile(dir / "caf\xc3\xa9.dll", "named from an old one-byte list");
    WriteFile(List(), "x\xff.dll|\xe5\x8a\xa0.dll|caf\xe9.dll");
    EXPECT_EQ(vantu::ReadPendingDeletionList(Folder()),
              std::wstring(L"x\xDCFF.dll|加.dll|café.dll"));
    RetryPendingDeletions(Folder());
    EXPECT_TRUE(fs::is_empty(dir.path())) << "every listed file and the list are gone";

    ASSERT_TRUE(vantu::WritePendingDeletionList(Folder(), L"x\xDCFF.dll|加.dll"));
    EXPECT_EQ(ReadFile(List()), "x\xff.dll|\xe5\x8a\xa0.dll");
}

}  // namespace
