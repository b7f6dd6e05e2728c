// The window system's part of a thread's message loop: display input, made-up
// WM_PAINT/WM_TIMER/WM_MOUSEHOVER, and waiting on the display and the queue.

#include <algorithm>
#include <atomic>

#include "platform/window/display/display_events.h"
#include "platform/window/message_queue.h"
#include "platform/window/window_internal.h"
#include "platform/window/window_system.h"

namespace platform {

namespace {

std::atomic<bool> g_wakePending{false};
Uint32 g_wakeEvent = 0;
std::function<bool(const SDL_Event&)> g_filter;  // display thread only

void Handle(const SDL_Event& e) {
    if (e.type == g_wakeEvent) {
        g_wakePending = false;
        return;
    }
    if (g_filter && g_filter(e)) {
        return;
    }
    HandleSdlEvent(e);
}

class WindowMessageSource final : public MessageSource {
  public:
    void Pump() override {
        EmptyGraveyard();
        if (IsDisplayThread()) {
            // One input message at a time, so that the key state read while it
            // is handled is the state of its own moment.
            std::uint64_t before = QueueChangeCount();
            SDL_Event e;
            while (QueueChangeCount() == before && SDL_PollEvent(&e) != 0) {
                Handle(e);
            }
        }
        CheckHover();
        CheckCaretBlink();
    }

    bool Generate(MSG* msg, HWND filterWindow, UINT filterMin, UINT filterMax,
                  bool remove) override {
        if (InFilterRange(WM_PAINT, filterMin, filterMax) &&
            TakePaint(msg, filterWindow, m_lastPainted)) {
            return true;
        }
        if (filterWindow == nullptr) {
            ShowPainted();
        }
        return InFilterRange(WM_TIMER, filterMin, filterMax) &&
               TakeDueTimer(msg, filterWindow, remove);
    }

    void Wait(std::uint64_t seen) override {
        ShowPainted();
        int timeout = -1;
        auto next = NextTimerDue();
        for (auto due : {NextHoverDue(), NextCaretBlink()}) {
            if (due && (!next || *due < *next)) {
                next = due;
            }
        }
        if (next) {
            auto ms = std::chrono::ceil<std::chrono::milliseconds>(*next - Clock::now()).count();
            timeout = static_cast<int>(std::clamp<long long>(ms, 0, 1 << 30));
        }
        if (!IsDisplayThread()) {
            WaitForQueueChange(seen, timeout);
            return;
        }
        if (IsHeadlessDisplay()) {
            // Polling the display would cost a millisecond per wake-up; its
            // events come from this thread, so look at it now and then only.
            constexpr int kDisplayLook = 10;
            WaitForQueueChange(seen, timeout < 0 ? kDisplayLook : std::min(timeout, kDisplayLook));
            return;
        }
        SDL_Event e;
        int got = timeout < 0 ? SDL_WaitEvent(&e) : SDL_WaitEventTimeout(&e, timeout);
        if (got != 0) {
            Handle(e);
        }
    }

  private:
    HWND m_lastPainted = nullptr;  // the top-level window painted last
};

}  // namespace

void SetDisplayEventFilter(std::function<bool(const SDL_Event&)> filter) {
    g_filter = std::move(filter);
}

void InstallMessageSource() {
    thread_local WindowMessageSource source;
    thread_local bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    SetMessageSource(&source);
    if (IsDisplayThread()) {
        g_wakeEvent = SDL_RegisterEvents(1);
        // Posts from any thread wake the display wait; one pending wake is enough.
        SetQueueWakeHook([] {
            if (!g_wakePending.exchange(true)) {
                SDL_Event e{};
                e.type = g_wakeEvent;
                if (SDL_PushEvent(&e) != 1) {
                    g_wakePending = false;
                }
            }
        });
    }
}

}  // namespace platform
