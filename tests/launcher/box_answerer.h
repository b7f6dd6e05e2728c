#pragma once

// The launchers' message boxes answered OK for the life of the object, for
// tests whose launcher ends by a failed query, which shows the "Error" box.
// On Linux those tests keep the windows unseen (the box's text goes to
// standard error): there is nothing to answer. Under wine the box is on the
// desktop, and the object clicks OK on any box of another process.

#include <memory>

namespace launcher_test {

class LauncherBoxAnswerer {
  public:
    LauncherBoxAnswerer();
    ~LauncherBoxAnswerer();
    LauncherBoxAnswerer(const LauncherBoxAnswerer&) = delete;
    LauncherBoxAnswerer& operator=(const LauncherBoxAnswerer&) = delete;

  private:
    struct State;
    std::unique_ptr<State> m_state;
};

}  // namespace launcher_test
