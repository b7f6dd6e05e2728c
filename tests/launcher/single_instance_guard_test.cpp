#include "launcher/startup/single_instance_guard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "tests/launcher/guard_test_key.h"
#include "tests/launcher/process_probe.h"

using namespace std::chrono_literals;
using vantu::SingleInstanceGuard;

namespace {

using Clock = std::chrono::steady_clock;

using launcher_test::ThreadCount;
using launcher_test::UniqueKey;

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
