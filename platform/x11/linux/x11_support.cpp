#include "platform/x11/linux/x11_support.h"

#include <X11/Xatom.h>

#include <atomic>
#include <cstdlib>

#include "platform/process/environment.h"

namespace platform::x11 {

namespace {

// Xlib's error handler is one per process, hence the counter.
std::atomic<int> errorCount{0};

int CountError(Display*, XErrorEvent*) {
    errorCount.fetch_add(1);
    return 0;
}

}  // namespace

DisplayPtr OpenDisplay() {
    if (!HasEnvironmentValue("DISPLAY")) {
        return nullptr;
    }
    return DisplayPtr(XOpenDisplay(std::getenv("DISPLAY")));
}

ErrorTrap::ErrorTrap(Display* display)
    : m_display(display),
      m_previous(XSetErrorHandler(CountError)),
      m_errorsBefore(errorCount.load()) {}

ErrorTrap::~ErrorTrap() {
    XSync(m_display, False);
    XSetErrorHandler(m_previous);
}

bool ErrorTrap::Failed() {
    XSync(m_display, False);
    return errorCount.load() != m_errorsBefore;
}

bool ReadTextProperty(Display* display, Window window, Atom property, std::string& out) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    int rc = XGetWindowProperty(display, window, property, 0, 1024, False, AnyPropertyType, &type,
                                &format, &count, &after, &data);
    bool found = rc == Success && data != nullptr && type != 0 && format == 8;
    if (found) {
        out.assign(reinterpret_cast<const char*>(data), count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return found;
}

std::vector<Window> ClientList(Display* display, Window root) {
    std::vector<Window> windows;
    Atom clientList = XInternAtom(display, "_NET_CLIENT_LIST", True);
    if (clientList == 0) {
        return windows;
    }
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, root, clientList, 0, 65536, False, XA_WINDOW, &type, &format,
                           &count, &after, &data) == Success &&
        data != nullptr && type == XA_WINDOW && format == 32) {
        // Format 32 properties come back as an array of long.
        auto* ids = reinterpret_cast<const unsigned long*>(data);
        windows.assign(ids, ids + count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return windows;
}

}  // namespace platform::x11
