#pragma once

// The scroll bar containers create for themselves: its range, position and
// steps. Parts, painting and mouse handling of the bar build on this.

#include "ui/control/control.h"

namespace VantuUI {

class CContainerUI;

class CScrollBarUI : public CControlUI {
  public:
    CScrollBarUI();

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    void SetVisible(bool visible = true) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;

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

  protected:
    bool m_horizontal = false;
    int m_range = 100;
    int m_position = 0;
    int m_lineSize = 8;
    int m_scrollUnit = 1;
    CContainerUI* m_owner = nullptr;
};

}  // namespace VantuUI
