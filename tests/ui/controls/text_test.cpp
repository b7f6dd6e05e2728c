#include "ui/control/basic/text.h"
#include "tests/ui/controls/controls_window.h"

namespace {

using namespace controls_testing;

using TextInWindow = ControlsWindow;

POINT CentreOf(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST_F(TextInWindow, ClickingALinkRaisesLinkWithItsIndexAndHoverFollowsTheMouse) {
    auto* text = Add<CTextUI>(L"showhtml=\"true\"");
    text->SetText(L"<a first>one</a> and <a second>two</a>");
    Show();
    ASSERT_EQ(text->GetLinkCount(), 2);
    EXPECT_EQ(*text->GetLinkContent(1), L"second");
    EXPECT_EQ(text->GetLinkContent(2), nullptr);
    EXPECT_EQ(text->GetLinkRect(-1), RECT{});
    EXPECT_EQ(text->GetInputFlags(), UIFLAG_SETCURSOR);

    const POINT second = CentreOf(text->GetLinkRect(1));
    MoveTo(second.x, second.y);
    EXPECT_EQ(text->GetHoverLink(), 1);
    Click(second.x, second.y);
    auto links = log.Of(L"link");
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].wParam, 1u);

    // Off the links but still over the text.
    MoveTo(290, 95);
    EXPECT_EQ(text->GetHoverLink(), -1);
    Click(290, 95);
    EXPECT_EQ(Count(L"link"), 1);
}

TEST_F(TextInWindow, OnlyTheFirstEightLinksAreClickable) {
    auto* text = Add<CTextUI>(L"showhtml=\"true\"");
    std::wstring markup;
    for (int i = 0; i < 10; ++i) {
        markup += L"<a l" + std::to_wstring(i) + L">L" + std::to_wstring(i) + L"</a> ";
    }
    text->SetText(markup);
    Show();
    EXPECT_EQ(text->GetLinkCount(), CTextUI::kMaxLinks);
    const POINT eighth = CentreOf(text->GetLinkRect(7));
    Click(eighth.x, eighth.y);
    ASSERT_EQ(Count(L"link"), 1);
    EXPECT_EQ(log.Of(L"link")[0].wParam, 7u);

    text->SetEnabled(false);
    Click(eighth.x, eighth.y);
    EXPECT_EQ(Count(L"link"), 1);
}

}  // namespace
