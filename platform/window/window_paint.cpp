// Invalidation, WM_PAINT, BeginPaint/EndPaint over the top-level window's
// back buffer, and showing painted areas. A child window paints into the same
// buffer after its parent, so it always ends up on top.

#include <algorithm>

#include "platform/window/window_internal.h"
#include "platform/window/window_system.h"

namespace platform {

namespace {

// The part of the window that can be seen, in its top-level buffer's
// coordinates (its rectangle cut by every ancestor's).
RECT VisibleInBuffer(Window& w) {
    POINT origin = OriginInTopLevel(w);
    RECT visible{origin.x, origin.y, origin.x + Width(w.rect), origin.y + Height(w.rect)};
    Window* p = &w;
    while (p != nullptr && IsChild(*p)) {
        Window* parent = FindWindowRecord(p->parent);
        if (parent == nullptr) {
            break;
        }
        POINT po = OriginInTopLevel(*parent);
        RECT pr{po.x, po.y, po.x + Width(parent->rect), po.y + Height(parent->rect)};
        Intersect(visible, visible, pr);
        p = parent;
    }
    return visible;
}

cairo_t* ContextFor(Window& w, const RECT* clientClip) {
    Window* top = TopLevelOf(&w);
    if (top == nullptr || !top->buffer) {
        return nullptr;
    }
    cairo_t* cr = cairo_create(top->buffer.get());
    RECT visible = VisibleInBuffer(w);
    POINT origin = OriginInTopLevel(w);
    if (clientClip != nullptr) {
        RECT clip{clientClip->left + origin.x, clientClip->top + origin.y,
                  clientClip->right + origin.x, clientClip->bottom + origin.y};
        Intersect(visible, visible, clip);
    }
    cairo_rectangle(cr, visible.left, visible.top, Width(visible), Height(visible));
    cairo_clip(cr);
    cairo_translate(cr, origin.x, origin.y);
    return cr;
}

bool FindPaint(HWND hwnd, HWND filter, MSG* msg) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || (w->style & WS_VISIBLE) == 0) {
        return false;
    }
    if (w->update && (filter == nullptr || filter == hwnd)) {
        *msg = MSG{.hwnd = hwnd, .message = WM_PAINT, .time = GetTickCount()};
        return true;
    }
    for (HWND child : w->children) {
        if (FindPaint(child, filter, msg)) {
            return true;
        }
    }
    return false;
}

}  // namespace

void ShowPainted() {
    for (HWND hwnd : ThreadTopLevelWindows()) {
        Window* top = FindWindowRecord(hwnd);
        if (top != nullptr && top->unshown) {
            RECT area = *top->unshown;
            top->unshown.reset();
            PresentRect(*top, area);
        }
    }
}

bool TakePaint(MSG* msg, HWND filterWindow, HWND& lastServed) {
    // Top-level windows are served in turn, starting after the one served
    // last: a window invalidated faster than it paints (a progress bar fed
    // by a download) must not keep the others from ever painting.
    std::vector<HWND> tops = ThreadTopLevelWindows();
    auto next = std::find(tops.begin(), tops.end(), lastServed);
    if (next != tops.end()) {
        std::rotate(tops.begin(), next + 1, tops.end());
    }
    for (HWND top : tops) {
        Window* w = FindWindowRecord(top);
        if (w != nullptr && (w->style & WS_MINIMIZE) == 0 && FindPaint(top, filterWindow, msg)) {
            lastServed = top;
            return true;
        }
    }
    return false;
}

HBITMAP WindowBackBuffer(HWND hwnd, RECT* clientInBuffer) {
    Window* w = FindWindowRecord(hwnd);
    Window* top = TopLevelOf(w);
    if (top == nullptr || !top->buffer) {
        return nullptr;
    }
    if (clientInBuffer != nullptr) {
        POINT origin = OriginInTopLevel(*w);
        *clientInBuffer =
            RECT{origin.x, origin.y, origin.x + Width(w->rect), origin.y + Height(w->rect)};
    }
    return top->buffer.get();
}

