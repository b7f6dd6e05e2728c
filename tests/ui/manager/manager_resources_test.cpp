#include <clocale>
#include <string>

#include "tests/ui/manager/managed_window.h"
#include "ui/core/builder/control_factory.h"
#include "ui/core/text_case.h"

namespace {

using namespace manager_testing;

// The process's character type locale for the scope, restored after it.
class CtypeLocaleScope {
  public:
    explicit CtypeLocaleScope(const char* name) : m_previous(std::setlocale(LC_CTYPE, nullptr)) {
        m_set = std::setlocale(LC_CTYPE, name) != nullptr;
    }
    ~CtypeLocaleScope() { std::setlocale(LC_CTYPE, m_previous.c_str()); }
    bool IsSet() const { return m_set; }

  private:
    std::string m_previous;
    bool m_set = false;
};

TEST(WindowAttributes, NamesMatchAsWrittenAndUnknownOnesKeepTheirFirstValue) {
    CWindowManagerUI manager;
    manager.ApplyWindowAttribute(L"Noactivate", L"true");
    EXPECT_FALSE(manager.IsNoActivate());
    EXPECT_STREQ(manager.CustomAttribute(L"Noactivate"), L"true");
    manager.ApplyWindowAttribute(L"noactivate", L"true");
    EXPECT_TRUE(manager.IsNoActivate());

    manager.ApplyWindowAttribute(L"accent", L"1");
    manager.ApplyWindowAttribute(L"accent", L"2");
    manager.ApplyWindowAttribute(L"empty", L"");
    EXPECT_STREQ(manager.CustomAttribute(L"accent"), L"1");
    EXPECT_EQ(manager.CustomAttribute(L"empty"), nullptr);

    manager.ApplyWindowAttribute(L"CAPTION", L"0,0,0,36");
    manager.ApplyWindowAttribute(L"sizebox", L"4,4,4,4");
    manager.ApplyWindowAttribute(L"mininfo", L"300x200");
    manager.ApplyWindowAttribute(L"roundcorner", L"5,5");
    manager.ApplyWindowAttribute(L"defaultfontcolor", L"#FF112233");
    EXPECT_EQ(manager.CaptionRect(), (RECT{0, 0, 0, 36}));
    EXPECT_EQ(manager.SizeBox(), (RECT{4, 4, 4, 4}));
    EXPECT_EQ(manager.MinInfo().cx, 300);
    EXPECT_EQ(manager.MinInfo().cy, 200);
    EXPECT_EQ(manager.RoundCorner().cx, 5);
    EXPECT_EQ(manager.DefaultColors().text, 0xFF112233u);
    EXPECT_EQ(manager.DefaultColors().link, 0xFF0000FFu);
}

// In a Unicode locale the Kelvin sign folds to "k" and "É" to "é"; skin
// names fold ASCII letters only, wherever they are compared.
TEST(SkinNameCase, OnlyAsciiLettersFoldEvenInAUnicodeLocale) {
    CtypeLocaleScope unicode("C.UTF-8");
    if (!unicode.IsSet()) {
        // The Windows C runtime the program links (msvcrt) has no UTF-8 locale.
        GTEST_SKIP() << "no C.UTF-8 locale";
    }
    EXPECT_TRUE(EqualsIgnoringCase(L"MultiLanguage", L"mULTIlANGUAGE"));
    EXPECT_FALSE(EqualsIgnoringCase(L"\u00C9t\u00E9", L"\u00E9t\u00E9"));
    EXPECT_FALSE(EqualsIgnoringCase(L"CheckBox", L"Chec\u212ABox"));
    EXPECT_FALSE(EqualsIgnoringCase(L"ab", L"abc"));

    CWindowManagerUI manager;
    manager.ApplyWindowAttribute(L"LinkFontColor", L"#FF112233");
    EXPECT_EQ(manager.DefaultColors().link, 0xFF112233u);
    manager.ApplyWindowAttribute(L"lin\u212Afontcolor", L"#FF445566");
    EXPECT_EQ(manager.DefaultColors().link, 0xFF112233u);
    EXPECT_STREQ(manager.CustomAttribute(L"lin\u212Afontcolor"), L"#FF445566");

    std::unique_ptr<CControlUI> checkBox(CreateControlByClassName(L"CHECKBOX"));
    ASSERT_NE(checkBox, nullptr);
    EXPECT_EQ(checkBox->GetClass(), L"CheckBox");
    EXPECT_EQ(std::unique_ptr<CControlUI>(CreateControlByClassName(L"Chec\u212ABox")), nullptr);
}

TEST_F(ManagedWindowTest, SizeResizesTheWindowOnlyBeforeARootIsAttached) {
    CWindowManagerUI fresh;
    HWND other = CreateWindowEx(0, ManagedClass(), L"sized", WS_POPUP, 0, 0, 100, 100, nullptr,
                                nullptr, nullptr, nullptr);
    fresh.BindWindow(other);
    fresh.ApplyWindowAttribute(L"size", L"300,150");
    RECT rect{};
    GetWindowRect(other, &rect);
    EXPECT_EQ(rect.right - rect.left, 300);
    EXPECT_EQ(rect.bottom - rect.top, 150);

    manager.ApplyWindowAttribute(L"size", L"400,200");  // this one has its root
    EXPECT_EQ(manager.InitialSize().cx, 400);
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 200);
    DestroyWindow(other);
}

