#include "ui/control/basic/button.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/controls/controls_window.h"
#include "tests/ui/render/render_test_support.h"
#include "tests/ui/support/presented_pixel.h"

namespace {

using namespace controls_testing;

using ButtonInWindow = ControlsWindow;

TEST_F(ButtonInWindow, ClickIsRaisedOnlyForAReleaseInsideAnEnabledButton) {
    auto* button = Add<CButtonUI>(L"width=\"100\" text=\"OK\"");
    Show();

    Click(50, 50);
    ASSERT_EQ(Count(L"click"), 1);
    EXPECT_EQ(log.Of(L"click")[0].sender, button);

    // Pressed inside, dragged out: not pushed any more, and no click on release.
    MoveTo(50, 50);
    Press(50, 50, true);
    EXPECT_NE(button->GetButtonState() & UISTATE_PUSHED, 0u);
    MoveTo(250, 50);
    EXPECT_EQ(button->GetButtonState() & UISTATE_PUSHED, 0u);
    Press(250, 50, false);
    EXPECT_EQ(Count(L"click"), 1);
    EXPECT_EQ(button->GetButtonState() & (UISTATE_PUSHED | UISTATE_CAPTURED), 0u);

    button->SetEnabled(false);
    EXPECT_EQ(button->GetButtonState(), 0u);
    Click(50, 50);
    EXPECT_EQ(Count(L"click"), 1);
}

TEST_F(ButtonInWindow, SpaceAndReturnActivateTheFocusedButtonUnlessKeyboardIsOff) {
    auto* button = Add<CButtonUI>(L"width=\"100\"");
    Show();
    seam::Focus(window, true);
    manager.FocusControl(button, true);
    Pump();
    for (int key : {VK_SPACE, VK_RETURN}) {
        seam::Key(window, key, true);
        seam::Key(window, key, false);
    }
    Pump();
    EXPECT_EQ(Count(L"click"), 2);

    button->SetAcceptsKeyboard(false);
    EXPECT_EQ(button->GetInputFlags(), UIFLAG_SETCURSOR);
    manager.FocusControl(button, true);
    ASSERT_EQ(manager.FocusedControl(), button);
    seam::Key(window, VK_SPACE, true);
    seam::Key(window, VK_SPACE, false);
    Pump();
    EXPECT_EQ(Count(L"click"), 2);
}

TEST_F(ButtonInWindow, AltWithTheShortcutLetterFocusesAndClicksTheButton) {
    auto* cancel = Add<CButtonUI>(L"width=\"100\" shortcut=\"C\"");
    auto* ok = Add<CButtonUI>(L"width=\"100\" shortcut=\"o\"");
    Show();
    seam::Focus(window, true);
    manager.FocusControl(cancel, true);
    Pump();
    auto altWith = [&](int letter) {
        seam::Key(window, VK_MENU, true, test_input::kAlt);
        seam::Key(window, letter, true, test_input::kAlt);
        seam::Key(window, letter, false, test_input::kAlt);
        seam::Key(window, VK_MENU, false);
        Pump();
    };
    altWith('O');
    EXPECT_EQ(manager.FocusedControl(), ok);
    ASSERT_EQ(Count(L"click"), 1);
    EXPECT_EQ(log.Of(L"click")[0].sender, ok);

    // A disabled button is never chosen; a letter nobody has does nothing.
    cancel->SetEnabled(false);
    altWith('C');
    altWith('X');
    EXPECT_EQ(manager.FocusedControl(), ok);
    EXPECT_EQ(Count(L"click"), 1);
}

TEST_F(ButtonInWindow, HoverCrossFadesInFiveStepsOfFiftyOneAndBackAfterLeaving) {
    auto* fading = Add<CButtonUI>(L"width=\"100\" fadedelta=\"51\"");
    auto* plain = Add<CButtonUI>(L"width=\"100\" fadedelta=\"0\"");
    Show();

    seam::MouseMove(window, 150, 50);
    Pump();
    EXPECT_NE(plain->GetButtonState() & UISTATE_HOT, 0u);
    EXPECT_EQ(RunningTimers(), 0) << "a button without fade delta started a timer";

    seam::MouseMove(window, 50, 50);
    Pump();
    ASSERT_EQ(RunningTimers(), 1);
    EXPECT_EQ(manager.Timers()[0].key, CButtonUI::kFadeTimer);
    TInputEventUI tick;
    tick.Kind = UIEVENT_TIMER;
    tick.wParam = CButtonUI::kFadeTimer;
    // The real timer may already have stepped once on a slow machine.
    int alpha = fading->GetFadeAlpha();
    ASSERT_EQ(alpha % 51, 0);
    while (alpha > 0) {
        EXPECT_EQ(RunningTimers(), 1) << "the fade stopped early at " << alpha;
        fading->HandleEvent(tick);
        alpha -= 51;
        ASSERT_EQ(fading->GetFadeAlpha(), alpha);
    }
    EXPECT_EQ(RunningTimers(), 0) << "the fade did not stop at 0";

    seam::MouseMove(window, 250, 50);
    Pump();
    EXPECT_EQ(fading->GetButtonState() & UISTATE_HOT, 0u);
    ASSERT_EQ(RunningTimers(), 1);  // fading back to the normal image
    for (int step = 0; step < 5; ++step) {
        fading->HandleEvent(tick);
    }
    EXPECT_EQ(fading->GetFadeAlpha(), 255);
    EXPECT_EQ(RunningTimers(), 0);
}

TEST_F(ButtonInWindow, FiveStatusImageGivesEachStateItsColumn) {
    testing_support::TempDir dir;
    // Five 120-pixel columns: normal, pushed, hot, focused, disabled.
    const unsigned colours[5] = {0xFF100000, 0xFF200000, 0xFF300000, 0xFF400000, 0xFF500000};
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < 36; ++y) {
        for (int x = 0; x < 600; ++x) {
            pixels.push_back((colours[x / 120] << 8) | 0xFF);
        }
    }
    const auto file = dir.path() / "five.png";
    render_testing::WritePng(file, 600, 36, pixels);
    auto* button = Add<CButtonUI>(L"fivestatusimage=\"" + file.wstring() +
                                  L"\" float=\"true\" pos=\"10,10,0,0\"");
    Show();
    EXPECT_EQ(button->GetFixedWidth(), 120);
    EXPECT_EQ(button->GetFixedHeight(), 36);
    EXPECT_EQ(ui_testing::PresentedPixel(window, 20, 20), 0x100000u);

