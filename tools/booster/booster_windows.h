#pragma once

#include <string>

namespace booster {

struct WindowOptions {
    std::string version;
    std::string commandLine;
    bool upgradeWindow = false;
};

// Whether windows can be shown at all: on Linux only with a display.
bool CanShowWindows();

// Opens the booster's windows (on Linux on the X11 display) and runs until the main one
// is closed or the program is asked to quit. Each message 0 sent to a window
// (by a later launcher) is counted and reported on standard output. False,
// with the reason on standard error, when no window could be opened.
bool RunWindows(const WindowOptions& options);

}  // namespace booster
