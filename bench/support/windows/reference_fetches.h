#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/support/process_runs.h"
#include "tests/support/host_program.h"

namespace bench_support {

// The launcher's time over the reference's: wine's process start and
// WinINet's handshake are the same for both, what differs is ours.
inline constexpr double kReferenceLimit = 1.3;

inline const std::filesystem::path kWinInetFetch =
    std::filesystem::path(VANTU_BIN_DIR) / "bench_wininet_fetch.exe";

// One fetch by the host's curl, timed on the host around that run alone
// (wine's start of a host program is not in it); -1 when it failed.
inline double HostCurlMicroseconds(const std::string& address, const std::string& hostCaFile) {
    // $1 the CA, $2 the address; the host program gets a lifeline after them.
    testing_support::HostProgram shell(
        "/bin/bash",
        {"-c",
         "s=$EPOCHREALTIME; if /usr/bin/curl -sS -o /dev/null --fail --cacert \"$1\" \"$2\"; "
         "then e=$EPOCHREALTIME; echo \"us $(( 10#${e/./} - 10#${s/./} ))\"; fi; echo stopped",
         "bash", hostCaFile, address});
    if (!shell.WaitForOutput("stopped", std::chrono::seconds(20))) {
        return -1;
    }
    const std::string out = shell.Out();
    const auto at = out.find("us ");
    return at == std::string::npos ? -1 : std::stod(out.substr(at + 3));
}

// The first one is the reference the goal is about.
inline std::vector<ReferenceFetch> ReferenceFetches(const std::string& address,
                                                    const std::filesystem::path& caFile) {
    const std::vector<std::string> fetch{kWinInetFetch.string(), address,
                                         testing_support::GuestPath(caFile).string()};
    const std::string hostCa = testing_support::HostPath(caFile);
    return {{"WinINet fetch by a minimal program:", [fetch] { return TimeRun(fetch); }},
            {"host curl (for information):",
             [address, hostCa] { return HostCurlMicroseconds(address, hostCa); }}};
}

inline bool ReferencesPresent() {
    return std::filesystem::exists(kWinInetFetch);
}

}  // namespace bench_support
