// Top-level windows on the display: the SDL window, its back buffer, the
// presentation of painted areas and the hit test that drives moving and
// resizing by the window manager.

#include <atomic>
#include <cstring>
#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/gdi/text_layout.h"
#include "platform/process/environment.h"
#include "platform/process/startup_trace.h"
#include "platform/text/text_codec.h"
#include "platform/window/display/display_seam.h"
#include "platform/window/display/prepare_display.h"
#include "platform/window/display/x11_display.h"
#include "platform/window/window_internal.h"
#include "platform/window/window_system.h"

namespace platform {

namespace {

std::atomic<bool> g_displayTried{false};
std::atomic<bool> g_displayUp{false};
// The thread that made the first top-level window; set before the flag.
std::atomic<bool> g_displayClaimed{false};
std::thread::id g_displayThread;
std::atomic<bool> g_headless{false};
std::atomic<bool> g_framePresented{false};
std::mutex g_displayMutex;
std::unordered_map<Uint32, HWND> g_bySdlId;  // display thread only

SDL_HitTestResult ToSdlHit(LRESULT hit) {
    switch (hit) {
        case HTCAPTION:
            return SDL_HITTEST_DRAGGABLE;
        case HTTOPLEFT:
            return SDL_HITTEST_RESIZE_TOPLEFT;
        case HTTOP:
            return SDL_HITTEST_RESIZE_TOP;
        case HTTOPRIGHT:
            return SDL_HITTEST_RESIZE_TOPRIGHT;
        case HTRIGHT:
            return SDL_HITTEST_RESIZE_RIGHT;
        case HTBOTTOMRIGHT:
            return SDL_HITTEST_RESIZE_BOTTOMRIGHT;
        case HTBOTTOM:
            return SDL_HITTEST_RESIZE_BOTTOM;
        case HTBOTTOMLEFT:
            return SDL_HITTEST_RESIZE_BOTTOMLEFT;
        case HTLEFT:
            return SDL_HITTEST_RESIZE_LEFT;
        default:
            return SDL_HITTEST_NORMAL;
    }
}

SDL_HitTestResult HitTestCallback(SDL_Window*, const SDL_Point* area, void* data) {
    return seam::HitTest(static_cast<HWND>(data), area->x, area->y);
}

// Connects once, from whichever thread asks first; claims no thread.
bool ConnectDisplay() {
    if (g_displayTried.load()) {
        return g_displayUp.load();
    }
    std::lock_guard lock(g_displayMutex);
    if (g_displayTried.load()) {
        return g_displayUp.load();
    }
    // Without the renderer path the window surface is plain memory: presenting
    // is a copy, and the X11 window is not re-created under our class hint.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // SIGINT and SIGTERM keep their ordinary meaning (SDL would turn them into
    // a quit event that nothing here reads).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    const bool driverAsked = HasEnvironmentValue("SDL_VIDEODRIVER");
    // Nothing names a display server: not even trying keeps the drivers'
    // probing messages off standard error.
    const bool displayNamed =
        driverAsked || HasEnvironmentValue("DISPLAY") || HasEnvironmentValue("WAYLAND_DISPLAY");
    bool up = displayNamed && SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (up) {
        const char* driver = SDL_GetCurrentVideoDriver();
        const std::string name = driver != nullptr ? driver : "";
        const bool headless = name == "offscreen" || name == "dummy";
        // Without any display SDL falls back to its offscreen driver: a window
        // there is one nobody can see or answer, so only a driver asked for by
        // name (tests, benchmarks) counts as a display.
        if (headless && !driverAsked) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            up = false;
        }
        g_headless = up && headless;
    }
    if (up) {
        KeepXErrorsNonFatal();
        ListenForForeignMessages();
        SDL_StartTextInput();
    }
    g_displayUp = up;
    g_displayTried = true;
    if (up) {
        MarkStartup("display connected");
    }
    return up;
}

}  // namespace

void PrepareDisplay() {
    ConnectDisplay();
}

bool EnsureDisplay() {
    if (!ConnectDisplay()) {
        return false;
    }
    if (g_displayClaimed.load()) {
        return true;
    }
    std::lock_guard lock(g_displayMutex);
    if (!g_displayClaimed.load()) {
        g_displayThread = std::this_thread::get_id();
        // The display thread's fonts: its layouts are the first frame's.
        PrepareTextLayout();
        MarkStartup("text layout ready");
        g_displayClaimed = true;
    }
    return true;
}

bool CanShowWindows() {
    return EnsureDisplay();
}

bool IsDisplayThread() {
    return g_displayClaimed.load() && g_displayThread == std::this_thread::get_id();
}

bool IsHeadlessDisplay() {
    return g_headless.load();
}

HWND WindowFromSdlId(Uint32 id) {
    auto it = g_bySdlId.find(id);
    return it != g_bySdlId.end() ? it->second : nullptr;
}

void ApplyWindowTitle(Window& top) {
    if (top.sdl) {
        SDL_SetWindowTitle(top.sdl.get(), EncodeUtf8(top.text).c_str());
    }
}

