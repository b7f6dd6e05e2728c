#include "launcher/launcher_flow.h"

#include <iostream>
#include <string_view>

#include "launcher/booster.h"
#include "launcher/modules/launcher_windows.h"
#include "launcher/startup/com_apartment.h"
#include "launcher/startup/installed_version.h"
#include "launcher/startup/pending_deletions.h"
#include "launcher/startup/running_booster.h"
#include "launcher/startup/single_instance_guard.h"
#include "launcher/startup/startup_decision.h"
#include "platform/files/file_system.h"
#include "platform/process/startup_trace.h"
#include "platform/resources/module_path.h"
#include "update/build_settings.h"

namespace vantu {

namespace {

std::wstring InstalledVersion(const std::wstring& folder) {
    std::wstring version;
    auto booster = BoosterPath(folder);
    if (platform::PathExists(booster)) {
        QueryFileVersion(booster, version);
    }
    return version;
}

// The build checks that the key is plain ASCII.
std::wstring InstanceKey() {
    const std::string_view key = Settings().instanceKey;
    return std::wstring(key.begin(), key.end());
}

}  // namespace

int RunLauncher() {
    platform::MarkStartup("launcher entered");
    SingleInstanceGuard guard;
    guard.OnAlreadyRunning([] { std::cout << "has a exe running!" << std::endl; })
        .OnAnotherInstanceStarted([] { std::cout << "has other exe want to run" << std::endl; })
        .Start(InstanceKey());
    if (NotifyRunningBooster()) {
        return 0;
    }
    // Loaded while the checks run and the query is in flight, where a window
    // could be seen; the booster's start never waits for it.
    LauncherWindows windows;
    windows.LoadAhead();

    const std::wstring folder = platform::ModuleFolder();
    const std::wstring installedVersion = InstalledVersion(folder);
    RetryPendingDeletions(folder);

    HttpClient client;  // keeps its connection until the run ends
    platform::MarkStartup("checks done, version query starts");
    const StartupDecision decision = DecideStartup(client, installedVersion);
    platform::MarkStartup("version answer read");
    if (!InitializeCom()) {
        return 0;  // silently: no box, no booster
    }

    switch (decision.outcome) {
        case StartupOutcome::RequestFailed:
            windows.ShowMessageBox(true, L"Error", L"Get Data Failed!");
            break;
        case StartupOutcome::StartBooster:
            LaunchBooster(folder);
            break;
        case StartupOutcome::Upgrade:
            if (windows.RunUpgradeWindow(decision.query.updateContent, decision.query.downloadUrl,
                                         decision.query.latestVersion)) {
                LaunchBooster(folder);
            }
            break;
    }
    return 0;
}

}  // namespace vantu
