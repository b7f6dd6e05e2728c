#include "ui/core/builder/control_factory.h"

#include <array>

#include "ui/control/basic/button.h"
#include "ui/control/basic/check_box.h"
#include "ui/control/basic/label.h"
#include "ui/control/basic/option.h"
#include "ui/control/basic/progress.h"
#include "ui/control/basic/text.h"
#include "ui/control/control.h"
#include "ui/control/rich_edit/rich_edit.h"
#include "ui/control/scroll/scroll_bar.h"
#include "ui/layout/child_layout.h"
#include "ui/layout/container/container.h"
#include "ui/layout/horizontal_layout.h"
#include "ui/layout/tab_layout.h"
#include "ui/layout/tile_layout.h"
#include "ui/layout/vertical_layout.h"

namespace VantuUI {

namespace {

struct ControlClass {
    std::wstring_view name;
    CControlUI* (*create)();
    bool exactCase = false;
};

template <class T>
CControlUI* Make() {
    return new T;
}

// One row per class a skin may name. Classes still to be written (Slider,
// Edit, Combo, ComboBox, DateTime, the list and tree classes, ActiveX,
// WebBrowser and the exact-case GifAnim) get their row when they exist; until
// then the builder treats their names as unknown.
constexpr std::array kClasses{
    ControlClass{L"Control", &Make<CControlUI>},
    ControlClass{L"Container", &Make<CContainerUI>},
    ControlClass{L"VerticalLayout", &Make<CVerticalLayoutUI>},
    ControlClass{L"VBox", &Make<CVerticalLayoutUI>},
    ControlClass{L"HorizontalLayout", &Make<CHorizontalLayoutUI>},
    ControlClass{L"HBox", &Make<CHorizontalLayoutUI>},
    ControlClass{L"TileLayout", &Make<CTileLayoutUI>},
    ControlClass{L"TabLayout", &Make<CTabLayoutUI>},
    ControlClass{L"ChildLayout", &Make<CChildLayoutUI>},
    ControlClass{L"ScrollBar", &Make<CScrollBarUI>},
    ControlClass{L"Label", &Make<CLabelUI>},
    ControlClass{L"Text", &Make<CTextUI>},
    ControlClass{L"Button", &Make<CButtonUI>},
    ControlClass{L"Option", &Make<COptionUI>},
    ControlClass{L"CheckBox", &Make<CCheckBoxUI>},
    ControlClass{L"Progress", &Make<CProgressUI>},
    ControlClass{L"RichEdit", &Make<CRichEditUI>},
};

wchar_t FoldAscii(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

}  // namespace

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

CControlUI* CreateControlByClassName(std::wstring_view name) {
    for (const ControlClass& cls : kClasses) {
        // The length rules most rows out before any character is compared.
        if (cls.name.size() != name.size()) {
            continue;
        }
        bool same = cls.exactCase ? cls.name == name : EqualsIgnoringCase(cls.name, name);
        if (same) {
            return cls.create();
        }
    }
    return nullptr;
}

}  // namespace VantuUI
