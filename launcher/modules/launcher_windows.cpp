#include "launcher/modules/launcher_windows.h"

#include <iostream>
#include <system_error>

#include "launcher/message_box_text.h"
#include "launcher/modules/compose_input.h"
#include "launcher/modules/windows_module_table.h"
#include "platform/process/startup_trace.h"

namespace vantu {

LauncherWindows::~LauncherWindows() {
    if (m_loader.joinable()) {
        m_loader.join();
    }
}

void LauncherWindows::LoadAhead() {
    if (m_loadTried || m_loader.joinable() || !WindowsCanBeSeen()) {
        return;
    }
    // The environment is changed before the look-ahead thread reads it.
    LeaveOutComposeTable();
    // A thread that cannot start leaves the load to the first window.
    try {
        m_loader = std::thread([this] {
            Load();
            if (m_api != nullptr) {
                m_api->prepare();
            }
        });
    } catch (const std::system_error&) {
    }
}

void LauncherWindows::Load() {
    m_loadTried = true;
    m_api = LoadWindowsModuleTable(m_module, m_error);
    platform::MarkStartup("windows module loaded");
}

const VantuWindowsModuleApi* LauncherWindows::Api() {
    if (m_loader.joinable()) {
        m_loader.join();
    }
    if (!m_loadTried) {
        Load();
    }
    if (m_api == nullptr && !m_errorTold) {
        m_errorTold = true;
        std::cerr << "no windows: " << m_error << std::endl;
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
