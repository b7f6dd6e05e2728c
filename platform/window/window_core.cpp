// Window classes, window records, creation and destruction.

#include <algorithm>
#include <atomic>
#include <mutex>
#include <unordered_map>

#include "platform/window/window_internal.h"
#include "platform/window/window_system.h"

namespace platform {

namespace {

std::mutex& ClassMutex() {
    static std::mutex m;
    return m;
}
std::unordered_map<std::wstring, WindowClassInfo>& Classes() {
    static std::unordered_map<std::wstring, WindowClassInfo> classes;
    return classes;
}

std::mutex& RecordMutex() {
    static std::mutex m;
    return m;
}
// Every window made by CreateWindowEx; the handle table points at these.
std::unordered_map<HWND, std::unique_ptr<Window>>& Records() {
    static std::unordered_map<HWND, std::unique_ptr<Window>> records;
    return records;
}

// Records of destroyed windows are kept until the thread next looks for a
// message: a procedure that destroyed its own window still runs on it.
thread_local std::vector<std::unique_ptr<Window>> g_graveyard;
thread_local std::vector<HWND> g_topLevel;

std::atomic<int> g_cascade{0};

void SendDestroy(HWND hwnd) {
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    if (Window* w = FindWindowRecord(hwnd)) {
        auto children = w->children;
        for (HWND child : children) {
            SendDestroy(child);
        }
    }
}

void Forget(HWND hwnd) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) {
        return;
    }
    auto children = w->children;
    for (HWND child : children) {
        Forget(child);
    }
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    w = FindWindowRecord(hwnd);
    if (w == nullptr) {
        return;
    }
    ForgetCaret(hwnd);
    ForgetInputState(hwnd);
    if (Window* parent = FindWindowRecord(w->parent)) {
        std::erase(parent->children, hwnd);
    }
    std::erase(g_topLevel, hwnd);
    RemoveWindowHandle(hwnd);
    w->timers.clear();
    ForgetDisplayWindow(w->sdl.get());
    w->sdl.reset();
    w->buffer.reset();
    std::lock_guard lock(RecordMutex());
    auto it = Records().find(hwnd);
    if (it != Records().end()) {
        g_graveyard.push_back(std::move(it->second));
        Records().erase(it);
    }
}

}  // namespace

void EmptyGraveyard() {
    g_graveyard.clear();
}

Window* FindWindowRecord(HWND hwnd) {
    if (hwnd == nullptr) {
        return nullptr;
    }
    return static_cast<Window*>(WindowData(hwnd));
}

Window* TopLevelOf(Window* window) {
    while (window != nullptr && IsChild(*window)) {
        window = FindWindowRecord(window->parent);
    }
    return window;
}

POINT OriginInTopLevel(const Window& window) {
    POINT p{};
    const Window* w = &window;
    while (w != nullptr && IsChild(*w)) {
        p.x += w->rect.left;
        p.y += w->rect.top;
        w = FindWindowRecord(w->parent);
    }
    return p;
}

bool IsChild(const Window& window) {
    return window.parent != nullptr;
}

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

bool Intersect(RECT& out, const RECT& a, const RECT& b) {
    out = RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
    if (out.left >= out.right || out.top >= out.bottom) {
        out = RECT{};
        return false;
    }
    return true;
}

RECT Union(const RECT& a, const RECT& b) {
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

std::vector<HWND> ThreadTopLevelWindows() {
    return g_topLevel;
}

}  // namespace platform

using platform::FindWindowRecord;
using platform::Window;

ATOM RegisterClass(const WNDCLASS* wc) {
    if (wc == nullptr || wc->lpszClassName == nullptr || wc->lpfnWndProc == nullptr) {
        return 0;
    }
    std::lock_guard lock(platform::ClassMutex());
    auto [it, added] = platform::Classes().try_emplace(
        wc->lpszClassName,
        platform::WindowClassInfo{wc->lpszClassName, wc->style, wc->lpfnWndProc, wc->hCursor});
    if (!added) {
        return 0;  // ERROR_CLASS_ALREADY_EXISTS
    }
    return static_cast<ATOM>(0xC000 + platform::Classes().size());
}

BOOL UnregisterClass(const wchar_t* className, HINSTANCE) {
    std::lock_guard lock(platform::ClassMutex());
    return className != nullptr && platform::Classes().erase(className) > 0 ? TRUE : FALSE;
}

BOOL GetClassInfo(HINSTANCE, const wchar_t* className, WNDCLASS* wc) {
    platform::RegisterBuiltInClasses();
    std::lock_guard lock(platform::ClassMutex());
    if (className == nullptr || wc == nullptr) {
        return FALSE;
    }
    auto it = platform::Classes().find(className);
    if (it == platform::Classes().end()) {
        return FALSE;
    }
    *wc = WNDCLASS{};
    wc->style = it->second.style;
    wc->lpfnWndProc = it->second.proc;
    wc->hCursor = it->second.cursor;
    wc->lpszClassName = it->first.c_str();
    return TRUE;
}

