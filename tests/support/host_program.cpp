#include "tests/support/host_program.h"

#include <thread>

namespace testing_support {

bool HostProgram::WaitForOutput(const std::string& text, std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        if (Out().find(text) != std::string::npos) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (std::chrono::steady_clock::now() < deadline);
    return Out().find(text) != std::string::npos;
}

}  // namespace testing_support
