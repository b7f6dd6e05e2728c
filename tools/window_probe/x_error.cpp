#include "tools/window_probe/x_error.h"

#include <X11/Xlib.h>

bool SendToAGoneWindow() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    ::Window gone = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    XDestroyWindow(display, gone);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = gone;
    event.xclient.format = 32;
    event.xclient.message_type = XInternAtom(display, "VANTU_PROBE", False);
    XSendEvent(display, gone, False, NoEventMask, &event);
    XSync(display, False);  // the error arrives here
    XCloseDisplay(display);
    return true;
}
