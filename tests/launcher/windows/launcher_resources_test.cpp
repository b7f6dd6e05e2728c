// What windres put into the Windows launcher program, read as the system
// reads another program's resources (Windows only: on Linux the program's
// resources are linked-in blocks, tested in tests/platform).

#include <windows.h>

#include <gtest/gtest.h>

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

TEST(LauncherResources, VersionIsTheBuildsAsTheLauncherReadsIt) {
    std::wstring version;
    ASSERT_TRUE(vantu::QueryFileVersion(platform::ModuleFolder() + L"VantuLauncher.exe", version));
    EXPECT_EQ(version, std::wstring(VANTU_LAUNCHER_VERSION_TEXT));
}

}  // namespace