HWND CreateWindowEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, HMENU menu,
                    HINSTANCE instance, void* param) {
    platform::RegisterBuiltInClasses();
    if (className == nullptr) {
        return nullptr;
    }
    platform::WindowClassInfo cls;
    {
        std::lock_guard lock(platform::ClassMutex());
        auto it = platform::Classes().find(className);
        if (it == platform::Classes().end()) {
            return nullptr;
        }
        cls = it->second;
    }
    bool child = (style & WS_CHILD) != 0;
    if (child && FindWindowRecord(parent) == nullptr) {
        return nullptr;
    }
    auto record = std::make_unique<Window>();
    Window* w = record.get();
    w->cls = cls;
    w->style = style & ~WS_VISIBLE;
    w->exStyle = exStyle;
    w->text = windowName != nullptr ? windowName : L"";
    w->thread = std::this_thread::get_id();
    if (child) {
        w->parent = parent;
        w->id = reinterpret_cast<LONG_PTR>(menu);
    } else if (Window* ownerWindow = platform::TopLevelOf(FindWindowRecord(parent))) {
        w->owner = ownerWindow->hwnd;
    }
    bool popup = (style & WS_POPUP) != 0 || child;
    if (x == CW_USEDEFAULT) {
        if (popup) {
            x = y = 0;
        } else {
            x = y = 40 + 26 * (platform::g_cascade++ % 8);
        }
    }
    if (width == CW_USEDEFAULT) {
        width = popup ? 0 : 640;
        height = popup ? 0 : 480;
    }
    w->rect = RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
    w->restoreRect = w->rect;

    HWND hwnd = platform::AddWindowHandle(cls.proc, w);
    w->hwnd = hwnd;
    {
        std::lock_guard lock(platform::RecordMutex());
        platform::Records().emplace(hwnd, std::move(record));
    }
    if (child) {
        FindWindowRecord(parent)->children.push_back(hwnd);
    } else {
        platform::g_topLevel.push_back(hwnd);
        if (platform::EnsureDisplay() && platform::IsDisplayThread()) {
            platform::MakeDisplayWindow(*w);
        }
        platform::ResizeBackBuffer(*w);
    }
    platform::InstallMessageSource();

    CREATESTRUCT cs;
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parent;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    if (SendMessage(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) == 0) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    RECT client = w->rect;
    SendMessage(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
    if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if ((w = FindWindowRecord(hwnd)) == nullptr) {
        return nullptr;
    }
    SendMessage(hwnd, WM_SIZE, SIZE_RESTORED,
                MAKELPARAM(platform::Width(w->rect), platform::Height(w->rect)));
    if ((w = FindWindowRecord(hwnd)) == nullptr) {
        return nullptr;
    }
    SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(w->rect.left, w->rect.top));
    if ((style & WS_VISIBLE) != 0 && IsWindow(hwnd)) {
        ShowWindow(hwnd, SW_SHOW);
    }
    return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
    Window* w = FindWindowRecord(hwnd);
    // Only the window's own thread may destroy it.
    if (w == nullptr || w->destroying || w->thread != std::this_thread::get_id()) {
        return FALSE;
    }
    w->destroying = true;
    if (!platform::IsChild(*w)) {
        for (HWND other : platform::ThreadTopLevelWindows()) {
            Window* o = FindWindowRecord(other);
            if (o != nullptr && o->owner == hwnd) {
                DestroyWindow(other);
            }
        }
    }
    if ((w = FindWindowRecord(hwnd)) == nullptr) {
        return TRUE;
    }
    if ((w->style & WS_VISIBLE) != 0) {
        ShowWindow(hwnd, SW_HIDE);
    }
    // Focus and capture leave the window tree before it goes.
    for (HWND h = GetFocus(); h != nullptr; h = GetParent(h)) {
        if (h == hwnd) {
            SetFocus(nullptr);
            break;
        }
        Window* fw = FindWindowRecord(h);
        if (fw == nullptr || !platform::IsChild(*fw)) {
            break;
        }
    }
    for (HWND h = GetCapture(); h != nullptr; h = GetParent(h)) {
        if (h == hwnd) {
            ReleaseCapture();
            break;
        }
        Window* cw = FindWindowRecord(h);
        if (cw == nullptr || !platform::IsChild(*cw)) {
            break;
        }
    }
    platform::SendDestroy(hwnd);
    platform::Forget(hwnd);
    return TRUE;
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc != nullptr ? proc(hwnd, message, wParam, lParam) : 0;
}
