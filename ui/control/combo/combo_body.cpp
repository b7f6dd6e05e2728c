#include "ui/control/combo/combo_body.h"

namespace VantuUI {

CComboBodyUI::CComboBodyUI(CComboUI* owner) : m_owner(owner) {
    SetOwnsChildren(false);
}

}  // namespace VantuUI
