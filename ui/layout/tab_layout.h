#pragma once

// One visible page at a time.

#include "ui/layout/container/container.h"

namespace VantuUI {

class CTabLayoutUI : public CContainerUI {
  public:
    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    bool Append(CControlUI* control) override;
    bool InsertAt(CControlUI* control, int index) override;
    bool RemoveItemAt(int index, bool keep = false) override;
    void RemoveAllItems() override;
    void SetItemRect(RECT rect, bool invalidate = true) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;

    virtual int GetSelectedIndex() const;
    virtual bool SelectPage(int index, bool notify = true);
    virtual bool SelectPage(CControlUI* control, bool notify = true);

  protected:
    int m_selectedIndex = -1;
};

}  // namespace VantuUI
