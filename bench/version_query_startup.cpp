// The launcher from its start to its decision (the version query over HTTPS
// against the local update server, then starting the booster), compared with
// the curl program fetching the same address. Each run is a fresh process.
// Prints the medians and their ratio; fails when the ratio is above 1.5.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "update/build_settings.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kWarmUp = 3;
constexpr int kRuns = 41;
constexpr double kLimit = 1.5;

pid_t Spawn(const std::vector<std::string>& args, bool quiet) {
    std::vector<char*> argv;
    for (const auto& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

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

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The local update server on the port the test launcher is built for; killed
// when the object goes.
class Server {
  public:
    Server(const fs::path& root, const fs::path& pki, int port) {
        fs::path ready = root / ".ready";
        pid_ = Spawn({"/bin/sh", "-c",
                      "exec /usr/bin/python3 '" VANTU_SOURCE_DIR
                      "/tools/update_server/update_server.py' --root '" +
                          root.string() + "' --pki '" + pki.string() + "' --port " +
                          std::to_string(port) + " > '" + ready.string() + "'"},
                     false);
        const auto deadline = Clock::now() + std::chrono::seconds(15);
        while (Clock::now() < deadline) {
            std::ifstream in(ready);
            std::string line;
            if (std::getline(in, line) && line.starts_with("listening")) {
                up_ = true;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    ~Server() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    bool Up() const { return up_; }

  private:
    pid_t pid_ = -1;
    bool up_ = false;
};

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
    const fs::path pki = fs::path(settings.caBundle).parent_path();

    char pattern[] = "/tmp/vantu-bench-XXXXXX";
    const fs::path work = mkdtemp(pattern);
    const fs::path root = work / "root";
    const fs::path folder = work / "app";
    fs::create_directories(root);
    fs::create_directories(folder);
    fs::copy_file(launcher, folder / "VantuLauncher");
    fs::copy_file(booster, folder / "VantuSpeedUp.exe");
    // Same version as the booster: the launcher decides to start it.
    std::ofstream(root / "clientVersion.json")
        << R"({"Code":0,"Data":{"LatestVersion":"1.0.0.0","UpdateContent":"","DownloadUrl":""}})";

    int status = 1;
    {
        Server server(root, pki, settings.updatePort);
        if (!server.Up()) {
            std::fprintf(stderr, "the update server did not start on port %d\n",
                         settings.updatePort);
        } else {
            const std::string address =
                "https://127.0.0.1:" + std::to_string(settings.updatePort) +
                "/v1/oem/clientVersion?oemId=" + std::to_string(vantu::OemId);
            const std::vector<std::string> launcherRun{(folder / "VantuLauncher").string()};
            const std::vector<std::string> curlRun{"/usr/bin/curl",   "-sS",    "-o",
                                                   "/dev/null",       "--fail", "--cacert",
                                                   settings.caBundle, address};
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
                const double launcherMedian = Median(launcherTimes);
                const double curlMedian = Median(curlTimes);
                const double ratio = launcherMedian / curlMedian;
                std::printf("runs: %d each (after %d warm-up runs)\n", kRuns, kWarmUp);
                std::printf("launcher start to decision, median: %8.0f us\n", launcherMedian);
                std::printf("curl fetching the same address:     %8.0f us\n", curlMedian);
                std::printf("ratio: %.2f (limit %.2f) %s\n", ratio, kLimit,
                            ratio <= kLimit ? "ok" : "TOO SLOW");
                status = ratio <= kLimit ? 0 : 1;
            }
        }
    }
    fs::remove_all(work);
    return status;
}
