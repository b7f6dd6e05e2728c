#pragma once

// Xlib helpers for this folder's X11 code. Include only from .cpp files: Xlib's
// macros (None, Status, Bool, ...) clash with names elsewhere.

#include <X11/Xlib.h>

#include <memory>
#include <string>
#include <vector>

namespace platform::x11 {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// A connection to the display named by DISPLAY; null when there is none.
DisplayPtr OpenDisplay();

// While alive, X errors on any connection are counted instead of ending the
// process (Xlib's default handler exits): another program's window can vanish
// between two requests. Not for use on several threads at once.
class ErrorTrap {
  public:
    explicit ErrorTrap(Display* display);
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    // Waits until the server handled every request so far; true when one of
    // them failed since the trap was set.
    bool Failed();

  private:
    Display* m_display;
    XErrorHandler m_previous;
    int m_errorsBefore;
};

// A text property of a window as raw bytes (for titles: UTF-8); nothing when
// it is missing.
bool ReadTextProperty(Display* display, Window window, Atom property, std::string& out);

// The windows a window manager lists as its clients (_NET_CLIENT_LIST);
// empty without a window manager.
std::vector<Window> ClientList(Display* display, Window root);

}  // namespace platform::x11
