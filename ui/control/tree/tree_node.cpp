#include "ui/control/tree/tree_node.h"

#include <algorithm>

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/control/basic/check_box.h"
#include "ui/control/tree/tree_view.h"
#include "ui/core/notification.h"
#include "ui/layout/horizontal_layout.h"

namespace VantuUI {

CTreeNodeUI::CTreeNodeUI()
    : m_row(new CHorizontalLayoutUI),
      m_dotLine(new CControlUI),
      m_folder(new CCheckBoxUI),
      m_checkBox(new CCheckBoxUI),
      m_item(new COptionUI) {
    m_dotLine->ApplyAttributeString(L"visible=\"false\" mouse=\"false\"");
    m_folder->ApplyAttributeString(L"width=\"16\" text=\"\" selected=\"true\"");
    m_checkBox->ApplyAttributeString(
        L"width=\"12\" padding=\"2,6,2,6\" bordersize=\"1\" bordercolor=\"#FF808080\" "
        L"selectedbkcolor=\"#FF3C78D8\" visible=\"false\"");
    // Clicks on the text are the node's: they select it.
    m_item->ApplyAttributeString(L"mouse=\"false\" align=\"left\" textpadding=\"2,0,2,0\"");
    m_row->Append(m_dotLine);
    m_row->Append(m_folder);
    m_row->Append(m_checkBox);
    m_row->Append(m_item);
    CContainerUI::InsertAt(m_row, 0);
    m_folder->OnNotify += MakeDelegate(this, &CTreeNodeUI::OnButtonNotify);
    m_checkBox->OnNotify += MakeDelegate(this, &CTreeNodeUI::OnButtonNotify);
    UpdateFolderButton();
}

CTreeNodeUI::~CTreeNodeUI() {
    if (m_view == nullptr) {
        for (CTreeNodeUI* child : m_children) {
            child->Destroy();
        }
    }
}

std::wstring CTreeNodeUI::GetClass() const {
    return L"TreeNode";
}

void* CTreeNodeUI::FindInterface(const std::wstring& name) {
    if (name == L"TreeNode") {
        return this;
    }
    return CListContainerElementUI::FindInterface(name);
}

std::wstring CTreeNodeUI::GetText() const {
    return m_item->GetText();
}

void CTreeNodeUI::SetText(const std::wstring& text) {
    m_item->SetText(text);
}

void CTreeNodeUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using C = CTreeNodeUI;
    using Value = const std::wstring&;
    static constexpr auto kAttributes = MakeAttributeTable<C>({
        {L"text", [](C& c, Value v) { c.SetText(v); }},
        {L"horizattr", [](C& c, Value v) { c.m_row->ApplyAttributeString(v); }},
        {L"dotlineattr", [](C& c, Value v) { c.m_dotLine->ApplyAttributeString(v); }},
        {L"folderattr", [](C& c, Value v) { c.m_folder->ApplyAttributeString(v); }},
        {L"checkboxattr", [](C& c, Value v) { c.m_checkBox->ApplyAttributeString(v); }},
        {L"itemattr", [](C& c, Value v) { c.m_item->ApplyAttributeString(v); }},
        {L"itemtextcolor",
         [](C& c, Value v) {
             c.m_textColor = ParseColor(v, true);
             c.ApplyItemColors();
         }},
        {L"itemhottextcolor",
         [](C& c, Value v) {
             c.m_hotTextColor = ParseColor(v, true);
             c.ApplyItemColors();
         }},
        {L"selitemtextcolor",
         [](C& c, Value v) {
             c.m_selectedTextColor = ParseColor(v, true);
             c.ApplyItemColors();
         }},
        {L"selitemhottextcolor",
         [](C& c, Value v) {
             c.m_selectedHotTextColor = ParseColor(v, true);
             c.ApplyItemColors();
         }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CListContainerElementUI::SetAttribute(name, value);
    }
}

void CTreeNodeUI::HandleEvent(TInputEventUI& event) {
    if (event.Kind == UIEVENT_DBLCLICK && IsEnabled()) {
        RaiseListNotification(*this, L"itemdbclick");
        if (!m_children.empty()) {
            Expand(!IsExpanded());
        }
        return;
    }
    CListContainerElementUI::HandleEvent(event);
    if (event.Kind == UIEVENT_MOUSEENTER || event.Kind == UIEVENT_MOUSELEAVE) {
        ApplyItemColors();
    }
}

bool CTreeNodeUI::Select(bool select) {
    const bool done = CListContainerElementUI::Select(select);
    m_item->SetSelected(IsSelected(), false);
    ApplyItemColors();
    return done;
}

bool CTreeNodeUI::IsExpanded() const {
    return m_folder->IsSelected();
}

bool CTreeNodeUI::Expand(bool expand) {
    m_folder->SetSelected(expand, false);
    UpdateFolderButton();
    ShowDescendants(expand && IsVisible());
    return true;
}

void CTreeNodeUI::ShowDescendants(bool shown) {
    for (CTreeNodeUI* child : m_children) {
        child->SetVisible(shown);
        child->ShowDescendants(shown && child->IsExpanded());
    }
}

bool CTreeNodeUI::AddChildNode(CTreeNodeUI* node) {
    if (node == nullptr || node == this || node->m_parentNode != nullptr ||
        node->m_view != nullptr) {
        return false;
    }
    CTreeNodeUI* after = LastDescendant();
    node->m_parentNode = this;
    m_children.push_back(node);
    node->UpdateIndent();
    UpdateFolderButton();
    node->SetVisible(IsExpanded() && IsVisible());
    node->ShowDescendants(node->IsVisible() && node->IsExpanded());
    if (m_view != nullptr) {
        m_view->InsertSubtree(node, m_view->IndexOf(after) + 1);
    }
    return true;
}

bool CTreeNodeUI::RemoveChildNode(CTreeNodeUI* node) {
    if (node == nullptr || node->m_parentNode != this) {
        return false;
    }
    if (m_view != nullptr) {
        return m_view->RemoveNode(node);
    }
    std::erase(m_children, node);
    UpdateFolderButton();
    node->m_parentNode = nullptr;
    node->Destroy();
    return true;
}

CTreeNodeUI* CTreeNodeUI::ChildNodeAt(int index) const {
    if (index < 0 || index >= ChildNodeCount()) {
        return nullptr;
    }
    return m_children[static_cast<size_t>(index)];
}

int CTreeNodeUI::Depth() const {
    int depth = 0;
    for (const CTreeNodeUI* node = m_parentNode; node != nullptr; node = node->m_parentNode) {
        ++depth;
    }
    return depth;
}

CTreeNodeUI* CTreeNodeUI::LastDescendant() {
    return m_children.empty() ? this : m_children.back()->LastDescendant();
}

bool CTreeNodeUI::AddToRow(CControlUI* control) {
    return m_row->Append(control);
}

bool CTreeNodeUI::IsChecked() const {
    return m_checkBox->IsSelected();
}

void CTreeNodeUI::SetChecked(bool checked) {
    m_checkBox->SetSelected(checked, false);
    for (CTreeNodeUI* child : m_children) {
        child->SetChecked(checked);
    }
}

void CTreeNodeUI::SetFolderButtonVisible(bool visible) {
    m_folderWanted = visible;
    UpdateFolderButton();
}

void CTreeNodeUI::SetCheckBoxVisible(bool visible) {
    m_checkBox->SetVisible(visible);
}

void CTreeNodeUI::SetTreeView(CTreeViewUI* view) {
    m_view = view;
}

void CTreeNodeUI::SetItemColors(DWORD text, DWORD hot, DWORD selected, DWORD selectedHot) {
    // The node's own colours win over the tree view's.
    auto fill = [](DWORD& field, DWORD color) {
        if (field == 0) {
            field = color;
        }
    };
    fill(m_textColor, text);
    fill(m_hotTextColor, hot);
    fill(m_selectedTextColor, selected);
    fill(m_selectedHotTextColor, selectedHot);
    ApplyItemColors();
}

bool CTreeNodeUI::OnButtonNotify(void* param) {
    if (m_view != nullptr) {
        m_view->OnNotification(*static_cast<TNotificationUI*>(param));
    }
    return true;
}

void CTreeNodeUI::UpdateFolderButton() {
    m_folder->SetVisible(m_folderWanted);
    m_folder->SetEnabled(!m_children.empty());
    m_folder->SetText(m_children.empty() ? L"" : IsExpanded() ? L"-" : L"+");
}

void CTreeNodeUI::UpdateIndent() {
    const int depth = Depth();
    m_dotLine->SetVisible(depth > 0);
    m_dotLine->SetFixedWidth(depth * kIndent);
    for (CTreeNodeUI* child : m_children) {
        child->UpdateIndent();
    }
}

void CTreeNodeUI::ApplyItemColors() {
    // The text takes the hover colours while the node is under the mouse;
    // 0 stands for the manager's default.
    const bool hot = m_link.hot;
    m_item->SetTextColor(hot && m_hotTextColor != 0 ? m_hotTextColor : m_textColor);
    m_item->SetSelectedTextColor(hot && m_selectedHotTextColor != 0 ? m_selectedHotTextColor
                                                                    : m_selectedTextColor);
}

}  // namespace VantuUI
