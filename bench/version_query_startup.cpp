// The launcher from its start to the booster started (the version query over
// HTTPS against the local update server names the installed version, so the
// run ends once the booster is started), compared with the curl program
// fetching the same address. Each run is a fresh process, without a display;
// the two alternate. Prints the medians and their ratio; fails when the
// ratio is above 1.0.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "bench/support/bench_support.h"
#include "bench/support/local_server.h"
#include "update/build_settings.h"

namespace {

namespace fs = std::filesystem;
using bench_support::Server;
using bench_support::Spawn;
using Clock = std::chrono::steady_clock;

constexpr int kWarmUp = 5;
constexpr int kRuns = 61;
constexpr double kLimit = 1.0;

// Wall time of one run of the program, in microseconds; -1 when it failed.
// A launcher that met another one is run again: that run measured nothing.
double TimeRun(const std::vector<std::string>& args) {
    for (int attempt = 0; attempt < bench_support::kLauncherAttempts; ++attempt) {
        const auto start = Clock::now();
        pid_t pid = Spawn(args, true);
        int status = 0;
        if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
            return -1;
        }
        if (WEXITSTATUS(status) == 0) {
            return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
        }
        if (WEXITSTATUS(status) != bench_support::kAnotherLauncherStatus) {
            return -1;
        }
        std::this_thread::sleep_for(bench_support::kLauncherRetryPause);
    }
    return -1;
}

}  // namespace

int main() {
    const fs::path bin = VANTU_BIN_DIR;
    const fs::path launcher = bin / "VantuLauncherLocal";
    const fs::path booster = bin / "VantuSpeedUp.exe";
    if (!fs::exists(launcher) || !fs::exists(booster) || !fs::exists("/usr/bin/curl")) {
        std::fprintf(stderr, "needs %s, %s and /usr/bin/curl\n", launcher.c_str(), booster.c_str());
        return 1;
    }
    const auto& settings = vantu::Settings();
    const fs::path pki = VANTU_TEST_PKI_DIR;

    char pattern[] = "/tmp/vantu-bench-XXXXXX";
    const fs::path work = mkdtemp(pattern);
    const fs::path root = work / "root";
    const fs::path folder = work / "app";
    fs::create_directories(root);
    fs::create_directories(folder);
    fs::copy_file(launcher, folder / "VantuLauncher");
    fs::copy_file(booster, folder / "VantuSpeedUp.exe");
    // The booster's own version: the launcher starts it and ends; the booster
    // itself ends at once without a display.
    unsetenv("DISPLAY");
    std::ofstream(root / "clientVersion.json")
        << R"({"Code":0,"Data":{"LatestVersion":"1.0.0.0","UpdateContent":"","DownloadUrl":"u"}})";

    int status = 1;
    {
        Server server(root, pki, settings.updatePort);
        if (!server.Up()) {
            std::fprintf(stderr, "the update server did not start on port %d\n",
                         settings.updatePort);
        } else {
            const std::string address =
                "https://127.0.0.1:" + std::to_string(settings.updatePort) +
                "/v1/oem/clientVersion?oemId=" + std::to_string(settings.oemId);
            const std::vector<std::string> launcherRun{(folder / "VantuLauncher").string()};
            const std::vector<std::string> curlRun{
                "/usr/bin/curl",           "-sS",  "-o", "/dev/null", "--fail", "--cacert",
                (pki / "ca.pem").string(), address};
            // Make sure that the launcher does start the booster.
            {
                const fs::path record = work / "record";
                setenv("VANTU_BOOSTER_RECORD", record.c_str(), 1);
                TimeRun(launcherRun);
                unsetenv("VANTU_BOOSTER_RECORD");
                // The booster is not waited for: give it time to record, up
                // to its last line (a record read as soon as it exists may
                // still be empty on a busy machine).
                std::string said;
                for (int i = 0; i < 1000 && !said.ends_with("end\n"); ++i) {
                    usleep(10000);
                    std::ifstream in(record);
                    said.assign(std::istreambuf_iterator<char>(in), {});
                }
                if (said.find("arg -show") == std::string::npos) {
                    std::fprintf(stderr, "the launcher did not start the booster: %s\n",
                                 said.c_str());
                    fs::remove_all(work);
                    return 1;
                }
            }
            // Alternated so that both see the same machine load.
            const bench_support::SideBySide times = bench_support::Alternate(
                kRuns, [&] { return TimeRun(launcherRun); }, [&] { return TimeRun(curlRun); },
                kWarmUp);
            if (times.failed) {
                std::fprintf(stderr, "a run failed\n");
            } else {
                std::printf("runs: %d each, alternated (after %d warm-up runs)\n", kRuns, kWarmUp);
                bench_support::PrintSpread("launcher start to booster started:", times.ours, 1,
                                           "us");
                bench_support::PrintSpread("curl fetching the same address:", times.reference, 1,
                                           "us");
                status =
                    bench_support::ReportAtMost("launcher / curl:", times.Ratio(), kLimit) ? 0 : 1;
            }
        }
    }
    fs::remove_all(work);
    return status;
}
