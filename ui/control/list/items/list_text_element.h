#pragma once

// A list item that shows one text per column of its list's header; tagged
// texts may hold links, which raise "link" when clicked.

#include <string>
#include <vector>

#include "ui/control/list/items/list_element.h"

namespace VantuUI {

class CListTextElementUI : public CListLabelElementUI {
  public:
    static constexpr int kMaxLinks = 8;

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    UINT GetInputFlags() override;
    void HandleEvent(TInputEventUI& event) override;
    void PaintTextLayer(HDC dc) override;
    void PaintBorderLayer(HDC dc) override;

    // Column 0 is the control's text. An empty column asks the list's text
    // callback, when there is one.
    virtual std::wstring GetColumnText(int column) const;
    virtual void SetColumnText(int column, const std::wstring& text);
    int GetLinkCount() const { return m_linkCount; }
    const RECT& GetLinkRect(int i) const { return m_linkRects[i]; }

  protected:
    // The list's columns, or the whole item as one column.
    TListColumnsUI Columns() const;
    int LinkAt(POINT point) const;

    std::vector<std::wstring> m_columnTexts;  // from column 1 on
    RECT m_linkRects[kMaxLinks]{};
    std::wstring m_linkTexts[kMaxLinks];
    int m_linkCount = 0;
    int m_hoveredLink = -1;
};

}  // namespace VantuUI
