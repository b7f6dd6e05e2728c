#pragma once

// One column header: a text over state images, "headerclick" when pressed
// and released over it, and a separator strip that drags the column's width.

#include "ui/control/control.h"

namespace VantuUI {

class CListHeaderItemUI : public CControlUI {
  public:
    CListHeaderItemUI();

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    SIZE GetDesiredSize(SIZE available) override;
    void PaintStateImage(HDC dc) override;
    void PaintTextLayer(HDC dc) override;

    // A drag on the separator strip resizes the column; a click raises
    // "headerclick".
    UINT GetInputFlags() override;
    void SetEnabled(bool enabled = true) override;
    void HandleEvent(TInputEventUI& event) override;

    bool IsDragable() const { return m_dragable; }
    void SetDragable(bool dragable);
    int GetSeparatorWidth() const { return m_sepWidth; }
    void SetSeparatorWidth(int width);
    UINT GetTextStyle() const { return m_textStyle; }
    // The strip that drags the width: at the right edge for a positive
    // separator width, at the left edge for a negative one.
    RECT SeparatorRect() const;

  private:
    void SetImage(ImageDrawInfo& image, const std::wstring& spec);

    bool m_dragable = true;
    UINT m_textStyle = DT_VCENTER | DT_SINGLELINE | DT_CENTER;
    int m_font = -1;
    DWORD m_textColor = 0;
    RECT m_textPadding{};
    bool m_showHtml = false;
    ImageDrawInfo m_normalImage;
    ImageDrawInfo m_hotImage;
    ImageDrawInfo m_pushedImage;
    ImageDrawInfo m_focusedImage;
    int m_sepWidth = 4;
    DWORD m_sepColor = 0;
    ImageDrawInfo m_sepImage;
    bool m_hot = false;
    bool m_pushed = false;
    bool m_dragging = false;
    POINT m_lastMouse{};
};

}  // namespace VantuUI
