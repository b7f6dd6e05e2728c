// The plain message box: a top-level popup with its text, caption band and
// buttons (child windows with the ids IDOK and IDCANCEL), run modally.

#include "platform/shell/message_box.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>

#include "platform/gdi/framed_box.h"
#include "platform/gdi/system_values.h"
#include "platform/gdi/text_layout.h"
#include "platform/text/text_codec.h"
#include "platform/window/window_system.h"

namespace {

constexpr const wchar_t* kBoxClass = L"#32770";
constexpr const wchar_t* kButtonClass = L"VantuBoxButton";
constexpr int kCaptionHeight = 28;
constexpr int kMargin = 16;
constexpr int kTextMaxWidth = 360;
constexpr int kBoxMinWidth = 240;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr int kButtonGap = 10;
constexpr int kFontPixels = 12;
constexpr int kIconSize = 32;

struct Box {
    std::wstring text;
    std::wstring caption;
    UINT type = MB_OK;
    int result = 0;
};

bool HasCancel(const Box& box) {
    return (box.type & 0xF) == MB_OKCANCEL;
}

Box* BoxOf(HWND hwnd) {
    return reinterpret_cast<Box*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
}

platform::FontSpec BoxFont(bool bold = false) {
    platform::FontSpec font;
    font.size = kFontPixels;
    font.bold = bold;
    return font;
}

void Finish(HWND box, int result) {
    if (Box* b = BoxOf(box); b != nullptr && b->result == 0) {
        b->result = result;
    }
}

bool HasErrorIcon(const Box& box) {
    return (box.type & 0xF0) == MB_ICONERROR;
}

// A red disc with a white cross.
void PaintErrorIcon(HDC dc, int left, int top) {
    double radius = kIconSize / 2.0;
    cairo_arc(dc, left + radius, top + radius, radius, 0, 2 * G_PI);
    cairo_set_source_rgb(dc, 0.85, 0.15, 0.15);
    cairo_fill(dc);
    double arm = radius * 0.4;
    cairo_move_to(dc, left + radius - arm, top + radius - arm);
    cairo_line_to(dc, left + radius + arm, top + radius + arm);
    cairo_move_to(dc, left + radius + arm, top + radius - arm);
    cairo_line_to(dc, left + radius - arm, top + radius + arm);
    cairo_set_source_rgb(dc, 1, 1, 1);
    cairo_set_line_width(dc, 2.5);
    cairo_stroke(dc);
}

// Escape and the close request: Cancel when there is one, else OK.
int DismissResult(HWND box) {
    Box* b = BoxOf(box);
    return b != nullptr && HasCancel(*b) ? IDCANCEL : IDOK;
}

void PaintBox(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    platform::PaintFramedBox(dc, r, GetSysColor(COLOR_BTNFACE), frame);
    platform::PaintFramedBox(dc, RECT{0, 0, r.right, kCaptionHeight},
                             GetSysColor(COLOR_GRADIENTACTIVECAPTION), frame);
    if (Box* b = BoxOf(hwnd)) {
        int textLeft = kMargin;
        if (HasErrorIcon(*b)) {
            PaintErrorIcon(dc, kMargin, kCaptionHeight + kMargin);
            textLeft += kIconSize + kMargin;
        }
        cairo_set_source_rgb(dc, 0, 0, 0);
        auto caption = platform::CreateTextLayout(
            dc, BoxFont(true), platform::EncodeUtf8(b->caption), r.right - 2 * kMargin);
        pango_layout_set_ellipsize(caption.get(), PANGO_ELLIPSIZE_END);
        cairo_move_to(dc, kMargin, (kCaptionHeight - kFontPixels * 3 / 2) / 2);
        pango_cairo_show_layout(dc, caption.get());
        auto text =
            platform::CreateTextLayout(dc, BoxFont(), platform::EncodeUtf8(b->text), kTextMaxWidth);
        cairo_move_to(dc, textLeft, kCaptionHeight + kMargin);
        pango_cairo_show_layout(dc, text.get());
    }
    EndPaint(hwnd, &ps);
}

LRESULT BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
            SetWindowLongPtr(hwnd, GWLP_USERDATA,
                             reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            return TRUE;
        }
        case WM_NCHITTEST: {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(hwnd, &p);
            return p.y < kCaptionHeight ? HTCAPTION : HTCLIENT;
        }
        case WM_PAINT:
            PaintBox(hwnd);
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_SPACE) {
                Box* b = BoxOf(hwnd);
                bool second = b != nullptr && HasCancel(*b) && (b->type & MB_DEFBUTTON2) != 0;
                Finish(hwnd, second ? IDCANCEL : IDOK);
            } else if (wParam == VK_ESCAPE) {
                Finish(hwnd, DismissResult(hwnd));
            }
            return 0;
        case WM_COMMAND:
            Finish(hwnd, LOWORD(wParam));
            return 0;
        case WM_CLOSE:
            Finish(hwnd, DismissResult(hwnd));
            return 0;
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

