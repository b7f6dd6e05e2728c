#pragma once

// An option under its own class name, for skins that say "CheckBox".

#include "ui/control/basic/option.h"

namespace VantuUI {

class CCheckBoxUI : public COptionUI {
  public:
    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
};

}  // namespace VantuUI
