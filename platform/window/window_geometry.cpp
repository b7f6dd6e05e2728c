// Window placement, showing and hiding, coordinates, monitors and shapes.

#include <algorithm>

#include "platform/window/window_internal.h"
#include "platform/window/window_system.h"

namespace platform {

namespace {

POINT ClientOriginOnScreen(Window& w) {
    Window* top = TopLevelOf(&w);
    POINT origin = OriginInTopLevel(w);
    if (top != nullptr) {
        origin.x += top->rect.left;
        origin.y += top->rect.top;
    }
    return origin;
}

// The display enforces the window's tracking limits while the user resizes.
void ApplyTrackLimits(HWND hwnd) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || !w->sdl) {
        return;
    }
    MINMAXINFO info;
    MONITORINFO monitor;
    GetMonitorInfo(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor);
    info.ptMaxSize = POINT{Width(monitor.rcWork), Height(monitor.rcWork)};
    info.ptMaxTrackSize = info.ptMaxSize;
    SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    if ((w = FindWindowRecord(hwnd)) == nullptr || !w->sdl) {
        return;
    }
    if (info.ptMinTrackSize.x > 0 || info.ptMinTrackSize.y > 0) {
        SDL_SetWindowMinimumSize(w->sdl.get(), std::max<int>(1, info.ptMinTrackSize.x),
                                 std::max<int>(1, info.ptMinTrackSize.y));
    }
    if (info.ptMaxTrackSize.x > 0 && info.ptMaxTrackSize.y > 0) {
        SDL_SetWindowMaximumSize(w->sdl.get(), info.ptMaxTrackSize.x, info.ptMaxTrackSize.y);
    }
}

void InvalidateParentArea(Window& w, const RECT& area) {
    if (IsChild(w)) {
        InvalidateRect(w.parent, &area, TRUE);
    }
}

int MonitorIndexOf(HMONITOR monitor) {
    return static_cast<int>(reinterpret_cast<std::uintptr_t>(monitor)) - 1;
}

HMONITOR MonitorHandle(int index) {
    return reinterpret_cast<HMONITOR>(static_cast<std::uintptr_t>(index + 1));
}

}  // namespace

}  // namespace platform

using platform::FindWindowRecord;
using platform::Window;

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || rect == nullptr) {
        return FALSE;
    }
    POINT origin = platform::ClientOriginOnScreen(*w);
    *rect = RECT{origin.x, origin.y, origin.x + platform::Width(w->rect),
                 origin.y + platform::Height(w->rect)};
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || rect == nullptr) {
        return FALSE;
    }
    *rect = RECT{0, 0, platform::Width(w->rect), platform::Height(w->rect)};
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || point == nullptr) {
        return FALSE;
    }
    POINT origin = platform::ClientOriginOnScreen(*w);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || point == nullptr) {
        return FALSE;
    }
    POINT origin = platform::ClientOriginOnScreen(*w);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    POINT origin{};
    ClientToScreen(from, &origin);
    POINT target{};
    ClientToScreen(to, &target);
    int dx = origin.x - target.x;
    int dy = origin.y - target.y;
    for (UINT i = 0; points != nullptr && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return MAKELPARAM(dx, dy);
}

