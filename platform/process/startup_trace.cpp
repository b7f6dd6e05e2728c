#include "platform/process/startup_trace.h"

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/files/file_io.h"
#include "platform/text/text_codec.h"

namespace platform {

namespace {

// The trace file, opened on the first mark and kept for the process's life;
// invalid when none is asked for.
const UniqueFd& TraceFile() {
    static const UniqueFd file = [] {
        const char* path = std::getenv(kStartupTraceVariable);
        return path != nullptr && *path != '\0' ? OpenExistingForAppending(DecodeFileName(path))
                                                : UniqueFd();
    }();
    return file;
}

}  // namespace

void MarkStartup(const char* what) {
    const UniqueFd& file = TraceFile();
    if (!file.IsValid()) {
        return;
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    char line[160];
    const int length =
        std::snprintf(line, sizeof line, "%lld %s\n",
                      static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec, what);
    if (length > 0) {
        // The whole line in one write, so that writers' lines stay apart.
        WriteAll(file, line, std::min(static_cast<std::size_t>(length), sizeof line - 1));
    }
}

}  // namespace platform
