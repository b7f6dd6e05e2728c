#include "ui/core/zip/zip_reader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/zip/zip_fixtures.h"

namespace {

using VantuUI::CZipReader;
using VantuUI::ZipEntryInfo;
using VantuUI::ZipStream;
namespace ZipResult = VantuUI::ZipResult;
using zip_fixtures::Method;
using zip_fixtures::Tool;

// Reads entry `index` through a buffer of `chunk` bytes until the reader
// says the entry has ended. The reader does not say how much a call wrote,
// so the size comes from the directory.
std::string ReadWhole(CZipReader& zip, int index, std::size_t chunk) {
    ZipEntryInfo info;
    EXPECT_EQ(zip.GetEntry(index, info), ZipResult::Ok);
    std::string out;
    std::string buffer(chunk, '\0');
    for (int calls = 0; calls < 100000; ++calls) {
        std::size_t expect = std::min<std::size_t>(chunk, info.uncompressedSize - out.size());
        DWORD result = zip.Unzip(index, buffer.data(), chunk, ZipStream::Memory);
        if (result != ZipResult::More) {
            EXPECT_EQ(result, ZipResult::Ok);
            return out;
        }
        out.append(buffer, 0, expect);
    }
    ADD_FAILURE() << "the entry never ended";
    return out;
}

// Every reader test runs on archives made by each real tool, stored and deflated.
class ZipByTool : public ::testing::TestWithParam<std::tuple<Tool, Method>> {
  protected:
    void SetUp() override {
        m_archive =
            zip_fixtures::MakeArchive(m_dir, std::get<0>(GetParam()), std::get<1>(GetParam()));
        ASSERT_FALSE(m_archive.empty());
    }
    testing_support::TempDir m_dir;
    std::string m_archive;
};

TEST_P(ZipByTool, EveryEntryUnpacksIntoABufferOfItsExactSize) {
    auto zip = CZipReader::OpenMemory(m_archive.data(), m_archive.size());
    ASSERT_NE(zip, nullptr) << std::hex << CZipReader::LastResult();
    for (const auto& [name, content] : zip_fixtures::SkinFiles()) {
        std::wstring wide(name.begin(), name.end());
        int index = -1;
        ZipEntryInfo info;
        ASSERT_EQ(zip->Find(wide, false, &index, &info), ZipResult::Ok) << name;
        EXPECT_EQ(info.index, index);
        EXPECT_EQ(info.name, wide);
        ASSERT_EQ(info.uncompressedSize, content.size()) << name;
        std::string buffer(content.size(), '\0');
        DWORD first = zip->Unzip(index, buffer.data(), buffer.size(), ZipStream::Memory);
        if (content.empty()) {
            EXPECT_EQ(first, ZipResult::Ok) << name;
            continue;
        }
        // Filled to the last byte: "more may remain", which callers take as success.
        EXPECT_EQ(first, ZipResult::More) << name;
        EXPECT_TRUE(buffer == content) << name;
        EXPECT_EQ(zip->Unzip(index, buffer.data(), buffer.size(), ZipStream::Memory),
                  ZipResult::Ok);
    }
}

TEST_P(ZipByTool, FindFoldsAsciiCaseAndTakesBackslashForSlash) {
    auto zip = CZipReader::OpenMemory(m_archive.data(), m_archive.size());
    ASSERT_NE(zip, nullptr);
    int index = -1;
    ZipEntryInfo info;
    EXPECT_EQ(zip->Find(L"IMG\\PIC_BG.PNG", true, &index, &info), ZipResult::Ok);
    EXPECT_EQ(info.name, L"img/pic_bg.png");
    EXPECT_EQ(zip->Find(L"IMG\\PIC_BG.PNG", false, &index, &info), ZipResult::NotFound);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(info.index, -1);
    EXPECT_EQ(zip->Find(L"img\\pic_bg.png", false, &index, &info), ZipResult::Ok);
}

TEST_P(ZipByTool, SmallBuffersContinueWhereTheLastCallStopped) {
    auto zip = CZipReader::OpenMemory(m_archive.data(), m_archive.size());
    ASSERT_NE(zip, nullptr);
    for (std::size_t chunk : {1000u, 16384u, 70000u}) {
        for (const char* name : {"img/pic_bg.png", "img/notes.txt"}) {
            int index = -1;
            ASSERT_EQ(
                zip->Find(std::wstring(name, name + std::strlen(name)), false, &index, nullptr),
                ZipResult::Ok);
            EXPECT_TRUE(ReadWhole(*zip, index, chunk) == zip_fixtures::SkinFiles().at(name))
                << name << " in chunks of " << chunk;
        }
    }
}

TEST_P(ZipByTool, OpensWithOneHundredBytesInFront) {
    std::string prefixed = std::string(100, 'M') + m_archive;
    auto zip = CZipReader::OpenMemory(prefixed.data(), prefixed.size());
    ASSERT_NE(zip, nullptr);
    int index = -1;
    ASSERT_EQ(zip->Find(L"MainWindow.xml", true, &index, nullptr), ZipResult::Ok);
    EXPECT_EQ(ReadWhole(*zip, index, 4096), zip_fixtures::SkinFiles().at("MainWindow.xml"));

    // The same from a file, by name and by a descriptor.
    auto path = m_dir / "prefixed.zip";
    testing_support::WriteFile(path, prefixed);
    auto byName = CZipReader::OpenFile(path.wstring());
    ASSERT_NE(byName, nullptr);
    ASSERT_EQ(byName->Find(L"img/notes.txt", false, &index, nullptr), ZipResult::Ok);
    EXPECT_EQ(ReadWhole(*byName, index, 5000), zip_fixtures::SkinFiles().at("img/notes.txt"));
    int fd = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    auto byHandle = CZipReader::OpenHandle(fd);
    ::close(fd);  // the reader holds its own copy
    ASSERT_NE(byHandle, nullptr);
    ASSERT_EQ(byHandle->Find(L"img/pic_bg.png", false, &index, nullptr), ZipResult::Ok);
    EXPECT_EQ(ReadWhole(*byHandle, index, 3000), zip_fixtures::SkinFiles().at("img/pic_bg.png"));
}

TEST_P(ZipByTool, EveryTruncationFailsCleanly) {
    // The end record is at the end, so a cut archive does not open, or, when
    // a stale end record is found, fails with a code. Never a read outside.
    for (std::size_t size = 0; size < m_archive.size(); size += (size < 400 ? 1 : 997)) {
        std::string cut = m_archive.substr(0, size);
        auto zip = CZipReader::OpenMemory(cut.data(), cut.size());
        if (zip == nullptr) {
            EXPECT_NE(CZipReader::LastResult(), ZipResult::Ok);
            continue;
        }
        std::string buffer(300000, '\0');
        for (int i = 0; i < zip->EntryCount(); ++i) {
            zip->Unzip(i, buffer.data(), buffer.size(), ZipStream::Memory);
        }
    }
    // Cutting the front away (the directory then points past the data) fails too.
    std::string front = m_archive.substr(m_archive.size() / 2);
    auto zip = CZipReader::OpenMemory(front.data(), front.size());
    EXPECT_EQ(zip, nullptr);
}

INSTANTIATE_TEST_SUITE_P(RealTools, ZipByTool,
                         ::testing::Combine(::testing::Values(Tool::Zip, Tool::SevenZip,
                                                              Tool::Python),
                                            ::testing::Values(Method::Stored, Method::Deflated)),
                         [](const auto& info) {
                             return std::string(zip_fixtures::ToolName(std::get<0>(info.param))) +
                                    (std::get<1>(info.param) == Method::Stored ? "Stored"
                                                                               : "Deflated");
                         });

// Offsets into python-made archives: local header at 0, name, then data.
struct Layout {
    std::string bytes;
    std::size_t dataOffset;  // of the first entry
    std::size_t directory;   // offset of the first directory entry
    std::size_t end;         // offset of the end record
};

Layout OneEntry(const testing_support::TempDir& dir, const std::string& content,
                const std::string& compression) {
    Layout layout;
    layout.bytes = zip_fixtures::MakePythonArchive(dir, {{"a.txt", content}}, compression);
    layout.dataOffset = 30 + 5 +
                        (static_cast<unsigned char>(layout.bytes[28]) |
                         static_cast<unsigned char>(layout.bytes[29]) << 8);
    layout.end = layout.bytes.rfind(std::string("PK\x05\x06", 4));
    layout.directory = layout.bytes.rfind(std::string("PK\x01\x02", 4));
    return layout;
}

void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>(value >> (8 * i));
    }
}

