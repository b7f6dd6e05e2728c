#pragma once

// The start-up decision: ask the update server for the latest version and
// choose between the three ways a run continues.

#include <string>

#include "update/net/http_client.h"
#include "update/version_query.h"

namespace vantu {

enum class StartupOutcome {
    RequestFailed,  // tell the user; the booster is not started
    StartBooster,   // the answer says so ("Code" not 0) or no upgrade is needed
    Upgrade,        // run the upgrade with the answer's package
};

struct StartupDecision {
    VersionQueryResult query;
    StartupOutcome outcome = StartupOutcome::RequestFailed;
};

// Queries VersionQueryAddress() through `client`, which lives as long as the
// run and keeps its handles, and decides with the installed version (empty
// when the booster is missing or unreadable).
StartupDecision DecideStartup(HttpClient& client, const std::wstring& installedVersion);

}  // namespace vantu
