#pragma once

// List items that hold controls of their own. An expandable item shows one
// row while collapsed and as much of its content as that asks for while
// expanded. The row variant places its children in the list's columns.

#include "ui/control/list/items/list_item_base.h"
#include "ui/layout/container/container.h"

namespace VantuUI {

class CListContainerElementUI : public CListItemBaseUI<CContainerUI> {
  public:
    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    SIZE GetDesiredSize(SIZE available) override;

    // Raises "itemexpand" or "itemcollapse"; false for an item that is not
    // expandable. The list's rule of one expanded item is the list's.
    bool Expand(bool expand = true) override;
    bool IsExpandable() const { return m_expandable; }
    void SetExpandable(bool expandable);
    // An expandable item also toggles, through its list.
    bool Activate() override;

  protected:
    bool m_expandable = false;
};

class CListHBoxElementUI : public CListContainerElementUI {
  public:
    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    void SetItemRect(RECT rect, bool invalidate = true) override;
};

}  // namespace VantuUI