TEST(ZipReader, DamagedDataIsReportedNotHandedOutAsGood) {
    testing_support::TempDir dir;
    std::string content(5000, 'x');
    for (const char* compression : {"stored", "deflated"}) {
        Layout layout = OneEntry(dir, content, compression);
        // Stored: one changed byte is only visible to the CRC-32 check.
        // Deflated: a changed byte in the stream breaks it or its output.
        layout.bytes[layout.dataOffset + 3] ^= 0x5A;
        auto zip = CZipReader::OpenMemory(layout.bytes.data(), layout.bytes.size());
        ASSERT_NE(zip, nullptr);
        std::string buffer(content.size(), '\0');
        EXPECT_EQ(zip->Unzip(0, buffer.data(), buffer.size(), ZipStream::Memory),
                  ZipResult::InflateFailed)
            << compression;
        EXPECT_EQ(CZipReader::LastResult(), ZipResult::InflateFailed);
        // In small pieces the fault shows when the last byte is produced.
        std::string small(1000, '\0');
        DWORD result = ZipResult::More;
        int calls = 0;
        while (result == ZipResult::More && ++calls < 100) {
            result = zip->Unzip(0, small.data(), small.size(), ZipStream::Memory);
        }
        EXPECT_EQ(result, ZipResult::InflateFailed) << compression;
    }
}

