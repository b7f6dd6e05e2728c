// The combo box: its items, selection, input and painting.

#include "ui/control/combo/combo.h"

#include <algorithm>

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/control/combo/combo_wnd.h"
#include "ui/control/list/items/list_item_events.h"
#include "ui/control/rect_math.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

CComboUI::CComboUI() {
    m_textPadding = RECT{4, 0, 4, 0};
}

CComboUI::~CComboUI() {
    CloseDropDown();
}

std::wstring CComboUI::GetClass() const {
    return L"Combo";
}

void* CComboUI::FindInterface(const std::wstring& name) {
    if (name == L"Combo") {
        return this;
    }
    if (name == L"IListOwner") {
        return static_cast<IListOwnerUI*>(this);
    }
    return CContainerUI::FindInterface(name);
}

UINT CComboUI::GetInputFlags() {
    return IsEnabled() ? UIFLAG_TABSTOP : 0;
}

void CComboUI::SetEnabled(bool enabled) {
    CContainerUI::SetEnabled(enabled);
    if (!enabled) {
        m_hot = m_pushed = false;
        CloseDropDown();
    }
}

bool CComboUI::CanActivate() {
    return CControlUI::CanActivate() && m_manager != nullptr;
}

// The items are laid out in the drop-down window, not here.
void CComboUI::SetItemRect(RECT rect, bool invalidate) {
    CControlUI::SetItemRect(rect, invalidate);
}

// The items are not part of this window's hit tests and layout passes.
CControlUI* CComboUI::FindInTree(FINDCONTROLPROC proc, void* data, UINT flags) {
    return CControlUI::FindInTree(proc, data, flags);
}

bool CComboUI::PaintContent(HDC dc, const RECT& paintRect, CControlUI* stop) {
    return CControlUI::PaintContent(dc, paintRect, stop);
}

void CComboUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using Value = const std::wstring&;
    static constexpr auto setImage = [](CComboUI& c, ImageDrawInfo& image, Value v) {
        image.Clear();
        image.spec = v;
        c.Invalidate();
    };
    static constexpr auto kAttributes = MakeAttributeTable<CComboUI>({
        {L"textpadding",
         [](CComboUI& c, Value v) {
             c.m_textPadding = ParseRect(v);
             c.Invalidate();
         }},
        {L"showtext",
         [](CComboUI& c, Value v) {
             c.m_showText = ParseBool(v);
             c.Invalidate();
         }},
        {L"normalimage", [](CComboUI& c, Value v) { setImage(c, c.m_normalImage, v); }},
        {L"hotimage", [](CComboUI& c, Value v) { setImage(c, c.m_hotImage, v); }},
        {L"pushedimage", [](CComboUI& c, Value v) { setImage(c, c.m_pushedImage, v); }},
        {L"focusedimage", [](CComboUI& c, Value v) { setImage(c, c.m_focusedImage, v); }},
        {L"disabledimage", [](CComboUI& c, Value v) { setImage(c, c.m_disabledImage, v); }},
        {L"dropbox", [](CComboUI& c, Value v) { c.m_dropBoxAttributes = v; }},
        {L"dropboxsize", [](CComboUI& c, Value v) { c.m_dropBoxSize = ParseSize(v); }},
        // A combo's items are one line each: these item settings are the list's only.
        {L"itemvalign",
         [](CComboUI& c, Value v) { c.CContainerUI::SetAttribute(L"itemvalign", v); }},
        {L"itemendellipsis",
         [](CComboUI& c, Value v) { c.CContainerUI::SetAttribute(L"itemendellipsis", v); }},
        {L"itemmultiline",
         [](CComboUI& c, Value v) { c.CContainerUI::SetAttribute(L"itemmultiline", v); }},
    });
    if (kAttributes.Apply(*this, name, value)) {
        return;
    }
    if (ApplyItemStyleAttribute(m_itemStyle, name, value)) {
        Invalidate();
        return;
    }
    CContainerUI::SetAttribute(name, value);
}

// --- Items ---

bool CComboUI::InsertAt(CControlUI* control, int index) {
    if (!CContainerUI::InsertAt(control, index)) {
        return false;
    }
    if (m_curSel >= index) {
        ++m_curSel;
    }
    RenumberListItems(*this, this, index);
    return true;
}

bool CComboUI::RemoveItem(CControlUI* control, bool keep) {
    const int index = IndexOf(control);
    return index >= 0 && RemoveItemAt(index, keep);
}

bool CComboUI::RemoveItemAt(int index, bool keep) {
    if (ItemAt(index) == nullptr) {
        return false;
    }
    // The drop-down list shows the items as they were; it goes first.
    CloseDropDown();
    m_curSel = IndexAfterRemoval(m_curSel, index);
    if (!CContainerUI::RemoveItemAt(index, keep)) {
        return false;
    }
    RenumberListItems(*this, this, index);
    return true;
}

void CComboUI::RemoveAllItems() {
    CloseDropDown();
    m_curSel = -1;
    CContainerUI::RemoveAllItems();
}

