// Upgrade speed and memory, each against a reference measured alternately
// with it in the same run, several rounds, the medians compared: unpacking a 200 MB package against
// `7z x`, downloading 200 MB from the local update server against `curl -o` (with a receiver that
// drains every progress message), the same download with its connection cut every 50 MB against an
// unbroken one, and the peak memory of the headless upgrade command. The data is made under /tmp at
// run time and removed afterwards.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "bench/support/bench_support.h"
#include "bench/support/linux/child_process.h"
#include "platform/text/text_codec.h"
#include "platform/window/message_queue.h"
#include "update/archive/seven_zip_archive.h"
#include "update/build_settings.h"
#include "update/net/resumable_download.h"
#include "update/net/transfer_policy.h"
#include "update/upgrade_messages.h"

namespace fs = std::filesystem;
using bench_support::ChildResult;
using bench_support::PrintSpread;
using bench_support::ReportAtMost;
using bench_support::RunChild;
using bench_support::SecondsOf;
using bench_support::SideBySide;

namespace {

constexpr int kRounds = 5;
constexpr double kUnpackLimit = 1.15;
constexpr double kDownloadLimit = 1.15;
constexpr double kCutLimit = 1.2;
constexpr double kPeakLimitMib = 64;

// The figures, printed together at the end.
struct Figures {
    SideBySide unpack;    // ours, 7z x
    SideBySide download;  // ours, curl -o
    SideBySide cut;       // cut every 50 MB, unbroken
    bool Report() const {
        std::printf("figures (medians of %d rounds, alternated):\n", kRounds);
        bool ok = true;
        if (!unpack.ours.empty()) {
            ok = ReportAtMost("unpack 200 MB package vs 7z x", unpack.Ratio(), kUnpackLimit) && ok;
        }
        ok = ReportAtMost("download 200 MB vs curl -o", download.Ratio(), kDownloadLimit) && ok;
        return ReportAtMost("cut every 50 MB vs unbroken", cut.Ratio(), kCutLimit) && ok;
    }
};

// Part random, part repetitive, so the package is neither stored nor tiny.
void WriteData(const fs::path& path, std::size_t size, std::mt19937_64& random) {
    std::string data(size, '\0');
    std::size_t half = size / 2;
    for (std::size_t i = 0; i + 8 <= half; i += 8) {
        std::uint64_t value = random();
        std::memcpy(&data[i], &value, 8);
    }
    static const std::string words = "vantu booster upgrade package item folder file ";
    for (std::size_t i = half; i < size; ++i) {
        data[i] = words[(i * 7 + i / 97) % words.size()];
    }
    std::ofstream(path, std::ios::binary).write(data.data(), static_cast<std::streamsize>(size));
}

// 2,000 small files of 50 KB and four large ones of 25 MB: 200 MB.
void MakePayload(const fs::path& payload) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 2000; ++i) {
        fs::path folder = payload / ("dir" + std::to_string(i % 40));
        fs::create_directories(folder);
        WriteData(folder / ("file" + std::to_string(i) + ".dat"), 50 * 1000, random);
    }
    for (int i = 0; i < 4; ++i) {
        WriteData(payload / ("large" + std::to_string(i) + ".bin"), 25 * 1000 * 1000, random);
    }
}

// Stdout goes to /dev/null while the extractor traces, as 7z's does.
class QuietStdout {
  public:
    QuietStdout() : m_saved(dup(1)) {
        std::fflush(stdout);
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        close(null);
    }
    ~QuietStdout() {
        std::fflush(stdout);
        dup2(m_saved, 1);
        close(m_saved);
    }

  private:
    int m_saved;
};

// An empty output folder, with the previous run's writes on disk first so
// that they do not slow down the next measurement.
fs::path FreshOutput(const fs::path& root) {
    fs::path out = root / "out";
    fs::remove_all(out);
    fs::create_directories(out);
    sync();
    return out;
}

