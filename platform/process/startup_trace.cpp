#include "platform/process/startup_trace.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/files/file_io.h"
#include "platform/text/text_codec.h"

namespace platform {

namespace {

// The trace file, opened on the first mark and kept for the process's life;
// invalid when none is asked for.
const UniqueFile& TraceFile() {
    static const UniqueFile file = [] {
        const char* path = std::getenv(kStartupTraceVariable);
        return path != nullptr && *path != '\0' ? OpenExistingForAppending(DecodeFileName(path))
                                                : UniqueFile();
    }();
    return file;
}

}  // namespace

void MarkStartup(const char* what) {
    const UniqueFile& file = TraceFile();
    if (!file.IsValid()) {
        return;
    }
    const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    char line[160];
    const int length =
        std::snprintf(line, sizeof line, "%lld %s\n",
                      static_cast<long long>(now.count()), what);
    if (length > 0) {
        // The whole line in one write, so that writers' lines stay apart.
        WriteAll(file, line, std::min(static_cast<std::size_t>(length), sizeof line - 1));
    }
}

}  // namespace platform
