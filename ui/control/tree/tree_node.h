#pragma once

// One node of a tree view: a row of an indent line, a folder button that
// expands and collapses the node's children, a check box and the node's
// text (an option that mirrors the node's selection). Child nodes are items
// of the tree view's list too, right after their parent; the node only
// knows them.

#include <vector>

#include "ui/control/list/items/list_container_element.h"

namespace VantuUI {

class CCheckBoxUI;
class COptionUI;
class CHorizontalLayoutUI;
class CTreeViewUI;

class CTreeNodeUI : public CListContainerElementUI {
  public:
    // Indent per level, in pixels.
    static constexpr int kIndent = 16;

    CTreeNodeUI();
    // Child nodes that never joined a tree view go with the node.
    ~CTreeNodeUI() override;

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    std::wstring GetText() const override;
    void SetText(const std::wstring& text) override;
    void HandleEvent(TInputEventUI& event) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    bool Select(bool select = true) override;
    bool IsExpanded() const override;
    // Shows or hides the node's descendants; no notification.
    bool Expand(bool expand = true) override;

    bool AddChildNode(CTreeNodeUI* node);
    // Takes the node and its descendants out of the tree view (destroying them).
    bool RemoveChildNode(CTreeNodeUI* node);
    int ChildNodeCount() const { return static_cast<int>(m_children.size()); }
    CTreeNodeUI* ChildNodeAt(int index) const;
    CTreeNodeUI* ParentNode() const { return m_parentNode; }
    int Depth() const;
    // The last node of this node's subtree (the node itself without children).
    CTreeNodeUI* LastDescendant();
    // A control of a skin's TreeNode element goes into the node's row.
    bool AddToRow(CControlUI* control);

    bool IsChecked() const;
    // Checks or clears the node and all its descendants.
    void SetChecked(bool checked);
    void SetFolderButtonVisible(bool visible);
    void SetCheckBoxVisible(bool visible);

    CHorizontalLayoutUI* Row() const { return m_row; }
    CControlUI* DotLine() const { return m_dotLine; }
    CCheckBoxUI* FolderButton() const { return m_folder; }
    CCheckBoxUI* CheckBox() const { return m_checkBox; }
    COptionUI* ItemButton() const { return m_item; }

    CTreeViewUI* TreeView() const { return m_view; }
    // Set by the tree view when the node joins or leaves it.
    void SetTreeView(CTreeViewUI* view);
    // The node's colours, when the tree view's should not apply.
    void SetItemColors(DWORD text, DWORD hot, DWORD selected, DWORD selectedHot);

  private:
    friend class CTreeViewUI;

    // The buttons' notifications, handed to the tree view.
    bool OnButtonNotify(void* param);
    // Visible exactly when every ancestor is expanded.
    void ShowDescendants(bool shown);
    void UpdateFolderButton();
    void UpdateIndent();
    void ApplyItemColors();

    CHorizontalLayoutUI* m_row;
    CControlUI* m_dotLine;
    CCheckBoxUI* m_folder;
    CCheckBoxUI* m_checkBox;
    COptionUI* m_item;
    CTreeNodeUI* m_parentNode = nullptr;
    std::vector<CTreeNodeUI*> m_children;  // items of the tree view's list
    CTreeViewUI* m_view = nullptr;
    bool m_folderWanted = true;
    DWORD m_textColor = 0;
    DWORD m_hotTextColor = 0;
    DWORD m_selectedTextColor = 0;
    DWORD m_selectedHotTextColor = 0;
};

}  // namespace VantuUI
