#include "tools/booster/booster_windows.h"

#include <cairo.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <vector>

#include "platform/x11/linux/x11_window_lookup.h"
#include "platform/x11/linux/x11_window_message.h"

// Last: it brings Xlib and its macros along.
#include <SDL.h>
#include <SDL_syswm.h>

namespace booster {

namespace {

constexpr int kWidth = 520;
constexpr int kHeight = 180;

struct WindowDestroyer {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};

struct BoosterWindow {
    std::string className;
    std::unique_ptr<SDL_Window, WindowDestroyer> window;
    platform::ForeignWindow xid = 0;
    int nullMessages = 0;
};

struct CairoDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};

void Paint(const BoosterWindow& w, const WindowOptions& options) {
    SDL_Surface* target = SDL_GetWindowSurface(w.window.get());
    if (target == nullptr) {
        return;
    }
    std::unique_ptr<cairo_surface_t, CairoDeleter> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, target->w, target->h));
    {
        std::unique_ptr<cairo_t, CairoDeleter> cr(cairo_create(surface.get()));
        bool upgrade = w.className != "MainWindow";
        cairo_set_source_rgb(cr.get(), upgrade ? 0.10 : 0.08, upgrade ? 0.30 : 0.16,
                             upgrade ? 0.16 : 0.34);
        cairo_paint(cr.get());
        cairo_set_source_rgb(cr.get(), 1, 1, 1);
        cairo_select_font_face(cr.get(), "sans-serif", CAIRO_FONT_SLANT_NORMAL,
                               CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr.get(), 16);
        const std::string lines[] = {
            "VantuSpeedUp " + options.version + " (" + w.className + ")",
            "command line: " + options.commandLine,
            "message 0 received: " + std::to_string(w.nullMessages),
        };
        double y = 40;
        for (const auto& line : lines) {
            cairo_move_to(cr.get(), 20, y);
            cairo_show_text(cr.get(), line.c_str());
            y += 36;
        }
    }
    cairo_surface_flush(surface.get());
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        cairo_image_surface_get_data(surface.get()), target->w, target->h, 32,
        cairo_image_surface_get_stride(surface.get()), SDL_PIXELFORMAT_ARGB8888);
    if (source != nullptr) {
        SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
        SDL_BlitSurface(source, nullptr, target, nullptr);
        SDL_FreeSurface(source);
    }
    SDL_UpdateWindowSurface(w.window.get());
}

bool Open(BoosterWindow& w, int x, int y, const WindowOptions& options, Display*& display) {
    w.window.reset(SDL_CreateWindow("VantuSpeedUp", x, y, kWidth, kHeight, SDL_WINDOW_SHOWN));
    if (!w.window) {
        std::cerr << "cannot open a window: " << SDL_GetError() << std::endl;
        return false;
    }
    // Painting first: the first surface request may re-create the X window,
    // which would lose a class set earlier.
    Paint(w, options);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(w.window.get(), &info) || info.subsystem != SDL_SYSWM_X11) {
        std::cerr << "not an X11 window: " << SDL_GetError() << std::endl;
        return false;
    }
    display = info.info.x11.display;
    w.xid = info.info.x11.window;
    std::wstring wideClass(w.className.begin(), w.className.end());
    if (!platform::SetForeignWindowClass(display, w.xid, wideClass)) {
        std::cerr << "cannot set the window class" << std::endl;
        return false;
    }
    return true;
}

// Counts and reports a message sent by a launcher, then lets the sender go on.
void Receive(std::vector<BoosterWindow>& windows, Display* display, const XEvent& event,
             const WindowOptions& options) {
    platform::ForeignMessage message;
    if (!platform::ReadForeignMessage(display, event, message)) {
        return;
    }
    for (auto& w : windows) {
        if (w.xid == message.window && message.message == WM_NULL) {
            ++w.nullMessages;
            std::cout << "message 0 to " << w.className << " (" << w.nullMessages << ")"
                      << std::endl;
            Paint(w, options);
        }
    }
    platform::AnswerForeignMessage(display, message, 0);
}

struct SdlSession {
    bool ok = SDL_Init(SDL_INIT_VIDEO) == 0;
    ~SdlSession() { SDL_Quit(); }
};

}  // namespace

bool CanShowWindows() {
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && *display != '\0';
}

bool RunWindows(const WindowOptions& options) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Other programs find the windows only on X11; no silent headless fallback.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    SdlSession sdl;
    if (!sdl.ok) {
        std::cerr << "no display: " << SDL_GetError() << std::endl;
        return false;
    }
    std::vector<BoosterWindow> windows;
    windows.push_back({"MainWindow", nullptr, 0, 0});
    if (options.upgradeWindow) {
        windows.push_back({"UpgradeWindow", nullptr, 0, 0});
    }
    Display* display = nullptr;
    int y = 80;
    for (auto& w : windows) {
        if (!Open(w, 80, y, options, display)) {
            return false;
        }
        y += kHeight + 40;
    }
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    std::cout << "ready" << std::endl;

    SDL_Event event;
    while (SDL_WaitEvent(&event) != 0) {
        if (event.type == SDL_QUIT) {
            break;
        }
        if (event.type == SDL_SYSWMEVENT && event.syswm.msg->subsystem == SDL_SYSWM_X11) {
            Receive(windows, display, event.syswm.msg->msg.x11.event, options);
        } else if (event.type == SDL_WINDOWEVENT) {
            for (auto& w : windows) {
                if (w.window && SDL_GetWindowID(w.window.get()) == event.window.windowID) {
                    if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
                        Paint(w, options);
                    } else if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                        if (w.className == "MainWindow") {
                            return true;
                        }
                        w.window.reset();
                        w.xid = 0;
                    }
                }
            }
        }
    }
    return true;
}

}  // namespace booster
