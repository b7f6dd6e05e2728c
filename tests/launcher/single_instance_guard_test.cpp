#include "launcher/startup/single_instance_guard.h"

#include <gtest/gtest.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/text/text_codec.h"
#include "tests/launcher/launcher_stage.h"

using namespace std::chrono_literals;
using vantu::SingleInstanceGuard;

namespace {

using Clock = std::chrono::steady_clock;

// Keys are machine-wide: keep them apart from the launcher's and other runs'.
std::wstring UniqueKey() {
    static int counter = 0;
    return L"VantuGuardTest-" + std::to_wstring(getpid()) + L"-" + std::to_wstring(++counter);
}

int ThreadCount() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/task")) {
        ++count;
    }
    return count;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    auto deadline = Clock::now() + timeout;
    while (!condition()) {
        if (Clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

TEST(SingleInstanceGuard, WithoutTheAnotherInstanceCallbackNoThreadRuns) {
    const auto key = UniqueKey();
    const int before = ThreadCount();
    auto guard = std::make_unique<SingleInstanceGuard>();
    bool alreadyRunning = false;
    guard->OnAlreadyRunning([&] { alreadyRunning = true; }).Start(key);
    EXPECT_FALSE(alreadyRunning);
    EXPECT_EQ(ThreadCount(), before);

    auto start = Clock::now();
    guard.reset();
    EXPECT_LT(Clock::now() - start, 20ms);
    // The name stays taken until the process ends, as a kernel handle would.
    platform::NamedEvent probe;
    EXPECT_EQ(probe.Create(L"Global\\" + key), platform::NamedEventCreation::AlreadyExists);
}

TEST(SingleInstanceGuard, WatcherReportsSignalsAndStopsPromptly) {
    const auto key = UniqueKey();
    const auto name = L"Global\\" + key;
    const int before = ThreadCount();
    std::atomic<int> calls{0};
    auto guard = std::make_unique<SingleInstanceGuard>();
    guard->OnAnotherInstanceStarted([&] { ++calls; }).Start(key);
    EXPECT_EQ(ThreadCount(), before + 1);

    ASSERT_TRUE(platform::NamedEvent::Signal(name));
    ASSERT_TRUE(WaitUntil([&] { return calls == 1; }, 2s));
    // A burst may merge, but never into nothing and never into more calls.
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(platform::NamedEvent::Signal(name));
    }
    ASSERT_TRUE(WaitUntil([&] { return calls >= 2; }, 2s));
    std::this_thread::sleep_for(20ms);
    EXPECT_LE(calls, 6);

    auto start = Clock::now();
    guard.reset();
    EXPECT_LT(Clock::now() - start, 100ms);
    EXPECT_EQ(ThreadCount(), before);
}

TEST(SingleInstanceGuard, DestructionWhileACallbackRunsWaitsForIt) {
    const auto key = UniqueKey();
    std::atomic<bool> inside{false};
    std::atomic<bool> finished{false};
    auto guard = std::make_unique<SingleInstanceGuard>();
    guard
        ->OnAnotherInstanceStarted([&] {
            inside = true;
            std::this_thread::sleep_for(30ms);
            finished = true;
        })
        .Start(key);
    ASSERT_TRUE(platform::NamedEvent::Signal(L"Global\\" + key));
    ASSERT_TRUE(WaitUntil([&] { return inside.load(); }, 2s));
    guard.reset();
    EXPECT_TRUE(finished);
}

TEST(SingleInstanceGuard, LaterCallbacksReplaceEarlierOnes) {
    const auto key = UniqueKey();
    std::atomic<int> first{0};
    std::atomic<int> second{0};
    SingleInstanceGuard guard;
    guard.OnAnotherInstanceStarted([&] { ++first; })
        .OnAnotherInstanceStarted([&] { ++second; })
        .Start(key);
    ASSERT_TRUE(platform::NamedEvent::Signal(L"Global\\" + key));
    ASSERT_TRUE(WaitUntil([&] { return second == 1; }, 2s));
    EXPECT_EQ(first, 0);
}

}  // namespace

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
