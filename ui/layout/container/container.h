#pragma once

// A control that owns an ordered list of children, an inset, spacing and
// alignment, and up to two scroll bars. The plain container gives every
// child its whole content area; the layouts derive from it.

#include <optional>
#include <vector>

#include "ui/control/control.h"
#include "ui/layout/container/container_interface.h"

namespace VantuUI {

class CScrollBarUI;

class CContainerUI : public CControlUI, public IContainerUI {
  public:
    CContainerUI();
    ~CContainerUI() override;

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    void AttachToManager(CWindowManagerUI* manager, CControlUI* parent, bool init = true) override;
    RECT GetContentRect() const override;
    void SetItemRect(RECT rect, bool invalidate = true) override;
    void Move(SIZE offset, bool invalidate = true) override;
    void SetVisible(bool visible = true) override;
    void SetParentVisible(bool visible = true) override;
    void SetAcceptsMouse(bool enabled = true) override;
    CControlUI* FindInTree(FINDCONTROLPROC proc, void* data, UINT flags) override;
    void HandleEvent(TInputEventUI& event) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    bool PaintContent(HDC dc, const RECT& paintRect, CControlUI* stop) override;

    // IContainerUI
    CControlUI* ItemAt(int index) const override;
    int IndexOf(CControlUI* control) const override;
    bool MoveItemTo(CControlUI* control, int index) override;
    bool MoveItemRange(CControlUI* first, int count, int newIndex) override;
    int ItemCount() const override;
    bool Append(CControlUI* control) override;
    bool InsertAt(CControlUI* control, int index) override;
    bool RemoveItem(CControlUI* control, bool keep = false) override;
    bool RemoveItemAt(int index, bool keep = false) override;
    void RemoveAllItems() override;

    virtual RECT GetInset() const;
    virtual void SetInset(RECT inset);
    virtual int GetChildGap() const;
    virtual void SetChildGap(int gap);
    virtual UINT GetChildAlignX() const;
    virtual void SetChildAlignX(UINT align);
    virtual UINT GetChildAlignY() const;
    virtual void SetChildAlignY(UINT align);
    virtual bool OwnsChildren() const;
    virtual void SetOwnsChildren(bool owns);
    virtual bool DefersChildDelete() const;
    virtual void SetDefersChildDelete(bool defers);
    virtual bool ChildrenAcceptMouse() const;
    virtual void SetChildrenAcceptMouse(bool enabled);
    virtual int NextSelectableIndex(int index, bool forward = true) const;
    virtual SIZE GetScrollOffset() const;
    virtual SIZE GetScrollExtent() const;
    virtual void SetScrollOffset(SIZE offset);
    virtual void LineUp();
    virtual void LineDown();
    virtual void PageUp();
    virtual void PageDown();
    virtual void ScrollToTop();
    virtual void ScrollToBottom();
    virtual void LineLeft();
    virtual void LineRight();
    virtual void PageLeft();
    virtual void PageRight();
    virtual void ScrollToLeftEnd();
    virtual void ScrollToRightEnd();
    virtual void SetScrollBarsEnabled(bool vertical, bool horizontal);
    virtual CScrollBarUI* GetVerticalScrollBar() const;
    virtual CScrollBarUI* GetHorizontalScrollBar() const;
    virtual void PlaceFloatChild(int index);
    virtual void UpdateScrollBars(RECT rect, int neededWidth, int neededHeight);

  protected:
    // Item rectangle minus inset and the visible bars.
    RECT ContentArea() const;
    bool VerticalBarShown() const;
    bool HorizontalBarShown() const;
    int VerticalLineStep() const;
    int HorizontalLineStep() const;
    void ScrollBy(int dx, int dy);
    // Takes the new item rectangle and returns the content area to lay the
    // children out in; nothing when there are no children (the bars are reset).
    std::optional<RECT> StartLayout(RECT rect, bool invalidate);
    // Calls place(child, index) for every visible child in the flow; floating
    // children go where their anchors say.
    template <typename Place>
    void PlaceChildren(Place&& place) {
        for (size_t i = 0; i < m_items.size(); ++i) {
            CControlUI* child = m_items[i];
            if (!child->IsVisible()) {
                continue;
            }
            if (child->IsFloating()) {
                PlaceFloatChild(static_cast<int>(i));
                continue;
            }
            place(child, static_cast<int>(i));
        }
    }
    // Destroys a child that leaves this container, at once or deferred.
    void DisposeChild(CControlUI* child);

    // Dragging the separator strip of a vertical or horizontal layout. The
    // strip runs along the far edge (positive size) or near edge (negative).
    struct SeparatorDrag {
        int size = 0;
        bool vertical = true;
        bool immediate = false;
        bool captured = false;
        POINT lastMouse{};
        RECT newRect{};
    };
    static RECT SeparatorStrip(const RECT& rect, int size, bool vertical);
    // True when the event belonged to the separator.
    bool HandleSeparatorEvent(SeparatorDrag& drag, TInputEventUI& event);
    void PaintSeparatorOverlay(const SeparatorDrag& drag, HDC dc);
    void SetSeparatorImmediateMode(SeparatorDrag& drag, bool immediate);

    std::vector<CControlUI*> m_items;
    RECT m_inset{};
    int m_childGap = 0;
    UINT m_childAlign = 0;
    UINT m_childVAlign = 0;
    bool m_autoDestroy = true;
    bool m_delayedDestroy = true;
    bool m_mouseChildEnabled = true;
    bool m_scrollUpdateRunning = false;
    CScrollBarUI* m_verticalBar = nullptr;
    CScrollBarUI* m_horizontalBar = nullptr;
    // Nesting of the re-layouts that scroll bar changes cause.
    int m_scrollRelayoutDepth = 0;
};

}  // namespace VantuUI
