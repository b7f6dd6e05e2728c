#pragma once

// Children in one line, a row or a column: sizes along the line come first
// from the children that state one, the rest of the room is shared by the
// others; placement across the line follows the child alignment. Rows and
// columns differ only in the axis, and a row's separator or a column's.

#include "ui/layout/container/container.h"

namespace VantuUI {

class CLineLayoutUI : public CContainerUI {
  public:
    void SetItemRect(RECT rect, bool invalidate = true) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    UINT GetInputFlags() override;
    void HandleEvent(TInputEventUI& event) override;
    void PaintOverlay(HDC dc, const RECT& paintRect) override;

    virtual bool IsSeparatorImmediate() const;
    virtual void SetSeparatorImmediate(bool immediate);

  protected:
    explicit CLineLayoutUI(bool horizontal);

    // Separator size, drag state and immediate mode.
    SeparatorDrag m_separator;

  private:
    bool m_horizontal;
};

}  // namespace VantuUI
