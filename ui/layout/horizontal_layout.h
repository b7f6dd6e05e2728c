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

    virtual int GetSeparatorWidth() const;
    virtual void SetSeparatorWidth(int width);
    virtual bool IsSeparatorImmediate() const;
    virtual void SetSeparatorImmediate(bool immediate);

  protected:
    int m_separatorWidth = 0;
    bool m_captured = false;
    POINT m_lastMouse{};
    RECT m_newRect{};
    bool m_separatorImmediate = false;
};

}  // namespace VantuUI
