#include "tests/launcher/booster_desktop.h"

namespace launcher_test {

const std::chrono::milliseconds kProgramRunAllowance{4000};
const bool kLateMessageHandled = false;

std::vector<std::string> BoosterDesktopKinds() {
    return {"wine"};
}

std::optional<BoosterDesktop> StartBoosterDesktop(const std::string&) {
    return BoosterDesktop{};
}

}  // namespace launcher_test
