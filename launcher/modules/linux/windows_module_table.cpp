#include "launcher/modules/windows_module_table.h"

#include "launcher/modules/launcher_module.h"
#include "platform/process/environment.h"
#include "update/build_settings.h"

namespace vantu {

bool WindowsCanBeSeen() {
    return platform::HasEnvironmentValue("DISPLAY") ||
           platform::HasEnvironmentValue("WAYLAND_DISPLAY") ||
           platform::HasEnvironmentValue("SDL_VIDEODRIVER");
}

const VantuWindowsModuleApi* LoadWindowsModuleTable(platform::SharedLibrary& module,
                                                    std::string& error) {
    module = LoadLauncherModule(Settings().windowsModule, error);
    if (!module.Loaded()) {
        return nullptr;
    }
    return LauncherModuleApi<VantuWindowsModuleApi>(module, kWindowsModuleEntryName,
                                                    kWindowsModuleApiVersion, error);
}

}  // namespace vantu
