// The percent shown for the worker's progress reports.

#include "launcher/windows/upgrade_progress.h"

#include <gtest/gtest.h>

#include <limits>

namespace vantu {
namespace {

TEST(UpgradeProgress, PercentOfConsistentTotalsIsExactForAnySize) {
    EXPECT_EQ(ProgressPercent(50, 100), 50);
    EXPECT_EQ(ProgressPercent(104'857'600, 209'715'200), 50);
    EXPECT_EQ(ProgressPercent(209'715'200, 209'715'200), 100);
    EXPECT_EQ(ProgressPercent(0, 1), 0);
    EXPECT_EQ(ProgressPercent(99, 100), 99);  // rounded down, never early to 100
    // The largest sizes the message parameters carry.
    constexpr LPARAM kMost = std::numeric_limits<LPARAM>::max();
    EXPECT_EQ(ProgressPercent(static_cast<WPARAM>(kMost / 2), kMost), 49);
    EXPECT_EQ(ProgressPercent(static_cast<WPARAM>(kMost), kMost), 100);
    if constexpr (sizeof(LPARAM) == 8) {
        // Several GiB: a 32-bit reading of the total would be negative.
        constexpr auto kSixGiB = static_cast<LPARAM>(6LL << 30);
        EXPECT_EQ(ProgressPercent(static_cast<WPARAM>(kSixGiB / 4), kSixGiB), 25);
    }
}

TEST(UpgradeProgress, UnknownOrInconsistentTotalsAreIgnored) {
    EXPECT_EQ(ProgressPercent(0, 0), std::nullopt);
    EXPECT_EQ(ProgressPercent(10, 0), std::nullopt);
    EXPECT_EQ(ProgressPercent(101, 100), std::nullopt);
    EXPECT_EQ(ProgressPercent(1, -1), std::nullopt);
}

TEST(UpgradeProgress, TextEndsInThePercent) {
    EXPECT_EQ(ProgressText(37), L"升级中，请稍候...37%");
}

}  // namespace
}  // namespace vantu
