#include "ui/core/window/window_wnd.h"

#include "platform/resources/module_handle.h"

namespace VantuUI {

namespace {

// Where a superclassed window keeps its object: the class's own procedure
// may use the user data itself.
constexpr const wchar_t* kObjectProperty = L"WndX";

CWindowWnd* AttachedObject(HWND hwnd, bool superclassed) {
    if (superclassed) {
        return static_cast<CWindowWnd*>(GetProp(hwnd, kObjectProperty));
    }
    return reinterpret_cast<CWindowWnd*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
}

void Attach(HWND hwnd, CWindowWnd* object, bool superclassed) {
    if (superclassed) {
        SetProp(hwnd, kObjectProperty, object);
    } else {
        SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    }
}

void Detach(HWND hwnd) {
    RemoveProp(hwnd, kObjectProperty);
    SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
}

bool ClassExists(const wchar_t* name) {
    WNDCLASS existing;
    return GetClassInfo(platform::CurrentModule(), name, &existing) != FALSE;
}

}  // namespace

CWindowWnd::~CWindowWnd() {
    if (m_hwnd != nullptr && IsWindow(m_hwnd)) {
        HWND hwnd = m_hwnd;
        Detach(hwnd);
        m_hwnd = nullptr;
        DestroyWindow(hwnd);
    }
}

const wchar_t* CWindowWnd::BaseClassName() const {
    return nullptr;
}

UINT CWindowWnd::ClassStyle() const {
    return 0;
}

LRESULT CWindowWnd::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProc(m_previousProc, m_hwnd, message, wParam, lParam);
}

void CWindowWnd::OnWindowGone(HWND) {}

bool CWindowWnd::RegisterOwnClass() {
    if (ClassExists(ClassName())) {
        return true;
    }
    WNDCLASS wc{};
    wc.style = ClassStyle();
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = platform::CurrentModule();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = ClassName();
    return RegisterClass(&wc) != 0 || ClassExists(ClassName());
}

bool CWindowWnd::RegisterDerivedClass() {
    WNDCLASS wc{};
    if (GetClassInfo(nullptr, BaseClassName(), &wc) == FALSE &&
        GetClassInfo(platform::CurrentModule(), BaseClassName(), &wc) == FALSE) {
        return false;
    }
    m_previousProc = wc.lpfnWndProc;
    if (ClassExists(ClassName())) {
        return true;
    }
    wc.lpfnWndProc = ControlProc;
    wc.hInstance = platform::CurrentModule();
    wc.lpszClassName = ClassName();
    return RegisterClass(&wc) != 0 || ClassExists(ClassName());
}

HWND CWindowWnd::Create(HWND parent, const wchar_t* name, DWORD style, DWORD exStyle, int x, int y,
                        int width, int height, HMENU menu) {
    bool registered = BaseClassName() != nullptr ? RegisterDerivedClass() : RegisterOwnClass();
    if (!registered) {
        return nullptr;
    }
    m_hwnd = CreateWindowEx(exStyle, ClassName(), name, style, x, y, width, height, parent, menu,
                            platform::CurrentModule(), this);
    return m_hwnd;
}

HWND CWindowWnd::Create(HWND parent, const wchar_t* name, DWORD style, DWORD exStyle,
                        const RECT& rect, HMENU menu) {
    return Create(parent, name, style, exStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, menu);
}

LRESULT CWindowWnd::SendToWindow(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessage(m_hwnd, message, wParam, lParam);
}

bool CWindowWnd::PostToWindow(UINT message, WPARAM wParam, LPARAM lParam) {
    return PostMessage(m_hwnd, message, wParam, lParam) != FALSE;
}

LRESULT CALLBACK CWindowWnd::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Route(hwnd, message, wParam, lParam, false);
}

LRESULT CALLBACK CWindowWnd::ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Route(hwnd, message, wParam, lParam, true);
}

LRESULT CWindowWnd::Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                          bool superclassed) {
    CWindowWnd* object = nullptr;
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
        object = static_cast<CWindowWnd*>(create->lpCreateParams);
        if (object != nullptr) {
            object->m_hwnd = hwnd;
            Attach(hwnd, object, superclassed);
        }
    } else {
        object = AttachedObject(hwnd, superclassed);
    }
    if (object == nullptr) {
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        LRESULT result = CallWindowProc(object->m_previousProc, hwnd, message, wParam, lParam);
        Detach(hwnd);
        object->m_hwnd = nullptr;
        object->OnWindowGone(hwnd);
        return result;
    }
    return object->ProcessMessage(message, wParam, lParam);
}

}  // namespace VantuUI
