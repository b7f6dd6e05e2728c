#pragma once

// A tree over the list machinery: every node is an item of the list, child
// nodes right after their parent, hidden while an ancestor is collapsed.
// It listens to its nodes' folder buttons and check boxes.

#include "ui/control/list/list.h"
#include "ui/core/notification.h"

namespace VantuUI {

class CTreeNodeUI;

class CTreeViewUI : public CListUI, public INotifyUI {
  public:
    ~CTreeViewUI() override;

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    // A node (with its descendants) goes in as a top-level node; other
    // controls as plain items.
    bool Append(CControlUI* control) override;
    bool RemoveItemAt(int index, bool keep = false) override;
    void RemoveAllItems() override;

    // INotifyUI: "selectchanged" of a node's folder button expands or
    // collapses it; of its check box, checks or clears its subtree.
    void OnNotification(TNotificationUI& msg) override;

    // Adds `node` under `parent` (null: at the top level).
    bool AddNode(CTreeNodeUI* node, CTreeNodeUI* parent = nullptr);
    // Removes the node and its descendants.
    bool RemoveNode(CTreeNodeUI* node);
    // Puts `node` and its descendants into the list from `index` on.
    void InsertSubtree(CTreeNodeUI* node, int index);

    bool IsFolderButtonVisible() const { return m_folderVisible; }
    void SetFolderButtonVisible(bool visible);
    bool IsCheckBoxVisible() const { return m_checkVisible; }
    void SetCheckBoxVisible(bool visible);
    int GetItemMinWidth() const { return m_itemMinWidth; }
    void SetItemMinWidth(int width);

  private:
    // Settings the tree view gives every node that joins it.
    void Dress(CTreeNodeUI* node) const;
    template <typename Fn>
    void ForEachNode(Fn&& fn);

    bool m_folderVisible = true;
    bool m_checkVisible = false;
    int m_itemMinWidth = 0;
    DWORD m_textColor = 0;
    DWORD m_hotTextColor = 0;
    DWORD m_selectedTextColor = 0;
    DWORD m_selectedHotTextColor = 0;
};

}  // namespace VantuUI
