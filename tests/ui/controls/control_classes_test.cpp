// The skin element names of the edit, GIF, slider and date picker classes.

#include <gtest/gtest.h>

#include <memory>

#include "ui/control/control.h"
#include "ui/core/builder/control_factory.h"
#include "ui/core/text_case.h"

namespace {

using namespace VantuUI;

TEST(ControlClasses, EditSliderAndDateTimeMatchInAnyCaseAndGifAnimOnlyExactly) {
    for (const wchar_t* name :
         {L"Edit", L"EDIT", L"Slider", L"slider", L"DateTime", L"datetime", L"GifAnim"}) {
        std::unique_ptr<CControlUI> control(CreateControlByClassName(name));
        ASSERT_NE(control, nullptr) << "no class for the element name";
        EXPECT_TRUE(EqualsIgnoringCase(control->GetClass(), name));
        EXPECT_EQ(control->FindInterface(control->GetClass()), control.get());
    }
    std::unique_ptr<CControlUI> lower(CreateControlByClassName(L"gifanim"));
    EXPECT_EQ(lower, nullptr);
}

}  // namespace
