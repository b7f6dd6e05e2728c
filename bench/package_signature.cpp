// The package signature check against the minisign tool on the same 200 MB
// package, alternately in the same run (ratio of the medians at most 1.1),
// and the peak memory of a headless upgrade of that package with the check
// against the figure without it (at most 2 MB more). The data is made under
// /tmp and removed afterwards.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench/support/bench_support.h"
#include "bench/support/linux/child_process.h"
#include "platform/text/text_codec.h"
#include "platform/window/message_queue.h"
#include "update/signature/package_signature.h"
#include "update/upgrade_messages.h"
#include "update/upgrade_worker.h"

namespace fs = std::filesystem;
using bench_support::RunChild;

namespace {

constexpr int kRounds = 7;
constexpr double kLimit = 1.1;
constexpr std::size_t kPieceBytes = 1 << 20;
constexpr std::size_t kPayloadPieces = 200;

void WriteRandomFile(const fs::path& path) {
    std::mt19937_64 random(18);
    std::vector<std::uint64_t> piece(kPieceBytes / sizeof(std::uint64_t));
    std::ofstream out(path, std::ios::binary);
    for (std::size_t i = 0; i < kPayloadPieces; ++i) {
        for (auto& word : piece) {
            word = random();
        }
        out.write(reinterpret_cast<const char*>(piece.data()), kPieceBytes);
    }
}

std::string ReadSmallFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

LRESULT IgnoreMessages(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

// Peak memory of one upgrade of `folder`, run in a child of this process (a
// headless upgrade without its message loop: nothing reads the progress).
long UpgradePeakKiB(const vantu::UpgradeSource& source, const fs::path& folder) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::fflush(stdout);
    pid_t child = fork();
    if (child == 0) {
        HWND window = platform::AddWindowHandle(IgnoreMessages);
        if (std::freopen("/dev/null", "w", stdout) == nullptr) {
            _exit(3);
        }
        vantu::RunUpgrade(source, window, platform::DecodeFileName(folder.string() + "/"));
        MSG msg;
        while (PeekMessage(&msg, window, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_UPGRADE_DONE) {
                _exit(0);
            }
        }
        _exit(1);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    bool done = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return done ? usage.ru_maxrss : -1;
}

}  // namespace

int main() {
    fs::path root = fs::temp_directory_path() / ("vantu-bench-sig-" + std::to_string(getpid()));
    fs::create_directories(root / "payload");
    std::printf("making a 200 MB package and a key pair under %s ...\n", root.c_str());
    WriteRandomFile(root / "payload" / "data.bin");
    fs::path package = root / "pkg.7z";
    const fs::path pub = root / "key.pub";
    const fs::path sec = root / "key.sec";
    bool made =
        RunChild({"sh", "-c",
                  "cd '" + (root / "payload").string() + "' && 7z a -t7z -mx=0 -bd '" +
                      package.string() + "' data.bin"})
                .status == 0 &&
        RunChild({"minisign", "-G", "-W", "-p", pub.string(), "-s", sec.string()}).status == 0 &&
        RunChild(
            {"minisign", "-S", "-s", sec.string(), "-m", package.string(), "-t", "version:1.2.0.0"})
                .status == 0;
    fs::remove_all(root / "payload");
    if (!made) {
        std::printf("making the package or the key pair failed\n");
        fs::remove_all(root);
        return 1;
    }
    std::string publicKey = ReadSmallFile(pub);
    publicKey = publicKey.substr(publicKey.find('\n') + 1);
    const std::string signature = ReadSmallFile(root / "pkg.7z.minisig");
    const std::wstring widePackage = platform::DecodeFileName(package.string());

    bool verified = true;
    const bench_support::SideBySide times = bench_support::Alternate(
        kRounds,
        [&] {
            return bench_support::SecondsOf([&] {
                verified = verified &&
                           vantu::VerifyPackageSignature(widePackage, signature, "1.2.0.0",
                                                         publicKey) == vantu::SignatureError::None;
            });
        },
        [&] {
            return bench_support::SecondsOf([&] {
                verified = verified &&
                           RunChild({"minisign", "-V", "-m", package.string(), "-p", pub.string()})
                                   .status == 0;
            });
        });
    if (!verified) {
        std::printf("a verification failed\n");
    }

    const std::wstring address = platform::DecodeFileName("file://" + package.string());
    long without = UpgradePeakKiB({address, L"", ""}, root / "app");
    long with = UpgradePeakKiB({address, L"1.2.0.0", publicKey}, root / "app");
    const bool memoryOk = without > 0 && with > 0 && with - without <= 2 * 1024;
    std::printf("%d rounds, ours and minisign alternately\n", kRounds);
    bench_support::PrintSpread("VerifyPackageSignature", times.ours, 1e3, "ms");
    bench_support::PrintSpread("minisign -V", times.reference, 1e3, "ms");
    std::printf("%-44s peak %.1f MiB with the check, %.1f MiB without (limit +2) %s\n",
                "headless upgrade of the package", with / 1024.0, without / 1024.0,
                memoryOk ? "ok" : "TOO BIG");
    const bool ok = verified && bench_support::ReportAtMost("verify 200 MB package vs minisign -V",
                                                            times.Ratio(), kLimit);
    fs::remove_all(root);
    return ok && memoryOk ? 0 : 1;
}
