// A list's construction, layout, attributes and the container operations
// it hands to its body.

#include "ui/control/list/list.h"

#include <algorithm>

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/control/list/header/list_header.h"
#include "ui/control/list/items/list_item_events.h"
#include "ui/control/list/list_body.h"

namespace VantuUI {

CListUI::CListUI() : m_header(new CListHeaderUI), m_body(new CListBodyUI(this)) {
    // Straight into the layout: this list's own InsertAt would hand them to the body.
    CContainerUI::InsertAt(m_header, 0);
    CContainerUI::InsertAt(m_body, 1);
}

std::wstring CListUI::GetClass() const {
    return L"List";
}

void* CListUI::FindInterface(const std::wstring& name) {
    if (name == L"List") {
        return this;
    }
    if (name == L"IList") {
        return static_cast<IListUI*>(this);
    }
    if (name == L"IListOwner") {
        return static_cast<IListOwnerUI*>(this);
    }
    return CVerticalLayoutUI::FindInterface(name);
}

UINT CListUI::GetInputFlags() {
    return m_keyboardEnabled && IsEnabled() ? UIFLAG_TABSTOP : 0;
}

void CListUI::SetItemRect(RECT rect, bool invalidate) {
    CControlUI::SetItemRect(rect, invalidate);
    const RECT content = ContentArea();
    LONG top = content.top;
    if (m_header->IsVisible()) {
        const RECT header = HeaderRect();
        m_header->SetItemRect(header, false);
        top = header.bottom;
    }
    // The body's layout may move its scroll position; it places the header
    // again then.
    m_body->SetItemRect(RECT{content.left, top, content.right, std::max(top, content.bottom)},
                        false);
}

RECT CListUI::HeaderRect() const {
    const RECT content = ContentArea();
    const SIZE available{content.right - content.left, content.bottom - content.top};
    const SIZE desired = m_header->GetDesiredSize(available);
    const LONG left = content.left - m_body->GetScrollOffset().cx;
    return RECT{left, content.top, left + std::max<LONG>(desired.cx, available.cx),
                content.top + std::min<LONG>(desired.cy, available.cy)};
}

void CListUI::PlaceHeader() {
    if (!m_header->IsVisible()) {
        return;
    }
    const RECT header = HeaderRect();
    if (header != m_header->GetItemRect()) {
        m_header->SetItemRect(header, true);
    }
}

void CListUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using Value = const std::wstring&;
    static constexpr auto toBody = [](CListUI& c, Value v, const wchar_t* name) {
        c.m_body->SetAttribute(name, v);
    };
    static constexpr auto kAttributes = MakeAttributeTable<CListUI>({
        {L"header", [](CListUI& c, Value v) { c.m_header->SetVisible(v != L"hidden"); }},
        {L"headerbkimage", [](CListUI& c, Value v) { c.m_header->SetBackImage(v); }},
        {L"scrollselect", [](CListUI& c, Value v) { c.SetScrollSelect(ParseBool(v)); }},
        {L"multiexpanding", [](CListUI& c, Value v) { c.SetMultiExpanding(ParseBool(v)); }},
        // The bars scroll the items, so they belong to the body.
        {L"vscrollbar", [](CListUI& c, Value v) { toBody(c, v, L"vscrollbar"); }},
        {L"vscrollbarstyle", [](CListUI& c, Value v) { toBody(c, v, L"vscrollbarstyle"); }},
        {L"hscrollbar", [](CListUI& c, Value v) { toBody(c, v, L"hscrollbar"); }},
        {L"hscrollbarstyle", [](CListUI& c, Value v) { toBody(c, v, L"hscrollbarstyle"); }},
    });
    if (kAttributes.Apply(*this, name, value)) {
        return;
    }
    if (ApplyItemStyleAttribute(m_itemStyle, name, value)) {
        m_body->RequestLayout();
        return;
    }
    CVerticalLayoutUI::SetAttribute(name, value);
}

// --- Items, on the body ---

CControlUI* CListUI::ItemAt(int index) const {
    return m_body->ItemAt(index);
}

int CListUI::IndexOf(CControlUI* control) const {
    return m_body->IndexOf(control);
}

int CListUI::ItemCount() const {
    return m_body->ItemCount();
}

IListItemUI* CListUI::ListItemAt(int index) const {
    CControlUI* control = m_body->ItemAt(index);
    return control != nullptr ? static_cast<IListItemUI*>(control->FindInterface(L"IListItem"))
                              : nullptr;
}

void CListUI::Renumber(int first) {
    RenumberListItems(*m_body, this, first);
}

bool CListUI::TakeHeaderPart(CControlUI* control, int index) {
    if (control->FindInterface(L"ListHeader") != nullptr) {
        CContainerUI::RemoveItem(m_header);
        m_header = static_cast<CListHeaderUI*>(control);
        CContainerUI::InsertAt(m_header, 0);
        return true;
    }
    if (control->FindInterface(L"ListHeaderItem") != nullptr) {
        return index < 0 ? m_header->Append(control) : m_header->InsertAt(control, index);
    }
    return false;
}

