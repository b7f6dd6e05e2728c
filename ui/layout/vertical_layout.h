#pragma once

// Children in a column: fixed heights first, the rest shared by the children
// without one; horizontal placement by the child alignment.

#include "ui/layout/line_layout.h"

namespace VantuUI {

class CVerticalLayoutUI : public CLineLayoutUI {
  public:
    CVerticalLayoutUI() : CLineLayoutUI(false) {}

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;

    virtual int GetSeparatorHeight() const;
    virtual void SetSeparatorHeight(int height);
};

}  // namespace VantuUI
