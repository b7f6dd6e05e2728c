// The program's own version reader against the system's
// (GetFileVersionInfoW, VerQueryValueW), on Windows only since Linux has no
// system reader: on programs and libraries that others built (the system
// folder's, under wine those of Debian's wine packages) and on the demo
// booster, whose version windres compiled in.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/resources/module_path.h"
#include "platform/resources/version_info.h"

namespace {

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH];
    UINT size = GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, size) + L"\\";
}

std::wstring WindowsFolder() {
    wchar_t folder[MAX_PATH];
    UINT size = GetWindowsDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, size) + L"\\";
}

// What the system answers for one sub-block of a file's version information.
struct SystemAnswer {
    std::vector<char> buffer;  // owns what `value` points into

    explicit SystemAnswer(const std::wstring& path) {
        DWORD ignored = 0;
        DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        buffer.resize(size);
        if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, buffer.data())) {
            buffer.clear();
        }
    }

    std::optional<std::string_view> Value(const std::wstring& subBlock) {
        void* value = nullptr;
        UINT length = 0;
        if (buffer.empty() || !VerQueryValueW(buffer.data(), subBlock.c_str(), &value, &length)) {
            return std::nullopt;
        }
        return std::string_view(static_cast<const char*>(value), length);
    }

    std::optional<std::wstring> Text(const std::wstring& subBlock) {
        auto value = Value(subBlock);
        if (!value) {
            return std::nullopt;
        }
        // Text values count characters, the terminating zero included.
        std::wstring text(reinterpret_cast<const wchar_t*>(value->data()), value->size());
        return text.substr(0, text.find(L'\0'));
    }
};

// The first translation's string table, as the launcher reads FileVersion.
std::wstring StringTable(std::string_view translation) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(translation[i]); };
    wchar_t table[9];
    swprintf(table, 9, L"%04x%04x", byte(0) | (byte(1) << 8), byte(2) | (byte(3) << 8));
    return L"\\StringFileInfo\\" + std::wstring(table);
}

// Both readers give the same block and the same values.
void ExpectSameVersion(const std::wstring& path) {
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    auto own = platform::VersionInfoBlock::ReadWithOwnReader(path);
    auto system = platform::VersionInfoBlock::ReadFromFile(path);
    SystemAnswer answer(path);
    ASSERT_TRUE(own.has_value());
    ASSERT_TRUE(system.has_value());
    ASSERT_FALSE(answer.buffer.empty());
    EXPECT_EQ(own->bytes(), system->bytes());

    auto fixed = answer.Value(L"\\");
    ASSERT_TRUE(fixed.has_value());
    ASSERT_EQ(fixed->size(), sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(own->Value(L"\\"), fixed);

    auto translation = answer.Value(L"\\VarFileInfo\\Translation");
    ASSERT_TRUE(translation.has_value());
    ASSERT_GE(translation->size(), 4u);
    EXPECT_EQ(own->Value(L"\\VarFileInfo\\Translation"), translation);

    const std::wstring fileVersion = StringTable(*translation) + L"\\FileVersion";
    auto expected = answer.Text(fileVersion);
    ASSERT_TRUE(expected.has_value());
    EXPECT_FALSE(expected->empty());
    EXPECT_EQ(own->Text(fileVersion), expected);
    // Keys are looked up without case by both.
    EXPECT_EQ(own->Text(StringTable(*translation) + L"\\FILEVERSION"), expected);
}

TEST(SystemVersionInfo, OwnReaderAgreesOnSystemLibraries) {
    // kernel32.dll carries its version in many languages: both readers must
    // take the same one.
    for (const wchar_t* name : {L"kernel32.dll", L"user32.dll", L"version.dll", L"comctl32.dll"}) {
        ExpectSameVersion(SystemFolder() + name);
    }
}

TEST(SystemVersionInfo, OwnReaderAgreesOnSystemPrograms) {
    ExpectSameVersion(SystemFolder() + L"msiexec.exe");
    ExpectSameVersion(WindowsFolder() + L"regedit.exe");
}

TEST(SystemVersionInfo, OwnReaderAgreesOnTheDemoBooster) {
    const std::wstring booster = platform::ModuleFolder() + L"VantuSpeedUp.exe";
    ExpectSameVersion(booster);
    SystemAnswer answer(booster);
    EXPECT_EQ(answer.Text(L"\\StringFileInfo\\080404b0\\FileVersion"),
              std::wstring(VANTU_BOOSTER_VERSION_TEXT));
}

TEST(SystemVersionInfo, FilesWithoutVersionGiveNothingFromEither) {
    // The test program itself carries no version resource.
    const std::wstring self = platform::ModuleFileName();
    EXPECT_FALSE(platform::VersionInfoBlock::ReadWithOwnReader(self).has_value());
    EXPECT_FALSE(platform::VersionInfoBlock::ReadFromFile(self).has_value());
    const std::wstring missing = platform::ModuleFolder() + L"no-such-file.dll";
    EXPECT_FALSE(platform::VersionInfoBlock::ReadWithOwnReader(missing).has_value());
    EXPECT_FALSE(platform::VersionInfoBlock::ReadFromFile(missing).has_value());
}

}  // namespace
