#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tests/launcher/launcher_stage.h"

namespace launcher_test {

struct LauncherHold::State {
    std::filesystem::path fifo;
};

LauncherHold::LauncherHold(const LauncherStage& stage)
    : m_state(std::make_unique<State>(State{stage / "temp"})) {
    if (!std::filesystem::exists(m_state->fifo)) {
        EXPECT_EQ(mkfifo(m_state->fifo.c_str(), 0600), 0);
    }
}

LauncherHold::~LauncherHold() = default;

void LauncherHold::Release() {
    using Clock = std::chrono::steady_clock;
    auto deadline = Clock::now() + std::chrono::seconds(5);
    int fd;
    while ((fd = open(m_state->fifo.c_str(), O_WRONLY | O_NONBLOCK)) < 0 &&
           Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_GE(fd, 0) << "the launcher never opened its list";
    close(fd);
}

void LauncherHold::Stop() {
    std::filesystem::remove(m_state->fifo);
}

}  // namespace launcher_test
