#include "launcher/startup/pending_deletions.h"

#include <gtest/gtest.h>

#include "platform/files/file_system.h"
#include "tests/launcher/pending_deletion_test.h"
#include "tests/support/temp_dir.h"
#include "update/pending_deletion_list.h"

namespace {

namespace fs = std::filesystem;
using launcher_test::PendingDeletionTest;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;
using vantu::RetryPendingDeletions;

// A file name given as UTF-8, whatever the system's narrow encoding.
fs::path Utf8Name(const std::string& name) {
    return fs::path(std::u8string(name.begin(), name.end()));
}

// False where the system cannot make one (wine cannot).
bool MakeLink(const fs::path& target, const fs::path& link, bool folder) {
    std::error_code error;
    if (folder) {
        fs::create_directory_symlink(target, link, error);
    } else {
        fs::create_symlink(target, link, error);
    }
    return !error;
}

TEST_F(PendingDeletionTest, KeepsOnlyTheNamesThatStillCannotBeDeleted) {
    WriteFile(dir / "a.dll", "a");
    WriteFile(dir / "b.dll", "b");
    WriteFile(List(), "a.dll|b.dll");
    platform::FileFaults::Set(platform::FileOperation::Delete, Folder() + L"b.dll");
    RetryPendingDeletions(Folder());
    EXPECT_FALSE(fs::exists(dir / "a.dll"));
    EXPECT_TRUE(fs::exists(dir / "b.dll"));
    EXPECT_EQ(ReadFile(List()), "b.dll");
}

TEST_F(PendingDeletionTest, RemovesTheListWhenEverythingWent) {
    WriteFile(dir / "a.dll", "a");
    WriteFile(dir / "sub/b.dll", "b");
    WriteFile(List(), "a.dll|sub/b.dll");
    RetryPendingDeletions(Folder());
    EXPECT_FALSE(fs::exists(dir / "a.dll"));
    EXPECT_FALSE(fs::exists(dir / "sub/b.dll"));
    EXPECT_FALSE(fs::exists(List()));
}

TEST_F(PendingDeletionTest, RemovesAnEmptyListAndIgnoresAMissingOne) {
    WriteFile(List(), "");
    RetryPendingDeletions(Folder());
    EXPECT_FALSE(fs::exists(List()));
    RetryPendingDeletions(Folder());  // nothing to open
    EXPECT_FALSE(fs::exists(List()));
}

TEST_F(PendingDeletionTest, FoldersGoWholeAndNamesAlreadyGoneAreDropped) {
    WriteFile(dir / "_sub" / "inner" / "c.dll", "c");
    WriteFile(dir / "__sub" / "d.dll", "d");
    WriteFile(dir / "x.dll", "x");
    WriteFile(dir / "z.dll", "z");
    // Trailing white space is part of a name; an empty name is nothing.
    WriteFile(List(), "z.dll|_sub|gone.dll|x.dll||__sub| y.dll ");
    platform::FileFaults::Set(platform::FileOperation::Delete, Folder() + L"z.dll");
    platform::FileFaults::Set(platform::FileOperation::Delete, Folder() + L"__sub");
    RetryPendingDeletions(Folder());
    EXPECT_FALSE(fs::exists(dir / "_sub"));
    EXPECT_FALSE(fs::exists(dir / "x.dll"));
    EXPECT_TRUE(fs::exists(dir / "__sub" / "d.dll"));
    EXPECT_EQ(ReadFile(List()), "z.dll|__sub");
}

TEST_F(PendingDeletionTest, NamesReachingOutsideTheFolderAreDroppedUntouched) {
    fs::path app = dir / "app";
    WriteFile(dir / "victim", "v");
    WriteFile(app / "ok.dll", "ok");
    WriteFile(app / "temp",
              "../victim|" + (dir / "victim").string() + "|sub/../../victim|..\\victim|ok.dll");
    RetryPendingDeletions(app.wstring() + L"/");
    EXPECT_EQ(ReadFile(dir / "victim"), "v");
    EXPECT_FALSE(fs::exists(app / "ok.dll"));
    EXPECT_FALSE(fs::exists(app / "temp"));
}

TEST_F(PendingDeletionTest, NamesLeadingThroughALinkAreDroppedUntouched) {
    fs::path app = dir / "app";
    WriteFile(dir / "outside" / "x", "x");
    WriteFile(app / "ok.dll", "ok");
    if (!MakeLink(dir / "outside", app / "link", true)) {
        GTEST_SKIP() << "no link can be made here";
    }
    WriteFile(app / "temp", "link/x|link\\x|ok.dll");
    RetryPendingDeletions(app.wstring() + L"/");
    EXPECT_EQ(ReadFile(dir / "outside" / "x"), "x");
    EXPECT_TRUE(fs::is_symlink(app / "link"));
    EXPECT_FALSE(fs::exists(app / "ok.dll"));
    EXPECT_FALSE(fs::exists(app / "temp"));
}

TEST_F(PendingDeletionTest, AListPlantedAsALinkIsNeitherReadNorWrittenThrough) {
    WriteFile(dir / "a.dll", "a");
    WriteFile(dir / "elsewhere", "a.dll");
    if (!MakeLink(dir / "elsewhere", List(), false)) {
        GTEST_SKIP() << "no link can be made here";
    }
    RetryPendingDeletions(Folder());
    EXPECT_TRUE(fs::exists(dir / "a.dll"));
    ASSERT_TRUE(vantu::WritePendingDeletionList(Folder(), L"b.dll"));
    EXPECT_EQ(ReadFile(dir / "elsewhere"), "a.dll");
    EXPECT_FALSE(fs::is_symlink(List()));
    EXPECT_EQ(ReadFile(List()), "b.dll");
    EXPECT_FALSE(fs::exists(dir / "temp.new"));
}

TEST_F(PendingDeletionTest, NonAsciiNamesSurviveAsUtf8) {
    const std::string name = "\xe5\x8a\xa0\xe9\x80\x9f.dll";  // 加速.dll
    WriteFile(dir.path() / Utf8Name(name), "x");
    WriteFile(dir.path() / Utf8Name("keep\xc3\xa9.dll"), "y");
    ASSERT_TRUE(vantu::WritePendingDeletionList(Folder(), L"加速.dll|keepé.dll"));
    EXPECT_EQ(ReadFile(List()), name + "|keep\xc3\xa9.dll");
    platform::FileFaults::Set(platform::FileOperation::Delete, Folder() + L"keepé.dll");
    RetryPendingDeletions(Folder());
    EXPECT_FALSE(fs::exists(dir.path() / Utf8Name(name)));
    EXPECT_EQ(ReadFile(List()), "keep\xc3\xa9.dll");
}

TEST_F(PendingDeletionTest, ReadsAnOldOneBytePerCharacterList) {
    WriteFile(List(), "caf\xe9.dll|b.dll");  // Latin-1, not valid UTF-8
    EXPECT_EQ(vantu::ReadPendingDeletionList(Folder()), std::wstring(L"café.dll|b.dll"));
}

TEST(PendingNames, SplitAndJoinAreInverse) {
    using vantu::JoinPendingNames;
    using vantu::SplitPendingNames;
    EXPECT_EQ(SplitPendingNames(L"a|b"), (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_EQ(SplitPendingNames(L"a||b|"), (std::vector<std::wstring>{L"a", L"", L"b", L""}));
    EXPECT_EQ(SplitPendingNames(L"one"), (std::vector<std::wstring>{L"one"}));
    for (std::wstring text : {L"a|b", L"|x|", L"_a.dll|sub/_b.dll", L"single"}) {
        EXPECT_EQ(JoinPendingNames(SplitPendingNames(text)), text);
    }
}

}  // namespace