TEST(ZipReader, UnsupportedMethodCannotBeOpened) {
    testing_support::TempDir dir;
    std::string bytes =
        zip_fixtures::MakePythonArchive(dir, {{"a.txt", std::string(100, 'q')}}, "bzip2");
    auto zip = CZipReader::OpenMemory(bytes.data(), bytes.size());
    ASSERT_NE(zip, nullptr);
    int index = -1;
    ZipEntryInfo info;
    EXPECT_EQ(zip->Find(L"a.txt", false, &index, &info), ZipResult::Corrupt);
    EXPECT_EQ(index, 0);
    char buffer[100];
    EXPECT_EQ(zip->Unzip(0, buffer, sizeof buffer, ZipStream::Memory), ZipResult::InflateFailed);
}

TEST(ZipReader, HostileOffsetsAndSizesGiveCodes) {
    testing_support::TempDir dir;
    const std::string content(3000, 'k');
    const Layout clean = OneEntry(dir, content, "stored");
    std::string buffer(content.size(), '\0');
    auto openOf = [](const std::string& bytes) {
        return CZipReader::OpenMemory(bytes.data(), bytes.size());
    };

    {  // The directory is said to lie beyond the end record.
        std::string bytes = clean.bytes;
        Put32(bytes, clean.end + 16, 0xFFFFFF00u);
        EXPECT_EQ(openOf(bytes), nullptr);
        EXPECT_EQ(CZipReader::LastResult(), ZipResult::Corrupt);
    }
    {  // Entry counts that disagree, and a second disk.
        std::string bytes = clean.bytes;
        bytes[clean.end + 8] = 2;
        EXPECT_EQ(openOf(bytes), nullptr);
        bytes = clean.bytes;
        bytes[clean.end + 4] = 1;
        EXPECT_EQ(openOf(bytes), nullptr);
    }
    {  // More entries than the directory holds: walking runs into the end record.
        std::string bytes = clean.bytes;
        bytes[clean.end + 8] = bytes[clean.end + 10] = 9;
        auto zip = openOf(bytes);
        ASSERT_NE(zip, nullptr);
        ZipEntryInfo info;
        EXPECT_EQ(zip->GetEntry(5, info), ZipResult::Corrupt);
        EXPECT_EQ(zip->Find(L"nothing", false, nullptr, nullptr), ZipResult::Corrupt);
    }
    {  // A local header offset outside the source.
        std::string bytes = clean.bytes;
        Put32(bytes, clean.directory + 42, 0x7FFFFFF0u);
        auto zip = openOf(bytes);
        ASSERT_NE(zip, nullptr);
        EXPECT_EQ(zip->Find(L"a.txt", false, nullptr, nullptr), ZipResult::ReadError);
        EXPECT_EQ(zip->Unzip(0, buffer.data(), buffer.size(), ZipStream::Memory),
                  ZipResult::InflateFailed);
    }
    {  // Sizes far beyond the data, in both headers alike.
        std::string bytes = clean.bytes;
        for (std::size_t at :
             {std::size_t{18}, std::size_t{22}, clean.directory + 20, clean.directory + 24}) {
            Put32(bytes, at, 0x40000000u);
        }
        auto zip = openOf(bytes);
        ASSERT_NE(zip, nullptr);
        EXPECT_EQ(zip->Find(L"a.txt", false, nullptr, nullptr), ZipResult::Corrupt);
        EXPECT_EQ(zip->Unzip(0, buffer.data(), buffer.size(), ZipStream::Memory),
                  ZipResult::InflateFailed);
    }
    {  // A name length that runs past the end of the source.
        std::string bytes = clean.bytes;
        bytes[clean.directory + 28] = '\xFF';
        bytes[clean.directory + 29] = '\xFF';
        EXPECT_EQ(openOf(bytes), nullptr);
    }
}