bool BenchUnpack(const fs::path& root, const fs::path& package, SideBySide& times) {
    int failure = 0;
    times = bench_support::Alternate(
        kRounds,
        [&] {
            const fs::path out = FreshOutput(root);
            return SecondsOf([&] {
                QuietStdout quiet;
                SevenZip::SevenZipExtractor extractor;
                extractor.SetArchivePath(*platform::DecodeUtf8(package.string()));
                failure = failure != 0
                              ? failure
                              : extractor.ExtractAll(*platform::DecodeUtf8(out.string() + "/"));
            });
        },
        [&] {
            const fs::path out = FreshOutput(root);
            return SecondsOf([&] {
                RunChild({"7z", "x", "-y", "-bd", "-o" + out.string(), package.string()});
            });
        });
    fs::remove_all(root / "out");
    if (failure != 0) {
        std::printf("unpack failed: %d\n", failure);
        return false;
    }
    PrintSpread("unpack, ours", times.ours, 1, "s");
    PrintSpread("unpack, 7z x", times.reference, 1, "s");
    return true;
}

// The local update server (HTTPS, with the CA the test programs trust)
// serving `folder`; stopped when the object goes.
class UpdateServer {
  public:
    UpdateServer(const fs::path& folder, const fs::path& pki) {
        fs::path output = folder.parent_path() / "server.out";
        std::vector<std::string> args = {
            "python3", std::string(VANTU_SOURCE_DIR) + "/tools/update_server/update_server.py",
            "--root",  folder.string(),
            "--pki",   pki.string(),
            "--port",  "0"};
        std::vector<char*> argv = bench_support::ArgvOf(args);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawnp(&m_pid, "python3", &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        for (int i = 0; i < 600 && m_port == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            std::string word;
            std::ifstream in(output);
            while (in >> word) {
                if (word.rfind("https=", 0) == 0) {
                    m_port = std::atoi(word.c_str() + 6);
                }
            }
        }
    }
    ~UpdateServer() {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
    int port() const { return m_port; }

  private:
    pid_t m_pid = -1;
    int m_port = 0;
};

LRESULT Drain(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

// One package download on a worker thread, with this thread draining its
// progress messages as the upgrade window would.
double TimedDownload(const std::wstring& url, const std::wstring& target, bool* ok,
                     std::size_t* messages) {
    return SecondsOf([&] {
        HWND window = platform::AddWindowHandle(Drain);
        std::thread worker([&] {
            *ok = vantu::DownloadToFile(url, target, vantu::BindCallback(window));
            PostMessage(window, WM_QUIT, 0, 0);
        });
        MSG msg;
        *messages = 0;
        while (GetMessage(&msg, nullptr, 0, 0)) {
            ++*messages;
            DispatchMessage(&msg);
        }
        worker.join();
        platform::RemoveWindowHandle(window);
    });
}

// Against curl, and a download whose connection is cut every 50 MB (three
// retries, continued with range requests) against an unbroken one. The
// pauses before retries are set to zero: they are a policy, not a cost of
// the transfer being measured.
bool BenchDownload(const fs::path& root, Figures& figures) {
    fs::path served = root / "served";
    fs::create_directories(served);
    std::mt19937_64 random(11);
    WriteData(served / "big.bin", 200 * 1000 * 1000, random);
    // The programs built for the tests carry the test CA.
    const fs::path pki = VANTU_TEST_PKI_DIR;
    const fs::path ca = pki / "ca.pem";
    UpdateServer server(served, pki);
    if (server.port() == 0) {
        std::printf("update server did not start\n");
        return false;
    }
    vantu::TransferLimits limits;
    limits.retryPauses.assign(3, std::chrono::milliseconds(0));
    vantu::SetTransferLimitsForTesting(limits);
    const std::string origin = "https://127.0.0.1:" + std::to_string(server.port());
    const std::string url = origin + "/big.bin";
    const fs::path got = root / "got.bin";
    std::wstring target = *platform::DecodeUtf8(got.string());
    std::vector<double> ours, reference, broken;
    std::size_t messages = 0;
    bool ok = true;
    auto curl = [&] {
        fs::remove(got);
        reference.push_back(SecondsOf([&] {
            RunChild({"curl", "-s", "--cacert", ca.string(), "-o", got.string(), url});
        }));
    };
    auto unbroken = [&] {
        fs::remove(got);
        ours.push_back(TimedDownload(*platform::DecodeUtf8(url), target, &ok, &messages));
        ok = ok && fs::file_size(got) == 200 * 1000 * 1000;
    };
    // Each cut happens once per address: a new query for every run.
    auto cut = [&](int round) {
        const std::string cutUrl =
            origin + "/b/cut-50000000-100000000-150000000/big.bin?run=" + std::to_string(round);
        fs::remove(got);
        broken.push_back(TimedDownload(*platform::DecodeUtf8(cutUrl), target, &ok, &messages));
        ok = ok && RunChild({"cmp", "-s", got.string(), (served / "big.bin").string()}).status == 0;
    };
    // The three take turns in going first, so that drift evens out.
    for (int round = 0; round < kRounds && ok; ++round) {
        for (int turn = 0; turn < 3 && ok; ++turn) {
            switch ((round + turn) % 3) {
                case 0:
                    curl();
                    break;
                case 1:
                    unbroken();
                    break;
                default:
                    cut(round);
                    break;
            }
        }
    }
    fs::remove(got);
    if (!ok) {
        std::printf("download failed or differs from the served file\n");
        return false;
    }
    std::printf("(last download drained %zu progress messages)\n", messages);
    PrintSpread("download, ours", ours, 1, "s");
    PrintSpread("download, curl -o", reference, 1, "s");
    PrintSpread("download cut every 50 MB, ours", broken, 1, "s");
    figures.download = {ours, reference};
    figures.cut = {broken, ours};
    return true;
}

bool BenchMemory(const fs::path& root, const fs::path& package) {
    fs::path app = root / "app";
    fs::create_directories(app);
    fs::path copy = root / "pkg-copy.7z";
    fs::copy_file(package, copy, fs::copy_options::overwrite_existing);
    auto result = RunChild({std::string(VANTU_BIN_DIR) + "/vantu-upgrade-local",
                            "file://" + copy.string(), app.string()});
    double mib = result.maxRssKiB / 1024.0;
    bool ok = result.status == 0 && mib < kPeakLimitMib;
    std::printf("%-44s peak %.1f MiB (limit %.0f), exit %d %s\n", "headless upgrade of the package",
                mib, kPeakLimitMib, result.status, ok ? "ok" : "TOO BIG");
    return ok;
}

}  // namespace

// With the argument "download", only the download benchmarks run.
int main(int argc, char** argv) {
    fs::path root = fs::temp_directory_path() / ("vantu-bench-" + std::to_string(getpid()));
    Figures figures;
    if (argc > 1 && std::string(argv[1]) == "download") {
        fs::create_directories(root);
        const bool ok = BenchDownload(root, figures) && figures.Report();
        fs::remove_all(root);
        return ok ? 0 : 1;
    }
    fs::create_directories(root / "payload");
    std::printf("making a 200 MB payload and package under %s ...\n", root.c_str());
    MakePayload(root / "payload");
    fs::path package = root / "pkg.7z";
    auto made = RunChild({"sh", "-c",
                          "cd '" + (root / "payload").string() + "' && 7z a -t7z -mx=1 -bd '" +
                              package.string() + "' ."});
    if (made.status != 0) {
        std::printf("7z a failed\n");
        fs::remove_all(root);
        return 1;
    }
    fs::remove_all(root / "payload");
    std::printf("package: %.1f MB\n", fs::file_size(package) / 1e6);
    bool ok = BenchUnpack(root, package, figures.unpack);
    ok = BenchMemory(root, package) && ok;
    ok = BenchDownload(root, figures) && ok;
    fs::remove_all(root);
    // A failed part has no figures to print.
    return ok && figures.Report() ? 0 : 1;
}
