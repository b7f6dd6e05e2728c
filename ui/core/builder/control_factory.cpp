#include "ui/core/builder/control_factory.h"

#include <array>

#include "ui/control/activex/active_x.h"
#include "ui/control/activex/web_browser.h"
#include "ui/control/basic/button.h"
#include "ui/control/basic/check_box.h"
#include "ui/control/basic/label.h"
#include "ui/control/basic/option.h"
#include "ui/control/basic/progress.h"
#include "ui/control/basic/text.h"
#include "ui/control/combo/combo.h"
#include "ui/control/control.h"
#include "ui/control/date_time/date_time.h"
#include "ui/control/edit/edit.h"
#include "ui/control/gif/gif_anim.h"
#include "ui/control/list/header/list_header.h"
#include "ui/control/list/header/list_header_item.h"
#include "ui/control/list/items/list_container_element.h"
#include "ui/control/list/items/list_text_element.h"
#include "ui/control/list/list.h"
#include "ui/control/rich_edit/rich_edit_factory.h"
#include "ui/control/scroll/scroll_bar.h"
#include "ui/control/slider/slider.h"
#include "ui/control/tree/tree_view.h"
#include "ui/core/text_case.h"
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

// One row per class a skin may name.
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
    ControlClass{L"Edit", &Make<CEditUI>},
    ControlClass{L"Slider", &Make<CSliderUI>},
    ControlClass{L"DateTime", &Make<CDateTimeUI>},
    ControlClass{L"GifAnim", &Make<CGifAnimUI>, true},
    ControlClass{L"Combo", &Make<CComboUI>},
    ControlClass{L"ComboBox", &Make<CComboUI>},
    ControlClass{L"List", &Make<CListUI>},
    ControlClass{L"ListHeader", &Make<CListHeaderUI>},
    ControlClass{L"ListHeaderItem", &Make<CListHeaderItemUI>},
    ControlClass{L"ListTextElement", &Make<CListTextElementUI>},
    ControlClass{L"ListLabelElement", &Make<CListLabelElementUI>},
    ControlClass{L"ListHBoxElement", &Make<CListHBoxElementUI>},
    ControlClass{L"ListContainerElement", &Make<CListContainerElementUI>},
    ControlClass{L"TreeView", &Make<CTreeViewUI>},
    ControlClass{L"Tree", &Make<CTreeViewUI>},
    ControlClass{L"ActiveX", &Make<CActiveXUI>},
    ControlClass{L"WebBrowser", &Make<CWebBrowserUI>},
    ControlClass{L"RichEdit", &MakeRichEdit},
};

}  // namespace

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
