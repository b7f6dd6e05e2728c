// Child list, settings, attributes and propagation of a container.

#include "ui/layout/container/container.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/control/scroll/scroll_bar.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
    m_delayedDestroy = false;
    RemoveAllItems();
    if (m_verticalBar != nullptr) {
        m_verticalBar->Destroy();
    }
    if (m_horizontalBar != nullptr) {
        m_horizontalBar->Destroy();
    }
}

std::wstring CContainerUI::GetClass() const {
    return L"Container";
}

void* CContainerUI::FindInterface(const std::wstring& name) {
    if (name == L"IContainer") {
        return static_cast<IContainerUI*>(this);
    }
    if (name == L"Container") {
        return this;
    }
    return CControlUI::FindInterface(name);
}

void CContainerUI::AttachToManager(CWindowManagerUI* manager, CControlUI* parent, bool init) {
    for (CControlUI* child : m_items) {
        child->AttachToManager(manager, this, init);
    }
    if (m_verticalBar != nullptr) {
        m_verticalBar->AttachToManager(manager, this, init);
    }
    if (m_horizontalBar != nullptr) {
        m_horizontalBar->AttachToManager(manager, this, init);
    }
    CControlUI::AttachToManager(manager, parent, init);
}

CControlUI* CContainerUI::ItemAt(int index) const {
    if (index < 0 || index >= static_cast<int>(m_items.size())) {
        return nullptr;
    }
    return m_items[static_cast<size_t>(index)];
}

