#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/files/file_system.h"
#include "platform/text/text_codec.h"
#include "platform/win32.h"
#include "tests/support/temp_dir.h"
#include "tests/update/package_maker.h"
#include "update/archive/seven_zip_archive.h"

namespace {

namespace fs = std::filesystem;
using namespace package_maker;
using SevenZip::SevenZipExtractor;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

class SevenZipExtractorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(payload / "sub");
        fs::create_directories(destination);
        WriteFile(payload / "a.txt", "alpha");
        WriteFile(payload / "sub" / "b.txt", "bravo bravo");
    }

    // Extracts `archive` into the destination, keeping the trace.
    int Extract(SevenZipExtractor& extractor, const fs::path& archive) {
        extractor.SetArchivePath(Wide(archive));
        ::testing::internal::CaptureStdout();
        int result = extractor.ExtractAll(WideFolder(destination));
        std::fflush(stdout);
        trace = ::testing::internal::GetCapturedStdout();
        return result;
    }

    int Extract(const fs::path& archive) {
        SevenZipExtractor extractor;
        return Extract(extractor, archive);
    }

    TempDir temp;
    fs::path payload = temp / "payload";
    fs::path destination = temp / "dest";
    std::string trace;
};

TEST_F(SevenZipExtractorTest, EachFormatIsDetectedAndUnpacked) {
    struct Case {
        const char* file;
        SevenZip::ArchiveFormat format;
    };
    Make7z(payload, temp / "p.7z");
    MakeZip(payload, temp / "p.zip");
    MakeCab(payload, temp / "p.cab", {"a.txt", "sub/b.txt"});
    for (Case c : {Case{"p.7z", SevenZip::Format7z}, Case{"p.zip", SevenZip::FormatZip},
                   Case{"p.cab", SevenZip::FormatCab}}) {
        SCOPED_TRACE(c.file);
        fs::remove_all(destination);
        SevenZipExtractor extractor;
        extractor.SetArchivePath(Wide(temp / c.file));
        EXPECT_EQ(extractor.GetFormat(), c.format);
        auto names = extractor.GetItemNames();
        EXPECT_NE(std::find(names.begin(), names.end(), L"sub/b.txt"), names.end());
        ASSERT_EQ(Extract(extractor, temp / c.file), 0);
        EXPECT_EQ(ReadFile(destination / "a.txt"), "alpha");
        EXPECT_EQ(ReadFile(destination / "sub" / "b.txt"), "bravo bravo");
    }

    // Lzma and Lzma86 hold one item without a path.
    MakeLzma(payload / "a.txt", temp / "a.lzma");
    MakeLzma86(payload / "a.txt", temp / "a.lzma86");
    for (Case c :
         {Case{"a.lzma", SevenZip::FormatLzma}, Case{"a.lzma86", SevenZip::FormatLzma86}}) {
        SCOPED_TRACE(c.file);
        fs::remove_all(destination);
        SevenZipExtractor extractor;
        extractor.SetArchivePath(Wide(temp / c.file));
        EXPECT_EQ(extractor.GetFormat(), c.format);
        EXPECT_EQ(extractor.GetItemNames(), std::vector<std::wstring>{L""});
        ASSERT_EQ(Extract(extractor, temp / c.file), 0);
        EXPECT_EQ(ReadFile(destination / "[Content]"), "alpha");
    }
}

TEST(SevenZipDetectionOrder, CurrentFormatFirstThenTheFixedOrder) {
    using namespace SevenZip;
    using Order = std::vector<ArchiveFormat>;
    EXPECT_EQ(DetectionOrder(Format7z),
              (Order{Format7z, FormatLzma86, FormatLzma, FormatCab, FormatZip}));
    EXPECT_EQ(DetectionOrder(FormatZip),
              (Order{FormatZip, Format7z, FormatLzma86, FormatLzma, FormatCab}));
    EXPECT_EQ(DetectionOrder(FormatLzma),
              (Order{FormatLzma, Format7z, FormatLzma86, FormatCab, FormatZip}));
    EXPECT_EQ(DetectionOrder(FormatUnknown),
              (Order{Format7z, FormatLzma86, FormatLzma, FormatCab, FormatZip}));
}

TEST_F(SevenZipExtractorTest, FoundFormatStaysForTheNextOperation) {
    MakeZip(payload, temp / "p.zip");
    Make7z(payload, temp / "p.7z");
    SevenZipExtractor extractor;
    extractor.SetArchivePath(Wide(temp / "p.zip"));
    ASSERT_TRUE(extractor.DetectFormat());  // after 7z, Lzma86, Lzma, Cab
    EXPECT_EQ(extractor.GetFormat(), SevenZip::FormatZip);
    EXPECT_EQ(extractor.GetItemNames().size(), 3u);
    ASSERT_EQ(Extract(extractor, temp / "p.zip"), 0);  // detects again, Zip first
    EXPECT_EQ(extractor.GetFormat(), SevenZip::FormatZip);
    // Another package still opens after the Zip handler refused it.
    ASSERT_EQ(Extract(extractor, temp / "p.7z"), 0);
    EXPECT_EQ(extractor.GetFormat(), SevenZip::Format7z);
}

