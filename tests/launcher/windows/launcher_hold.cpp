#include <memory>

#include "tests/launcher/launcher_stage.h"
#include "tests/support/update_server.h"
#include "update/build_settings.h"

namespace launcher_test {

// The local update server on the tests' port, taking the version request and
// never answering it: a launcher's query waits there until the server goes.
struct LauncherHold::State {
    std::unique_ptr<testing_support::LocalUpdateServer> server;
};

LauncherHold::LauncherHold(const LauncherStage&) : m_state(std::make_unique<State>()) {
    m_state->server = std::make_unique<testing_support::LocalUpdateServer>(
        testing_support::UpdateServerOptions{.port = vantu::Settings().updatePort});
    m_state->server->SetVersionBehaviour("stall");
}

LauncherHold::~LauncherHold() = default;

void LauncherHold::Release() {
    // Its connections drop with it, and the held queries fail.
    m_state->server.reset();
}

void LauncherHold::Stop() {
    // Nothing then listens on the port: a query fails at once.
    Release();
}

}  // namespace launcher_test
