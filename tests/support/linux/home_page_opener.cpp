#include "tests/support/home_page_opener.h"

#include <cstdlib>
#include <filesystem>

#include "tests/support/x_server.h"

namespace testing_support {

struct HomePageOpener::Redirect {
    ScopedEnv path;
};

HomePageOpener::HomePageOpener() {
    WriteFile(m_dir / "xdg-open", "#!/bin/sh\necho \"$1\" >> \"$(dirname \"$0\")/opened\"\n");
    std::filesystem::permissions(m_dir / "xdg-open", std::filesystem::perms::owner_all);
    const char* path = std::getenv("PATH");
    // ScopedEnv neither copies nor moves: made in place.
    m_redirect.reset(new Redirect{ScopedEnv(
        "PATH", m_dir.path().string() + ":" + (path != nullptr ? path : "/usr/bin:/bin"))});
}

HomePageOpener::~HomePageOpener() = default;

}  // namespace testing_support
