#pragma once

// What the launcher's start is compared with: programs fetching the version
// answer the launcher asks for, each timed on its own (linux/: curl;
// windows/: a minimal WinINet program under wine, and the host's curl for
// information).

#include <functional>
#include <string>
#include <vector>

namespace bench_support {

struct ReferenceFetch {
    const char* label;
    std::function<double()> microseconds;  // one fetch; negative when it failed
};

}  // namespace bench_support

#ifdef _WIN32
#include "bench/support/windows/reference_fetches.h"
#else
#include "bench/support/linux/reference_fetches.h"
#endif
