// The guard's watcher when its wait fails (Linux: the event's socket is
// swapped under it).

#include <gtest/gtest.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "launcher/startup/single_instance_guard.h"
#include "platform/process/named_event.h"
#include "platform/text/text_codec.h"
#include "tests/launcher/guard_test_key.h"
#include "tests/launcher/linux/held_name.h"

using namespace std::chrono_literals;
using launcher_test::UniqueKey;
using vantu::SingleInstanceGuard;

namespace {

// The descriptor of this process's socket with that inode.
int SocketDescriptor(unsigned long inode) {
    const std::string wanted = "socket:[" + std::to_string(inode) + "]";
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        if (std::filesystem::read_symlink(entry.path(), ec).string() == wanted) {
            return std::stoi(entry.path().filename().string());
        }
    }
    return -1;
}

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

using Clock = std::chrono::steady_clock;

TEST(SingleInstanceGuard, AFailingWaitNeitherSpinsNorBlocksTheStop) {
    const auto key = UniqueKey();
    auto guard = std::make_unique<SingleInstanceGuard>();
    guard->OnAnotherInstanceStarted([] {}).Start(key);
    auto inode = launcher_test::HeldNameInode("Global\\" + platform::EncodeUtf8(key));
    ASSERT_TRUE(inode.has_value());
    int fd = SocketDescriptor(*inode);
    ASSERT_GE(fd, 0);
    // Swap the socket for something that is always readable but cannot be
    // taken from: from the watcher's next wait on, every wait ends without a
    // signal to take. Dropping the socket wakes its current wait (and if it
    // did not yet, the signal does).
    platform::ManualResetEvent readable;
    readable.Set();
    ASSERT_EQ(dup2(readable.Descriptor(), fd), fd);
    platform::NamedEvent::Signal(L"Global\\" + key);
    double cpuBefore = CpuSeconds();
    std::this_thread::sleep_for(200ms);
    EXPECT_LT(CpuSeconds() - cpuBefore, 0.05) << "the watcher spins";

    auto start = Clock::now();
    guard.reset();
    EXPECT_LT(Clock::now() - start, 100ms);
    close(fd);
}

}  // namespace
