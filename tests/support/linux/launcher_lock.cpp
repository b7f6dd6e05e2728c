#include "tests/support/launcher_lock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include "tests/support/deadline.h"

namespace testing_support {

namespace {

const char* LockFile(LauncherNames names) {
    return names == LauncherNames::Product ? "/tmp/vantu-launcher-tests.lock"
                                           : VANTU_BUILD_DIR "/launcher-tests.lock";
}

}  // namespace

LauncherLock::LauncherLock(LauncherNames names)
    : m_fd(open(LockFile(names), O_RDWR | O_CREAT | O_CLOEXEC, 0666)) {
    if (m_fd < 0) {
        ADD_FAILURE() << "cannot open " << LockFile(names);
        return;
    }
    // Each holder runs a launcher for seconds; one that keeps the lock this
    // long is stuck, and waiting on would only end at the runner's time-out.
    const Deadline deadline(std::chrono::seconds(90));
    if (!WaitUntil(
            deadline, [this] { return flock(m_fd, LOCK_EX | LOCK_NB) == 0; },
            std::chrono::milliseconds(10))) {
        ADD_FAILURE() << "another test held " << LockFile(names) << " for "
                      << deadline.Span().count() << " ms";
    }
}

LauncherLock::~LauncherLock() {
    if (m_fd >= 0) {
        close(m_fd);
    }
}

}  // namespace testing_support
