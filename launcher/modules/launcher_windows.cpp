#include "launcher/modules/launcher_windows.h"

#include <iostream>

#include "launcher/message_box_text.h"
#include "launcher/modules/launcher_module.h"
#include "update/build_settings.h"

namespace vantu {

const VantuWindowsModuleApi* LauncherWindows::Api() {
    if (m_loadTried) {
        return m_api;
    }
    m_loadTried = true;
    std::string error;
    m_module = LoadLauncherModule(Settings().windowsModule, error);
    if (m_module.Loaded()) {
        m_api = LauncherModuleApi<VantuWindowsModuleApi>(m_module, kWindowsModuleEntryName,
                                                         kWindowsModuleApiVersion, error);
    }
    if (m_api == nullptr) {
        std::cerr << "no windows: " << error << std::endl;
    }
    return m_api;
}

bool LauncherWindows::ShowMessageBox(bool okOnly, const std::wstring& title,
                                     const std::wstring& content) {
    if (const auto* api = Api()) {
        return api->showMessageBox(okOnly ? 1 : 0, ToModuleText(title), ToModuleText(content)) != 0;
    }
    WriteMessageBoxText(title, content);
    return true;
}

bool LauncherWindows::RunUpgradeWindow(const std::wstring& updateContent,
                                       const std::wstring& downloadUrl,
                                       const std::wstring& version) {
    if (const auto* api = Api()) {
        return api->runUpgradeWindow(ToModuleText(updateContent), ToModuleText(downloadUrl),
                                     ToModuleText(version)) != 0;
    }
    return false;
}

}  // namespace vantu
