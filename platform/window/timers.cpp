// Window timers: WM_TIMER is made up when a timer is due and nothing else is
// queued; a late timer fires once, not once per missed period.

#include <algorithm>

#include "platform/window/window_internal.h"
#include "platform/window/window_system.h"

namespace platform {

namespace {

template <typename Visit>
void ForEachWindow(HWND hwnd, Visit&& visit) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) {
        return;
    }
    visit(*w);
    for (HWND child : w->children) {
        ForEachWindow(child, visit);
    }
}

}  // namespace

std::optional<Clock::time_point> NextTimerDue() {
    std::optional<Clock::time_point> next;
    for (HWND top : ThreadTopLevelWindows()) {
        ForEachWindow(top, [&](Window& w) {
            for (const Timer& t : w.timers) {
                if (!next || t.due < *next) {
                    next = t.due;
                }
            }
        });
    }
    return next;
}

bool TakeDueTimer(MSG* msg, HWND filterWindow, bool remove) {
    auto now = Clock::now();
    Window* best = nullptr;
    Timer* bestTimer = nullptr;
    for (HWND top : ThreadTopLevelWindows()) {
        ForEachWindow(top, [&](Window& w) {
            if (filterWindow != nullptr && w.hwnd != filterWindow) {
                return;
            }
            for (Timer& t : w.timers) {
                if (t.due <= now && (bestTimer == nullptr || t.due < bestTimer->due)) {
                    best = &w;
                    bestTimer = &t;
                }
            }
        });
    }
    if (bestTimer == nullptr) {
        return false;
    }
    *msg = MSG{.hwnd = best->hwnd,
               .message = WM_TIMER,
               .wParam = bestTimer->id,
               .lParam = reinterpret_cast<LPARAM>(bestTimer->proc),
               .time = GetTickCount()};
    if (remove) {
        bestTimer->due = now + std::chrono::milliseconds(bestTimer->interval);
    }
    return true;
}

}  // namespace platform

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    platform::Window* w = platform::FindWindowRecord(hwnd);
    if (w == nullptr) {
        return 0;
    }
    elapse = std::clamp<UINT>(elapse, 10, 0x7FFFFFFF);
    auto due = platform::Clock::now() + std::chrono::milliseconds(elapse);
    for (auto& t : w->timers) {
        if (t.id == id) {
            t = platform::Timer{id, elapse, due, proc};
            return id == 0 ? 1 : id;
        }
    }
    w->timers.push_back(platform::Timer{id, elapse, due, proc});
    return id == 0 ? 1 : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    platform::Window* w = platform::FindWindowRecord(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    return std::erase_if(w->timers, [id](const platform::Timer& t) { return t.id == id; }) > 0
               ? TRUE
               : FALSE;
}