// --- Selection ---

TListItemStyleUI& CComboUI::GetItemStyle() {
    return m_itemStyle;
}

int CComboUI::GetCurSel() const {
    return m_curSel;
}

bool CComboUI::SelectItem(int index, bool takeFocus) {
    if (index == m_curSel && (ItemAt(index) != nullptr || index == -1)) {
        return true;
    }
    const int old = m_curSel;
    if (!ChangeListSelection(*this, m_curSel, index)) {
        return false;
    }
    if (takeFocus && m_dropWindow == nullptr) {
        SetFocus();
    }
    if (m_dropWindow != nullptr) {
        m_dropWindow->EnsureVisible(m_curSel);
    }
    Invalidate();
    if (m_manager != nullptr) {
        m_manager->RaiseNotification(this, L"itemselect", static_cast<WPARAM>(m_curSel),
                                     static_cast<LPARAM>(old), false, true);
    }
    return true;
}

bool CComboUI::MoveSelection(int step) {
    if (ItemCount() == 0) {
        return false;
    }
    const int target = NextSelectableIndex(SteppedSelection(m_curSel, step, ItemCount()), step > 0);
    return target >= 0 && target != m_curSel && SelectItem(target);
}

void CComboUI::HandleItemEvent(TInputEventUI& event) {
    if (event.Kind == UIEVENT_KEYDOWN && (event.wParam == VK_UP || event.wParam == VK_DOWN)) {
        MoveSelection(event.wParam == VK_UP ? -1 : 1);
    } else if (event.Kind == UIEVENT_SCROLLWHEEL && m_dropWindow == nullptr) {
        MoveSelection(LOWORD(event.wParam) == 0 ? -1 : 1);
    }
}

// --- Drop-down ---

bool CComboUI::Activate() {
    if (!CanActivate()) {
        return false;
    }
    if (m_dropWindow != nullptr) {
        return true;
    }
    m_dropWindow = CComboWnd::Open(this);
    if (m_dropWindow == nullptr) {
        return false;
    }
    m_manager->RaiseNotification(this, L"dropdown", 0, 0, false, true);
    Invalidate();
    return true;
}

void CComboUI::CloseDropDown() {
    if (m_dropWindow != nullptr && m_dropWindow->Handle() != nullptr) {
        DestroyWindow(m_dropWindow->Handle());
    }
    m_dropWindow = nullptr;
}

void CComboUI::DropWindowGone(CComboWnd* window) {
    if (m_dropWindow == window) {
        m_dropWindow = nullptr;
        m_pushed = false;
        Invalidate();
    }
}

// --- Input and painting ---

void CComboUI::HandleEvent(TInputEventUI& event) {
    if (PassMouseToParent(*this, event) || TrackHot(*this, m_hot, event)) {
        return;
    }
    const bool enabled = IsEnabled();
    switch (event.Kind) {
        case UIEVENT_SETFOCUS:
        case UIEVENT_KILLFOCUS:
            m_focused = event.Kind == UIEVENT_SETFOCUS;
            Invalidate();
            return;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (enabled && RectContains(m_itemRect, event.MousePoint)) {
                m_pushed = true;
                Activate();
            }
            return;
        case UIEVENT_BUTTONUP:
            if (m_pushed && m_dropWindow == nullptr) {
                m_pushed = false;
                Invalidate();
            }
            return;
        case UIEVENT_KEYDOWN:
            if (!enabled) {
                return;
            }
            if (event.wParam == VK_F4 || event.wParam == VK_SPACE) {
                Activate();
            } else {
                HandleItemEvent(event);
            }
            return;
        case UIEVENT_SCROLLWHEEL:
            if (enabled) {
                HandleItemEvent(event);
            }
            return;
        default:
            CControlUI::HandleEvent(event);
            return;
    }
}

void CComboUI::PaintStateImage(HDC dc) {
    if (!IsEnabled()) {
        if (DrawImageRecord(dc, m_disabledImage)) {
            return;
        }
    } else if ((m_pushed || m_dropWindow != nullptr) && DrawImageRecord(dc, m_pushedImage)) {
        return;
    } else if (m_hot && DrawImageRecord(dc, m_hotImage)) {
        return;
    } else if (m_focused && DrawImageRecord(dc, m_focusedImage)) {
        return;
    }
    DrawImageRecord(dc, m_normalImage);
}

void CComboUI::PaintTextLayer(HDC dc) {
    if (!m_showText) {
        return;
    }
    CControlUI* control = ItemAt(m_curSel);
    auto* item = control != nullptr
                     ? static_cast<IListItemUI*>(control->FindInterface(L"IListItem"))
                     : nullptr;
    if (item == nullptr) {
        return;
    }
    const RECT text{m_itemRect.left + m_textPadding.left, m_itemRect.top + m_textPadding.top,
                    m_itemRect.right - m_textPadding.right,
                    m_itemRect.bottom - m_textPadding.bottom};
    item->DrawItemText(dc, text);
}

}  // namespace VantuUI
