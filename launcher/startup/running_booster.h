#pragma once

namespace vantu {

// When the booster runs (its "MainWindow" titled "VantuSpeedUp" exists), sends
// message 0 to its "UpgradeWindow" if it has one, else to its "MainWindow",
// waits until the booster processed it (or a time-out passed) and returns
// true: the launcher then has nothing left to do. False when it does not run.
bool NotifyRunningBooster();

}  // namespace vantu
