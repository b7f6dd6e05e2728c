#include <gtest/gtest.h>

#include <cwctype>
#include <functional>
#include <memory>
#include <vector>

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/control/scroll/scroll_bar.h"
#include "ui/layout/child_layout.h"
#include "ui/layout/horizontal_layout.h"
#include "ui/layout/tile_layout.h"
#include "ui/layout/vertical_layout.h"

namespace VantuUI {
namespace {

struct KnownNames {
    std::function<std::unique_ptr<CControlUI>()> make;
    std::vector<std::wstring> names;
};

// Every name a class or one of its bases knows reaches a setter instead of
// the custom attributes, and only in its own spelling ("forecolor" in any).
TEST(AttributeTable, EveryKnownNameIsTakenOnlyInItsOwnSpelling) {
    const std::vector<KnownNames> classes = {
        {[] { return std::make_unique<CControlUI>(); },
         {L"pos",        L"padding",     L"bkcolor",     L"bkcolor1",         L"bkcolor2",
          L"bkcolor3",   L"forecolor",   L"bordercolor", L"focusbordercolor", L"colorhsl",
          L"bordersize", L"borderstyle", L"borderround", L"bkimage",          L"width",
          L"height",     L"minwidth",    L"minheight",   L"maxwidth",         L"maxheight",
          L"name",       L"text",        L"tooltip",     L"userdata",         L"tag",
          L"enabled",    L"mouse",       L"keyboard",    L"visible",          L"float",
          L"shortcut",   L"menu",        L"virtualwnd"}},
        {[] { return std::make_unique<CScrollBarUI>(); },
         {L"hor", L"linesize", L"range", L"value", L"scrollunit", L"width", L"button1color",
          L"button2color", L"thumbcolor", L"button1normalimage", L"button2hotimage",
          L"thumbpushedimage", L"raildisabledimage", L"bknormalimage", L"showbutton1",
          L"showbutton2"}},
        {[] { return std::make_unique<CHorizontalLayoutUI>(); },
         {L"sepwidth", L"sepimm", L"inset", L"mousechild", L"vscrollbar", L"vscrollbarstyle",
          L"hscrollbar", L"hscrollbarstyle", L"childpadding", L"childalign", L"childvalign",
          L"virtualwnd"}},
        {[] { return std::make_unique<CVerticalLayoutUI>(); }, {L"sepheight", L"sepimm"}},
        {[] { return std::make_unique<CTileLayoutUI>(); },
         {L"itemsize", L"columns", L"childvpadding", L"inset"}},
        {[] { return std::make_unique<CChildLayoutUI>(); }, {L"xmlfile", L"childpadding"}},
    };
    for (const KnownNames& known : classes) {
        for (const std::wstring& name : known.names) {
            const std::unique_ptr<CControlUI> control = known.make();
            const std::wstring otherCase =
                std::wstring(1, static_cast<wchar_t>(std::towupper(static_cast<wint_t>(name[0])))) +
                name.substr(1);
            control->SetAttribute(name, L"1");
            control->SetAttribute(otherCase, L"1");
            EXPECT_EQ(control->ExtraAttribute(name), nullptr)
                << control->GetClass() << L" " << name;
            if (name == L"forecolor") {
                EXPECT_EQ(control->ExtraAttribute(otherCase), nullptr);
            } else {
                EXPECT_NE(control->ExtraAttribute(otherCase), nullptr)
                    << control->GetClass() << L" " << name;
            }
        }
    }
}

// A control of a coming kind, following the pattern of the layouts.
class CWideUI : public CControlUI {
  public:
    void SetAttribute(const std::wstring& name, const std::wstring& value) override {
        static constexpr auto kAttributes = MakeAttributeTable<CWideUI>({
            {L"width", [](CWideUI& c, const std::wstring& v) { c.m_ownWidth = ParseInt(v); }},
        });
        if (!kAttributes.Apply(*this, name, value)) {
            CControlUI::SetAttribute(name, value);
        }
    }
    int m_ownWidth = 0;
};

TEST(AttributeTable, AClassNameHidesTheSameNameOfItsBase) {
    CWideUI wide;
    wide.SetAttribute(L"width", L"40");
    wide.SetAttribute(L"height", L"7");
    wide.SetAttribute(L"depth", L"3");
    EXPECT_EQ(wide.m_ownWidth, 40);
    EXPECT_EQ(wide.GetFixedWidth(), 0);
    EXPECT_EQ(wide.GetFixedHeight(), 7);
    EXPECT_STREQ(wide.ExtraAttribute(L"depth"), L"3");
    EXPECT_EQ(wide.ExtraAttribute(L"width"), nullptr);
}

}  // namespace
}  // namespace VantuUI
