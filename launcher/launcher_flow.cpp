#include "launcher/launcher_flow.h"

#include <iostream>

#include "launcher/booster.h"
#include "launcher/startup/installed_version.h"
#include "launcher/startup/pending_deletions.h"
#include "launcher/startup/running_booster.h"
#include "launcher/startup/single_instance_guard.h"
#include "launcher/skin_archive_resource.h"
#include "launcher/startup/startup_decision.h"
#include "platform/files/file_system.h"
#include "platform/resources/module_handle.h"
#include "platform/files/paths.h"
#include "platform/text/text_codec.h"
#include "ui/core/resource_settings.h"

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

}  // namespace

int RunLauncher() {
    SingleInstanceGuard guard;
    guard.OnAlreadyRunning([] { std::cout << "has a exe running!" << std::endl; })
        .OnAnotherInstanceStarted([] { std::cout << "has other exe want to run" << std::endl; })
        .Start(L"VantuLauncher");
    if (NotifyRunningBooster()) {
        return 0;
    }

    const std::wstring folder = platform::ModuleFolder();
    const std::wstring installedVersion = InstalledVersion(folder);
    RetryPendingDeletions(folder);

    HttpClient client;  // keeps its connection until the run ends
    const StartupDecision decision = DecideStartup(client, installedVersion);

    VantuUI::CResourceSettings::SetProgramModule(platform::CurrentModule());
    // COM needs no initialisation here.
    LoadSkinArchiveResource();
    switch (decision.outcome) {
        case StartupOutcome::RequestFailed:
            std::cerr << "Get Data Failed!" << std::endl;
            break;
        case StartupOutcome::StartBooster:
            LaunchBooster(folder);
            break;
        case StartupOutcome::Upgrade:
            // The upgrade window is not there yet: say what it would do.
            std::cerr << "upgrade needed: installed version \""
                      << platform::EncodeUtf8(installedVersion) << "\", latest version \""
                      << platform::EncodeUtf8(decision.query.latestVersion) << "\", package \""
                      << platform::EncodeUtf8(decision.query.downloadUrl) << "\"" << std::endl;
            break;
    }
    return 0;
}

}  // namespace vantu
