#pragma once

// A list: an optional header row over a scrolling body of items. The list
// keeps the selection and the look of its items; its container operations
// and scrolling act on the body, so that code and skins add items to the
// list itself. Header items given to the list go to its header.

#include "ui/control/list/list_interfaces.h"
#include "ui/control/list/list_item_style.h"
#include "ui/layout/vertical_layout.h"

namespace VantuUI {

class CListBodyUI;

class CListUI : public CVerticalLayoutUI, public IListUI {
  public:
    CListUI();

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    UINT GetInputFlags() override;
    void SetItemRect(RECT rect, bool invalidate = true) override;
    void HandleEvent(TInputEventUI& event) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;

    // IContainerUI: the rows are the body's items.
    int ItemCount() const override;
    CControlUI* ItemAt(int index) const override;
    int IndexOf(CControlUI* control) const override;
    bool Append(CControlUI* control) override;
    bool InsertAt(CControlUI* control, int index) override;
    bool MoveItemTo(CControlUI* control, int index) override;
    bool MoveItemRange(CControlUI* first, int count, int newIndex) override;
    bool RemoveItem(CControlUI* control, bool keep = false) override;
    bool RemoveItemAt(int index, bool keep = false) override;
    void RemoveAllItems() override;

    // Scrolling, on the body.
    int NextSelectableIndex(int index, bool forward = true) const override;
    SIZE GetScrollOffset() const override;
    SIZE GetScrollExtent() const override;
    void SetScrollOffset(SIZE offset) override;
    void LineUp() override;
    void LineDown() override;
    void LineLeft() override;
    void LineRight() override;
    void PageUp() override;
    void PageDown() override;
    void PageLeft() override;
    void PageRight() override;
    void ScrollToTop() override;
    void ScrollToBottom() override;
    void ScrollToLeftEnd() override;
    void ScrollToRightEnd() override;
    void SetScrollBarsEnabled(bool vertical, bool horizontal) override;
    CScrollBarUI* GetVerticalScrollBar() const override;
    CScrollBarUI* GetHorizontalScrollBar() const override;

    // IListOwnerUI
    TListItemStyleUI& GetItemStyle() override;
    int GetCurSel() const override;
    bool SelectItem(int index, bool takeFocus = false) override;
    void HandleItemEvent(TInputEventUI& event) override;
    // IListUI
    CListHeaderUI* GetHeader() const override;
    CContainerUI* GetList() const override;
    IListCallbackUI* GetTextCallback() const override;
    void SetTextCallback(IListCallbackUI* callback) override;
    bool ExpandItem(int index, bool expand = true) override;
    int GetExpandedItem() const override;

    bool IsScrollSelect() const { return m_scrollSelect; }
    void SetScrollSelect(bool scrollSelect) { m_scrollSelect = scrollSelect; }
    bool IsMultiExpanding() const { return m_multiExpanding; }
    void SetMultiExpanding(bool multi);
    // Scrolls the body so that the item is wholly in view.
    void EnsureVisible(int index);
    // Puts the header back over the rows after the body moved them sideways.
    void PlaceHeader();

  protected:
    // As wide as its columns (at least the list) and shifted by the body's
    // horizontal scroll position, so its column edges stay over the cells.
    RECT HeaderRect() const;
    // Index and owner of the items from `first` on, after a change of the body.
    void Renumber(int first);
    IListItemUI* ListItemAt(int index) const;
    // The header that `control` is or the header item it belongs to.
    bool TakeHeaderPart(CControlUI* control, int index);
    // Moves the selection by keys or the wheel.
    bool MoveSelection(int step);

    CListHeaderUI* m_header = nullptr;  // owned as the layout's first child
    CListBodyUI* m_body = nullptr;      // owned as the layout's second child
    IListCallbackUI* m_callback = nullptr;
    TListItemStyleUI m_itemStyle;
    int m_curSel = -1;
    int m_expandedItem = -1;
    bool m_scrollSelect = false;
    bool m_multiExpanding = false;
};

}  // namespace VantuUI