// A push button that tells its parent WM_COMMAND with its id when a click
// ends over it.
LRESULT ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            SetCapture(hwnd);
            return 0;
        case WM_LBUTTONUP: {
            bool captured = GetCapture() == hwnd;
            ReleaseCapture();
            RECT r;
            GetClientRect(hwnd, &r);
            int x = GET_X_LPARAM(lParam);
            int y = GET_Y_LPARAM(lParam);
            if (captured && x >= 0 && y >= 0 && x < r.right && y < r.bottom) {
                auto id = static_cast<WORD>(GetWindowLongPtr(hwnd, GWLP_ID));
                SendMessage(GetParent(hwnd), WM_COMMAND, id, reinterpret_cast<LPARAM>(hwnd));
            }
            return 0;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            RECT r;
            HDC dc = platform::BeginFramedPaint(hwnd, ps, r, GetSysColor(COLOR_WINDOW),
                                                GetSysColor(COLOR_BTNSHADOW));
            wchar_t label[32];
            GetWindowText(hwnd, label, 32);
            auto layout = platform::CreateTextLayout(dc, BoxFont(), platform::EncodeUtf8(label));
            PangoRectangle logical;
            pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
            cairo_set_source_rgb(dc, 0, 0, 0);
            cairo_move_to(dc, (r.right - logical.width) / 2, (r.bottom - logical.height) / 2);
            pango_cairo_show_layout(dc, layout.get());
            EndPaint(hwnd, &ps);
            return 0;
        }
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

void RegisterBoxClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASS box;
        box.lpfnWndProc = BoxProc;
        box.lpszClassName = kBoxClass;
        box.hCursor = LoadCursor(nullptr, IDC_ARROW);
        RegisterClass(&box);
        WNDCLASS button;
        button.lpfnWndProc = ButtonProc;
        button.lpszClassName = kButtonClass;
        button.hCursor = LoadCursor(nullptr, IDC_ARROW);
        RegisterClass(&button);
    });
}

// Centred on the owner, or on the work area of the main monitor.
POINT BoxPosition(HWND owner, int width, int height) {
    RECT around{};
    if (owner != nullptr && IsWindowVisible(owner)) {
        GetWindowRect(owner, &around);
    } else {
        MONITORINFO info;
        GetMonitorInfo(MonitorFromPoint(POINT{}, MONITOR_DEFAULTTOPRIMARY), &info);
        around = info.rcWork;
    }
    return POINT{around.left + (around.right - around.left - width) / 2,
                 around.top + (around.bottom - around.top - height) / 2};
}

HWND CreateBox(HWND owner, Box& box) {
    SIZE text = platform::MeasureText(BoxFont(), box.text, kTextMaxWidth);
    int buttons = HasCancel(box) ? 2 : 1;
    int buttonsWidth = buttons * kButtonWidth + (buttons - 1) * kButtonGap;
    int icon = HasErrorIcon(box) ? kIconSize + kMargin : 0;
    int width = std::max(
        {kBoxMinWidth, icon + static_cast<int>(text.cx) + 2 * kMargin, buttonsWidth + 2 * kMargin});
    int body = std::max(static_cast<int>(text.cy), icon > 0 ? kIconSize : 0);
    int height = kCaptionHeight + kMargin + body + kMargin + kButtonHeight + kMargin;
    POINT at = BoxPosition(owner, width, height);
    HWND hwnd = CreateWindowEx((box.type & MB_TOPMOST) != 0 ? WS_EX_TOPMOST : 0, kBoxClass,
                               box.caption.c_str(), WS_POPUP, at.x, at.y, width, height, owner,
                               nullptr, nullptr, &box);
    if (hwnd == nullptr) {
        return nullptr;
    }
    int x = width - kMargin - buttonsWidth;
    int y = height - kMargin - kButtonHeight;
    CreateWindowEx(0, kButtonClass, L"OK", WS_CHILD | WS_VISIBLE, x, y, kButtonWidth, kButtonHeight,
                   hwnd, reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
    if (buttons == 2) {
        CreateWindowEx(0, kButtonClass, L"Cancel", WS_CHILD | WS_VISIBLE,
                       x + kButtonWidth + kButtonGap, y, kButtonWidth, kButtonHeight, hwnd,
                       reinterpret_cast<HMENU>(IDCANCEL), nullptr, nullptr);
    }
    return hwnd;
}

}  // namespace

int MessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    RegisterBoxClasses();
    Box box;
    box.text = text != nullptr ? text : L"";
    box.caption = caption != nullptr ? caption : L"Error";
    box.type = type;
    HWND top = owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr;
    HWND hwnd = CreateBox(top, box);
    if (hwnd == nullptr) {
        return 0;
    }
    bool disabledOwner = top != nullptr && IsWindowEnabled(top) && EnableWindow(top, FALSE) == 0;
    ShowWindow(hwnd, SW_SHOW);
    SetActiveWindow(hwnd);
    SetFocus(hwnd);
    MSG msg;
    while (box.result == 0 && IsWindow(hwnd)) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    // The owner comes back before the box goes, so that activation returns to it.
    if (disabledOwner) {
        EnableWindow(top, TRUE);
    }
    if (IsWindow(hwnd)) {
        if (GetActiveWindow() == hwnd && top != nullptr) {
            SetActiveWindow(top);
        }
        DestroyWindow(hwnd);
    }
    return box.result;
}
