// Containers' scroll bars in a real skinned window, driven by the display's
// input: arrows, track, thumb, wheel, the auto-repeat of a held button, and
// a 6-pixel bar styled by "vscrollbarstyle".

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>

#include "tests/support/deadline.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/manager/managed_window.h"
#include "tests/ui/render/render_test_support.h"
#include "tests/ui/skin_path_scope.h"
#include "tests/ui/support/presented_pixel.h"
#include "tests/ui/window/skinned_window_support.h"
#include "ui/control/control_state.h"
#include "ui/control/scroll/scroll_bar.h"
#include "ui/layout/container/container.h"

namespace VantuUI {
namespace {

namespace seam = test_input;
using Part = ScrollBarPart;

// Two columns side by side. "plain": ten 50-pixel rows in 150 pixels, the
// default 16-pixel bar with arrows (range 350). "styled": three 100-pixel
// rows, a 6-pixel bar without arrows whose thumb images come from the style
// (range 150).
constexpr const char* kSkin =
    "<Window size=\"200,150\"><HorizontalLayout bkcolor=\"#FF000000\">"
    "<VerticalLayout name=\"plain\" width=\"100\" vscrollbar=\"true\">"
    "<Control height=\"50\"/><Control height=\"50\"/><Control height=\"50\"/>"
    "<Control height=\"50\"/><Control height=\"50\"/><Control height=\"50\"/>"
    "<Control height=\"50\"/><Control height=\"50\"/><Control height=\"50\"/>"
    "<Control height=\"50\"/></VerticalLayout>"
    "<VerticalLayout name=\"styled\" width=\"100\" vscrollbar=\"true\" vscrollbarstyle=\""
    "width=&quot;6&quot; showbutton1=&quot;false&quot; showbutton2=&quot;false&quot; "
    "thumbnormalimage=&quot;file='img/thumb.png' source='0,0,6,60'&quot; "
    "thumbhotimage=&quot;file='img/thumb.png' source='6,0,12,60'&quot; "
    "thumbpushedimage=&quot;img/pushed.png&quot;\">"
    "<Control height=\"100\"/><Control height=\"100\"/><Control height=\"100\"/>"
    "</VerticalLayout></HorizontalLayout></Window>";

constexpr std::uint32_t kNormalThumb = 0xFF0000;
constexpr std::uint32_t kHotThumb = 0x00FF00;
constexpr std::uint32_t kPushedThumb = 0x0000FF;

class ContainerScrollBars : public window_testing::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        std::filesystem::create_directories(dir / "img");
        // Left half red, right half green (RGBA).
        std::vector<std::uint32_t> thumb(12 * 60);
        for (size_t i = 0; i < thumb.size(); ++i) {
            thumb[i] = i % 12 < 6 ? 0xFF0000FF : 0x00FF00FF;
        }
        render_testing::WritePng(dir / "img/thumb.png", 12, 60, thumb);
        ui_testing::WriteSolidPng(dir / "img/pushed.png", 6, 60, 0xFF0000FF);
        hwnd = window.Open();
        ASSERT_NE(hwnd, nullptr);
        window.Manager().AddListener(&log);
        Pump();
        plain = ContainerNamed(L"plain");
        styled = ContainerNamed(L"styled");
        ASSERT_NE(plain, nullptr);
        ASSERT_NE(styled, nullptr);
        plainBar = plain->GetVerticalScrollBar();
        styledBar = styled->GetVerticalScrollBar();
        ASSERT_NE(plainBar, nullptr);
        ASSERT_NE(styledBar, nullptr);
    }
    void TearDown() override {
        window.Manager().RemoveListener(&log);
        if (IsWindow(hwnd)) {
            DestroyWindow(hwnd);
        }
        seam::RunPendingMessages();
        WindowTest::TearDown();
    }

