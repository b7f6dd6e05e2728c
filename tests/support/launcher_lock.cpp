#include "tests/support/launcher_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace testing_support {

LauncherLock::LauncherLock()
    : m_fd(open("/tmp/vantu-launcher-tests.lock", O_RDWR | O_CREAT | O_CLOEXEC, 0666)) {
    if (m_fd >= 0) {
        while (flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
}

LauncherLock::~LauncherLock() {
    if (m_fd >= 0) {
        close(m_fd);
    }
}

}  // namespace testing_support
