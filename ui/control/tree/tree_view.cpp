#include "ui/control/tree/tree_view.h"

#include <vector>

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/control/basic/check_box.h"
#include "ui/control/tree/tree_node.h"

namespace VantuUI {

namespace {

CTreeNodeUI* AsNode(CControlUI* control) {
    return control != nullptr ? static_cast<CTreeNodeUI*>(control->FindInterface(L"TreeNode"))
                              : nullptr;
}

// The node whose row holds `control`.
CTreeNodeUI* OwningNode(CControlUI* control) {
    for (CControlUI* c = control; c != nullptr; c = c->GetParent()) {
        if (CTreeNodeUI* node = AsNode(c)) {
            return node;
        }
    }
    return nullptr;
}

// The node and its descendants, parents first.
void CollectSubtree(CTreeNodeUI* node, std::vector<CTreeNodeUI*>& out) {
    out.push_back(node);
    for (int i = 0; i < node->ChildNodeCount(); ++i) {
        CollectSubtree(node->ChildNodeAt(i), out);
    }
}

}  // namespace

CTreeViewUI::~CTreeViewUI() = default;

std::wstring CTreeViewUI::GetClass() const {
    return L"TreeView";
}

void* CTreeViewUI::FindInterface(const std::wstring& name) {
    if (name == L"TreeView") {
        return this;
    }
    return CListUI::FindInterface(name);
}

template <typename Fn>
void CTreeViewUI::ForEachNode(Fn&& fn) {
    for (int i = 0; i < ItemCount(); ++i) {
        if (CTreeNodeUI* node = AsNode(ItemAt(i))) {
            fn(*node);
        }
    }
}

void CTreeViewUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using C = CTreeViewUI;
    using Value = const std::wstring&;
    // Node text colours: the tree view's fill in what a node does not set itself.
    static constexpr auto setColor = [](C& c, DWORD C::*field, Value v) {
        c.*field = ParseColor(v, true);
        c.ForEachNode([&c](CTreeNodeUI& node) { c.Dress(&node); });
    };
    static constexpr auto kAttributes = MakeAttributeTable<C>({
        {L"visiblefolderbtn", [](C& c, Value v) { c.SetFolderButtonVisible(ParseBool(v)); }},
        {L"visiblecheckbtn", [](C& c, Value v) { c.SetCheckBoxVisible(ParseBool(v)); }},
        {L"itemminwidth", [](C& c, Value v) { c.SetItemMinWidth(ParseInt(v)); }},
        {L"itemtextcolor", [](C& c, Value v) { setColor(c, &C::m_textColor, v); }},
        {L"itemhottextcolor", [](C& c, Value v) { setColor(c, &C::m_hotTextColor, v); }},
        {L"selitemtextcolor", [](C& c, Value v) { setColor(c, &C::m_selectedTextColor, v); }},
        {L"selitemhottextcolor", [](C& c, Value v) { setColor(c, &C::m_selectedHotTextColor, v); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CListUI::SetAttribute(name, value);
    }
}

void CTreeViewUI::Dress(CTreeNodeUI* node) const {
    node->SetFolderButtonVisible(m_folderVisible);
    node->SetCheckBoxVisible(m_checkVisible);
    if (m_itemMinWidth > 0) {
        node->SetMinWidth(m_itemMinWidth);
    }
    node->SetItemColors(m_textColor, m_hotTextColor, m_selectedTextColor, m_selectedHotTextColor);
}

void CTreeViewUI::SetFolderButtonVisible(bool visible) {
    m_folderVisible = visible;
    ForEachNode([visible](CTreeNodeUI& node) { node.SetFolderButtonVisible(visible); });
}

void CTreeViewUI::SetCheckBoxVisible(bool visible) {
    m_checkVisible = visible;
    ForEachNode([visible](CTreeNodeUI& node) { node.SetCheckBoxVisible(visible); });
}

void CTreeViewUI::SetItemMinWidth(int width) {
    m_itemMinWidth = std::max(0, width);
    ForEachNode([this](CTreeNodeUI& node) { node.SetMinWidth(m_itemMinWidth); });
}

bool CTreeViewUI::Append(CControlUI* control) {
    if (CTreeNodeUI* node = AsNode(control)) {
        return AddNode(node);
    }
    return CListUI::Append(control);
}

bool CTreeViewUI::AddNode(CTreeNodeUI* node, CTreeNodeUI* parent) {
    if (node == nullptr || node->TreeView() != nullptr) {
        return false;
    }
    if (parent != nullptr) {
        return parent->TreeView() == this && parent->AddChildNode(node);
    }
    if (node->ParentNode() != nullptr) {
        return false;
    }
    InsertSubtree(node, ItemCount());
    return true;
}

void CTreeViewUI::InsertSubtree(CTreeNodeUI* node, int index) {
    CListUI::InsertAt(node, index);
    node->SetTreeView(this);
    Dress(node);
    int next = index + 1;
    for (int i = 0; i < node->ChildNodeCount(); ++i) {
        CTreeNodeUI* child = node->ChildNodeAt(i);
        InsertSubtree(child, next);
        next = IndexOf(child->LastDescendant()) + 1;
    }
}

bool CTreeViewUI::RemoveNode(CTreeNodeUI* node) {
    if (node == nullptr || node->TreeView() != this) {
        return false;
    }
    if (CTreeNodeUI* parent = node->ParentNode()) {
        std::erase(parent->m_children, node);
        parent->UpdateFolderButton();
    }
    std::vector<CTreeNodeUI*> subtree;
    CollectSubtree(node, subtree);
    // Deepest first; the list owns them all, so none takes its children along.
    for (auto it = subtree.rbegin(); it != subtree.rend(); ++it) {
        CTreeNodeUI* gone = *it;
        gone->m_children.clear();
        gone->m_parentNode = nullptr;
        CListUI::RemoveItemAt(IndexOf(gone), false);
    }
    return true;
}

bool CTreeViewUI::RemoveItemAt(int index, bool keep) {
    CTreeNodeUI* node = AsNode(ItemAt(index));
    if (node != nullptr && !keep) {
        return RemoveNode(node);
    }
    return CListUI::RemoveItemAt(index, keep);
}

void CTreeViewUI::RemoveAllItems() {
    ForEachNode([](CTreeNodeUI& node) {
        node.m_children.clear();
        node.m_parentNode = nullptr;
    });
    CListUI::RemoveAllItems();
}

void CTreeViewUI::OnNotification(TNotificationUI& msg) {
    if (msg.type != L"selectchanged") {
        return;
    }
    CTreeNodeUI* node = OwningNode(msg.sender);
    if (node == nullptr || node->TreeView() != this) {
        return;
    }
    if (msg.sender == node->FolderButton()) {
        node->Expand(node->FolderButton()->IsSelected());
    } else if (msg.sender == node->CheckBox()) {
        node->SetChecked(node->CheckBox()->IsSelected());
    }
}

}  // namespace VantuUI