    CContainerUI* ContainerNamed(const std::wstring& name) {
        CControlUI* control = window.Manager().ControlByName(name);
        return control != nullptr ? static_cast<CContainerUI*>(control->FindInterface(L"Container"))
                                  : nullptr;
    }
    static void Pump() { ui_testing::PumpLikeTheProduct(); }
    // Pumps until `done` holds; false after two seconds.
    static bool PumpUntil(const std::function<bool()>& done) {
        return testing_support::WaitUntil(testing_support::Deadline(std::chrono::seconds(2)), [&] {
            Pump();
            return done();
        });
    }
    static void PumpFor(std::chrono::milliseconds span) {
        const auto end = std::chrono::steady_clock::now() + span;
        while (std::chrono::steady_clock::now() < end) {
            Pump();
        }
    }
    void Press(int x, int y) {
        seam::MouseMove(hwnd, x, y);
        seam::MouseButton(hwnd, test_input::Button::Left, true, x, y);
        Pump();
    }
    void Release(int x, int y) {
        seam::MouseButton(hwnd, test_input::Button::Left, false, x, y);
        Pump();
    }
    std::uint32_t Pixel(int x, int y) const { return ui_testing::PresentedPixel(hwnd, x, y); }
    int LineStep() { return window.Manager().DefaultFontHeight() + 8; }

    testing_support::TempDir dir;
    ui_testing::SkinPathScope skinPath{dir.path()};
    ui_testing::SkinnedTestWindow window{std::wstring(kSkin, kSkin + std::strlen(kSkin))};
    manager_testing::NotificationLog log;
    HWND hwnd = nullptr;
    CContainerUI* plain = nullptr;
    CContainerUI* styled = nullptr;
    CScrollBarUI* plainBar = nullptr;
    CScrollBarUI* styledBar = nullptr;
};

TEST_F(ContainerScrollBars, HeldArrowStepsOneLineThenRepeatsUntilReleased) {
    ASSERT_EQ(plainBar->GetItemRect(), (RECT{84, 0, 100, 150}));
    ASSERT_EQ(plainBar->GetRange(), 350);
    const int line = LineStep();
    Press(92, 142);  // the down arrow
    EXPECT_EQ(plainBar->GetPosition(), line);
    EXPECT_EQ(plain->GetScrollOffset().cy, line);
    EXPECT_EQ(plain->ItemAt(0)->GetItemRect().top, -line);
    EXPECT_NE(plainBar->GetPartState(Part::Button2) & UISTATE_PUSHED, 0u);
    ASSERT_TRUE(PumpUntil([&] { return plainBar->GetPosition() >= 3 * line; }))
        << "a held arrow did not repeat within two seconds";
    EXPECT_EQ(plainBar->GetPosition() % line, 0);
    ASSERT_FALSE(log.Of(L"scroll").empty());
    EXPECT_EQ(log.Of(L"scroll").back().sender, plainBar);

    Release(92, 142);
    const int released = plainBar->GetPosition();
    PumpFor(std::chrono::milliseconds(400));
    EXPECT_EQ(plainBar->GetPosition(), released);
    EXPECT_EQ(plainBar->GetPartState(Part::Button2) & UISTATE_PUSHED, 0u);

    Press(92, 8);  // the up arrow
    Release(92, 8);
    EXPECT_EQ(plainBar->GetPosition(), released - line);
}

TEST_F(ContainerScrollBars, ABarDisabledWhileAnArrowIsHeldStopsScrolling) {
    Press(92, 142);
    const int pressed = plainBar->GetPosition();
    ASSERT_GT(pressed, 0);
    plainBar->SetEnabled(false);
    PumpFor(std::chrono::milliseconds(400));
    EXPECT_EQ(plainBar->GetPosition(), pressed);
    Release(92, 142);
}

TEST_F(ContainerScrollBars, TrackClickPagesAndAHeldClickPagesUntilTheThumbReachesThePointer) {
    // Track 118 between the arrows; thumb max(16, 150 x 118 / 500) = 35 at 16.
    ASSERT_EQ(plainBar->GetPartRect(Part::Thumb), (RECT{84, 16, 100, 51}));
    Press(92, 100);
    EXPECT_EQ(plainBar->GetPosition(), 150);  // one page: the content height
    // At 300 the thumb covers 87..122, under the pointer: no third page.
    ASSERT_TRUE(PumpUntil([&] { return plainBar->GetPosition() == 300; }))
        << "a held track click did not page again; position " << plainBar->GetPosition();
    PumpFor(std::chrono::milliseconds(400));
    EXPECT_EQ(plainBar->GetPosition(), 300);
    EXPECT_EQ(plainBar->GetPartRect(Part::Thumb), (RECT{84, 87, 100, 122}));
    Release(92, 100);

    Press(92, 40);  // above the thumb
    Release(92, 40);
    EXPECT_EQ(plainBar->GetPosition(), 150);
}

