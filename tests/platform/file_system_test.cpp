// The file calls on real files, the same on both systems: the fault switch,
// refusals that keep what is there, and positions that reads at an offset
// and resizing leave alone.

#include "platform/files/file_system.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "platform/files/paths.h"
#include "platform/resources/module_path.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using platform::FileFaults;
using platform::FileOperation;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WidePath;
using testing_support::WriteFile;

class FileCalls : public ::testing::Test {
  protected:
    ~FileCalls() override { FileFaults::Clear(); }
    std::wstring Path(std::string_view name) const { return WidePath(m_dir / name); }
    TempDir m_dir;
};

TEST_F(FileCalls, AFaultFailsOnlyThatOperationOnThatPathAsADeniedAccess) {
    WriteFile(m_dir / "locked", "kept");
    WriteFile(m_dir / "other", "x");
    FileFaults::Set(FileOperation::Delete, Path("locked"));
    errno = 0;
    EXPECT_FALSE(platform::DeleteFile(Path("locked")));
    EXPECT_EQ(errno, EACCES);
    EXPECT_FALSE(platform::RemovePath(Path("locked")));
    EXPECT_EQ(ReadFile(m_dir / "locked"), "kept");
    // Reading it and deleting another file still work.
    EXPECT_EQ(platform::ReadFileBytes(Path("locked")), "kept");
    EXPECT_TRUE(platform::DeleteFile(Path("other")));

    FileFaults::Set(FileOperation::Read, Path("locked"));
    EXPECT_FALSE(platform::OpenForReading(Path("locked")).IsValid());
    EXPECT_FALSE(platform::ReadFileBytes(Path("locked")).has_value());
    FileFaults::Set(FileOperation::Move, Path("locked"));
    EXPECT_FALSE(platform::MoveFile(Path("locked"), Path("moved")));
    FileFaults::Set(FileOperation::Write, Path("locked"));
    EXPECT_FALSE(platform::WriteFileBytes(Path("locked"), "new"));
    EXPECT_FALSE(platform::OpenExistingForWriting(Path("locked")).IsValid());
    FileFaults::Set(FileOperation::CreateFolder, Path("folder"));
    EXPECT_FALSE(platform::CreateFolderChain(Path("folder")));
    EXPECT_FALSE(fs::exists(m_dir / "folder"));

    FileFaults::Clear();
    EXPECT_TRUE(platform::DeleteFile(Path("locked")));
    EXPECT_FALSE(fs::exists(m_dir / "locked"));
}

TEST_F(FileCalls, NewFilesAndMovesNeverReplaceWhatIsThere) {
    WriteFile(m_dir / "a", "first");
    WriteFile(m_dir / "b", "second");
    errno = 0;
    EXPECT_FALSE(platform::CreateForWriting(Path("a"), 0644).IsValid());
    EXPECT_EQ(errno, EEXIST);
    EXPECT_FALSE(platform::MoveFile(Path("a"), Path("b")));
    EXPECT_EQ(ReadFile(m_dir / "a"), "first");
    EXPECT_EQ(ReadFile(m_dir / "b"), "second");
    EXPECT_TRUE(platform::MoveFile(Path("a"), Path("c")));
    EXPECT_EQ(ReadFile(m_dir / "c"), "first");
    EXPECT_FALSE(fs::exists(m_dir / "a"));
}

TEST_F(FileCalls, WriteFileBytesReplacesTheWholeFileAndLeavesNoTemporary) {
    WriteFile(m_dir / "list", "an older and longer content");
    WriteFile(m_dir / "list.new", "left by a crash");
    ASSERT_TRUE(platform::WriteFileBytes(Path("list"), "new"));
    EXPECT_EQ(ReadFile(m_dir / "list"), "new");
    EXPECT_FALSE(fs::exists(m_dir / "list.new"));
    EXPECT_FALSE(platform::WriteFileBytes(Path("missing-folder/list"), "x"));
}

TEST_F(FileCalls, DeleteFileRefusesAFolder) {
    fs::create_directory(m_dir / "folder");
    EXPECT_FALSE(platform::DeleteFile(Path("folder")));
    EXPECT_TRUE(fs::is_directory(m_dir / "folder"));
}

