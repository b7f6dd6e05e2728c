#pragma once

namespace testing_support {

// The launcher takes a machine-wide name, so two launchers run by tests at
// the same time (ctest -j, other checkouts) would turn one into a "second
// launcher". Every test that runs the launcher holds this lock meanwhile.
class LauncherLock {
  public:
    LauncherLock();
    ~LauncherLock();
    LauncherLock(const LauncherLock&) = delete;
    LauncherLock& operator=(const LauncherLock&) = delete;

  private:
    int m_fd = -1;
};

}  // namespace testing_support
