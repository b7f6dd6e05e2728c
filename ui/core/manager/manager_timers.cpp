// Per-window timers of controls. Native ids run from 17 up to 254 and wrap
// to 0; a killed timer keeps its record and id for a restart.

#include "platform/window/window_api.h"
#include "ui/core/manager/manager_shared.h"

namespace VantuUI {

namespace {

constexpr UINT_PTR kNativeIdModulus = 255;

}  // namespace

bool CWindowManagerUI::StartTimer(CControlUI* control, UINT key, UINT elapse) {
    for (TTimerRecordUI& timer : m_timers) {
        if (timer.control == control && timer.window == m_window && timer.key == key) {
            if (!timer.killed) {
                return false;
            }
            if (SetTimer(m_window, timer.nativeId, elapse, nullptr) == 0) {
                return false;
            }
            timer.killed = false;
            return true;
        }
    }
    m_nextTimerId = (m_nextTimerId + 1) % kNativeIdModulus;
    if (SetTimer(m_window, m_nextTimerId, elapse, nullptr) == 0) {
        return false;
    }
    m_timers.push_back(TTimerRecordUI{control, key, m_window, m_nextTimerId, false});
    return true;
}

bool CWindowManagerUI::StopTimer(CControlUI* control, UINT key) {
    for (TTimerRecordUI& timer : m_timers) {
        if (timer.control == control && timer.window == m_window && timer.key == key) {
            if (!timer.killed && IsWindow(m_window)) {
                KillTimer(timer.window, timer.nativeId);
            }
            timer.killed = true;
            return true;
        }
    }
    return false;
}

void CWindowManagerUI::StopTimer(CControlUI* control) {
    std::erase_if(m_timers, [this, control](const TTimerRecordUI& timer) {
        if (timer.control != control || timer.window != m_window) {
            return false;
        }
        if (!timer.killed && IsWindow(timer.window)) {
            KillTimer(timer.window, timer.nativeId);
        }
        return true;
    });
}

void CWindowManagerUI::StopAllTimers() {
    for (const TTimerRecordUI& timer : m_timers) {
        if (!timer.killed && IsWindow(timer.window)) {
            KillTimer(timer.window, timer.nativeId);
        }
    }
    m_timers.clear();
}

}  // namespace VantuUI