TEST_F(SevenZipExtractorTest, TraceNamesEachItemInOrder) {
    fs::remove(payload / "a.txt");
    Make7z(payload, temp / "p.7z");
    ASSERT_EQ(Extract(temp / "p.7z"), 0);
    auto dest = destination.string();
    EXPECT_EQ(trace, "DirBegin:" + dest + "/sub\nFileDone:" + dest + "/sub\nFileBegin:" + dest +
                         "/sub/b.txt\nFileDone:" + dest + "/sub/b.txt\n");
}

TEST_F(SevenZipExtractorTest, NonAsciiNamesSurviveInEveryWriter) {
    WriteFile(payload / "caf\xc3\xa9-\xf0\x9f\x98\x80.txt", "x");
    Make7z(payload, temp / "p.7z");
    ASSERT_EQ(Extract(temp / "p.7z"), 0);
    EXPECT_TRUE(fs::exists(destination / "caf\xc3\xa9-\xf0\x9f\x98\x80.txt"));
    EXPECT_NE(trace.find("caf\xc3\xa9-\xf0\x9f\x98\x80.txt"), std::string::npos);

    // A zip without the UTF-8 flag (Info-ZIP writes raw bytes).
    fs::remove_all(destination);
    RunTool(payload, "/usr/bin/zip", {"-q", "-r", (temp / "p.zip").string(), "."});
    ASSERT_EQ(Extract(temp / "p.zip"), 0);
    EXPECT_TRUE(fs::exists(destination / "caf\xc3\xa9-\xf0\x9f\x98\x80.txt"));
}

