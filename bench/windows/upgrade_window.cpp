// The upgrade window under wine, the launcher a fresh process each time on
// the wine desktop, against the local update server on the host (as
// bench/upgrade_window.cpp measures it on Xvfb):
//   - start to the window's first frame (the version query included): the
//     launcher's "first frame painted" milestone (VANTU_STARTUP_TRACE), with
//     where its time goes, and when its "MainWindow" was first seen visible
//     from outside; in rounds that take turns with a fetch of the version
//     answer by the minimal WinINet program, for information (wine's
//     desktop keeps no pixels, so no frame can be seen on the screen);
//   - the peak memory of a whole 200 MB upgrade with the window: the peak
//     working set and peak private bytes of the launcher process (polled:
//     wine reads them from the running process only), beside the minimal
//     WinINet program's (what wine itself puts in any working set); limit
//     48 MB on the launcher's working set, printed last. Fails when it is
//     missed.

#include <windows.h>
// After windows.h, whose types it uses.
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/support/bench_support.h"
#include "bench/support/milestones.h"
#include "bench/support/process_runs.h"
#include "bench/support/reference_fetches.h"
#include "bench/support/upgrade_window_goals.h"
#include "tests/launcher/windows/process_windows.h"
#include "tests/support/host_program.h"
#include "tests/support/temp_dir.h"
#include "tests/support/update_server.h"
#include "update/build_settings.h"

namespace {

namespace fs = std::filesystem;
using namespace bench_support;
using Clock = std::chrono::steady_clock;

// The first window of a process on a fresh wine desktop can take ten seconds.
constexpr auto kWindowWait = std::chrono::seconds(30);
// Looking costs the cores the launcher needs.
constexpr auto kPollInterval = std::chrono::milliseconds(2);
constexpr char kFirstFrame[] = "first frame painted";
constexpr char kSeen[] = "window seen visible from outside";

bool Traced(const fs::path& trace, const char* what) {
    std::ifstream in(trace, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (line.find(what) != std::string::npos) {
            return true;
        }
    }
    return false;
}

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// One launcher run to its first frame, then ended: its milestones (the
// window seen from outside among them); empty when no frame came. A
// launcher that met another one is run again.
Milestones FirstFrame(const fs::path& launcher, const fs::path& trace) {
    for (int attempt = 0; attempt < kLauncherAttempts; ++attempt) {
        std::ofstream{trace};
        const auto start = Clock::now();
        ProcessHandle process = StartQuiet({launcher.string()});
        if (!process) {
            return {};
        }
        const DWORD pid = GetProcessId(process.get());
        double seenMs = -1;
        bool painted = false;
        bool ended = false;
        while (!painted && !ended && Clock::now() - start < kWindowWait) {
            if (seenMs < 0 && testing_support::WaitForProcessWindow(pid, L"MainWindow",
                                                                    std::chrono::milliseconds(0))) {
                seenMs = MillisecondsSince(start);
            }
            painted = seenMs >= 0 && Traced(trace, kFirstFrame);
            ended = WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
            std::this_thread::sleep_for(kPollInterval);
        }
        DWORD code = 0;
        if (ended && GetExitCodeProcess(process.get(), &code) &&
            static_cast<int>(code) == kAnotherLauncherStatus) {
            std::this_thread::sleep_for(kLauncherRetryPause);
            continue;
        }
        TerminateProcess(process.get(), 1);
        WaitForSingleObject(process.get(), INFINITE);
        if (!painted) {
            std::fprintf(stderr, "the upgrade window did not show and paint\n");
            return {};
        }
        Milestones milestones = ReadMilestones(trace, start);
        milestones.emplace_back(kSeen, seenMs);
        return milestones;
    }
    std::fprintf(stderr, "another launcher kept running\n");
    return {};
}

std::string UpgradeAnswer(const std::string& address) {
    return R"({"Code":0,"Data":{"LatestVersion":"1.0.0.1","UpdateContent":"1|2|3","DownloadUrl":")" +
           address + R"("}})";
}

// The package: the booster and 200 MB of random bytes, stored. Made on the
// host, which has 7z; false when it failed.
bool MakePackage(const fs::path& booster, const fs::path& work, const fs::path& archive) {
    testing_support::HostProgram shell(
        "/bin/bash", {"-c",
                      "mkdir -p \"$1/data\" && cp \"$2\" \"$1/\" && "
                      "head -c 209715200 /dev/urandom > \"$1/data/big.pak\" && cd \"$1\" && "
                      "/usr/bin/7z a -t7z -mx=0 \"$3\" . > /dev/null && echo packed; echo stopped",
                      "bash", testing_support::HostPath(work / "payload"),
                      testing_support::HostPath(booster), testing_support::HostPath(archive)});
    return shell.WaitForOutput("stopped", std::chrono::minutes(5)) &&
           shell.Out().find("packed") != std::string::npos;
}

struct Peak {
    double workingSetMb = -1;
    double privateMb = -1;
};

