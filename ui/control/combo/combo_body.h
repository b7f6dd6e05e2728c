#pragma once

// The column of a combo box's items inside its drop-down window. It borrows
// the items: they belong to the combo box, and leaving the body does not
// destroy them.

#include "ui/layout/vertical_layout.h"

namespace VantuUI {

class CComboUI;

class CComboBodyUI : public CVerticalLayoutUI {
  public:
    explicit CComboBodyUI(CComboUI* owner);

    CComboUI* Owner() const { return m_owner; }

  private:
    CComboUI* m_owner;
};

}  // namespace VantuUI