int CContainerUI::IndexOf(CControlUI* control) const {
    auto it = std::find(m_items.begin(), m_items.end(), control);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

bool CContainerUI::MoveItemTo(CControlUI* control, int index) {
    const int current = IndexOf(control);
    if (current < 0 || index < 0 || index >= static_cast<int>(m_items.size())) {
        return false;
    }
    RequestLayout();
    m_items.erase(m_items.begin() + current);
    m_items.insert(m_items.begin() + index, control);
    return true;
}

bool CContainerUI::MoveItemRange(CControlUI* first, int count, int newIndex) {
    if (first == nullptr || count < 0 || newIndex < 0) {
        return false;
    }
    const int start = IndexOf(first);
    if (start < 0) {
        return false;
    }
    if (start == newIndex) {
        return true;
    }
    const int size = static_cast<int>(m_items.size());
    if (start + count > size || newIndex + count > size) {
        return false;
    }
    std::vector<CControlUI*> run(m_items.begin() + start, m_items.begin() + start + count);
    m_items.erase(m_items.begin() + start, m_items.begin() + start + count);
    for (int i = 0; i < count; ++i) {
        m_items.insert(m_items.begin() + newIndex + i, run[static_cast<size_t>(i)]);
    }
    RequestLayout();
    return true;
}

int CContainerUI::ItemCount() const {
    return static_cast<int>(m_items.size());
}

bool CContainerUI::Append(CControlUI* control) {
    return InsertAt(control, static_cast<int>(m_items.size()));
}

bool CContainerUI::InsertAt(CControlUI* control, int index) {
    if (control == nullptr || index < 0 || index > static_cast<int>(m_items.size())) {
        return false;
    }
    if (m_manager != nullptr) {
        m_manager->BindControls(control, this);
    } else {
        // A detached tree still needs its parents for floating placement.
        control->AttachToManager(nullptr, this, false);
    }
    if (IsVisible()) {
        RequestLayout();
    } else {
        control->SetParentVisible(false);
    }
    m_items.insert(m_items.begin() + index, control);
    return true;
}

void CContainerUI::DisposeChild(CControlUI* child) {
    if (m_delayedDestroy && m_manager != nullptr) {
        m_manager->DeferDelete(child);
    } else {
        child->Destroy();
    }
}

bool CContainerUI::RemoveItem(CControlUI* control, bool keep) {
    return RemoveItemAt(IndexOf(control), keep);
}

bool CContainerUI::RemoveItemAt(int index, bool keep) {
    CControlUI* child = ItemAt(index);
    if (child == nullptr) {
        return false;
    }
    RequestLayout();
    // Out of the list first, so nothing reaches a child that is going away.
    m_items.erase(m_items.begin() + index);
    if (!keep && m_autoDestroy) {
        DisposeChild(child);
    }
    return true;
}

void CContainerUI::RemoveAllItems() {
    std::vector<CControlUI*> items;
    items.swap(m_items);
    if (m_autoDestroy) {
        for (CControlUI* child : items) {
            DisposeChild(child);
        }
    }
    RequestLayout();
}

RECT CContainerUI::GetInset() const {
    return m_inset;
}

void CContainerUI::SetInset(RECT inset) {
    m_inset = inset;
    RequestLayout();
}

int CContainerUI::GetChildGap() const {
    return m_childGap;
}

void CContainerUI::SetChildGap(int gap) {
    m_childGap = std::max(gap, 0);
    RequestLayout();
}

UINT CContainerUI::GetChildAlignX() const {
    return m_childAlign;
}

void CContainerUI::SetChildAlignX(UINT align) {
    m_childAlign = align;
    RequestLayout();
}

UINT CContainerUI::GetChildAlignY() const {
    return m_childVAlign;
}

void CContainerUI::SetChildAlignY(UINT align) {
    m_childVAlign = align;
    RequestLayout();
}

bool CContainerUI::OwnsChildren() const {
    return m_autoDestroy;
}

void CContainerUI::SetOwnsChildren(bool owns) {
    m_autoDestroy = owns;
}

bool CContainerUI::DefersChildDelete() const {
    return m_delayedDestroy;
}

void CContainerUI::SetDefersChildDelete(bool defers) {
    m_delayedDestroy = defers;
}

bool CContainerUI::ChildrenAcceptMouse() const {
    return m_mouseChildEnabled;
}

void CContainerUI::SetChildrenAcceptMouse(bool enabled) {
    m_mouseChildEnabled = enabled;
}

int CContainerUI::NextSelectableIndex(int index, bool forward) const {
    const int count = static_cast<int>(m_items.size());
    if (count == 0) {
        return -1;
    }
    index = std::clamp(index, 0, count - 1);
    auto selectable = [this](int i) {
        CControlUI* item = m_items[static_cast<size_t>(i)];
        return item->FindInterface(L"IListItem") != nullptr && item->IsVisible() &&
               item->IsEnabled();
    };
    if (forward) {
        for (int i = index; i < count; ++i) {
            if (selectable(i)) {
                return i;
            }
        }
        return -1;
    }
    for (int i = index; i >= 0; --i) {
        if (selectable(i)) {
            return i;
        }
    }
    return NextSelectableIndex(0, true);
}

void CContainerUI::SetVisible(bool visible) {
    if (m_visible == visible) {
        return;
    }
    CControlUI::SetVisible(visible);
    for (CControlUI* child : m_items) {
        child->SetParentVisible(IsVisible());
    }
}

void CContainerUI::SetParentVisible(bool visible) {
    CControlUI::SetParentVisible(visible);
    for (CControlUI* child : m_items) {
        child->SetParentVisible(IsVisible());
    }
}

void CContainerUI::SetAcceptsMouse(bool enabled) {
    if (m_verticalBar != nullptr) {
        m_verticalBar->SetAcceptsMouse(enabled);
    }
    if (m_horizontalBar != nullptr) {
        m_horizontalBar->SetAcceptsMouse(enabled);
    }
    CControlUI::SetAcceptsMouse(enabled);
}

void CContainerUI::Move(SIZE offset, bool invalidate) {
    CControlUI::Move(offset, invalidate);
    if (m_verticalBar != nullptr && m_verticalBar->IsVisible()) {
        m_verticalBar->Move(offset, false);
    }
    if (m_horizontalBar != nullptr && m_horizontalBar->IsVisible()) {
        m_horizontalBar->Move(offset, false);
    }
    for (CControlUI* child : m_items) {
        if (child->IsVisible()) {
            child->Move(offset, false);
        }
    }
}

namespace {

struct NamedAlignment {
    std::wstring_view name;
    UINT flag;
};

// The flag of the word among the three, or nothing: other words leave the
// alignment as it was.
std::optional<UINT> AlignmentNamed(const std::wstring& word,
                                   const std::array<NamedAlignment, 3>& names) {
    for (const NamedAlignment& named : names) {
        if (word == named.name) {
            return named.flag;
        }
    }
    return std::nullopt;
}

}  // namespace

void CContainerUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using Value = const std::wstring&;
    static constexpr auto kAttributes = MakeAttributeTable<CContainerUI>({
        {L"inset", [](CContainerUI& c, Value v) { c.SetInset(ParseRect(v)); }},
        {L"mousechild", [](CContainerUI& c, Value v) { c.SetChildrenAcceptMouse(ParseBool(v)); }},
        {L"vscrollbar",
         [](CContainerUI& c, Value v) {
             c.SetScrollBarsEnabled(ParseBool(v), c.m_horizontalBar != nullptr);
         }},
        {L"vscrollbarstyle",
         [](CContainerUI& c, Value v) {
             c.SetScrollBarsEnabled(true, c.m_horizontalBar != nullptr);
             c.m_verticalBar->ApplyAttributeString(v);
         }},
        {L"hscrollbar",
         [](CContainerUI& c, Value v) {
             c.SetScrollBarsEnabled(c.m_verticalBar != nullptr, ParseBool(v));
         }},
        {L"hscrollbarstyle",
         [](CContainerUI& c, Value v) {
             c.SetScrollBarsEnabled(c.m_verticalBar != nullptr, true);
             c.m_horizontalBar->ApplyAttributeString(v);
         }},
        {L"childpadding", [](CContainerUI& c, Value v) { c.SetChildGap(ParseInt(v)); }},
        {L"childalign",
         [](CContainerUI& c, Value v) {
             if (const auto align = AlignmentNamed(
                     v, {{{L"left", DT_LEFT}, {L"center", DT_CENTER}, {L"right", DT_RIGHT}}})) {
                 c.SetChildAlignX(*align);
             }
         }},
        {L"childvalign",
         [](CContainerUI& c, Value v) {
             if (const auto align = AlignmentNamed(
                     v, {{{L"top", DT_TOP}, {L"vcenter", DT_VCENTER}, {L"bottom", DT_BOTTOM}}})) {
                 c.SetChildAlignY(*align);
             }
         }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CControlUI::SetAttribute(name, value);
    }
}

}  // namespace VantuUI
