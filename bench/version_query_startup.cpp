// The launcher from its start to the booster started (the version query over
// HTTPS against the local update server names the installed version, so the
// run ends once the booster is started), compared with the curl program
// fetching the same address. Each run is a fresh process, without a display.
// Prints the medians and their ratio; fails when the ratio is above 1.3.

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
using bench_support::Quantile;
using bench_support::Server;
using bench_support::Spawn;
using Clock = std::chrono::steady_clock;

constexpr int kWarmUp = 5;
constexpr int kRuns = 61;
constexpr double kLimit = 1.3;

// Wall time of one run of the program, in microseconds; -1 when it failed.
double TimeRun(const std::vector<std::string>& args) {
    const auto start = Clock::now();
    pid_t pid = Spawn(args, true);
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return -1;
    }
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
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
                pid_t pid = Spawn({"/bin/sh", "-c",
                                   "VANTU_BOOSTER_RECORD='" + record.string() + "' exec '" +
                                       launcherRun[0] + "'"},
                                  false);
                waitpid(pid, nullptr, 0);
                // The booster is not waited for: give it a moment to record.
                for (int i = 0; i < 200 && !fs::exists(record); ++i) {
                    usleep(10000);
                }
                std::ifstream in(record);
                std::string said((std::istreambuf_iterator<char>(in)), {});
                if (said.find("arg -show") == std::string::npos) {
                    std::fprintf(stderr, "the launcher did not start the booster: %s\n",
                                 said.c_str());
                    fs::remove_all(work);
                    return 1;
                }
            }
            std::vector<double> launcherTimes;
            std::vector<double> curlTimes;
            bool failed = false;
            for (int i = 0; i < kWarmUp + kRuns && !failed; ++i) {
                // Alternate so that both see the same machine load.
                const double l = TimeRun(launcherRun);
                const double c = TimeRun(curlRun);
                failed = l < 0 || c < 0;
                if (i >= kWarmUp) {
                    launcherTimes.push_back(l);
                    curlTimes.push_back(c);
                }
            }
            if (failed) {
                std::fprintf(stderr, "a run failed\n");
            } else {
                const double launcherMedian = Quantile(launcherTimes, 0.5);
                const double curlMedian = Quantile(curlTimes, 0.5);
                const double ratio = launcherMedian / curlMedian;
                std::printf("runs: %d each (after %d warm-up runs)\n", kRuns, kWarmUp);
                std::printf("launcher start to booster started: %8.0f us (quartiles %.0f, %.0f)\n",
                            launcherMedian, Quantile(launcherTimes, 0.25),
                            Quantile(launcherTimes, 0.75));
                std::printf("curl fetching the same address:    %8.0f us (quartiles %.0f, %.0f)\n",
                            curlMedian, Quantile(curlTimes, 0.25), Quantile(curlTimes, 0.75));
                std::printf("ratio: %.2f (limit %.2f) %s\n", ratio, kLimit,
                            ratio <= kLimit ? "ok" : "TOO SLOW");
                status = ratio <= kLimit ? 0 : 1;
            }
        }
    }
    fs::remove_all(work);
    return status;
}
