// Which face Pango picks for Han text on Linux.

#include <gtest/gtest.h>

#include "tests/ui/render/render_test_support.h"
#include "ui/render/linux/pango_text.h"

namespace {

TEST(PangoFace, HanTextTakesTheSimplifiedChineseFace) {
    render_testing::Canvas canvas(40, 20);
    auto layout = VantuUI::CreateTextLayout(
        canvas.dc, VantuUI::FontInfo{L"Microsoft YaHei", 12, false, false, false});
    pango_layout_set_text(layout.get(), "升级", -1);
    PangoLayoutIter* iter = pango_layout_get_iter(layout.get());
    PangoLayoutRun* run = pango_layout_iter_get_run_readonly(iter);
    ASSERT_NE(run, nullptr);
    PangoFontDescription* used = pango_font_describe(run->item->analysis.font);
    std::string family = pango_font_description_get_family(used);
    pango_font_description_free(used);
    pango_layout_iter_free(iter);
    EXPECT_NE(family.find("CJK SC"), std::string::npos) << family;
}

}  // namespace