// A program's peak memory over its run to exit code 0; negative when the
// run failed. Polled while it runs: wine reads the figures of a live process.
Peak PeakOf(const std::vector<std::string>& args) {
    ProcessHandle process = StartQuiet(args);
    if (!process) {
        return {};
    }
    SIZE_T workingSet = 0;
    SIZE_T pagefile = 0;
    while (WaitForSingleObject(process.get(), 5) == WAIT_TIMEOUT) {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(process.get(), &counters, sizeof counters)) {
            workingSet = std::max(workingSet, counters.PeakWorkingSetSize);
            pagefile = std::max(pagefile, counters.PeakPagefileUsage);
        }
    }
    DWORD code = 1;
    if (!GetExitCodeProcess(process.get(), &code) || code != 0 || workingSet == 0) {
        std::fprintf(stderr, "%s failed (exit code %lu)\n", args[0].c_str(), code);
        return {};
    }
    constexpr double kMb = 1024.0 * 1024.0;
    return {static_cast<double>(workingSet) / kMb, static_cast<double>(pagefile) / kMb};
}

int Measure(const fs::path& work, const fs::path& launcher, const fs::path& booster) {
    const auto& settings = vantu::Settings();
    testing_support::UpdateServerOptions options;
    options.port = settings.updatePort;
    const testing_support::LocalUpdateServer server(options);
    // A package that never comes: the window stays until ended.
    server.SetVersionAnswer(UpgradeAnswer(server.HttpsUrl("/b/stall/never.7z")));
    const std::string versionAddress =
        server.HttpsUrl("/v1/oem/clientVersion?oemId=" + std::to_string(settings.oemId));
    const ReferenceFetch fetch = ReferenceFetches(
        versionAddress, testing_support::LocalUpdateServer::PkiDir() / "ca.pem")[0];

    const fs::path trace = work / "trace";
    MilestoneTimes milestones;
    int round = 0;
    const auto times = Rotate(kFirstFrameRounds,
                              {[&] {
                                   SetVariable("VANTU_STARTUP_TRACE", trace.string().c_str());
                                   const Milestones run = FirstFrame(launcher, trace);
                                   SetVariable("VANTU_STARTUP_TRACE", nullptr);
                                   const auto frame = std::find_if(
                                       run.begin(), run.end(),
                                       [](const auto& m) { return m.first == kFirstFrame; });
                                   if (frame == run.end()) {
                                       return -1.0;
                                   }
                                   if (round++ >= kFirstFrameWarmUp) {
                                       for (const auto& [what, ms] : run) {
                                           milestones[what].push_back(ms);
                                       }
                                   }
                                   return frame->second;
                               },
                               [&] { return fetch.microseconds() / 1000; }},
                              kFirstFrameWarmUp);
    if (times.empty()) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }

    server.SetVersionAnswer(UpgradeAnswer(server.HttpsUrl("/package.7z")));
    if (!MakePackage(booster, work, server.Root() / "package.7z")) {
        std::fprintf(stderr, "the package could not be made\n");
        return 1;
    }
    const Peak peak = PeakOf({launcher.string()});
    // What wine itself holds in any program's working set: its libraries.
    const Peak minimal =
        PeakOf({kWinInetFetch.string(), versionAddress,
                testing_support::GuestPath(testing_support::LocalUpdateServer::PkiDir() / "ca.pem")
                    .string()});
    if (peak.workingSetMb < 0 || minimal.workingSetMb < 0) {
        return 1;
    }

    PrintBreakdown(milestones, times[0].size());
    std::printf("%d rounds of the launcher and the WinINet fetch in turns:\n", kFirstFrameRounds);
    PrintSpread("launcher, start to first frame painted", times[0], 1, "ms");
    PrintSpread("WinINet fetch of the version answer", times[1], 1, "ms");
    std::printf("the minimal WinINet program's peak: working set %.1f MB, private bytes %.1f MB\n",
                minimal.workingSetMb, minimal.privateMb);
    std::printf("peak private bytes of a 200 MB upgrade with the window: %6.1f MB\n",
                peak.privateMb);
    const bool peakOk = peak.workingSetMb <= kUpgradePeakLimitMb;
    std::printf(
        "peak memory (working set) of a 200 MB upgrade with the window: %6.1f MB (limit %.0f) "
        "%s\n",
        peak.workingSetMb, kUpgradePeakLimitMb, peakOk ? "ok" : "TOO MUCH");
    return peakOk ? 0 : 1;
}

}  // namespace

int main() {
    const fs::path bin = VANTU_BIN_DIR;
    const fs::path launcherProgram = bin / "VantuLauncherLocal.exe";
    const fs::path booster = bin / "VantuSpeedUp.exe";
    if (!fs::exists(launcherProgram) || !fs::exists(bin / "7z.dll") || !ReferencesPresent()) {
        std::fprintf(stderr, "needs %s, 7z.dll and the reference programs\n",
                     launcherProgram.string().c_str());
        return 1;
    }
    const testing_support::TempDir work;
    const fs::path folder = work / "app";
    fs::create_directories(folder);
    const fs::path launcher = folder / "VantuLauncher.exe";
    fs::copy_file(launcherProgram, launcher);
    fs::copy_file(booster, folder / "VantuSpeedUp.exe");
    fs::copy_file(bin / "7z.dll", folder / "7z.dll");
    // The started booster records itself instead of opening a window.
    SetVariable("VANTU_BOOSTER_RECORD", (work / "record").string().c_str());
    try {
        return Measure(work.path(), launcher, booster);
    } catch (const std::exception& error) {
        // The update server's helpers report a server that did not start so.
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
