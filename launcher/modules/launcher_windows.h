#pragma once

// The launcher's windows as the program sees them. On Linux the windows
// module (Settings().windowsModule, or its namesake beside the program) is
// loaded when the first window is about to be shown, or ahead of that on a
// thread of its own while the version query is in flight, so that a run that
// shows none on a machine without a display loads no display library; on
// Windows the windows are linked in (modules/linux/, modules/windows/).
// Without them the launcher acts as without a display, after one line on
// standard error saying why.

#include <string>
#include <thread>

#include "launcher/modules/windows_module_api.h"
#include "platform/modules/shared_library.h"

namespace vantu {

class LauncherWindows {
  public:
    LauncherWindows() = default;
    // Waits for a load begun ahead.
    ~LauncherWindows();
    LauncherWindows(const LauncherWindows&) = delete;
    LauncherWindows& operator=(const LauncherWindows&) = delete;

    // Begins loading the module and getting its fonts and the display
    // connection ready on a thread of its own, when a display is named (a
    // window could not be seen otherwise). Nothing waits for it but the
    // first window and the end of the run.
    void LoadAhead();

    // Answers whether OK was clicked; without the module the text goes to
    // standard error and the answer is OK, the box's default.
    bool ShowMessageBox(bool okOnly, const std::wstring& title, const std::wstring& content);

    // Whether the booster is to be started; without the module nothing is
    // upgraded and the answer is no, as when the window cannot be created.
    bool RunUpgradeWindow(const std::wstring& updateContent, const std::wstring& downloadUrl,
                          const std::wstring& version);

  private:
    // The module's table, loading it on first use; null when it cannot be had.
    const VantuWindowsModuleApi* Api();
    void Load();

    std::thread m_loader;
    platform::SharedLibrary m_module;
    const VantuWindowsModuleApi* m_api = nullptr;
    std::string m_error;
    bool m_loadTried = false;
    bool m_errorTold = false;
};

}  // namespace vantu
