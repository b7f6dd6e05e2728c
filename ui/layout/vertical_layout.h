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

    virtual int GetSeparatorHeight() const;
    virtual void SetSeparatorHeight(int height);
    virtual bool IsSeparatorImmediate() const;
    virtual void SetSeparatorImmediate(bool immediate);

  protected:
    int m_separatorHeight = 0;
    bool m_captured = false;
    POINT m_lastMouse{};
    RECT m_newRect{};
    bool m_separatorImmediate = false;
};

}  // namespace VantuUI