bool WriteWindowPng(HWND hwnd, const std::filesystem::path& file) {
    RECT area{};
    HBITMAP buffer = WindowBackBuffer(hwnd, &area);
    if (buffer == nullptr) {
        return false;
    }
    SurfacePtr copy(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Width(area), Height(area)));
    cairo_t* cr = cairo_create(copy.get());
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, buffer, -area.left, -area.top);
    cairo_paint(cr);
    cairo_destroy(cr);
    return cairo_surface_write_to_png(copy.get(), file.string().c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace platform

using platform::FindWindowRecord;
using platform::Window;

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL) {
    if (hwnd == nullptr) {
        for (HWND top : platform::ThreadTopLevelWindows()) {
            InvalidateRect(top, nullptr, TRUE);
        }
        return TRUE;
    }
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    if (!IsWindowVisible(hwnd)) {
        return TRUE;
    }
    RECT client{0, 0, platform::Width(w->rect), platform::Height(w->rect)};
    RECT area = client;
    if (rect != nullptr && !platform::Intersect(area, *rect, client)) {
        return TRUE;
    }
    if (platform::Width(area) <= 0 || platform::Height(area) <= 0) {
        return TRUE;
    }
    w->update = w->update ? platform::Union(*w->update, area) : area;
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    if (rect == nullptr) {
        w->update.reset();
    } else if (w->update) {
        // Only a cover of the whole update area empties it (one rectangle is kept).
        const RECT& u = *w->update;
        if (rect->left <= u.left && rect->top <= u.top && rect->right >= u.right &&
            rect->bottom >= u.bottom) {
            w->update.reset();
        }
    }
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || !w->update) {
        if (rect != nullptr) {
            *rect = RECT{};
        }
        return FALSE;
    }
    if (rect != nullptr) {
        *rect = *w->update;
    }
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    if (w->update) {
        SendMessage(hwnd, WM_PAINT, 0, 0);
    }
    if ((w = FindWindowRecord(hwnd)) != nullptr) {
        auto children = w->children;
        for (HWND child : children) {
            UpdateWindow(child);
        }
    }
    platform::ShowPainted();
    return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || paint == nullptr) {
        return nullptr;
    }
    *paint = PAINTSTRUCT{};
    RECT area = w->update.value_or(RECT{});
    w->update.reset();
    paint->rcPaint = area;
    paint->fErase = FALSE;
    paint->hdc = platform::ContextFor(*w, &area);
    return paint->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
    if (paint == nullptr) {
        return FALSE;
    }
    if (paint->hdc != nullptr) {
        cairo_destroy(paint->hdc);
    }
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    const RECT& area = paint->rcPaint;
    if (platform::Width(area) <= 0 || platform::Height(area) <= 0) {
        return TRUE;
    }
    // Children were painted over: they paint again on top.
    for (HWND child : w->children) {
        Window* c = FindWindowRecord(child);
        RECT overlap{};
        if (c != nullptr && (c->style & WS_VISIBLE) != 0 &&
            platform::Intersect(overlap, area, c->rect)) {
            RECT inChild{overlap.left - c->rect.left, overlap.top - c->rect.top,
                         overlap.right - c->rect.left, overlap.bottom - c->rect.top};
            InvalidateRect(child, &inChild, FALSE);
        }
    }
    POINT origin = platform::OriginInTopLevel(*w);
    RECT shown{area.left + origin.x, area.top + origin.y, area.right + origin.x,
               area.bottom + origin.y};
    RECT visible = platform::VisibleInBuffer(*w);
    if (platform::Intersect(shown, shown, visible)) {
        // Shown when the children painted over have painted again.
        Window* top = platform::TopLevelOf(w);
        top->unshown = top->unshown ? platform::Union(*top->unshown, shown) : shown;
    }
    return TRUE;
}

HDC GetDC(HWND hwnd) {
    Window* w = FindWindowRecord(hwnd);
    return w != nullptr ? platform::ContextFor(*w, nullptr) : nullptr;
}

int ReleaseDC(HWND hwnd, HDC dc) {
    if (dc == nullptr) {
        return 0;
    }
    cairo_destroy(dc);
    Window* w = FindWindowRecord(hwnd);
    if (w != nullptr) {
        platform::PresentRect(*platform::TopLevelOf(w), platform::VisibleInBuffer(*w));
    }
    return 1;
}

BOOL UpdateLayeredWindow(HWND hwnd, HDC, const POINT* position, const SIZE* size, HDC source,
                         const POINT* sourcePoint, COLORREF, const BLENDFUNCTION* blend, DWORD) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || platform::IsChild(*w) || (w->exStyle & WS_EX_LAYERED) == 0) {
        return FALSE;
    }
    if (position != nullptr || size != nullptr) {
        RECT r = w->rect;
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
        SetWindowPos(hwnd, nullptr, position ? position->x : r.left, position ? position->y : r.top,
                     size ? size->cx : platform::Width(r), size ? size->cy : platform::Height(r),
                     flags | (position ? 0 : SWP_NOMOVE) | (size ? 0 : SWP_NOSIZE));
        if ((w = FindWindowRecord(hwnd)) == nullptr) {
            return FALSE;
        }
    }
    if (source == nullptr || !w->buffer) {
        return FALSE;
    }
    POINT from = sourcePoint != nullptr ? *sourcePoint : POINT{};
    cairo_t* cr = cairo_create(w->buffer.get());
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, cairo_get_target(source), -from.x, -from.y);
    cairo_paint(cr);
    cairo_destroy(cr);
    if (w->sdl && blend != nullptr) {
        SDL_SetWindowOpacity(w->sdl.get(), blend->SourceConstantAlpha / 255.0f);
    }
    platform::PresentRect(*w, RECT{0, 0, platform::Width(w->rect), platform::Height(w->rect)});
    return TRUE;
}

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF, BYTE alpha, DWORD flags) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || platform::IsChild(*w) || (w->exStyle & WS_EX_LAYERED) == 0) {
        return FALSE;
    }
    if (w->sdl && (flags & LWA_ALPHA) != 0) {
        SDL_SetWindowOpacity(w->sdl.get(), alpha / 255.0f);
    }
    return TRUE;
}
