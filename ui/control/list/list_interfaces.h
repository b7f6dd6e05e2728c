#pragma once

// How lists, combo boxes and their items reach each other. An owner keeps
// the selection and the look of its items; an item knows its index and its
// owner and asks the owner to select or expand it.

#include <string>

#include "platform/win32.h"
#include "ui/core/input_event.h"

namespace VantuUI {

class CControlUI;
class CContainerUI;
class CListHeaderUI;
struct TListItemStyleUI;

class IListOwnerUI {
  public:
    virtual TListItemStyleUI& GetItemStyle() = 0;
    virtual int GetCurSel() const = 0;
    virtual bool SelectItem(int index, bool takeFocus = false) = 0;
    // Keys and wheel turns an item does not use itself.
    virtual void HandleItemEvent(TInputEventUI& event) = 0;

  protected:
    ~IListOwnerUI() = default;
};

// Supplies the texts of text elements that were given none.
class IListCallbackUI {
  public:
    virtual std::wstring GetItemText(CControlUI* item, int index, int column) = 0;

  protected:
    ~IListCallbackUI() = default;
};

class IListUI : public IListOwnerUI {
  public:
    virtual CListHeaderUI* GetHeader() const = 0;
    virtual CContainerUI* GetList() const = 0;
    virtual IListCallbackUI* GetTextCallback() const = 0;
    virtual void SetTextCallback(IListCallbackUI* callback) = 0;
    virtual bool ExpandItem(int index, bool expand = true) = 0;
    // The expanded item when only one may be, else -1.
    virtual int GetExpandedItem() const = 0;

  protected:
    ~IListUI() = default;
};

class IListItemUI {
  public:
    virtual int GetIndex() const = 0;
    virtual void SetIndex(int index) = 0;
    virtual IListOwnerUI* GetOwner() = 0;
    virtual void SetOwner(CControlUI* owner) = 0;
    virtual bool IsSelected() const = 0;
    // Marks the item; the owner's selection follows only through SelectItem.
    virtual bool Select(bool select = true) = 0;
    virtual bool IsExpanded() const = 0;
    virtual bool Expand(bool expand = true) = 0;
    // The item's text, as a combo box shows its selected item.
    virtual void DrawItemText(HDC dc, const RECT& rect) = 0;

  protected:
    ~IListItemUI() = default;
};

// The column rectangles of a list, from its header.
inline constexpr int kMaxListColumns = 32;
struct TListColumnsUI {
    int count = 0;
    RECT rects[kMaxListColumns]{};
};

}  // namespace VantuUI
