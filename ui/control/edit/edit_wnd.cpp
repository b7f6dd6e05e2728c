#include "ui/control/edit/edit_wnd.h"

#include <algorithm>
#include <memory>

#include "platform/window/window_api.h"
#include "ui/control/edit/edit.h"
#include "ui/core/manager/window_manager.h"
#include "ui/render/render_engine.h"

namespace VantuUI {

namespace {

// What the paint manager reflects back to the child window that sent it.
constexpr UINT OCM_COMMAND = 0x2111;
constexpr UINT OCM_CTLCOLOREDIT = 0x2133;
constexpr UINT OCM_CTLCOLORSTATIC = 0x2138;
// Blinks the caret drawn into layered windows, which show no native caret.
constexpr UINT_PTR kCaretTimerId = 20;
constexpr DWORD kPlatformColors = 0xFFFFFFFF;

COLORREF ColorRefOf(DWORD argb) {
    return RGB(static_cast<BYTE>(argb >> 16), static_cast<BYTE>(argb >> 8),
               static_cast<BYTE>(argb));
}

}  // namespace

CEditWnd::CEditWnd(CEditUI& owner) : CControlChildWnd(owner) {}

const wchar_t* CEditWnd::ClassName() const {
    return L"EditWnd";
}

const wchar_t* CEditWnd::BaseClassName() const {
    return WC_EDIT;
}

CEditUI* CEditWnd::Edit() const {
    return static_cast<CEditUI*>(Owner());
}

bool CEditWnd::OpenOver() {
    CEditUI& edit = *Edit();
    CWindowManagerUI* manager = edit.GetManager();
    if (manager == nullptr) {
        return false;
    }
    DWORD style = edit.m_editStyle | WS_CHILD | ES_AUTOHSCROLL;
    if ((edit.GetTextStyle() & DT_CENTER) != 0) {
        style |= ES_CENTER;
    } else if ((edit.GetTextStyle() & DT_RIGHT) != 0) {
        style |= ES_RIGHT;
    }
    if (edit.m_password) {
        style |= ES_PASSWORD;
    }
    if (Create(manager->WindowHandle(), nullptr, style, 0, edit.ChildWindowRect()) == nullptr) {
        return false;
    }
    m_font.reset(platform::CreateFontFromSpec(*manager->FontById(edit.GetFont())));
    SendToWindow(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), TRUE);
    SendToWindow(EM_LIMITTEXT, static_cast<WPARAM>(edit.m_maxChar));
    if (edit.m_password) {
        SendToWindow(EM_SETPASSWORDCHAR, edit.m_passwordChar);
    }
    SetWindowText(m_hwnd, edit.GetText().c_str());
    m_nativeText = edit.GetText();
    SendToWindow(EM_SETMODIFY, FALSE);
    SendToWindow(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    EnableWindow(m_hwnd, edit.IsEnabled() ? TRUE : FALSE);
    SendToWindow(EM_SETREADONLY, edit.m_readOnly ? TRUE : FALSE);
    ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    SetFocus(m_hwnd);
    const auto length = static_cast<LPARAM>(edit.GetText().size());
    if (edit.m_autoSelAll) {
        SendToWindow(EM_SETSEL, 0, std::max<LPARAM>(length, 1));
    } else {
        SendToWindow(EM_SETSEL, static_cast<WPARAM>(length), length);
    }
    m_initialised = true;
    return true;
}

LRESULT CEditWnd::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (Owner() == nullptr) {
        return CallPrevious(message, wParam, lParam);
    }
    switch (message) {
        case WM_CREATE:
            if (InLayeredWindow()) {
                SetTimer(m_hwnd, kCaretTimerId, GetCaretBlinkTime(), nullptr);
            }
            break;
        case WM_KILLFOCUS:
            return CloseOnFocusLoss(wParam, lParam);
        case WM_KEYDOWN:
            if (wParam == VK_RETURN) {
                Manager()->RaiseNotification(Owner(), L"return", 0, 0, false, true);
                return 0;
            }
            break;
        case WM_TIMER:
            if (wParam == kCaretTimerId) {
                m_caretShown = !m_caretShown;
                InvalidateRect(m_hwnd, nullptr, FALSE);
                return 0;
            }
            break;
        case WM_PRINT:
            if (InLayeredWindow()) {
                return OnPrint(wParam, lParam);
            }
            break;
        case OCM_COMMAND:
            return OnReflectedCommand(wParam);
        case OCM_CTLCOLOREDIT:
        case OCM_CTLCOLORSTATIC:
            return OnColorRequest(reinterpret_cast<HDC>(wParam));
        default:
            break;
    }
    return CControlChildWnd::ProcessMessage(message, wParam, lParam);
}

LRESULT CEditWnd::OnReflectedCommand(WPARAM wParam) {
    const WORD code = HIWORD(wParam);
    if (code == EN_CHANGE && m_initialised) {
        const int length = GetWindowTextLength(m_hwnd);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowText(m_hwnd, text.data(), length + 1)));
        // Some edit controls report a change for a key refused at the limit.
        if (text == m_nativeText) {
            return 0;
        }
        m_nativeText = text;
        Edit()->TakeNativeText(std::move(text));
        const std::weak_ptr<const void> alive = Lifetime();
        Manager()->RaiseNotification(Owner(), L"textchanged", 0, 0, false, true);
        if (alive.expired()) {
            return 0;  // the listener ended the editing
        }
        if (InLayeredWindow()) {
            Owner()->Invalidate();
        }
    } else if (code == EN_UPDATE) {
        InvalidateRect(m_hwnd, nullptr, FALSE);
    }
    return 0;
}

LRESULT CEditWnd::OnColorRequest(HDC dc) {
    CEditUI& edit = *Edit();
    const DWORD background = edit.m_nativeBkColor;
    if (background == kPlatformColors) {
        return 0;
    }
    DWORD textColor = edit.GetTextColor();
    if (textColor == 0) {
        textColor = Manager()->DefaultColors().text;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorRefOf(textColor));
    if ((background >> 24) < 0xFF) {
        // What the window shows under the edit, tinted with the colour.
        // An image record owns the captured bitmap, as the system frees it.
        ImageInfo under;
        under.bitmap =
            RenderEngine::CaptureWindowArea(Manager(), edit.ChildWindowRect(), Owner(), background);
        m_brush.reset(under.bitmap != nullptr ? CreatePatternBrush(under.bitmap) : nullptr);
    } else if (m_brush == nullptr) {
        m_brush.reset(CreateSolidBrush(ColorRefOf(background)));
    }
    return reinterpret_cast<LRESULT>(m_brush.get());
}

LRESULT CEditWnd::OnPrint(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallPrevious(WM_PRINT, wParam, lParam);
    if (Owner()->IsEnabled() && m_caretShown) {
        POINT caret{};
        GetCaretPos(&caret);
        RECT client{};
        GetClientRect(m_hwnd, &client);
        RenderEngine::DrawColor(reinterpret_cast<HDC>(wParam),
                                RECT{caret.x, client.top, caret.x + 1, client.bottom}, 0xFF000000);
    }
    return result;
}

void CEditWnd::DetachFromOwner(CControlUI& owner) {
    owner.Invalidate();
    static_cast<CEditUI&>(owner).m_window.Forget();
}

}  // namespace VantuUI
