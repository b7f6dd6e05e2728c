#include "platform/process/named_event.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/process/process.h"
#include "platform/text/text_codec.h"

using namespace std::chrono_literals;
using platform::NamedEvent;
using platform::NamedEventCreation;

namespace {

// Names are machine-wide: keep them apart from other tests and runs.
std::wstring UniqueName(const std::wstring& what) {
    static const unsigned run = std::random_device()();
    static int counter = 0;
    return L"Global\\VantuTest-" + what + L"-" + std::to_wstring(run) + L"-" +
           std::to_wstring(++counter);
}

TEST(NamedEvent, FirstCreatesLaterFindItTakenUntilTheHolderCloses) {
    auto name = UniqueName(L"create");
    {
        NamedEvent first;
        ASSERT_EQ(first.Create(name), NamedEventCreation::Created);
        NamedEvent second;
        EXPECT_EQ(second.Create(name), NamedEventCreation::AlreadyExists);
        EXPECT_FALSE(second.IsOpen());
        // A name that only starts the same is another event.
        NamedEvent longer;
        EXPECT_EQ(longer.Create(name + L"x"), NamedEventCreation::Created);
    }
    NamedEvent again;
    EXPECT_EQ(again.Create(name), NamedEventCreation::Created);
}

TEST(NamedEvent, SignalsMergeLikeAnAutoResetEvent) {
    auto name = UniqueName(L"signal");
    EXPECT_FALSE(NamedEvent::Signal(name)) << "nobody holds it yet";
    NamedEvent event;
    ASSERT_EQ(event.Create(name), NamedEventCreation::Created);
    EXPECT_EQ(platform::WaitForAny({event.Descriptor()}, 0ms), platform::kWaitTimeout);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(NamedEvent::Signal(name));
    }
    EXPECT_EQ(platform::WaitForAny({event.Descriptor()}, 1000ms), 0);
    EXPECT_TRUE(event.Reset());
    EXPECT_FALSE(event.Reset());
    EXPECT_EQ(platform::WaitForAny({event.Descriptor()}, 0ms), platform::kWaitTimeout);
}

TEST(NamedEvent, ManySignalsNeverBlockTheSender) {
    auto name = UniqueName(L"flood");
    NamedEvent event;
    ASSERT_EQ(event.Create(name), NamedEventCreation::Created);
    // Far beyond the listen backlog, with nobody taking them.
    for (int i = 0; i < 5000; ++i) {
        ASSERT_TRUE(NamedEvent::Signal(name));
    }
    EXPECT_TRUE(event.Reset());
}

TEST(NamedEvent, UnusableNamesFailToCreate) {
    NamedEvent event;
    EXPECT_EQ(event.Create(L""), NamedEventCreation::Failed);
    // Past what either system takes for a name.
    EXPECT_EQ(event.Create(std::wstring(300, L'n')), NamedEventCreation::Failed);
    EXPECT_FALSE(NamedEvent::Signal(std::wstring(300, L'n')));
    EXPECT_FALSE(event.IsOpen());
}

TEST(NamedEvent, StartedProgramsDoNotInheritTheName) {
    auto name = UniqueName(L"inherit");
    {
        NamedEvent event;
        ASSERT_EQ(event.Create(name), NamedEventCreation::Created);
        // It sleeps past the check below.
        const auto sleeper =
            platform::DecodeFileName(VANTU_BIN_DIR "/vantu-sleep" VANTU_EXE_SUFFIX);
        ASSERT_TRUE(platform::StartProcess(sleeper, {L"5"}));
    }
    NamedEvent again;
    EXPECT_EQ(again.Create(name), NamedEventCreation::Created) << "the child keeps the name alive";
}

TEST(ManualResetEvent, StaysSetAndWakesAWait) {
    platform::ManualResetEvent stop;
    ASSERT_TRUE(stop.IsOpen());
    EXPECT_FALSE(stop.IsSet());
    NamedEvent event;
    ASSERT_EQ(event.Create(UniqueName(L"stop")), NamedEventCreation::Created);
    stop.Set();
    EXPECT_EQ(platform::WaitForAny({event.Descriptor(), stop.Descriptor()}, 1000ms), 1);
    EXPECT_TRUE(stop.IsSet());
    EXPECT_EQ(platform::WaitForAny({event.Descriptor(), stop.Descriptor()}, 1000ms), 1);
}

TEST(WaitForAny, FailsForABadHandleInsteadOfWaiting) {
    EXPECT_EQ(platform::WaitForAny({platform::kNoWaitHandle}, 1000ms), platform::kWaitFailed);
    platform::WaitHandle closed;
    {
        platform::ManualResetEvent gone;
        closed = gone.Descriptor();
    }
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(platform::WaitForAny({closed}, 1000ms), platform::kWaitFailed);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 900ms);
}

TEST(WaitForAny, TimesOutWithNothingSignalled) {
    platform::ManualResetEvent never;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(platform::WaitForAny({never.Descriptor()}, 100ms), platform::kWaitTimeout);
    EXPECT_GE(std::chrono::steady_clock::now() - started, 90ms);
}

}  // namespace
