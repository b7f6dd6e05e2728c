// The tooltip class: a popup without activation that shows one tool's text
// at the tracked position, wrapped at the maximum width.

#include <algorithm>
#include <memory>
#include <mutex>

#include "platform/gdi/font.h"
#include "platform/gdi/framed_box.h"
#include "platform/gdi/system_values.h"
#include "platform/gdi/text_layout.h"
#include "platform/text/text_codec.h"
#include "platform/window/controls/control_classes.h"
#include "platform/window/window_internal.h"
#include "platform/window/window_system.h"

namespace platform {

namespace {

constexpr int kPadding = 4;
constexpr int kOffsetY = 18;  // below the pointer

struct Tip {
    std::string text;  // UTF-8
    int maxWidth = -1;
    bool active = false;
    POINT position{};
    int initialDelay = 500;
    FontSpec font;
    HFONT fontHandle = nullptr;  // as given by WM_SETFONT, not owned
};

platform::LayoutPtr MakeLayout(cairo_t* cr, const Tip& tip) {
    return CreateTextLayout(cr, tip.font, tip.text, tip.maxWidth);
}

Tip& TipOf(HWND hwnd) {
    return *reinterpret_cast<Tip*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
}

void Place(HWND hwnd) {
    Tip& tip = TipOf(hwnd);
    if (!tip.active || tip.text.empty()) {
        ShowWindow(hwnd, SW_HIDE);
        return;
    }
    auto layout = MakeLayout(nullptr, tip);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
    int w = logical.width + 2 * kPadding;
    int h = logical.height + 2 * kPadding;
    MONITORINFO info;
    GetMonitorInfo(MonitorFromPoint(tip.position, MONITOR_DEFAULTTONEAREST), &info);
    int x = std::clamp<int>(tip.position.x, info.rcWork.left,
                            std::max<int>(info.rcWork.left, info.rcWork.right - w));
    int y = tip.position.y + kOffsetY;
    if (y + h > info.rcWork.bottom) {
        y = tip.position.y - h - 2;
    }
    SetWindowPos(hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd, nullptr, FALSE);
    ShowWindow(hwnd, SW_SHOWNA);
}

void SetText(Tip& tip, LPARAM lParam) {
    const auto* info = reinterpret_cast<const TOOLINFO*>(lParam);
    if (info != nullptr && info->lpszText != nullptr) {
        tip.text = EncodeUtf8(info->lpszText);
    }
}

LRESULT TooltipProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new Tip));
            return TRUE;
        case WM_NCDESTROY:
            delete &TipOf(hwnd);
            SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_SETFONT:
            TipOf(hwnd).fontHandle = reinterpret_cast<HFONT>(wParam);
            TipOf(hwnd).font = FontSpecOf(TipOf(hwnd).fontHandle);
            if (TipOf(hwnd).active) {
                Place(hwnd);
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(TipOf(hwnd).fontHandle);
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case TTM_ADDTOOL:
        case TTM_SETTOOLINFO:
        case TTM_UPDATETIPTEXT:
            SetText(TipOf(hwnd), lParam);
            if (TipOf(hwnd).active) {
                Place(hwnd);
            }
            return TRUE;
        case TTM_DELTOOL:
            TipOf(hwnd).text.clear();
            Place(hwnd);
            return 0;
        case TTM_SETMAXTIPWIDTH: {
            int old = TipOf(hwnd).maxWidth;
            TipOf(hwnd).maxWidth = static_cast<int>(static_cast<LONG_PTR>(lParam));
            return old;
        }
        case TTM_SETDELAYTIME:
            if (wParam == TTDT_INITIAL || wParam == TTDT_AUTOMATIC) {
                TipOf(hwnd).initialDelay = LOWORD(static_cast<std::uintptr_t>(lParam));
            }
            return 0;
        case TTM_GETDELAYTIME:
            return TipOf(hwnd).initialDelay;
        case TTM_TRACKACTIVATE:
        case TTM_ACTIVATE:
            TipOf(hwnd).active = wParam != 0;
            if (message == TTM_TRACKACTIVATE && wParam != 0) {
                SetText(TipOf(hwnd), lParam);
            }
            Place(hwnd);
            return 0;
        case TTM_TRACKPOSITION:
            TipOf(hwnd).position = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            Place(hwnd);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            RECT r;
            HDC dc =
                BeginFramedPaint(hwnd, ps, r, GetSysColor(COLOR_INFOBK), RGB(0x76, 0x76, 0x76));
            auto layout = MakeLayout(dc, TipOf(hwnd));
            cairo_set_source_rgb(dc, 0, 0, 0);
            cairo_move_to(dc, kPadding, kPadding);
            pango_cairo_show_layout(dc, layout.get());
            EndPaint(hwnd, &ps);
            return 0;
        }
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

void RegisterBuiltInClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASS wc;
        wc.lpfnWndProc = TooltipProc;
        wc.lpszClassName = L"tooltips_class32";
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        RegisterClass(&wc);
        controls::RegisterEditClass();
        controls::RegisterDatePickerClass();
    });
}

}  // namespace platform
