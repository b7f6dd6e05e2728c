// Window fields, texts, relations, visibility, enabling and properties.

#include <algorithm>

#include "platform/window/window_internal.h"
#include "platform/window/window_system.h"

using platform::FindWindowRecord;
using platform::Window;

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) {
        return 0;
    }
    switch (index) {
        case GWL_STYLE:
            return static_cast<LONG_PTR>(w->style);
        case GWL_EXSTYLE:
            return static_cast<LONG_PTR>(w->exStyle);
        case GWLP_USERDATA:
            return w->userData;
        case GWLP_ID:
            return w->id;
        case GWLP_WNDPROC:
            return reinterpret_cast<LONG_PTR>(platform::WindowProcedure(hwnd));
        case GWLP_HWNDPARENT:
            return reinterpret_cast<LONG_PTR>(platform::IsChild(*w) ? w->parent : w->owner);
        default:
            return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) {
        return 0;
    }
    LONG_PTR old = GetWindowLongPtr(hwnd, index);
    switch (index) {
        case GWL_STYLE:
            // Visibility changes only through ShowWindow.
            w->style = (static_cast<DWORD>(value) & ~WS_VISIBLE) | (w->style & WS_VISIBLE);
            break;
        case GWL_EXSTYLE:
            w->exStyle = static_cast<DWORD>(value);
            break;
        case GWLP_USERDATA:
            w->userData = value;
            break;
        case GWLP_ID:
            w->id = value;
            break;
        case GWLP_WNDPROC:
            platform::SetWindowProcedure(hwnd, reinterpret_cast<WNDPROC>(value));
            break;
        case GWLP_HWNDPARENT:
            if (!platform::IsChild(*w)) {
                w->owner = reinterpret_cast<HWND>(value);
            }
            break;
        default:
            return 0;
    }
    return old;
}

LONG GetWindowLong(HWND hwnd, int index) {
    return static_cast<LONG>(GetWindowLongPtr(hwnd, index));
}

LONG SetWindowLong(HWND hwnd, int index, LONG value) {
    LONG_PTR v = value;
    if (index == GWL_STYLE || index == GWL_EXSTYLE) {
        v = static_cast<LONG_PTR>(static_cast<DWORD>(value));
    }
    return static_cast<LONG>(SetWindowLongPtr(hwnd, index, v));
}

BOOL SetWindowText(HWND hwnd, const wchar_t* text) {
    if (FindWindowRecord(hwnd) == nullptr) {
        return FALSE;
    }
    return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? TRUE : FALSE;
}

int GetWindowText(HWND hwnd, wchar_t* buffer, int size) {
    if (buffer == nullptr || size <= 0) {
        return 0;
    }
    buffer[0] = 0;
    return static_cast<int>(
        SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd) {
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

int GetClassName(HWND hwnd, wchar_t* buffer, int size) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || buffer == nullptr || size <= 0) {
        return 0;
    }
    int n = std::min(static_cast<int>(w->cls.name.size()), size - 1);
    std::copy_n(w->cls.name.begin(), n, buffer);
    buffer[n] = 0;
    return n;
}

HWND GetParent(HWND hwnd) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) {
        return nullptr;
    }
    return platform::IsChild(*w) ? w->parent : w->owner;
}

HWND GetWindow(HWND hwnd, UINT command) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || command != GW_OWNER) {
        return nullptr;
    }
    return w->owner;
}

HWND GetDlgItem(HWND parent, int id) {
    Window* w = FindWindowRecord(parent);
    if (w == nullptr) {
        return nullptr;
    }
    for (HWND child : w->children) {
        Window* c = FindWindowRecord(child);
        if (c != nullptr && c->id == id) {
            return child;
        }
    }
    return nullptr;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) {
        return nullptr;
    }
    if (flags == GA_PARENT) {
        return w->parent;
    }
    Window* top = platform::TopLevelOf(w);
    return top != nullptr ? top->hwnd : nullptr;
}

BOOL IsWindowVisible(HWND hwnd) {
    for (Window* w = FindWindowRecord(hwnd); w != nullptr; w = FindWindowRecord(w->parent)) {
        if ((w->style & WS_VISIBLE) == 0) {
            return FALSE;
        }
        if (!platform::IsChild(*w)) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
    Window* w = FindWindowRecord(hwnd);
    return w != nullptr && (w->style & WS_DISABLED) == 0 ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    BOOL wasDisabled = (w->style & WS_DISABLED) != 0 ? TRUE : FALSE;
    if ((enable != FALSE) == (wasDisabled == FALSE)) {
        return wasDisabled;
    }
    if (enable) {
        w->style &= ~WS_DISABLED;
    } else {
        w->style |= WS_DISABLED;
        for (HWND h = GetFocus(); h != nullptr; h = GetAncestor(h, GA_PARENT)) {
            if (h == hwnd) {
                SetFocus(nullptr);
                break;
            }
        }
        if (GetCapture() == hwnd) {
            ReleaseCapture();
        }
    }
    SendMessage(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL IsIconic(HWND hwnd) {
    Window* w = FindWindowRecord(hwnd);
    return w != nullptr && (w->style & WS_MINIMIZE) != 0 ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
    Window* w = FindWindowRecord(hwnd);
    return w != nullptr && (w->style & WS_MAXIMIZE) != 0 ? TRUE : FALSE;
}

BOOL IsChild(HWND parent, HWND child) {
    for (Window* w = FindWindowRecord(child); w != nullptr && platform::IsChild(*w);
         w = FindWindowRecord(w->parent)) {
        if (w->parent == parent) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL SetProp(HWND hwnd, const wchar_t* name, void* value) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || name == nullptr) {
        return FALSE;
    }
    w->properties[name] = value;
    return TRUE;
}

void* GetProp(HWND hwnd, const wchar_t* name) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || name == nullptr) {
        return nullptr;
    }
    auto it = w->properties.find(name);
    return it != w->properties.end() ? it->second : nullptr;
}

void* RemoveProp(HWND hwnd, const wchar_t* name) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || name == nullptr) {
        return nullptr;
    }
    auto it = w->properties.find(name);
    if (it == w->properties.end()) {
        return nullptr;
    }
    void* value = it->second;
    w->properties.erase(it);
    return value;
}