TEST(WindowManagerFonts, IdsReplaceFallBackToTheDefaultAndShareAcrossWindows) {
    CWindowManagerUI manager;
    manager.RegisterFont(1, L"Sans", 14, false, false, false, false);
    manager.RegisterFont(1, L"Sans", 20, true, false, false, false);
    EXPECT_EQ(manager.FontCount(), 1u);
    EXPECT_EQ(manager.FontById(1)->size, 20);
    EXPECT_EQ(manager.FindFont(L"Sans", 20, true, false, false), 1);
    EXPECT_EQ(manager.FontById(99), manager.DefaultFont());
    EXPECT_EQ(manager.FontById(-1), manager.DefaultFont());
    EXPECT_GT(manager.DefaultFontHeight(), 0);

    manager.RegisterFont(1731, L"Serif", 16, false, false, false, true);
    CWindowManagerUI other;
    EXPECT_EQ(other.FontById(1731)->face, L"Serif");
    EXPECT_TRUE(other.SetWindowDefaultFont(L"Mono", 11, false, false, false, false));
    EXPECT_EQ(other.DefaultFont()->face, L"Mono");
    EXPECT_NE(manager.DefaultFont()->face, L"Mono");
}

TEST(WindowManagerTables, ClassDefaultsAndOptionGroups) {
    CWindowManagerUI manager;
    manager.SetClassDefaults(L"Button", L"width=\"10\"", false);
    EXPECT_STREQ(manager.ClassDefaults(L"Button"), L"width=\"10\"");
    EXPECT_EQ(manager.ClassDefaults(L"button"), nullptr);

    CControlUI first;
    CControlUI second;
    EXPECT_TRUE(manager.JoinOptionGroup(L"tabs", &first));
    EXPECT_FALSE(manager.JoinOptionGroup(L"tabs", &first));
    EXPECT_TRUE(manager.JoinOptionGroup(L"tabs", &second));
    EXPECT_FALSE(manager.JoinOptionGroup(L"", &second));
    EXPECT_EQ(manager.OptionGroupMembers(L"tabs")->size(), 2u);
    manager.LeaveOptionGroup(L"tabs", &first);
    manager.LeaveOptionGroup(L"tabs", &second);
    EXPECT_EQ(manager.OptionGroupMembers(L"tabs"), nullptr);
}

TEST(NumberedStrings, TokensWithAKnownNumberAreReplacedEverywhere) {
    CWindowManagerUI::SetNumberedString(3, L"升级");
    EXPECT_EQ(CWindowManagerUI::ExpandTokens(L"%{3}:%{3} %{4} %{x} %{"), L"升级:升级 %{4} %{x} %{");
    CWindowManagerUI::RemoveAllNumberedStrings();
    EXPECT_EQ(CWindowManagerUI::ExpandTokens(L"%{3}"), L"%{3}");
}

TEST_F(ManagedWindowTest, NamesFollowRenamesAndForgottenControls) {
    probes[0]->SetName(L"close");
    EXPECT_EQ(manager.ControlByName(L"close"), probes[0]);
    EXPECT_FALSE(manager.RenameControl(probes[1], L"close"));
    probes[0]->SetName(L"shut");
    EXPECT_EQ(manager.ControlByName(L"close"), nullptr);
    EXPECT_EQ(manager.ControlByName(L"shut"), probes[0]);
    EXPECT_EQ(manager.ControlAtPoint(POINT{75, 10}), probes[1]);
    root->RemoveItem(probes[0]);
    EXPECT_EQ(manager.ControlByName(L"shut"), nullptr);
}

}  // namespace
