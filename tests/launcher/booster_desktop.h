#pragma once

// Where the demo booster shows its windows in a launcher test, as each system
// has it: on Linux an X server of the test's own, with and without a window
// manager; on Windows the wine desktop, which every checkout shares (another
// checkout's booster can be found too, so a failure there is worth one more run).

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace launcher_test {

struct BoosterDesktop {
    // The environment of the booster and of the launcher that looks for it.
    std::vector<std::string> env;
    // What must live while the test runs (the X server).
    std::shared_ptr<void> keep;
};

// The desktops a test runs on; each name ends the test's name.
std::vector<std::string> BoosterDesktopKinds();

// Nullopt when that desktop cannot be had on this machine.
std::optional<BoosterDesktop> StartBoosterDesktop(const std::string& kind);

// What starting and ending a small program costs here beyond its own work
// (under wine much more than on Linux).
extern const std::chrono::milliseconds kProgramRunAllowance;

// Whether a booster woken after the launcher's send gave up still handles the
// message (Linux delivers it late; wine drops it).
extern const bool kLateMessageHandled;

}  // namespace launcher_test
