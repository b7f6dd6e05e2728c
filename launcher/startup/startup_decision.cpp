#include "launcher/startup/startup_decision.h"

#include "launcher/startup/installed_version.h"

namespace vantu {

StartupDecision DecideStartup(HttpClient& client, const std::wstring& installedVersion) {
    StartupDecision decision;
    decision.query = QueryLatestVersion(client, VersionQueryAddress());
    const bool needUpdate = IsUpdateNeeded(installedVersion, decision.query.latestVersion);
    if (!decision.query.requestOk) {
        decision.outcome = StartupOutcome::RequestFailed;
    } else if (decision.query.code != 0 || !needUpdate) {
        decision.outcome = StartupOutcome::StartBooster;
    } else {
        decision.outcome = StartupOutcome::Upgrade;
    }
    return decision;
}

}  // namespace vantu
