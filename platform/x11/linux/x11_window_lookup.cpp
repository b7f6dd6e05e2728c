#include "platform/x11/linux/x11_window_lookup.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/text/text_codec.h"
#include "platform/x11/linux/x11_support.h"

namespace platform {

namespace {

// The root's children, topmost first.
std::vector<Window> RootChildren(Display* display, Window root) {
    std::vector<Window> windows;
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) != 0 &&
        children != nullptr) {
        windows.assign(children, children + count);
        std::reverse(windows.begin(), windows.end());
    }
    if (children != nullptr) {
        XFree(children);
    }
    return windows;
}

bool HasClass(Display* display, Window window, const std::string& className) {
    XClassHint hint{};
    if (XGetClassHint(display, window, &hint) == 0) {
        return false;
    }
    bool same = hint.res_class != nullptr && className == hint.res_class;
    if (hint.res_name != nullptr) {
        XFree(hint.res_name);
    }
    if (hint.res_class != nullptr) {
        XFree(hint.res_class);
    }
    return same;
}

bool HasTitle(Display* display, Window window, const std::string& title) {
    std::string text;
    Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    if (x11::ReadTextProperty(display, window, netName, text) ||
        x11::ReadTextProperty(display, window, XA_WM_NAME, text)) {
        return text == title;
    }
    return false;
}

}  // namespace

ForeignWindow FindForeignWindow(std::wstring_view className, std::wstring_view title) {
    auto display = x11::OpenDisplay();
    if (!display) {
        return 0;
    }
    const std::string classBytes = EncodeUtf8(className);
    const std::string titleBytes = EncodeUtf8(title);
    Display* d = display.get();
    Window root = DefaultRootWindow(d);
    // A window manager lists its clients; without one (or when it left a
    // stale list behind) the clients are the root's children.
    std::vector<Window> candidates = x11::ClientList(d, root);
    std::reverse(candidates.begin(), candidates.end());  // the list is oldest first
    for (Window child : RootChildren(d, root)) {
        if (std::find(candidates.begin(), candidates.end(), child) == candidates.end()) {
            candidates.push_back(child);
        }
    }
    // Windows may disappear while they are looked at.
    x11::ErrorTrap trap(d);
    for (Window window : candidates) {
        if (HasClass(d, window, classBytes) && HasTitle(d, window, titleBytes)) {
            return window;
        }
    }
    return 0;
}

bool SetForeignWindowClass(_XDisplay* display, ForeignWindow window, std::wstring_view className) {
    std::string bytes = EncodeUtf8(className);
    XClassHint hint{};
    hint.res_name = bytes.data();
    hint.res_class = bytes.data();
    x11::ErrorTrap trap(display);
    XSetClassHint(display, window, &hint);
    return !trap.Failed();
}

}  // namespace platform
