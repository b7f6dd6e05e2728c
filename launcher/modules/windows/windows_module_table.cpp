#include "launcher/modules/windows_module_table.h"

#include "platform/window/can_show_windows.h"

namespace vantu {

bool WindowsCanBeSeen() {
    return platform::CanShowWindows();
}

const VantuWindowsModuleApi* LoadWindowsModuleTable(platform::SharedLibrary& /*module*/,
                                                    std::string& error) {
    const VantuWindowsModuleApi* api = VantuWindowsModule(kWindowsModuleApiVersion);
    if (api == nullptr) {
        error = std::string(kWindowsModuleEntryName) + " does not offer version " +
                std::to_string(kWindowsModuleApiVersion);
    }
    return api;
}

}  // namespace vantu
