// The demo booster: stands in for the real game booster so that the launcher
// has something to check, upgrade, start and find running. It writes its
// current folder and command line to the file named by VANTU_BOOSTER_RECORD
// (one item a line, appended, so that several starts can be counted).
//
// With -show where windows can be shown (on Linux: with a display), or with
// -window, it then opens its "MainWindow" titled "VantuSpeedUp" (with
// -upgrade-window also an "UpgradeWindow") and runs until closed, reporting each message 0 it
// receives on standard output. Otherwise it ends at once. A recording start (a test watching what
// the launcher started) opens no window for -show alone: a booster left running on the tester's
// desktop would make later launchers stop at once.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "launcher/startup/installed_version.h"
#include "platform/resources/module_path.h"
#include "platform/text/text_codec.h"
#include "tools/booster/booster_windows.h"

namespace {

void Record(const std::vector<std::string>& args) {
    const char* record = std::getenv("VANTU_BOOSTER_RECORD");
    if (record == nullptr) {
        return;
    }
    std::error_code ec;
    std::string cwd = std::filesystem::current_path(ec).string();
    // Binary: the same bytes on every system.
    std::ofstream out(record, std::ios::app | std::ios::binary);
    out << "cwd " << cwd << "\n";
    for (const auto& arg : args) {
        out << "arg " << arg << "\n";
    }
    out << "end\n";
}

bool Has(const std::vector<std::string>& args, const std::string& option) {
    for (const auto& arg : args) {
        if (arg == option) {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    Record(args);

    booster::WindowOptions options;
    options.upgradeWindow = Has(args, "-upgrade-window");
    const bool forced = Has(args, "-window") || options.upgradeWindow;
    const bool recording = std::getenv("VANTU_BOOSTER_RECORD") != nullptr;
    if (!forced && !(Has(args, "-show") && booster::CanShowWindows() && !recording)) {
        return 0;
    }
    // The version block of our own file: after an upgrade it is the new one.
    std::wstring version;
    vantu::QueryFileVersion(platform::ModuleFileName(), version);
    options.version = version.empty() ? "?" : platform::EncodeUtf8(version);
    for (const auto& arg : args) {
        options.commandLine += (options.commandLine.empty() ? "" : " ") + arg;
    }
    if (!booster::RunWindows(options)) {
        // Asked for by -show only: a booster without a display has nothing to show.
        return forced ? 1 : 0;
    }
    return 0;
}