void MakeDisplayWindow(Window& window) {
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    if ((window.style & WS_THICKFRAME) != 0) {
        flags |= SDL_WINDOW_RESIZABLE;
    }
    if ((window.exStyle & WS_EX_TOOLWINDOW) != 0) {
        flags |= SDL_WINDOW_SKIP_TASKBAR;
    }
    if ((window.exStyle & WS_EX_TOPMOST) != 0) {
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    }
    if ((window.exStyle & WS_EX_NOACTIVATE) != 0) {
        // A drop-down: the window manager neither decorates nor focuses it.
        flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
    }
    if (window.cls.name == L"tooltips_class32") {
        flags |= SDL_WINDOW_TOOLTIP | SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_ALWAYS_ON_TOP;
    }
    SDL_Window* sdl =
        SDL_CreateWindow(EncodeUtf8(window.text).c_str(), window.rect.left, window.rect.top,
                         std::max(1, Width(window.rect)), std::max(1, Height(window.rect)), flags);
    if (sdl == nullptr) {
        return;
    }
    window.sdl.reset(sdl);
    g_bySdlId[SDL_GetWindowID(sdl)] = window.hwnd;
    SDL_SetWindowHitTest(sdl, HitTestCallback, window.hwnd);
    SDL_GetWindowSurface(sdl);
    SetX11ClassHint(sdl, window.cls.name);
}

void ForgetDisplayWindow(SDL_Window* sdl) {
    if (sdl != nullptr) {
        g_bySdlId.erase(SDL_GetWindowID(sdl));
    }
}

void ResizeBackBuffer(Window& window) {
    int w = std::max(0, Width(window.rect));
    int h = std::max(0, Height(window.rect));
    if (window.buffer && cairo_image_surface_get_width(window.buffer.get()) == w &&
        cairo_image_surface_get_height(window.buffer.get()) == h) {
        return;
    }
    SurfacePtr fresh(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
    if (window.buffer) {
        cairo_t* cr = cairo_create(fresh.get());
        cairo_set_source_surface(cr, window.buffer.get(), 0, 0);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cr);
        cairo_destroy(cr);
    }
    window.buffer = std::move(fresh);
    if (window.sdl) {
        int sw = 0;
        int sh = 0;
        SDL_GetWindowSize(window.sdl.get(), &sw, &sh);
        if (sw != std::max(1, w) || sh != std::max(1, h)) {
            SDL_SetWindowSize(window.sdl.get(), std::max(1, w), std::max(1, h));
        }
    }
}

void PresentRect(Window& top, const RECT& bufferRect) {
    if (!top.sdl || !top.buffer || (top.style & WS_VISIBLE) == 0) {
        return;
    }
    SDL_Surface* target = SDL_GetWindowSurface(top.sdl.get());
    if (target == nullptr) {
        return;
    }
    cairo_surface_t* buffer = top.buffer.get();
    cairo_surface_flush(buffer);
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        cairo_image_surface_get_data(buffer), cairo_image_surface_get_width(buffer),
        cairo_image_surface_get_height(buffer), 32, cairo_image_surface_get_stride(buffer),
        SDL_PIXELFORMAT_ARGB8888);
    if (source == nullptr) {
        return;
    }
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    SDL_Rect r{bufferRect.left, bufferRect.top, Width(bufferRect), Height(bufferRect)};
    SDL_Rect d = r;
    SDL_BlitSurface(source, &r, target, &d);
    SDL_FreeSurface(source);
    OverlayCaret(top, target, bufferRect);
    SDL_UpdateWindowSurfaceRects(top.sdl.get(), &r, 1);
    if (!g_framePresented.exchange(true)) {
        MarkStartup("first frame presented");
    }
}

}  // namespace platform

namespace platform::seam {

SDL_HitTestResult HitTest(HWND top, int x, int y) {
    Window* w = FindWindowRecord(top);
    if (w == nullptr) {
        return SDL_HITTEST_NORMAL;
    }
    POINT screen{w->rect.left + x, w->rect.top + y};
    HWND target = platform::ChildAt(top, POINT{x, y});
    LRESULT hit = HTCLIENT;
    while (target != nullptr) {
        hit = SendMessage(target, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
        if (hit != HTTRANSPARENT || target == top) {
            break;
        }
        target = GetAncestor(target, GA_PARENT);
    }
    return target == top ? ToSdlHit(hit) : SDL_HITTEST_NORMAL;
}

std::uint32_t PresentedPixel(HWND top, int x, int y) {
    Window* w = FindWindowRecord(top);
    if (w == nullptr || !w->sdl) {
        return 0;
    }
    SDL_Surface* s = SDL_GetWindowSurface(w->sdl.get());
    if (s == nullptr || x < 0 || y < 0 || x >= s->w || y >= s->h) {
        return 0;
    }
    SDL_LockSurface(s);
    std::uint32_t value = 0;
    std::memcpy(&value, static_cast<const char*>(s->pixels) + y * s->pitch + x * 4, 4);
    SDL_UnlockSurface(s);
    Uint8 r = 0;
    Uint8 g = 0;
    Uint8 b = 0;
    SDL_GetRGB(value, s->format, &r, &g, &b);
    return (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b;
}

}  // namespace platform::seam

namespace platform {

unsigned long NativeWindowId(HWND hwnd) {
    Window* w = FindWindowRecord(hwnd);
    return w != nullptr && w->sdl ? NativeWindowOf(w->sdl.get()) : 0;
}

}  // namespace platform
