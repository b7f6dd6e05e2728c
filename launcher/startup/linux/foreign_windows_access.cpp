#include "launcher/startup/foreign_windows_access.h"

#include <iostream>
#include <memory>
#include <string>

#include "launcher/modules/foreign_windows_module_api.h"
#include "launcher/modules/launcher_module.h"
#include "platform/process/environment.h"
#include "update/build_settings.h"

namespace vantu {

std::optional<ForeignWindowsAccess> OpenForeignWindows() {
    // A booster's windows can only be found on a display; without one the
    // X11 client module is not even loaded.
    if (!platform::HasEnvironmentValue("DISPLAY")) {
        return std::nullopt;
    }
    std::string error;
    auto module = std::make_shared<platform::SharedLibrary>(
        LoadLauncherModule(Settings().foreignWindowsModule, error));
    const auto* api = module->Loaded() ? LauncherModuleApi<VantuForeignWindowsModuleApi>(
                                             *module, kForeignWindowsModuleEntryName,
                                             kForeignWindowsModuleApiVersion, error)
                                       : nullptr;
    if (api == nullptr) {
        std::cerr << "no running booster looked for: " << error << std::endl;
        return std::nullopt;
    }
    // Each function keeps the module loaded while it may be called.
    return ForeignWindowsAccess{
        .find =
            [module, api](std::wstring_view className, std::wstring_view title) {
                return static_cast<std::uintptr_t>(
                    api->findWindow(ToModuleText(className), ToModuleText(title)));
            },
        .send =
            [module, api](std::uintptr_t window, unsigned message,
                          std::chrono::milliseconds timeout) {
                return api->sendMessage(window, message, 0, 0,
                                        static_cast<long>(timeout.count())) != 0;
            },
    };
}

}  // namespace vantu
