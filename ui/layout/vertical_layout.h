#pragma once

// Children in a column: fixed heights first, the rest shared by the children
// without one; horizontal placement by the child alignment.

#include "ui/layout/container.h"

namespace VantuUI {

class CVerticalLayoutUI : public CContainerUI {
  public:
    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    void SetItemRect(RECT rect, bool invalidate = true) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    UINT GetInputFlags() override;
    void HandleEvent(TInputEventUI& event) override;
    void PaintOverlay(HDC dc, const RECT& paintRect) override;

    virtual int GetSeparatorHeight() const;
    virtual void SetSeparatorHeight(int height);
    virtual bool IsSeparatorImmediate() const;
    virtual void SetSeparatorImmediate(bool immediate);

  protected:
    // Separator height, drag state and immediate mode.
    SeparatorDrag m_separator{0, true};
};

}  // namespace VantuUI