    MoveTo(20, 20);
    EXPECT_EQ(ui_testing::PresentedPixel(window, 20, 20), 0x300000u);
    Press(20, 20, true);
    EXPECT_EQ(ui_testing::PresentedPixel(window, 20, 20), 0x200000u);
    Press(20, 20, false);

    button->SetEnabled(false);
    Repaint();
    EXPECT_EQ(ui_testing::PresentedPixel(window, 20, 20), 0x500000u);
}

TEST_F(ButtonInWindow, HotAndPushedBordersStandInForTheBorderWhileTheStateLasts) {
    Add<CButtonUI>(
        L"width=\"100\" bordercolor=\"#FF0000FF\" bordersize=\"2\" "
        L"hotbordercolor=\"#FFFF0000\" hotbordersize=\"2\" "
        L"pushedbordercolor=\"#FF00FF00\" pushedbordersize=\"2\"");
    Show();
    EXPECT_EQ(ui_testing::PresentedPixel(window, 0, 50), 0x0000FFu);

    MoveTo(50, 50);
    EXPECT_EQ(ui_testing::PresentedPixel(window, 0, 50), 0xFF0000u);
    Press(50, 50, true);
    EXPECT_EQ(ui_testing::PresentedPixel(window, 0, 50), 0x00FF00u);
    Press(50, 50, false);
}

}  // namespace
