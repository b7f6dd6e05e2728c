#pragma once

// A launcher folder of its own for process tests: a built launcher (and,
// when asked, the demo booster) copied into a fresh folder, since the launcher
// looks for everything in its own folder.

#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/temp_dir.h"

namespace launcher_test {

class LauncherStage {
  public:
    // The launcher built with the tests' settings unless another is named:
    // its single-instance name is this build folder's own (InstanceName()).
    explicit LauncherStage(bool withBooster, const char* program = "VantuLauncherLocal");

    const std::filesystem::path& folder() const { return m_dir.path(); }
    std::filesystem::path launcher() const { return m_dir / "VantuLauncher"; }
    std::filesystem::path booster() const { return m_dir / "VantuSpeedUp.exe"; }
    std::filesystem::path operator/(std::string_view name) const { return m_dir / name; }

  private:
    testing_support::TempDir m_dir;
};

// "Global\<key>" of the tests' launchers.
std::string InstanceName();

// The inode of the listening abstract socket behind the named event of that
// name while some process holds it, seen without touching it.
std::optional<unsigned long> HeldNameInode(const std::string& name);
inline bool NameHeld(const std::string& name) {
    return HeldNameInode(name).has_value();
}

}  // namespace launcher_test
