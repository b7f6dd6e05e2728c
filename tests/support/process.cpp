#include "tests/support/process.h"

#include <thread>

#include "tests/support/temp_dir.h"

namespace testing_support {

namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

std::string WithLineFeeds(std::string text) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            text[kept++] = text[i];
        }
    }
    text.resize(kept);
    return text;
}

std::string BackgroundProcess::Out() const {
    std::error_code ec;
    return std::filesystem::exists(m_outPath, ec) ? WithLineFeeds(ReadFile(m_outPath))
                                                  : std::string();
}

std::string BackgroundProcess::Err() const {
    std::error_code ec;
    return std::filesystem::exists(m_errPath, ec) ? WithLineFeeds(ReadFile(m_errPath))
                                                  : std::string();
}

bool BackgroundProcess::WaitForOutput(const std::string& text,
                                      std::chrono::milliseconds timeout) const {
    auto deadline = Clock::now() + timeout;
    do {
        if (Out().find(text) != std::string::npos) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (Clock::now() < deadline);
    return Out().find(text) != std::string::npos;
}

std::filesystem::path BinDir() {
    return VANTU_BIN_DIR;
}

}  // namespace testing_support
