#include "tests/support/launcher_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace testing_support {

LauncherLock::LauncherLock()
    : fd_(open("/tmp/vantu-launcher-tests.lock", O_RDWR | O_CREAT | O_CLOEXEC, 0666)) {
    if (fd_ >= 0) {
        while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
}

LauncherLock::~LauncherLock() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

}  // namespace testing_support