TEST_F(FileCalls, FolderChainsAreMadeLevelByLevelAndFailOnAFileInTheWay) {
    const std::wstring chain = Path("one") + L"/two/three/";
    ASSERT_TRUE(platform::CreateFolderChain(chain));
    EXPECT_TRUE(fs::is_directory(m_dir / "one" / "two" / "three"));
    EXPECT_TRUE(platform::CreateFolderChain(chain)) << "an existing chain is as good";
    WriteFile(m_dir / "file", "x");
    EXPECT_FALSE(platform::CreateFolderChain(Path("file") + L"/below"));
    EXPECT_FALSE(platform::CreateFolderChain(L""));
}

TEST_F(FileCalls, RemovePathTakesAWholeTreeWithReadOnlyFiles) {
    WriteFile(m_dir / "tree" / "sub" / "file", "x");
    ASSERT_TRUE(platform::SetFileMode(Path("tree/sub/file"), 0444));
    EXPECT_EQ(platform::RegularFileMode(Path("tree/sub/file")).value_or(0) & 0222, 0);
    EXPECT_TRUE(platform::RemovePath(Path("tree")));
    EXPECT_FALSE(fs::exists(m_dir / "tree"));
    EXPECT_TRUE(platform::RemovePath(Path("never-there")));
    EXPECT_FALSE(platform::RemovePath(L""));
}

TEST_F(FileCalls, ReadsAtAnOffsetAndResizingKeepThePosition) {
    WriteFile(m_dir / "data", "0123456789");
    auto file = platform::OpenExistingForWriting(Path("data"));
    ASSERT_TRUE(file.IsValid());
    ASSERT_EQ(platform::SeekFile(file, 2, SEEK_SET), 2u);
    ASSERT_TRUE(platform::ResizeFile(file, 6));
    EXPECT_EQ(platform::SeekFile(file, 0, SEEK_CUR), 2u);
    EXPECT_EQ(platform::SeekFile(file, 0, SEEK_END), 6u);
    EXPECT_FALSE(platform::SeekFile(file, 0, 7).has_value()) << "no such origin";
    file.Reset();

    auto reader = platform::OpenForReading(Path("data"));
    ASSERT_TRUE(reader.IsValid());
    EXPECT_EQ(platform::RegularFileSize(reader), 6u);
    char bytes[3] = {};
    ASSERT_TRUE(platform::ReadAll(reader, bytes, 3, 3));
    EXPECT_EQ(std::string(bytes, 3), "345");
    ASSERT_TRUE(platform::ReadAll(reader, bytes, 2));
    EXPECT_EQ(std::string(bytes, 2), "01") << "the read at an offset moved the position";
    EXPECT_FALSE(platform::ReadAll(reader, bytes, 3, 5)) << "past the end";
}

TEST_F(FileCalls, NamesOutsideAsciiRoundTrip) {
    const std::wstring leaf = L"\u5347\u7EA7-\u00e9";
    const std::wstring name = WidePath(m_dir.path()) + L"/" + leaf;
    ASSERT_TRUE(platform::WriteFileBytes(name, "up"));
    EXPECT_TRUE(platform::PathExists(name));
    EXPECT_EQ(platform::ReadFileBytes(name), "up");
    bool seen = false;
    for (const auto& entry : fs::directory_iterator(m_dir.path())) {
        seen = seen || WidePath(entry.path().filename()) == leaf;
    }
    EXPECT_TRUE(seen) << "the file listed under another name";
    EXPECT_TRUE(platform::DeleteFile(name));
}

TEST(Paths, ModuleFolderHoldsTheRunningProgram) {
    const std::wstring program = platform::ModuleFileName();
    ASSERT_FALSE(program.empty());
    EXPECT_TRUE(platform::PathExists(program));
    const std::wstring folder = platform::ModuleFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(platform::IsPathSeparator(folder.back()));
    EXPECT_TRUE(program.starts_with(folder));
    EXPECT_TRUE(platform::IsFolder(folder));
}

}  // namespace
