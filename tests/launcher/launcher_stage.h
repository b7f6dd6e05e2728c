#pragma once

// A launcher folder of its own for process tests: a built launcher (and,
// when asked, the demo booster) copied into a fresh folder, since the launcher
// looks for everything in its own folder.

#include <filesystem>
#include <memory>
#include <string>

#include "tests/support/temp_dir.h"

namespace launcher_test {

class LauncherStage {
  public:
    // The launcher built with the tests' settings unless another is named:
    // its single-instance name is this build folder's own (InstanceName()).
    explicit LauncherStage(bool withBooster, const char* program = "VantuLauncherLocal");

    const std::filesystem::path& folder() const { return m_dir.path(); }
    std::filesystem::path launcher() const { return m_dir / ("VantuLauncher" VANTU_EXE_SUFFIX); }
    std::filesystem::path booster() const { return m_dir / "VantuSpeedUp.exe"; }
    std::filesystem::path operator/(std::string_view name) const { return m_dir / name; }

  private:
    testing_support::TempDir m_dir;
};

// "Global\<key>" of the tests' launchers.
std::string InstanceName();

// Keeps the launchers of the tests' build that start from now on inside
// their run, after they took their name and before they end, until
// Release(). On Linux the stage's pending-deletion list is a FIFO, whose
// reading waits for a writer; on Windows the version query meets a server
// that takes the connection and never answers.
class LauncherHold {
  public:
    explicit LauncherHold(const LauncherStage& stage);
    ~LauncherHold();
    LauncherHold(const LauncherHold&) = delete;
    LauncherHold& operator=(const LauncherHold&) = delete;

    // Lets the held launchers go on to their end (on Windows: their query
    // fails, and the box's text goes to standard error).
    void Release();
    // Holds no launcher started from now on; those held stay so.
    void Stop();

  private:
    struct State;
    std::unique_ptr<State> m_state;
};

}  // namespace launcher_test
