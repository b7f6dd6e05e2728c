#include "ui/control/basic/check_box.h"

namespace VantuUI {

std::wstring CCheckBoxUI::GetClass() const {
    return L"CheckBox";
}

void* CCheckBoxUI::FindInterface(const std::wstring& name) {
    if (name == L"CheckBox") {
        return this;
    }
    return COptionUI::FindInterface(name);
}

}  // namespace VantuUI
