#pragma once

// A label whose tagged text may hold links: a click on one raises "link"
// with the link's index.

#include <array>

#include "ui/control/basic/label.h"

namespace VantuUI {

class CTextUI : public CLabelUI {
  public:
    // Links beyond this many in one text are drawn but not clickable.
    static constexpr int kMaxLinks = 8;

    CTextUI();

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    UINT GetInputFlags() override;
    void HandleEvent(TInputEventUI& event) override;
    void PaintTextLayer(HDC dc) override;

    // What the last paint found: the links' rectangles and texts.
    int GetLinkCount() const { return m_linkCount; }
    // An empty rectangle for an index out of range.
    RECT GetLinkRect(int index) const;
    const std::wstring* GetLinkContent(int index) const;
    // The link under the mouse, or -1.
    int GetHoverLink() const { return m_hoverLink; }

  protected:
    // The index of the link containing `point`, or -1.
    int LinkAt(POINT point) const;

    std::array<RECT, kMaxLinks> m_linkRects{};
    std::array<std::wstring, kMaxLinks> m_linkTexts;
    int m_linkCount = 0;
    int m_hoverLink = -1;
};

}  // namespace VantuUI