TEST_F(SevenZipExtractorTest, ReplacesExistingFilesAndSetsTimes) {
    RunTool(payload, "/usr/bin/touch", {"-m", "-d", "2001-02-03 04:05:06 UTC", "a.txt"});
    Make7z(payload, temp / "p.7z");
    WriteFile(destination / "a.txt", "old content that is longer");
    fs::create_directories(destination / "sub" / "b.txt");  // a folder in the way
    WriteFile(destination / "sub" / "b.txt" / "inner", "x");
    ASSERT_EQ(Extract(temp / "p.7z"), 0);
    EXPECT_EQ(ReadFile(destination / "a.txt"), "alpha");
    EXPECT_EQ(ReadFile(destination / "sub" / "b.txt"), "bravo bravo");
    struct stat st;
    ASSERT_EQ(stat((destination / "a.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtime, 981173106);
}

TEST_F(SevenZipExtractorTest, FileSystemFailuresEndTheExtractionWithTheirLine) {
    using platform::FileFaults;
    using platform::FileOperation;
    Make7zOf(payload, temp / "p.7z", {"a.txt", "sub/b.txt"});
    auto at = [&](const char* name) {
        return *platform::DecodeUtf8((destination / name).string());
    };
    auto dest = destination.string();

    WriteFile(destination / "a.txt", "old");
    FileFaults::Set(FileOperation::Delete, at("a.txt"));
    EXPECT_EQ(Extract(temp / "p.7z"), HRESULT_FROM_WIN32(13));  // EACCES
    EXPECT_NE(trace.find("移除路径失败:" + dest + "/a.txt\n"), std::string::npos);
    EXPECT_EQ(ReadFile(destination / "a.txt"), "old");
    FileFaults::Clear();

    FileFaults::Set(FileOperation::CreateFolder, at("sub"));
    EXPECT_EQ(Extract(temp / "p.7z"), 1631);
    EXPECT_NE(trace.find("创建目录失败:" + dest + "/sub/\n"), std::string::npos);
    FileFaults::Clear();

    FileFaults::Set(FileOperation::Write, at("sub/b.txt"));
    EXPECT_NE(Extract(temp / "p.7z"), 0);
    EXPECT_NE(trace.find("创建文件失败:" + dest + "/sub/b.txt\n"), std::string::npos);
    FileFaults::Clear();
}

mode_t ModeOf(const fs::path& path) {
    struct stat st;
    EXPECT_EQ(lstat(path.c_str(), &st), 0);
    return st.st_mode & 07777;
}

TEST_F(SevenZipExtractorTest, ModesComeFromTheArchiveWithoutSetUserId) {
    WriteFile(payload / "tool", "#!/bin/sh\n");
    chmod((payload / "tool").c_str(), 04755);
    chmod((payload / "a.txt").c_str(), 0600);
    Make7z(payload, temp / "p.7z");
    WriteFile(destination / "a.txt", "old");
    chmod((destination / "a.txt").c_str(), 0666);
    ASSERT_EQ(Extract(temp / "p.7z"), 0);
    EXPECT_EQ(ModeOf(destination / "tool"), 0755u);
    EXPECT_EQ(ModeOf(destination / "a.txt"), 0600u);

    // A read-only file is written, then made read-only; a second run
    // replaces it.
    chmod((payload / "sub" / "b.txt").c_str(), 0444);
    MakeZip(payload, temp / "p.zip");
    ASSERT_EQ(Extract(temp / "p.zip"), 0);
    ASSERT_EQ(Extract(temp / "p.zip"), 0);
    EXPECT_EQ(ModeOf(destination / "sub" / "b.txt"), 0444u);
    EXPECT_EQ(ReadFile(destination / "sub" / "b.txt"), "bravo bravo");
}

TEST_F(SevenZipExtractorTest, WithoutModesReplacedFilesKeepTheirsAndNewOnesGetDefaults) {
    WriteFile(payload / "VantuSpeedUp.exe", "booster");
    MakeCab(payload, temp / "p.cab", {"a.txt", "sub/b.txt", "VantuSpeedUp.exe"});
    WriteFile(destination / "a.txt", "old");
    chmod((destination / "a.txt").c_str(), 0640);
    ASSERT_EQ(Extract(temp / "p.cab"), 0);
    EXPECT_EQ(ModeOf(destination / "a.txt"), 0640u);
    EXPECT_EQ(ModeOf(destination / "sub" / "b.txt"), 0644u);
    EXPECT_EQ(ModeOf(destination / "VantuSpeedUp.exe"), 0755u);
}

TEST_F(SevenZipExtractorTest, EncryptedAndCorruptPackagesFail) {
    Make7z(payload, temp / "enc.7z", {"-pSecret"});
    Make7z(payload, temp / "enchdr.7z", {"-pSecret", "-mhe=on"});
    MakeZip(payload, temp / "enc.zip", {"-pSecret"});
    Make7z(payload, temp / "p.7z");
    auto whole = ReadFile(temp / "p.7z");
    WriteFile(temp / "truncated.7z", whole.substr(0, whole.size() / 2));
    WriteFile(temp / "noise.bin", std::string(4096, '\x5a'));
    for (const char* name : {"enc.7z", "enchdr.7z", "enc.zip", "truncated.7z", "noise.bin"}) {
        SCOPED_TRACE(name);
        fs::remove_all(destination);
        fs::create_directories(destination);
        EXPECT_NE(Extract(temp / name), 0);
    }
    SevenZipExtractor extractor;
    extractor.SetArchivePath(Wide(temp / "noise.bin"));
    EXPECT_TRUE(extractor.GetItemNames().empty());
    EXPECT_EQ(extractor.GetFormat(), SevenZip::FormatUnknown);
    EXPECT_EQ(Extract(temp / "missing.7z"), 110);
}

TEST_F(SevenZipExtractorTest, ItemsOutsideTheDestinationAreRefused) {
    fs::path outside = temp / "outside";
    fs::create_directories(outside);
    struct Case {
        const char* label;
        std::string itemName;
        fs::path escapesTo;
    };
    for (const Case& c :
         {Case{"dot-dot", "../x", temp / "x"}, Case{"nested dot-dot", "sub/../../x", temp / "x"},
          Case{"backslash dot-dot", "..\\x", temp / "x"},
          Case{"absolute", (outside / "abs").string(), outside / "abs"}}) {
        for (const char* type : {"7z", "zip"}) {
            SCOPED_TRACE(std::string(c.label) + " " + type);
            fs::path archive = temp / (std::string("evil.") + type);
            fs::remove(archive);
            if (std::string(type) == "7z") {
                Make7z(payload, archive);
            } else {
                MakeZip(payload, archive);
            }
            RenameItem(archive, "a.txt", c.itemName);
            EXPECT_NE(Extract(archive), 0);
            EXPECT_FALSE(fs::exists(c.escapesTo));
        }
    }
}

TEST_F(SevenZipExtractorTest, LinkItemsAndLinksOnTheWayAreRefused) {
    fs::path outside = temp / "outside";
    fs::create_directories(outside);
    fs::create_directory_symlink(outside, payload / "link");
    Make7z(payload, temp / "link.7z");
    EXPECT_NE(Extract(temp / "link.7z"), 0);
    EXPECT_FALSE(fs::is_symlink(destination / "link"));

    // A link already in the destination is not written through either.
    fs::remove(payload / "link");
    fs::create_directories(payload / "link");
    WriteFile(payload / "link" / "x", "x");
    Make7z(payload, temp / "through.7z");
    fs::remove_all(destination);
    fs::create_directories(destination);
    fs::create_directory_symlink(outside, destination / "link");
    EXPECT_NE(Extract(temp / "through.7z"), 0);
    EXPECT_TRUE(fs::is_empty(outside));
}

}  // namespace
