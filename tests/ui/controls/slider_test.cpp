// The slider driven by input events: clicks, drags, the wheel, the vertical
// direction, and tracks it cannot slide along.

#include "ui/control/slider/slider.h"

#include <gtest/gtest.h>

#include "tests/ui/fake_manager.h"

namespace {

using namespace VantuUI;
using ui_testing::RecordingManager;

class SliderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        slider = new CSliderUI;
        manager.BindControls(slider, nullptr);
        slider->SetAttribute(L"thumbsize", L"10,10");
        slider->SetItemRect(RECT{0, 0, 110, 20}, false);
    }
    void TearDown() override { delete slider; }

    void Send(InputEventKind kind, POINT point, WPARAM wParam = 0) {
        TInputEventUI event;
        event.Kind = kind;
        event.Sender = slider;
        event.MousePoint = point;
        event.wParam = wParam;
        slider->DispatchEvent(event);
    }
    void Click(POINT point) {
        Send(UIEVENT_BUTTONDOWN, point);
        Send(UIEVENT_BUTTONUP, point);
    }
    int ValueChanges() const {
        int count = 0;
        for (const auto& n : manager.notifications) {
            count += n.type == L"valuechanged" && n.sender == slider ? 1 : 0;
        }
        return count;
    }

    RecordingManager manager;
    CSliderUI* slider = nullptr;
};

TEST_F(SliderTest, AClickSetsTheValueUnderThePointAndReportsItOnRelease) {
    Send(UIEVENT_BUTTONDOWN, POINT{55, 10});
    EXPECT_EQ(slider->GetValue(), 50);
    EXPECT_EQ(ValueChanges(), 0);
    Send(UIEVENT_BUTTONUP, POINT{55, 10});
    EXPECT_EQ(ValueChanges(), 1);
    EXPECT_EQ(slider->GetThumbRect(), (RECT{50, 5, 60, 15}));

    Click(POINT{106, 10});
    EXPECT_EQ(slider->GetValue(), 100);
    Click(POINT{300, 10});
    EXPECT_EQ(slider->GetValue(), 100);
    Click(POINT{4, 10});
    EXPECT_EQ(slider->GetValue(), 0);

    slider->SetEnabled(false);
    Click(POINT{55, 10});
    EXPECT_EQ(slider->GetValue(), 0);
    EXPECT_EQ(ValueChanges(), 4);
}

TEST_F(SliderTest, DraggingReportsOnceAtReleaseExceptInImmediateMode) {
    Send(UIEVENT_BUTTONDOWN, POINT{15, 10});
    Send(UIEVENT_MOUSEMOVE, POINT{35, 10});
    EXPECT_EQ(slider->GetValue(), 30);
    Send(UIEVENT_MOUSEMOVE, POINT{65, 10});
    EXPECT_EQ(ValueChanges(), 0);
    Send(UIEVENT_BUTTONUP, POINT{75, 10});
    EXPECT_EQ(slider->GetValue(), 70);
    EXPECT_EQ(ValueChanges(), 1);
    Send(UIEVENT_MOUSEMOVE, POINT{95, 10});  // released: no longer dragging
    EXPECT_EQ(slider->GetValue(), 70);

    slider->SetAttribute(L"imm", L"true");
    Send(UIEVENT_BUTTONDOWN, POINT{15, 10});
    Send(UIEVENT_MOUSEMOVE, POINT{35, 10});
    Send(UIEVENT_MOUSEMOVE, POINT{65, 10});
    Send(UIEVENT_BUTTONUP, POINT{65, 10});
    EXPECT_EQ(ValueChanges(), 1 + 3);
}

TEST_F(SliderTest, EveryWheelNotchMovesByTheStepClampedAndIsReported) {
    slider->SetAttribute(L"step", L"5");
    slider->SetValue(98);
    Send(UIEVENT_SCROLLWHEEL, POINT{55, 10}, 0);  // away from the user
    EXPECT_EQ(slider->GetValue(), 100);
    Send(UIEVENT_SCROLLWHEEL, POINT{55, 10}, 0);
    EXPECT_EQ(slider->GetValue(), 100);
    EXPECT_EQ(ValueChanges(), 2);
    Send(UIEVENT_SCROLLWHEEL, POINT{55, 10}, 1);
    EXPECT_EQ(slider->GetValue(), 95);

    slider->SetAttribute(L"step", L"2147483647");
    Send(UIEVENT_SCROLLWHEEL, POINT{55, 10}, 0);
    EXPECT_EQ(slider->GetValue(), 100);
}

TEST_F(SliderTest, AVerticalSliderHasItsMaximumAtTheTop) {
    slider->SetAttribute(L"hor", L"false");
    slider->SetItemRect(RECT{0, 0, 20, 110}, false);
    Click(POINT{10, 4});
    EXPECT_EQ(slider->GetValue(), 100);
    EXPECT_EQ(slider->GetThumbRect(), (RECT{5, 0, 15, 10}));
    Click(POINT{10, 55});
    EXPECT_EQ(slider->GetValue(), 50);
    Click(POINT{10, 106});
    EXPECT_EQ(slider->GetValue(), 0);
    EXPECT_EQ(slider->GetThumbRect(), (RECT{5, 100, 15, 110}));
}

TEST_F(SliderTest, ATrackThatCannotSlideKeepsTheThumbAtTheStartAndTheValue) {
    slider->SetAttribute(L"min", L"10");
    slider->SetAttribute(L"max", L"10");
    slider->SetValue(10);
    EXPECT_EQ(slider->GetThumbRect().left, 0);
    Click(POINT{80, 10});
    EXPECT_EQ(slider->GetValue(), 10);

    slider->SetAttribute(L"max", L"100");
    slider->SetValue(40);
    slider->SetItemRect(RECT{0, 0, 10, 20}, false);  // no longer than the thumb
    EXPECT_EQ(slider->GetThumbRect().left, 0);
    Click(POINT{9, 10});
    EXPECT_EQ(slider->GetValue(), 40);

    slider->SetAttribute(L"hor", L"false");
    slider->SetItemRect(RECT{0, 0, 20, 8}, false);
    EXPECT_EQ(slider->GetThumbRect().bottom, 8);
    Click(POINT{10, 1});
    EXPECT_EQ(slider->GetValue(), 40);
}

}  // namespace
