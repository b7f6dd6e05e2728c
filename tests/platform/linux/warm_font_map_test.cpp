// The font map text is drawn on ahead, handed to the thread that draws.

#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "platform/gdi/text_layout.h"

namespace {

platform::FontSpec SkinFont() {
    return platform::FontSpec{.face = L"Microsoft YaHei", .size = 12};
}

constexpr char kText[] = "Vantu升级中，请稍候...0%";

struct Drawn {
    bool adopted = false;
    std::vector<unsigned char> pixels;
};

// On a thread of its own: prepares its text, then draws kText.
Drawn PrepareAndDraw() {
    Drawn drawn;
    std::thread([&drawn] {
        drawn.adopted = platform::PrepareTextLayout();
        constexpr int kWidth = 240;
        constexpr int kHeight = 24;
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
        cairo_t* cr = cairo_create(surface);
        auto layout = platform::CreateTextLayout(cr, SkinFont(), kText);
        pango_cairo_show_layout(cr, layout.get());
        layout.reset();
        cairo_destroy(cr);
        cairo_surface_flush(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        drawn.pixels.assign(data, data + cairo_image_surface_get_stride(surface) * kHeight);
        cairo_surface_destroy(surface);
    }).join();
    return drawn;
}

void WarmOnAThreadOfItsOwn() {
    std::thread([] { platform::WarmTextLayout(SkinFont(), kText); }).join();
}

TEST(WarmFontMap, OnlyTheFirstThreadToPrepareAdoptsItAndDrawsTheSame) {
    WarmOnAThreadOfItsOwn();
    const Drawn first = PrepareAndDraw();
    const Drawn second = PrepareAndDraw();
    EXPECT_TRUE(first.adopted);
    EXPECT_FALSE(second.adopted);
    ASSERT_FALSE(first.pixels.empty());
    // Something was drawn, and the adopted map draws what a thread's own does.
    EXPECT_NE(std::vector<unsigned char>(first.pixels.size(), 0), first.pixels);
    EXPECT_EQ(first.pixels, second.pixels);
}

TEST(WarmFontMap, EachWarmingIsAdoptedOnce) {
    WarmOnAThreadOfItsOwn();
    WarmOnAThreadOfItsOwn();  // replaces the first, which is freed
    EXPECT_TRUE(PrepareAndDraw().adopted);
    EXPECT_FALSE(PrepareAndDraw().adopted);
    WarmOnAThreadOfItsOwn();
    EXPECT_TRUE(PrepareAndDraw().adopted);
}

}  // namespace
