#pragma once

// Children in a row: fixed widths first, the rest shared by the children
// without one; vertical placement by the child vertical alignment.

#include "ui/layout/container.h"

namespace VantuUI {

class CHorizontalLayoutUI : public CContainerUI {
  public:
    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    void SetItemRect(RECT rect, bool invalidate = true) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    UINT GetInputFlags() override;
    void HandleEvent(TInputEventUI& event) override;
    void PaintOverlay(HDC dc, const RECT& paintRect) override;

    virtual int GetSeparatorWidth() const;
    virtual void SetSeparatorWidth(int width);
    virtual bool IsSeparatorImmediate() const;
    virtual void SetSeparatorImmediate(bool immediate);

  protected:
    // Separator width, drag state and immediate mode.
    SeparatorDrag m_separator{0, false};
};

}  // namespace VantuUI
