// What windres put into the Windows launcher program, read as the system
// reads another program's resources (Windows only: on Linux the program's
// resources are linked-in blocks, tested in tests/platform).

#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "launcher/startup/installed_version.h"
#include "platform/resources/module_path.h"

namespace {

class LauncherImage {
  public:
    LauncherImage()
        : m_module(LoadLibraryExW((platform::ModuleFolder() + L"VantuLauncher.exe").c_str(),
                                  nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~LauncherImage() {
        if (m_module != nullptr) {
            FreeLibrary(m_module);
        }
    }
    LauncherImage(const LauncherImage&) = delete;
    LauncherImage& operator=(const LauncherImage&) = delete;

    bool Loaded() const { return m_module != nullptr; }

    std::optional<std::string> Resource(const wchar_t* type, int id) const {
        HRSRC found = FindResourceW(m_module, MAKEINTRESOURCEW(id), type);
        HGLOBAL loaded = found != nullptr ? LoadResource(m_module, found) : nullptr;
        const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
        if (bytes == nullptr) {
            return std::nullopt;
        }
        return std::string(static_cast<const char*>(bytes), SizeofResource(m_module, found));
    }

  private:
    HMODULE m_module;
};

TEST(LauncherResources, CarriesTheSkinArchiveAsZipres101) {
    LauncherImage launcher;
    ASSERT_TRUE(launcher.Loaded());
    auto archive = launcher.Resource(L"ZIPRES", 101);
    ASSERT_TRUE(archive.has_value());
    std::ifstream file(std::filesystem::path(platform::ModuleFolder()) / L"../skin/skin.zip",
                       std::ios::binary);
    std::string expected((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(*archive, expected);
    EXPECT_FALSE(launcher.Resource(L"ZIPRES", 102).has_value());
}

TEST(LauncherResources, ManifestRunsAsInvokerWithCommonControls6AndDpiAwareness) {
    LauncherImage launcher;
    ASSERT_TRUE(launcher.Loaded());
    // RT_MANIFEST, the one the system reads when the program starts.
    auto manifest = launcher.Resource(MAKEINTRESOURCEW(24), 1);
    ASSERT_TRUE(manifest.has_value());
    EXPECT_NE(manifest->find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest->find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_NE(manifest->find(">true</dpiAware>"), std::string::npos);
}

// The subsystem field of a program's optional header (the same place in
// 32- and 64-bit images); 0 when the file is no program.
WORD SubsystemOf(const std::filesystem::path& program) {
    std::ifstream file(program, std::ios::binary);
    const std::string image((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    DWORD header = 0;
    if (image.size() < 0x40) {
        return 0;
    }
    std::memcpy(&header, image.data() + 0x3C, sizeof header);
    const size_t field = size_t{header} + 4 + sizeof(IMAGE_FILE_HEADER) +
                         offsetof(IMAGE_OPTIONAL_HEADER, Subsystem);
    WORD subsystem = 0;
    if (field + sizeof subsystem > image.size() ||
        image.compare(header, 4, std::string("PE\0\0", 4)) != 0) {
        return 0;
    }
    std::memcpy(&subsystem, image.data() + field, sizeof subsystem);
    return subsystem;
}

TEST(LauncherResources, LauncherAndBoosterOpenNoConsole) {
    for (const wchar_t* name : {L"VantuLauncher.exe", L"VantuSpeedUp.exe"}) {
        EXPECT_EQ(SubsystemOf(std::filesystem::path(platform::ModuleFolder()) / name),
                  IMAGE_SUBSYSTEM_WINDOWS_GUI)
            << std::filesystem::path(name).string();
    }
}

TEST(LauncherResources, VersionIsTheBuildsAsTheLauncherReadsIt) {
    std::wstring version;
    ASSERT_TRUE(vantu::QueryFileVersion(platform::ModuleFolder() + L"VantuLauncher.exe", version));
    EXPECT_EQ(version, std::wstring(VANTU_LAUNCHER_VERSION_TEXT));
}

}  // namespace
