#pragma once

namespace testing_support {

// Which launchers a lock keeps apart.
enum class LauncherNames {
    // Launchers built with the tests' settings: their single-instance name is
    // their build folder's own, so only this build folder's tests can meet.
    OfThisBuild,
    // The product launcher: its name is one for the whole machine.
    Product,
};

// Two launchers run by tests at the same time (ctest -j) would turn one into
// a "second launcher". Every test that runs a launcher holds this lock
// meanwhile, for the names its launchers take.
class LauncherLock {
  public:
    explicit LauncherLock(LauncherNames names = LauncherNames::OfThisBuild);
    ~LauncherLock();
    LauncherLock(const LauncherLock&) = delete;
    LauncherLock& operator=(const LauncherLock&) = delete;

  private:
#ifdef _WIN32
    void* m_mutex = nullptr;  // named for the whole wine desktop
#else
    int m_fd = -1;
#endif
};

}  // namespace testing_support
