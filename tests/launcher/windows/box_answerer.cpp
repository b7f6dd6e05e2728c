#include "tests/launcher/box_answerer.h"

#include <windows.h>

#include <array>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "tests/launcher/windows/process_windows.h"

namespace launcher_test {

namespace {

BOOL CALLBACK AnswerIfBox(HWND window, LPARAM) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    std::array<wchar_t, 32> cls{};
    if (owner != GetCurrentProcessId() && IsWindowVisible(window) &&
        GetClassNameW(window, cls.data(), static_cast<int>(cls.size())) > 0 &&
        std::wstring(cls.data()) == L"MessageBox") {
        // OK alone sits in the middle of the box; beside Cancel it sits left.
        // Each point misses the other layout's buttons.
        testing_support::ClickClient(window, 185, 162);
        testing_support::ClickClient(window, 110, 162);
    }
    return TRUE;
}

}  // namespace

struct LauncherBoxAnswerer::State {
    std::atomic<bool> stop{false};
    std::thread thread;
};

LauncherBoxAnswerer::LauncherBoxAnswerer() : m_state(std::make_unique<State>()) {
    m_state->thread = std::thread([state = m_state.get()] {
        while (!state->stop) {
            EnumWindows(AnswerIfBox, 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
}

LauncherBoxAnswerer::~LauncherBoxAnswerer() {
    m_state->stop = true;
    m_state->thread.join();
}

}  // namespace launcher_test
