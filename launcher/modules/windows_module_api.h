#pragma once

// What the launcher's windows module (lib<launcher program>-windows.so, all
// that draws) offers the program: one exported entry point that hands out a
// table of functions for the version the caller speaks.

#include "launcher/modules/module_text.h"

extern "C" {

struct VantuWindowsModuleApi {
    unsigned version;
    // The skinned message box, modal; 1 when OK was clicked. Without a
    // display its text goes to standard error and the answer is OK.
    int (*showMessageBox)(int okOnly, VantuModuleText title, VantuModuleText content);
    // The upgrade window with its worker, until it is gone; 1 when the
    // booster is to be started.
    int (*runUpgradeWindow)(VantuModuleText updateContent, VantuModuleText downloadUrl,
                            VantuModuleText version);
    // Gets what any window needs ready (the font configuration and the
    // display connection); may run on a thread of its own, before the first
    // window, which still makes the thread that shows it the display's.
    void (*prepare)();
};

// Null when the module does not speak `version`.
using VantuWindowsModuleEntry = const VantuWindowsModuleApi* (*)(unsigned version);

// The entry point itself (windows_module_entry.cpp), linked into the
// program where the windows are not a module of their own.
const VantuWindowsModuleApi* VantuWindowsModule(unsigned version);
}

namespace vantu {

inline constexpr unsigned kWindowsModuleApiVersion = 2;
inline constexpr char kWindowsModuleEntryName[] = "VantuWindowsModule";

}  // namespace vantu
