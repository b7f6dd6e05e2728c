#pragma once

// The child list of a container, as other code sees it.

namespace VantuUI {

class CControlUI;

class IContainerUI {
  public:
    virtual CControlUI* ItemAt(int index) const = 0;
    virtual int IndexOf(CControlUI* control) const = 0;
    virtual bool MoveItemTo(CControlUI* control, int index) = 0;
    virtual bool MoveItemRange(CControlUI* first, int count, int newIndex) = 0;
    virtual int ItemCount() const = 0;
    virtual bool Append(CControlUI* control) = 0;
    virtual bool InsertAt(CControlUI* control, int index) = 0;
    virtual bool RemoveItem(CControlUI* control, bool keep = false) = 0;
    virtual bool RemoveItemAt(int index, bool keep = false) = 0;
    virtual void RemoveAllItems() = 0;

  protected:
    ~IContainerUI() = default;
};

}  // namespace VantuUI
