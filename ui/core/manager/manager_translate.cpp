// Before dispatch: message filters, accelerators, Tab, shortcuts and system
// keys; the message loop that offers every message to the managers first.

#include <algorithm>
#include <cwctype>

#include "platform/window/window_api.h"
#include "ui/control/control.h"
#include "ui/control/rich_edit/rich_edit_factory.h"
#include "ui/core/manager/manager_shared.h"

namespace VantuUI {

namespace {

template <typename T>
bool AddOnce(std::vector<T*>& list, T* item) {
    if (item == nullptr || std::find(list.begin(), list.end(), item) != list.end()) {
        return false;
    }
    list.push_back(item);
    return true;
}

template <typename T>
bool RemoveFrom(std::vector<T*>& list, T* item) {
    return std::erase(list, item) > 0;
}

bool ClassContains(CControlUI* control, const wchar_t* word) {
    return control->GetClass().find(word) != std::wstring::npos;
}

// A focused rich edit that wants Tab gets it as typed text.
bool KeepsTab(CControlUI* focus) {
    if (focus == nullptr || !focus->IsVisible() || !focus->IsEnabled() ||
        !ClassContains(focus, L"RichEdit")) {
        return false;
    }
    return RichEditWantsTab(focus);
}

struct ShortcutSearch {
    wchar_t key = 0;
    bool pickNext = false;

    // A label's shortcut gives the focus to the control after it.
    static CControlUI* Visit(CControlUI* control, void* data) {
        auto& search = *static_cast<ShortcutSearch*>(data);
        const auto shortcut =
            static_cast<wchar_t>(std::towupper(static_cast<wint_t>(control->GetShortcut())));
        if (!search.pickNext && shortcut != 0 && shortcut == search.key) {
            search.pickNext = true;
        }
        if (search.pickNext && !ClassContains(control, L"Label")) {
            return control;
        }
        return nullptr;
    }
};

}  // namespace

bool CWindowManagerUI::AddPreFilter(IMessageFilterUI* filter) {
    return AddOnce(m_preFilters, filter);
}

bool CWindowManagerUI::RemovePreFilter(IMessageFilterUI* filter) {
    return RemoveFrom(m_preFilters, filter);
}

bool CWindowManagerUI::AddMessageHook(IMessageFilterUI* filter) {
    return AddOnce(m_messageHooks, filter);
}

bool CWindowManagerUI::RemoveMessageHook(IMessageFilterUI* filter) {
    return RemoveFrom(m_messageHooks, filter);
}

bool CWindowManagerUI::AddAcceleratorHandler(ITranslateAccelerator* translator) {
    return AddOnce(m_accelerators, translator);
}

bool CWindowManagerUI::RemoveAcceleratorHandler(ITranslateAccelerator* translator) {
    return RemoveFrom(m_accelerators, translator);
}

bool CWindowManagerUI::RegisterChildWindow(CControlUI* control, HWND window) {
    if (control == nullptr || window == nullptr ||
        std::any_of(m_childWindows.begin(), m_childWindows.end(),
                    [window](const ChildWindow& child) { return child.window == window; })) {
        return false;
    }
    m_childWindows.push_back(ChildWindow{window, control});
    return true;
}

bool CWindowManagerUI::UnregisterChildWindow(HWND window) {
    return std::erase_if(m_childWindows,
                         [window](const ChildWindow& child) { return child.window == window; }) > 0;
}

bool CWindowManagerUI::PreTranslate(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (AskFilters(m_preFilters, message, wParam, lParam, result)) {
        return true;
    }
    switch (message) {
        case WM_KEYDOWN:
            if (wParam != static_cast<WPARAM>(VK_TAB)) {
                return false;
            }
            if (KeepsTab(m_focus)) {
                return false;
            }
            MoveTabFocus(GetKeyState(VK_SHIFT) >= 0);
            return true;
        case WM_SYSCHAR:
            return TranslateShortcut(wParam);
        case WM_SYSKEYDOWN:
            if (m_focus != nullptr) {
                SendKeyEvent(m_focus, UIEVENT_SYSKEY, wParam, lParam);
            }
            return false;
        default:
            return false;
    }
}

bool CWindowManagerUI::TranslateShortcut(WPARAM key) {
    if (m_root == nullptr) {
        return false;
    }
    ShortcutSearch search;
    search.key = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(key)));
    CControlUI* chosen =
        m_root->FindInTree(&ShortcutSearch::Visit, &search,
                           UIFIND_VISIBLE | UIFIND_ENABLED | UIFIND_ME_FIRST | UIFIND_TOP_FIRST);
    if (chosen == nullptr) {
        return false;
    }
    FocusControl(chosen, true);
    chosen->Activate();
    return true;
}

bool CWindowManagerUI::OfferAccelerators(MSG* msg) {
    const std::vector<ITranslateAccelerator*> translators = m_accelerators;
    for (ITranslateAccelerator* translator : translators) {
        if (translator->TranslateAccelerator(msg) == 0) {
            return true;
        }
    }
    return false;
}

bool CWindowManagerUI::TranslateWindowMessage(MSG* msg) {
    const std::vector<CWindowManagerUI*> live = SharedResources().live;
    const bool toChild = (GetWindowLong(msg->hwnd, GWL_STYLE) & WS_CHILD) != 0;
    if (toChild) {
        for (auto it = live.rbegin(); it != live.rend(); ++it) {
            CWindowManagerUI* manager = *it;
            const auto& current = SharedResources().live;
            if (std::find(current.begin(), current.end(), manager) == current.end()) {
                continue;  // gone while an earlier one translated
            }
            HWND window = manager->m_window;
            if (window == msg->hwnd || IsChild(window, msg->hwnd)) {
                if (manager->OfferAccelerators(msg)) {
                    return true;
                }
                LRESULT unused = 0;
                manager->PreTranslate(msg->message, msg->wParam, msg->lParam, unused);
            }
        }
        return false;
    }
    for (CWindowManagerUI* manager : live) {
        if (manager->m_window == msg->hwnd) {
            if (manager->OfferAccelerators(msg)) {
                return true;
            }
            LRESULT unused = 0;
            return manager->PreTranslate(msg->message, msg->wParam, msg->lParam, unused);
        }
    }
    return false;
}

int CWindowManagerUI::RunMessageLoop() {
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        if (!TranslateWindowMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace VantuUI