TEST_F(ContainerScrollBars, ThumbDragTracksTheMouseInProportionToTheRange) {
    Press(92, 30);
    EXPECT_NE(plainBar->GetPartState(Part::Thumb) & UISTATE_CAPTURED, 0u);
    // The thumb travels 150 - 35 - 2 x 16 = 83 pixels for the range of 350.
    seam::MouseMove(hwnd, 92, 70);
    ASSERT_TRUE(PumpUntil([&] { return plainBar->GetPosition() == 40 * 350 / 83; }))
        << "the drag did not reach 168; position " << plainBar->GetPosition();
    EXPECT_EQ(plain->GetScrollOffset().cy, 168);
    const RECT thumb = plainBar->GetPartRect(Part::Thumb);
    EXPECT_NEAR(thumb.top, 16 + 40, 1);  // under the pointer as it moved

    seam::MouseMove(hwnd, 92, 149);  // past the end
    ASSERT_TRUE(PumpUntil([&] { return plainBar->GetPosition() == 350; }))
        << "the drag did not reach the end; position " << plainBar->GetPosition();
    EXPECT_EQ(plainBar->GetPartRect(Part::Thumb).bottom, 134);  // against the down arrow
    Release(92, 149);
    EXPECT_EQ(plainBar->GetPartState(Part::Thumb) & UISTATE_CAPTURED, 0u);
}

TEST_F(ContainerScrollBars, StyledSixPixelBarTakesItsWidthImagesAndTheWheel) {
    EXPECT_EQ(styledBar->GetFixedWidth(), 6);
    EXPECT_EQ(styledBar->GetItemRect(), (RECT{194, 0, 200, 150}));
    EXPECT_EQ(styled->GetContentRect().right, 194);
    EXPECT_EQ(styledBar->GetRange(), 150);
    // 150 of 300 visible: half the bar, no arrows.
    EXPECT_EQ(styledBar->GetPartRect(Part::Thumb), (RECT{194, 0, 200, 75}));
    EXPECT_EQ(Pixel(197, 30), kNormalThumb);
    EXPECT_EQ(Pixel(197, 120), 0x000000u);  // the track shows what lies behind

    seam::MouseMove(hwnd, 197, 30);
    EXPECT_TRUE(PumpUntil([&] { return Pixel(197, 30) == kHotThumb; }))
        << "the hovered thumb did not turn to its hot image";
    seam::MouseButton(hwnd, test_input::Button::Left, true, 197, 30);
    EXPECT_TRUE(PumpUntil([&] { return Pixel(197, 30) == kPushedThumb; }))
        << "the pressed thumb did not turn to its pushed image";
    Release(197, 30);
    seam::MouseMove(hwnd, 150, 30);
    EXPECT_TRUE(PumpUntil([&] { return Pixel(197, 30) == kNormalThumb; }))
        << "the thumb kept its hot image after the pointer left the bar";

    // The wheel over the bar scrolls its container by a line.
    seam::MouseMove(hwnd, 197, 120);
    seam::MouseWheel(hwnd, -1);
    ASSERT_TRUE(PumpUntil([&] { return styledBar->GetPosition() == LineStep(); }))
        << "the wheel over the bar did not scroll; position " << styledBar->GetPosition();
    EXPECT_EQ(styled->ItemAt(0)->GetItemRect().top, -LineStep());
    const int top = 75 * LineStep() / 150;  // the thumb travels 75 for 150
    EXPECT_TRUE(PumpUntil([&] { return Pixel(197, top + 2) == kNormalThumb; }))
        << "the moved thumb was not repainted";
}

}  // namespace
}  // namespace VantuUI
