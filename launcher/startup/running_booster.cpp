#include "launcher/startup/running_booster.h"

#include <chrono>
#include <string>

#include "launcher/booster.h"
#include "platform/x11/x11_window_message.h"

namespace vantu {

namespace {

// Long enough for a busy booster, short enough that a hung one cannot keep
// the launcher waiting.
constexpr auto kSendTimeout = std::chrono::milliseconds(2000);

platform::ForeignWindow BoosterWindow(std::wstring_view className) {
    return platform::FindForeignWindow(className, kBoosterTitle);
}

}  // namespace

bool NotifyRunningBooster() {
    if (BoosterWindow(kBoosterMainWindowClass) == 0) {
        return false;
    }
    // Looked up again: the booster may have opened or closed a window since.
    auto upgradeWindow = BoosterWindow(kBoosterUpgradeWindowClass);
    auto mainWindow = BoosterWindow(kBoosterMainWindowClass);
    if (auto target = upgradeWindow != 0 ? upgradeWindow : mainWindow; target != 0) {
        platform::SendForeignMessage(target, WM_NULL, 0, 0, kSendTimeout);
    }
    return true;
}

}  // namespace vantu
