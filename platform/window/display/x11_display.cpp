// What only an X11 display offers: WM_CLASS per window (other processes find
// our windows by class and title), shaped (round-cornered) windows, and
// protocol errors that do not end the process.

#include <SDL_syswm.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/text/text_codec.h"
#include "platform/window/display/x11_display.h"
#include "platform/window/window_internal.h"
#include "platform/window/window_system.h"
#include "platform/x11/linux/x11_window_message.h"

namespace platform {

namespace {

bool X11Info(SDL_Window* sdl, SDL_SysWMinfo& info) {
    SDL_VERSION(&info.version);
    return sdl != nullptr && SDL_GetWindowWMInfo(sdl, &info) == SDL_TRUE &&
           info.subsystem == SDL_SYSWM_X11;
}

bool DriverIsX11() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr && std::string(driver) == "x11";
}

// Xlib's default handler ends the process on any protocol error, and SDL's
// passes errors on to it. Windows of ours come and go while other threads post
// to them and other programs send to them, so a request that names a window
// gone meanwhile (BadWindow) is no reason to end: report it and go on.
int ReportXError(Display* display, XErrorEvent* error) {
    char text[128] = "";
    XGetErrorText(display, error->error_code, text, sizeof text);
    const std::string code = std::to_string(error->request_code);
    char request[64] = "";
    XGetErrorDatabaseText(display, "XRequest", code.c_str(), code.c_str(), request, sizeof request);
    std::fprintf(stderr, "X error %s in request %s (%d.%d) on resource 0x%lx\n", text, request,
                 error->request_code, error->minor_code, error->resourceid);
    std::fflush(stderr);
    return 0;
}

}  // namespace

void SetX11ClassHint(SDL_Window* sdl, const std::wstring& className) {
    SDL_SysWMinfo info;
    if (!X11Info(sdl, info)) {
        return;
    }
    std::string name = EncodeUtf8(className);
    XClassHint hint;
    hint.res_name = name.data();
    hint.res_class = name.data();
    XSetClassHint(info.info.x11.display, info.info.x11.window, &hint);
    XFlush(info.info.x11.display);
}

void ListenForForeignMessages() {
    if (DriverIsX11()) {
        SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    }
}

void KeepXErrorsNonFatal() {
    if (DriverIsX11()) {
        XSetErrorHandler(ReportXError);
    }
}

bool HandleForeignMessage(const SDL_SysWMmsg& message) {
    if (message.subsystem != SDL_SYSWM_X11) {
        return false;
    }
    // The display connection is the one every window of ours shares.
    SDL_SysWMinfo info;
    HWND target = nullptr;
    Display* display = nullptr;
    ForeignMessage foreign;
    for (HWND hwnd : ThreadTopLevelWindows()) {
        Window* w = FindWindowRecord(hwnd);
        if (w == nullptr || !X11Info(w->sdl.get(), info)) {
            continue;
        }
        display = info.info.x11.display;
        if (!ReadForeignMessage(display, message.msg.x11.event, foreign)) {
            return false;
        }
        if (info.info.x11.window == foreign.window) {
            target = hwnd;
            break;
        }
    }
    if (display == nullptr || foreign.replyWindow == 0) {
        return false;
    }
    LRESULT result = target != nullptr
                         ? SendMessage(target, foreign.message, foreign.wParam, foreign.lParam)
                         : 0;
    AnswerForeignMessage(display, foreign, result);
    return true;
}

unsigned long NativeWindowOf(SDL_Window* sdl) {
    SDL_SysWMinfo info;
    return X11Info(sdl, info) ? info.info.x11.window : 0;
}

void ApplyDisplayShape(Window& top) {
    SDL_SysWMinfo info;
    if (!X11Info(top.sdl.get(), info)) {
        return;
    }
    Display* display = info.info.x11.display;
    int eventBase = 0;
    int errorBase = 0;
    if (!XShapeQueryExtension(display, &eventBase, &errorBase)) {
        return;
    }
    ::Window xid = info.info.x11.window;
    if (!top.region) {
        XShapeCombineMask(display, xid, ShapeBounding, 0, 0, None, ShapeSet);
        XFlush(display);
        return;
    }
    // One row rectangle per scan line: the rounded rectangle's inside.
    const RoundRegion& r = *top.region;
    double rx = r.ellipseWidth / 2.0;
    double ry = r.ellipseHeight / 2.0;
    std::vector<XRectangle> rows;
    for (int y = r.rect.top; y < r.rect.bottom; ++y) {
        int inset = 0;
        double cy = y + 0.5;
        double dy = 0;
        if (ry > 0 && cy < r.rect.top + ry) {
            dy = r.rect.top + ry - cy;
        } else if (ry > 0 && cy > r.rect.bottom - ry) {
            dy = cy - (r.rect.bottom - ry);
        }
        if (dy > 0 && rx > 0) {
            double t = std::min(1.0, dy / ry);
            inset = static_cast<int>(std::lround(rx - rx * std::sqrt(1.0 - t * t)));
        }
        int width = Width(r.rect) - 2 * inset;
        if (width > 0) {
            rows.push_back(XRectangle{static_cast<short>(r.rect.left + inset),
                                      static_cast<short>(y), static_cast<unsigned short>(width),
                                      1});
        }
    }
    XShapeCombineRectangles(display, xid, ShapeBounding, 0, 0, rows.data(),
                            static_cast<int>(rows.size()), ShapeSet, Unsorted);
    XFlush(display);
}

}  // namespace platform
