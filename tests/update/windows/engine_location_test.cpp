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

// A relative path would start at the current folder; the engine is never
// found that way. (A bare name is only looked up in System32, but one already
// loaded, as the engine is once used, is handed back by the loader itself.)
TEST(EngineLocation, ARelativePathOrAMissingFileLoadsNothing) {
    EXPECT_EQ(SevenZip::Engine::Load(L"bin\\7z.dll"), nullptr);
    EXPECT_EQ(SevenZip::Engine::Load(L".\\7z.dll"), nullptr);
    EXPECT_EQ(SevenZip::Engine::Load(platform::ModuleFolder() + L"no-such-7z.dll"), nullptr);
}

}  // namespace
