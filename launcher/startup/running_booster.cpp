#include "launcher/startup/running_booster.h"

#include <chrono>

#include "launcher/booster.h"
#include "launcher/startup/foreign_windows_access.h"
#include "platform/win32.h"

namespace vantu {

namespace {

// Long enough for a busy booster, short enough that a hung one cannot keep
// the launcher waiting.
constexpr auto kSendTimeout = std::chrono::milliseconds(2000);

}  // namespace

bool NotifyRunningBooster() {
    auto windows = OpenForeignWindows();
    if (!windows) {
        return false;
    }
    auto boosterWindow = [&windows](std::wstring_view className) {
        return windows->find(className, kBoosterTitle);
    };
    if (boosterWindow(kBoosterMainWindowClass) == 0) {
        return false;
    }
    // Looked up again: the booster may have opened or closed a window since.
    auto upgradeWindow = boosterWindow(kBoosterUpgradeWindowClass);
    auto mainWindow = boosterWindow(kBoosterMainWindowClass);
    if (auto target = upgradeWindow != 0 ? upgradeWindow : mainWindow; target != 0) {
        windows->send(target, WM_NULL, kSendTimeout);
    }
    return true;
}

}  // namespace vantu
