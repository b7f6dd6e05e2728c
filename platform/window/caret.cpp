// The caret: one per thread, owned by a window, drawn by inverting the
// display's pixels over the window's painted image (never into the back
// buffer, so paints and WM_PRINT never see it) and blinked by the message loop.

#include <algorithm>

#include "platform/window/window_internal.h"
#include "platform/window/window_system.h"

namespace platform {

namespace {

constexpr UINT kBlinkMilliseconds = 530;

struct Caret {
    HWND hwnd = nullptr;
    SIZE size{};
    POINT position{};  // client coordinates of its window
    int hideCount = 1;
    bool on = false;  // drawn in the current blink phase
    Clock::time_point nextBlink;
};

Caret& ThreadCaret() {
    thread_local Caret caret;
    return caret;
}

bool Shown(const Caret& caret) {
    return caret.hwnd != nullptr && caret.hideCount == 0;
}

// The caret's rectangle in its top-level back buffer, clipped to its window
// and the window's ancestors; empty when nothing of it can be seen.
RECT CaretInBuffer(const Caret& caret, Window** topOut) {
    Window* w = FindWindowRecord(caret.hwnd);
    Window* top = TopLevelOf(w);
    *topOut = top;
    if (w == nullptr || top == nullptr) {
        return RECT{};
    }
    POINT origin = OriginInTopLevel(*w);
    RECT r{origin.x + caret.position.x, origin.y + caret.position.y,
           origin.x + caret.position.x + caret.size.cx,
           origin.y + caret.position.y + caret.size.cy};
    for (Window* c = w; c != nullptr && IsChild(*c); c = FindWindowRecord(c->parent)) {
        POINT o = OriginInTopLevel(*c);
        RECT client{o.x, o.y, o.x + Width(c->rect), o.y + Height(c->rect)};
        if (!Intersect(r, r, client)) {
            return RECT{};
        }
    }
    RECT all{0, 0, Width(top->rect), Height(top->rect)};
    return Intersect(r, r, all) ? r : RECT{};
}

// Shows the caret's area again as the buffer has it, with the caret on top
// when it is in its visible phase.
void Refresh(const Caret& caret) {
    Window* top = nullptr;
    RECT r = CaretInBuffer(caret, &top);
    if (top != nullptr && Width(r) > 0 && Height(r) > 0) {
        PresentRect(*top, r);
    }
}

// Hides the caret's current drawing, applies the change, shows it again.
template <typename Change>
void Redraw(Change change) {
    Caret& caret = ThreadCaret();
    bool wasOn = caret.on;
    caret.on = false;
    if (wasOn) {
        Refresh(caret);
    }
    change(caret);
    if (Shown(caret)) {
        caret.on = true;
        caret.nextBlink = Clock::now() + std::chrono::milliseconds(kBlinkMilliseconds);
        Refresh(caret);
    }
}

}  // namespace

void OverlayCaret(Window& top, SDL_Surface* target, const RECT& bufferRect) {
    const Caret& caret = ThreadCaret();
    if (!caret.on || !Shown(caret) || !IsWindowVisible(caret.hwnd)) {
        return;
    }
    Window* caretTop = nullptr;
    RECT r = CaretInBuffer(caret, &caretTop);
    if (caretTop != &top || !Intersect(r, r, bufferRect)) {
        return;
    }
    RECT surface{0, 0, target->w, target->h};
    if (!Intersect(r, r, surface) || SDL_LockSurface(target) != 0) {
        return;
    }
    for (int y = r.top; y < r.bottom; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(target->pixels) +
                                              static_cast<std::ptrdiff_t>(y) * target->pitch);
        for (int x = r.left; x < r.right; ++x) {
            row[x] ^= 0x00FFFFFF;
        }
    }
    SDL_UnlockSurface(target);
}

std::optional<Clock::time_point> NextCaretBlink() {
    const Caret& caret = ThreadCaret();
    if (!Shown(caret)) {
        return std::nullopt;
    }
    return caret.nextBlink;
}

void CheckCaretBlink() {
    Caret& caret = ThreadCaret();
    if (!Shown(caret) || Clock::now() < caret.nextBlink) {
        return;
    }
    caret.on = !caret.on;
    caret.nextBlink = Clock::now() + std::chrono::milliseconds(kBlinkMilliseconds);
    Refresh(caret);
}

void ForgetCaret(HWND hwnd) {
    if (ThreadCaret().hwnd == hwnd) {
        DestroyCaret();
    }
}

}  // namespace platform

using platform::Redraw;
using platform::ThreadCaret;

BOOL CreateCaret(HWND hwnd, HBITMAP /*shape: always a solid block*/, int width, int height) {
    platform::Window* w = platform::FindWindowRecord(hwnd);
    if (w == nullptr || w->thread != std::this_thread::get_id()) {
        return FALSE;
    }
    Redraw([&](platform::Caret& caret) {
        caret = platform::Caret{};
        caret.hwnd = hwnd;
        // A zero width or height gives one pixel (the thinnest caret).
        caret.size = SIZE{std::max(width, 1), std::max(height, 1)};
    });
    return TRUE;
}

BOOL DestroyCaret() {
    if (ThreadCaret().hwnd == nullptr) {
        return FALSE;
    }
    Redraw([](platform::Caret& caret) { caret = platform::Caret{}; });
    return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
    platform::Caret& current = ThreadCaret();
    if (current.hwnd == nullptr || (hwnd != nullptr && hwnd != current.hwnd) ||
        current.hideCount == 0) {
        return FALSE;
    }
    Redraw([](platform::Caret& caret) { --caret.hideCount; });
    return TRUE;
}

BOOL HideCaret(HWND hwnd) {
    platform::Caret& current = ThreadCaret();
    if (current.hwnd == nullptr || (hwnd != nullptr && hwnd != current.hwnd)) {
        return FALSE;
    }
    Redraw([](platform::Caret& caret) { ++caret.hideCount; });
    return TRUE;
}

BOOL SetCaretPos(int x, int y) {
    if (ThreadCaret().hwnd == nullptr) {
        return FALSE;
    }
    Redraw([&](platform::Caret& caret) { caret.position = POINT{x, y}; });
    return TRUE;
}

BOOL GetCaretPos(POINT* point) {
    if (point == nullptr || ThreadCaret().hwnd == nullptr) {
        return FALSE;
    }
    *point = ThreadCaret().position;
    return TRUE;
}

UINT GetCaretBlinkTime() {
    return platform::kBlinkMilliseconds;
}