bool CListUI::Append(CControlUI* control) {
    if (control == nullptr) {
        return false;
    }
    if (TakeHeaderPart(control, -1)) {
        return true;
    }
    if (!m_body->Append(control)) {
        return false;
    }
    Renumber(m_body->ItemCount() - 1);
    return true;
}

bool CListUI::InsertAt(CControlUI* control, int index) {
    if (control == nullptr) {
        return false;
    }
    if (TakeHeaderPart(control, index)) {
        return true;
    }
    if (!m_body->InsertAt(control, index)) {
        return false;
    }
    if (m_curSel >= index) {
        ++m_curSel;
    }
    if (m_expandedItem >= index) {
        ++m_expandedItem;
    }
    Renumber(index);
    return true;
}

bool CListUI::RemoveItem(CControlUI* control, bool keep) {
    const int index = m_body->IndexOf(control);
    return index >= 0 && RemoveItemAt(index, keep);
}

bool CListUI::RemoveItemAt(int index, bool keep) {
    if (m_body->ItemAt(index) == nullptr) {
        return false;
    }
    m_curSel = IndexAfterRemoval(m_curSel, index);
    m_expandedItem = IndexAfterRemoval(m_expandedItem, index);
    if (!m_body->RemoveItemAt(index, keep)) {
        return false;
    }
    Renumber(index);
    return true;
}

void CListUI::RemoveAllItems() {
    m_curSel = -1;
    m_expandedItem = -1;
    m_body->RemoveAllItems();
}

bool CListUI::MoveItemTo(CControlUI* control, int index) {
    CControlUI* selected = m_body->ItemAt(m_curSel);
    CControlUI* expanded = m_body->ItemAt(m_expandedItem);
    if (!m_body->MoveItemTo(control, index)) {
        return false;
    }
    Renumber(0);
    m_curSel = selected != nullptr ? m_body->IndexOf(selected) : -1;
    m_expandedItem = expanded != nullptr ? m_body->IndexOf(expanded) : -1;
    return true;
}

bool CListUI::MoveItemRange(CControlUI* first, int count, int newIndex) {
    CControlUI* selected = m_body->ItemAt(m_curSel);
    CControlUI* expanded = m_body->ItemAt(m_expandedItem);
    if (!m_body->MoveItemRange(first, count, newIndex)) {
        return false;
    }
    Renumber(0);
    m_curSel = selected != nullptr ? m_body->IndexOf(selected) : -1;
    m_expandedItem = expanded != nullptr ? m_body->IndexOf(expanded) : -1;
    return true;
}

// --- Scrolling, on the body ---

int CListUI::NextSelectableIndex(int index, bool forward) const {
    return m_body->NextSelectableIndex(index, forward);
}
SIZE CListUI::GetScrollOffset() const {
    return m_body->GetScrollOffset();
}
SIZE CListUI::GetScrollExtent() const {
    return m_body->GetScrollExtent();
}
void CListUI::SetScrollOffset(SIZE offset) {
    m_body->SetScrollOffset(offset);
}
void CListUI::LineUp() {
    m_body->LineUp();
}
void CListUI::LineDown() {
    m_body->LineDown();
}
void CListUI::PageUp() {
    m_body->PageUp();
}
void CListUI::PageDown() {
    m_body->PageDown();
}
void CListUI::ScrollToTop() {
    m_body->ScrollToTop();
}
void CListUI::ScrollToBottom() {
    m_body->ScrollToBottom();
}
void CListUI::LineLeft() {
    m_body->LineLeft();
}
void CListUI::LineRight() {
    m_body->LineRight();
}
void CListUI::PageLeft() {
    m_body->PageLeft();
}
void CListUI::PageRight() {
    m_body->PageRight();
}
void CListUI::ScrollToLeftEnd() {
    m_body->ScrollToLeftEnd();
}
void CListUI::ScrollToRightEnd() {
    m_body->ScrollToRightEnd();
}
void CListUI::SetScrollBarsEnabled(bool vertical, bool horizontal) {
    m_body->SetScrollBarsEnabled(vertical, horizontal);
}
CScrollBarUI* CListUI::GetVerticalScrollBar() const {
    return m_body->GetVerticalScrollBar();
}
CScrollBarUI* CListUI::GetHorizontalScrollBar() const {
    return m_body->GetHorizontalScrollBar();
}

// --- IListUI ---

CListHeaderUI* CListUI::GetHeader() const {
    return m_header;
}
CContainerUI* CListUI::GetList() const {
    return m_body;
}
IListCallbackUI* CListUI::GetTextCallback() const {
    return m_callback;
}
void CListUI::SetTextCallback(IListCallbackUI* callback) {
    m_callback = callback;
    Invalidate();
}
TListItemStyleUI& CListUI::GetItemStyle() {
    return m_itemStyle;
}

}  // namespace VantuUI