TEST(ZipReader, EndRecordSearch) {
    testing_support::TempDir dir;
    Layout layout = OneEntry(dir, "hello", "deflated");
    // An end record alone at the very start of the source does not count.
    std::string endOnly = layout.bytes.substr(layout.end);
    EXPECT_EQ(CZipReader::OpenMemory(endOnly.data(), endOnly.size()), nullptr);
    EXPECT_EQ(CZipReader::LastResult(), ZipResult::Corrupt);
    // A comment after the record is skipped over by the backward search...
    std::string commented = layout.bytes;
    commented[layout.end + 20] = 10;
    commented += "0123456789";
    EXPECT_NE(CZipReader::OpenMemory(commented.data(), commented.size()), nullptr);
    // ...but not one longer than the 64 KiB a comment may have.
    std::string far = layout.bytes + std::string(70000, ' ');
    EXPECT_EQ(CZipReader::OpenMemory(far.data(), far.size()), nullptr);
    // Arguments.
    EXPECT_EQ(CZipReader::OpenMemory(nullptr, 10), nullptr);
    EXPECT_EQ(CZipReader::LastResult(), ZipResult::BadArgument);
}

TEST(ZipReader, EntryInformation) {
    testing_support::TempDir dir;
    auto root = dir / "files";
    std::filesystem::create_directories(root / "img");
    testing_support::WriteFile(root / "img/a.png", "png");
    testing_support::WriteFile(root / "ro.txt", "ro");
    std::filesystem::permissions(root / "ro.txt", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    // 2021-06-01 12:00:00 UTC, written by zip into its "UT" extra block.
    auto when = std::filesystem::file_time_type::clock::from_sys(
        std::chrono::sys_seconds(std::chrono::seconds(1622548800)));
    std::filesystem::last_write_time(root / "img/a.png", when);
    testing_support::ProcessOptions options;
    options.args = {"-q", "-r", (dir / "t.zip").string(), "img", "ro.txt"};
    options.directory = root;
    ASSERT_EQ(testing_support::RunProcess("/usr/bin/zip", options).exitCode, 0);
    std::string bytes = testing_support::ReadFile(dir / "t.zip");
    auto zip = CZipReader::OpenMemory(bytes.data(), bytes.size());
    ASSERT_NE(zip, nullptr);

    ZipEntryInfo info;
    ASSERT_EQ(zip->GetEntry(-1, info), ZipResult::Ok);
    EXPECT_EQ(info.index, 3);
    EXPECT_EQ(zip->EntryCount(), 3);

    ASSERT_EQ(zip->Find(L"img/", false, nullptr, &info), ZipResult::Ok);
    EXPECT_NE(info.attributes & VantuUI::ZipAttribute::Directory, 0u);
    ASSERT_EQ(zip->Find(L"img/a.png", false, nullptr, &info), ZipResult::Ok);
    EXPECT_EQ(info.attributes, VantuUI::ZipAttribute::Normal);
    EXPECT_EQ(info.modificationTime, 1622548800);
    EXPECT_EQ(info.compressedSize, 3u);
    EXPECT_EQ(info.uncompressedSize, 3u);
    ASSERT_EQ(zip->Find(L"ro.txt", false, nullptr, &info), ZipResult::Ok);
    EXPECT_NE(info.attributes & VantuUI::ZipAttribute::ReadOnly, 0u);

    // Walking back restarts from the first entry; out of range is refused.
    ASSERT_EQ(zip->GetEntry(2, info), ZipResult::Ok);
    ASSERT_EQ(zip->GetEntry(0, info), ZipResult::Ok);
    EXPECT_EQ(info.name, L"img/");
    EXPECT_EQ(zip->GetEntry(3, info), ZipResult::BadArgument);
    // A miss leaves the position; names of 256 characters or more are refused.
    EXPECT_EQ(zip->Find(std::wstring(256, L'a'), true, nullptr, &info), ZipResult::NotFound);
    EXPECT_EQ(zip->Find(L"missing", true, nullptr, &info), ZipResult::NotFound);
}

TEST(ZipReader, SourcesAndDestinations) {
    testing_support::TempDir dir;
    std::string content = "file content\n";
    std::string bytes = zip_fixtures::MakePythonArchive(dir, {{"sub/a.txt", content}}, "deflated");
    EXPECT_EQ(CZipReader::OpenFile((dir / "missing.zip").wstring()), nullptr);
    EXPECT_EQ(CZipReader::LastResult(), ZipResult::CannotOpen);
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    EXPECT_EQ(CZipReader::OpenHandle(pipeFds[0]), nullptr);
    EXPECT_EQ(CZipReader::LastResult(), ZipResult::NotDiskFile);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);

    auto zip = CZipReader::Open(bytes.data(), bytes.size(), ZipStream::Memory);
    ASSERT_NE(zip, nullptr);
    auto out = (dir / "out/deeper/a.txt").wstring();
    EXPECT_EQ(zip->Unzip(0, const_cast<wchar_t*>(out.c_str()), 0, ZipStream::FileName),
              ZipResult::Ok);
    EXPECT_EQ(testing_support::ReadFile(dir / "out/deeper/a.txt"), content);
    int fd = ::open((dir / "b.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(zip->Unzip(0, reinterpret_cast<void*>(static_cast<std::intptr_t>(fd)), 0,
                         ZipStream::FileHandle),
              ZipResult::Ok);
    ::close(fd);
    EXPECT_EQ(testing_support::ReadFile(dir / "b.txt"), content);

    char small[4];
    EXPECT_EQ(zip->Unzip(0, nullptr, 4, ZipStream::Memory), ZipResult::BadArgument);
    EXPECT_EQ(zip->Unzip(1, small, 4, ZipStream::Memory), ZipResult::BadArgument);
    EXPECT_EQ(zip->Unzip(0, small, 0, ZipStream::Memory), ZipResult::More);
    EXPECT_EQ(zip->Close(), ZipResult::Ok);
    EXPECT_EQ(zip->Unzip(0, small, 4, ZipStream::Memory), ZipResult::BadArgument);
    EXPECT_EQ(zip->Find(L"sub/a.txt", false, nullptr, nullptr), ZipResult::BadArgument);
}

}  // namespace
