#include "tests/launcher/booster_desktop.h"

#include "tests/support/x_server.h"

namespace launcher_test {

const std::chrono::milliseconds kProgramRunAllowance{1000};
const bool kLateMessageHandled = true;

std::vector<std::string> BoosterDesktopKinds() {
    return {"none", "openbox"};
}

std::optional<BoosterDesktop> StartBoosterDesktop(const std::string& kind) {
    std::unique_ptr<testing_support::XServer> server;
    testing_support::StartXServerOrSkip(kind == "openbox", server);
    if (!server) {
        return std::nullopt;
    }
    BoosterDesktop desktop{{server->Env()}, nullptr};
    desktop.keep = std::shared_ptr<testing_support::XServer>(std::move(server));
    return desktop;
}

}  // namespace launcher_test