HWND WindowFromPoint(POINT point) {
    auto tops = platform::ThreadTopLevelWindows();
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        Window* w = FindWindowRecord(*it);
        if (w == nullptr || (w->style & WS_VISIBLE) == 0) {
            continue;
        }
        if (point.x >= w->rect.left && point.x < w->rect.right && point.y >= w->rect.top &&
            point.y < w->rect.bottom) {
            return platform::ChildAt(*it, POINT{point.x - w->rect.left, point.y - w->rect.top});
        }
    }
    return nullptr;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    RECT old = w->rect;
    RECT fresh = old;
    if ((flags & SWP_NOMOVE) == 0) {
        fresh = RECT{x, y, x + platform::Width(old), y + platform::Height(old)};
    }
    if ((flags & SWP_NOSIZE) == 0) {
        fresh.right = fresh.left + std::max(cx, 0);
        fresh.bottom = fresh.top + std::max(cy, 0);
    }
    if ((flags & SWP_FRAMECHANGED) != 0) {
        RECT proposed = fresh;
        SendMessage(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&proposed));
        if ((w = FindWindowRecord(hwnd)) == nullptr) {
            return FALSE;
        }
    }
    if ((flags & SWP_NOZORDER) == 0 && insertAfter == HWND_TOP && platform::IsChild(*w)) {
        if (Window* parent = FindWindowRecord(w->parent)) {
            std::erase(parent->children, hwnd);
            parent->children.push_back(hwnd);
        }
    }
    bool moved = fresh.left != old.left || fresh.top != old.top;
    bool sized = platform::Width(fresh) != platform::Width(old) ||
                 platform::Height(fresh) != platform::Height(old);
    if (moved || sized) {
        bool visible = (w->style & WS_VISIBLE) != 0;
        if (visible) {
            platform::InvalidateParentArea(*w, old);
        }
        w->rect = fresh;
        if (!platform::IsChild(*w)) {
            if (w->sdl && moved && (flags & platform::kSwpFromDisplay) == 0) {
                SDL_SetWindowPosition(w->sdl.get(), fresh.left, fresh.top);
            }
            platform::ResizeBackBuffer(*w);
        }
        if (visible && (flags & SWP_NOREDRAW) == 0) {
            InvalidateRect(hwnd, nullptr, TRUE);
        }
        if (moved) {
            SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(fresh.left, fresh.top));
        }
        if (sized && IsWindow(hwnd)) {
            SendMessage(hwnd, WM_SIZE, IsZoomed(hwnd) ? SIZE_MAXIMIZED : SIZE_RESTORED,
                        MAKELPARAM(platform::Width(fresh), platform::Height(fresh)));
        }
    }
    if ((flags & SWP_SHOWWINDOW) != 0) {
        ShowWindow(hwnd, (flags & SWP_NOACTIVATE) != 0 ? SW_SHOWNA : SW_SHOW);
    } else if ((flags & SWP_HIDEWINDOW) != 0) {
        ShowWindow(hwnd, SW_HIDE);
    }
    return IsWindow(hwnd);
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL ShowWindow(HWND hwnd, int command) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    BOOL wasVisible = (w->style & WS_VISIBLE) != 0 ? TRUE : FALSE;
    bool top = !platform::IsChild(*w);
    if (command == SW_HIDE) {
        if (!wasVisible) {
            return FALSE;
        }
        SendMessage(hwnd, WM_SHOWWINDOW, FALSE, 0);
        if ((w = FindWindowRecord(hwnd)) == nullptr) {
            return TRUE;
        }
        w->style &= ~WS_VISIBLE;
        if (w->sdl) {
            SDL_HideWindow(w->sdl.get());
        }
        platform::InvalidateParentArea(*w, w->rect);
        if (top && GetActiveWindow() == hwnd) {
            SetActiveWindow(nullptr);
        } else {
            for (HWND h = GetFocus(); h != nullptr; h = GetAncestor(h, GA_PARENT)) {
                if (h == hwnd) {
                    SetFocus(nullptr);
                    break;
                }
            }
        }
        return TRUE;
    }
    if (top &&
        (command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE)) {
        if ((w->style & WS_MINIMIZE) == 0) {
            w->style |= WS_MINIMIZE;
            if (w->sdl) {
                SDL_MinimizeWindow(w->sdl.get());
            }
            SendMessage(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
        }
    } else if (top && command == SW_MAXIMIZE) {
        w->style &= ~WS_MINIMIZE;
        if ((w->style & WS_MAXIMIZE) == 0) {
            w->restoreRect = w->rect;
            w->style |= WS_MAXIMIZE;
            MONITORINFO info;
            GetMonitorInfo(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info);
            SetWindowPos(hwnd, nullptr, info.rcWork.left, info.rcWork.top,
                         platform::Width(info.rcWork), platform::Height(info.rcWork),
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    } else if (top && command == SW_RESTORE) {
        if ((w->style & WS_MINIMIZE) != 0) {
            w->style &= ~WS_MINIMIZE;
            if (w->sdl) {
                SDL_RestoreWindow(w->sdl.get());
            }
            SendMessage(hwnd, WM_SIZE, IsZoomed(hwnd) ? SIZE_MAXIMIZED : SIZE_RESTORED,
                        MAKELPARAM(platform::Width(w->rect), platform::Height(w->rect)));
        } else if ((w->style & WS_MAXIMIZE) != 0) {
            w->style &= ~WS_MAXIMIZE;
            RECT r = w->restoreRect;
            SetWindowPos(hwnd, nullptr, r.left, r.top, platform::Width(r), platform::Height(r),
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if ((w = FindWindowRecord(hwnd)) == nullptr) {
        return wasVisible;
    }
    if (!wasVisible) {
        if (top) {
            platform::ApplyTrackLimits(hwnd);
        }
        SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
        if ((w = FindWindowRecord(hwnd)) == nullptr) {
            return FALSE;
        }
        w->style |= WS_VISIBLE;
        if (w->sdl) {
            SDL_ShowWindow(w->sdl.get());
        }
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    bool activate = command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
                    command != SW_SHOWMINNOACTIVE && command != SW_MINIMIZE &&
                    command != SW_SHOWMINIMIZED;
    if (top && activate && IsWindowEnabled(hwnd)) {
        SetActiveWindow(hwnd);
    }
    return wasVisible;
}

HMONITOR MonitorFromPoint(POINT point, DWORD) {
    if (!platform::EnsureDisplay()) {
        return platform::MonitorHandle(0);
    }
    SDL_Point p{point.x, point.y};
    int index = SDL_GetPointDisplayIndex(&p);
    return platform::MonitorHandle(std::max(index, 0));
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return MonitorFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, flags);
}

BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info) {
    if (info == nullptr) {
        return FALSE;
    }
    int index = platform::MonitorIndexOf(monitor);
    SDL_Rect bounds{0, 0, 1280, 1024};
    SDL_Rect usable = bounds;
    if (platform::EnsureDisplay() && index >= 0) {
        if (SDL_GetDisplayBounds(index, &bounds) != 0) {
            return FALSE;
        }
        if (SDL_GetDisplayUsableBounds(index, &usable) != 0) {
            usable = bounds;
        }
    }
    info->rcMonitor = RECT{bounds.x, bounds.y, bounds.x + bounds.w, bounds.y + bounds.h};
    info->rcWork = RECT{usable.x, usable.y, usable.x + usable.w, usable.y + usable.h};
    info->dwFlags = index == 0 ? 1 : 0;  // MONITORINFOF_PRIMARY
    return TRUE;
}

struct HRGN__ {
    platform::RoundRegion shape;
};

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return new HRGN__{platform::RoundRegion{RECT{left, top, right, bottom}, 0, 0}};
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth,
                        int ellipseHeight) {
    return new HRGN__{
        platform::RoundRegion{RECT{left, top, right, bottom}, ellipseWidth, ellipseHeight}};
}

BOOL DeleteObject(HRGN region) {
    delete region;
    return TRUE;
}

int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) {
        delete region;
        return 0;
    }
    if (region != nullptr) {
        w->region = region->shape;
        delete region;
    } else {
        w->region.reset();
    }
    if (w->sdl) {
        platform::ApplyDisplayShape(*w);
    }
    if (redraw) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    return 1;
}

int GetWindowRgnBox(HWND hwnd, RECT* box) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || box == nullptr) {
        return ERROR;
    }
    if (!w->region) {
        *box = RECT{};
        return ERROR;  // a window without a region, as the system answers
    }
    *box = w->region->rect;
    return w->region->ellipseWidth > 0 && w->region->ellipseHeight > 0 ? COMPLEXREGION
                                                                       : SIMPLEREGION;
}
