#include "launcher/startup/running_booster.h"

#include <chrono>
#include <iostream>
#include <string>

#include "launcher/booster.h"
#include "launcher/modules/foreign_windows_module_api.h"
#include "launcher/modules/launcher_module.h"
#include "platform/process/environment.h"
#include "platform/win32.h"
#include "update/build_settings.h"

namespace vantu {

namespace {

// Long enough for a busy booster, short enough that a hung one cannot keep
// the launcher waiting.
constexpr auto kSendTimeout = std::chrono::milliseconds(2000);

}  // namespace

bool NotifyRunningBooster() {
    // A booster's windows can only be found on a display; without one the
    // X11 client module is not even loaded.
    if (!platform::HasEnvironmentValue("DISPLAY")) {
        return false;
    }
    std::string error;
    auto module = LoadLauncherModule(Settings().foreignWindowsModule, error);
    const auto* api = module.Loaded() ? LauncherModuleApi<VantuForeignWindowsModuleApi>(
                                            module, kForeignWindowsModuleEntryName,
                                            kForeignWindowsModuleApiVersion, error)
                                      : nullptr;
    if (api == nullptr) {
        std::cerr << "no running booster looked for: " << error << std::endl;
        return false;
    }
    auto boosterWindow = [api](std::wstring_view className) {
        return api->findWindow(ToModuleText(className), ToModuleText(kBoosterTitle));
    };
    if (boosterWindow(kBoosterMainWindowClass) == 0) {
        return false;
    }
    // Looked up again: the booster may have opened or closed a window since.
    auto upgradeWindow = boosterWindow(kBoosterUpgradeWindowClass);
    auto mainWindow = boosterWindow(kBoosterMainWindowClass);
    if (auto target = upgradeWindow != 0 ? upgradeWindow : mainWindow; target != 0) {
        api->sendMessage(target, WM_NULL, 0, 0, static_cast<long>(kSendTimeout.count()));
    }
    return true;
}

}  // namespace vantu
