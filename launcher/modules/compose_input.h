#pragma once

// The launcher's windows take no composed input: they hold no edit control
// (the upgrade window's notes are read-only). On Linux the display's input
// method would otherwise read the locale's compose table, thousands of
// lines and tens of milliseconds on the way to the first frame; the
// programs the launcher starts still get the environment it was given.
// Nothing to do on Windows.

namespace vantu {

// Before the display connects, while no other thread reads the environment.
void LeaveOutComposeTable();

}  // namespace vantu
