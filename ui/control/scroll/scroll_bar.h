#pragma once

// The scroll bar containers and the rich edit box create for themselves, one
// per direction: a range and a position, two arrow buttons, a track and a
// thumb sized in proportion to the visible share, each painted from state
// images. With an owner it asks the owner to scroll by lines, pages and
// drags; without one it moves its own position.
//
// Where each concern lives (ui/control/scroll/): range, position and the
// layout of the parts in scroll_bar.cpp; skin attributes and the part images
// and colours in scroll_bar_attributes.cpp; painting in scroll_bar_paint.cpp;
// mouse, drag and auto-repeat in scroll_bar_mouse.cpp.

#include <array>

#include "ui/control/control.h"

namespace VantuUI {

class CContainerUI;

// The parts of a bar that carry images. Button 1 is up or left, button 2
// down or right; the rail is the grip mark drawn in the middle of the thumb.
enum class ScrollBarPart { Button1, Button2, Thumb, Rail, Background };

enum class ScrollBarImageState { Normal, Hot, Pushed, Disabled };

class CScrollBarUI : public CControlUI {
  public:
    // The auto-repeat timer: its key, period, and the ticks a held button
    // waits before it repeats (about 250 ms).
    static constexpr UINT kRepeatTimerKey = 10;
    static constexpr UINT kRepeatTimerElapse = 50;
    static constexpr int kRepeatDelayTicks = 5;

    CScrollBarUI();

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    void SetItemRect(RECT rect, bool invalidate = true) override;
    void Move(SIZE offset, bool invalidate = true) override;
    void SetVisible(bool visible = true) override;
    void SetEnabled(bool enabled = true) override;
    void SetFocus() override;
    void HandleEvent(TInputEventUI& event) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    bool PaintContent(HDC dc, const RECT& paintRect, CControlUI* stop) override;

    virtual bool IsHorizontal() const;
    virtual void SetHorizontal(bool horizontal = true);
    virtual int GetRange() const;
    virtual void SetRange(int range);
    virtual int GetPosition() const;
    virtual void SetPosition(int position, bool notify = true);
    virtual int GetLineSize() const;
    virtual void SetLineSize(int size);
    virtual int GetScrollUnit() const;
    virtual void SetScrollUnit(int unit);
    virtual CContainerUI* GetOwner() const;
    virtual void SetOwner(CContainerUI* owner);
    virtual bool IsButton1Shown() const;
    virtual void ShowButton1(bool show);
    virtual bool IsButton2Shown() const;
    virtual void ShowButton2(bool show);
    // The image spec of a part in a state ("button1hotimage" is Button1, Hot).
    virtual const std::wstring& GetPartImage(ScrollBarPart part, ScrollBarImageState state) const;
    virtual void SetPartImage(ScrollBarPart part, ScrollBarImageState state,
                              const std::wstring& spec);
    // The colour filled behind a button's or the thumb's image (0: none).
    // The rail and the background have none.
    virtual DWORD GetPartColor(ScrollBarPart part) const;
    virtual void SetPartColor(ScrollBarPart part, DWORD color);

    // Where the buttons and the thumb were laid out (window client pixels),
    // and their UISTATE_ bits; the rail and the background give the bar's.
    RECT GetPartRect(ScrollBarPart part) const;
    UINT GetPartState(ScrollBarPart part) const;

  private:
    using StateImages = std::array<ImageDrawInfo, 4>;
    // A button or the thumb.
    struct Piece {
        bool shown = true;
        RECT rect{};
        UINT state = 0;
        DWORD color = 0;
        StateImages images;
    };

    // scroll_bar.cpp
    int Thickness() const;
    void LayOutParts();
    // scroll_bar_attributes.cpp
    StateImages& ImagesOf(ScrollBarPart part);
    const StateImages& ImagesOf(ScrollBarPart part) const;
    // The button or thumb, or null for the rail and the background.
    Piece* PieceOf(ScrollBarPart part);
    const Piece* PieceOf(ScrollBarPart part) const;
    // scroll_bar_paint.cpp
    void PaintStateImages(HDC dc, StateImages& images, UINT state, const RECT& rect);
    void PaintPiece(HDC dc, Piece& piece);
    void PaintRail(HDC dc);
    // scroll_bar_mouse.cpp
    void OnButtonDown(POINT point);
    void OnMouseMove(POINT point);
    void OnRepeatTick();
    void OnButtonUp();
    void OnMouseEnter(POINT point);
    void OnMouseLeave(POINT point);
    // One line (or page) back (direction -1) or forward (+1).
    void ScrollLines(int direction);
    void ScrollPages(int direction);
    int LineStep() const;
    // The owner's operation for that direction, or `ownStep` positions without an owner.
    using OwnerStep = void (CContainerUI::*)();
    void Step(int direction, OwnerStep back, OwnerStep forward, int ownStep);
    // Pages towards `point` when it lies in the track beside the thumb.
    void PageTowards(POINT point);
    void DragTo(int position);
    void PassOn(TInputEventUI& event);

    bool m_horizontal = false;
    int m_range = 100;
    int m_position = 0;
    int m_lineSize = 8;
    int m_scrollUnit = 1;
    CContainerUI* m_owner = nullptr;
    POINT m_dragStartPoint{};
    int m_dragStartPosition = 0;
    int m_dragOffset = 0;
    int m_repeatCount = 0;
    StateImages m_backgroundImages;
    Piece m_button1;
    Piece m_button2;
    Piece m_thumb;
    StateImages m_railImages;
};

}  // namespace VantuUI
