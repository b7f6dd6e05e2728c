// The launcher from its start to the booster started (the version query over
// HTTPS against the local update server names the installed version, so the
// run ends once the booster is started), compared with a fetch of the same
// address by a reference program (bench/support/reference_fetches.h: curl on
// Linux; under wine a minimal WinINet program, with the host's curl for
// information). Each run is a fresh process, without a display; they take
// turns. Prints the medians and quartiles and, last, the launcher's median
// over the reference's; fails when that is above the system's limit.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "bench/support/bench_support.h"
#include "bench/support/process_runs.h"
#include "bench/support/reference_fetches.h"
#include "tests/support/temp_dir.h"
#include "tests/support/update_server.h"
#include "update/build_settings.h"

namespace {

namespace fs = std::filesystem;
using namespace bench_support;

constexpr int kWarmUp = 5;
constexpr int kRuns = 61;

// Whether the launcher started the booster with its options: the booster is
// not waited for, so its record is read until its last line (a record read
// as soon as it exists may still be empty on a busy machine).
bool StartsTheBooster(const std::vector<std::string>& launcherRun, const fs::path& record) {
    TimeRun(launcherRun);
    std::string said;
    for (int i = 0; i < 1000 && !said.ends_with("end\n"); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream in(record, std::ios::binary);
        said.assign(std::istreambuf_iterator<char>(in), {});
    }
    if (said.find("arg -show") == std::string::npos) {
        std::fprintf(stderr, "the launcher did not start the booster: %s\n", said.c_str());
        return false;
    }
    return true;
}

int Measure(const fs::path& folder, const fs::path& record) {
    const auto& settings = vantu::Settings();
    testing_support::UpdateServerOptions options;
    options.port = settings.updatePort;
    const testing_support::LocalUpdateServer server(options);
    // The booster's own version: the launcher starts it and ends.
    server.SetVersionAnswer(
        R"({"Code":0,"Data":{"LatestVersion":"1.0.0.0","UpdateContent":"","DownloadUrl":"u"}})");
    const std::string address =
        server.HttpsUrl("/v1/oem/clientVersion?oemId=" + std::to_string(settings.oemId));
    const std::vector<std::string> launcherRun{
        (folder / ("VantuLauncher" VANTU_EXE_SUFFIX)).string()};
    if (!StartsTheBooster(launcherRun, record)) {
        return 1;
    }
    const std::vector<ReferenceFetch> references =
        ReferenceFetches(address, testing_support::LocalUpdateServer::PkiDir() / "ca.pem");
    std::vector<std::function<double()>> runs{[&] { return TimeRun(launcherRun); }};
    for (const auto& reference : references) {
        runs.push_back(reference.microseconds);
    }
    const auto times = Rotate(kRuns, runs, kWarmUp);
    if (times.empty()) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }
    std::printf("runs: %d each, in turns (after %d warm-up rounds)\n", kRuns, kWarmUp);
    PrintSpread("launcher start to booster started:", times[0], 1, "us");
    for (std::size_t i = 0; i < references.size(); ++i) {
        PrintSpread(references[i].label, times[i + 1], 1, "us");
    }
    const SideBySide goal{times[0], times[1]};
    return ReportAtMost("launcher / reference:", goal.Ratio(), kReferenceLimit) ? 0 : 1;
}

}  // namespace

int main() {
    const fs::path bin = VANTU_BIN_DIR;
    const fs::path launcher = bin / ("VantuLauncherLocal" VANTU_EXE_SUFFIX);
    const fs::path booster = bin / "VantuSpeedUp.exe";
    if (!fs::exists(launcher) || !fs::exists(booster) || !ReferencesPresent()) {
        std::fprintf(stderr, "needs %s, %s and the reference programs\n", launcher.string().c_str(),
                     booster.string().c_str());
        return 1;
    }
    const testing_support::TempDir work;
    const fs::path folder = work / "app";
    fs::create_directories(folder);
    fs::copy_file(launcher, folder / ("VantuLauncher" VANTU_EXE_SUFFIX));
    fs::copy_file(booster, folder / "VantuSpeedUp.exe");
    LeaveOutDisplay();
    // A booster that records its start ends at once, showing no window:
    // one left running would stop the next launcher early.
    SetVariable("VANTU_BOOSTER_RECORD", (work / "record").string().c_str());
    try {
        return Measure(folder, work / "record");
    } catch (const std::exception& error) {
        // The update server's helpers report a server that did not start so.
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
