// 7z.dll is loaded by one full path in the program's own folder (where the
// build copies it), never found through the DLL search order.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/resources/module_path.h"
#include "update/archive/engine/seven_zip_engine.h"
#include "update/archive/engine/seven_zip_engine_library.h"

namespace {

namespace fs = std::filesystem;

TEST(EngineLocation, SevenZipDllBesideTheProgramByItsFullPath) {
    const std::wstring path = SevenZip::EngineLibraryPath();
    EXPECT_EQ(path, platform::ModuleFolder() + L"7z.dll");
    EXPECT_TRUE(fs::path(path).is_absolute());
    EXPECT_TRUE(fs::exists(path));
    EXPECT_NE(SevenZip::Engine::Instance(), nullptr);
}

TEST(EngineLocation, ABareNameARelativePathOrAMissingFileLoadsNothing) {
    // A bare name would be looked up (System32 only), a relative one from
    // the current folder: neither is how the engine is found.
    EXPECT_EQ(SevenZip::Engine::Load(L"7z.dll"), nullptr);
    EXPECT_EQ(SevenZip::Engine::Load(L"bin\\7z.dll"), nullptr);
    EXPECT_EQ(SevenZip::Engine::Load(platform::ModuleFolder() + L"no-such-7z.dll"), nullptr);
}

}  // namespace
