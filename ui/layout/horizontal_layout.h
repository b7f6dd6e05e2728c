#pragma once

// Children in a row: fixed widths first, the rest shared by the children
// without one; vertical placement by the child vertical alignment.

#include "ui/layout/line_layout.h"

namespace VantuUI {

class CHorizontalLayoutUI : public CLineLayoutUI {
  public:
    CHorizontalLayoutUI() : CLineLayoutUI(true) {}

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;

    virtual int GetSeparatorWidth() const;
    virtual void SetSeparatorWidth(int width);
};

}  // namespace VantuUI
