// Fonts on GDI: the ones the host keeps, and the default GUI font that a
// skin naming no face draws with.

#include <gtest/gtest.h>

#include "platform/gdi/font_cache.h"
#include "tests/ui/render/render_test_support.h"

namespace {

// Text asks the host for its font instead of making one per run.
class CountingHost : public render_testing::TestHost {
  public:
    HFONT CachedFont(const VantuUI::FontInfo& font) override {
        ++asked;
        return kept.Get(font);
    }
    platform::FontCache kept;
    int asked = 0;
};

TEST(GdiFonts, TextTakesTheHostsKeptFont) {
    CountingHost host;
    host.fonts[0] = VantuUI::FontInfo{L"Microsoft YaHei", 12};
    render_testing::Canvas canvas(200, 40);
    RECT rect{0, 0, 200, 20};
    VantuUI::RenderEngine::DrawPlainText(canvas.dc, &host, rect, L"升级中", 0xFF000000, 0,
                                         DT_SINGLELINE);
    EXPECT_GE(host.asked, 1);
    RECT tagged{0, 20, 200, 40};
    int links = 0;
    const int before = host.asked;
    VantuUI::RenderEngine::DrawMarkupText(canvas.dc, &host, tagged, L"{b}升级{/b}中", 0xFF000000,
                                          nullptr, nullptr, links, 0, DT_SINGLELINE);
    EXPECT_GT(host.asked, before);
    EXPECT_EQ(host.kept.Size(), 2u);  // the plain font and its bold
}

// The face and size of the font selected into a DC.
struct Selected {
    std::wstring face;
    LONG height = 0;
};

Selected SelectedIn(HFONT font) {
    platform::MemoryDc dc = platform::CreateMemoryDc();
    platform::Selection selection(dc.get(), font);
    Selected selected;
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc.get(), LF_FACESIZE, face);
    selected.face = face;
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    selected.height = metrics.tmHeight;
    return selected;
}

TEST(GdiFonts, TheDefaultIsTheStockGuiFontsDescription) {
    LOGFONTW stock{};
    ASSERT_EQ(GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock),
              static_cast<int>(sizeof stock));
    const platform::FontSpec font = platform::DefaultGuiFont();
    EXPECT_EQ(font.face, stock.lfFaceName);
    EXPECT_EQ(font.size, stock.lfHeight < 0 ? -stock.lfHeight : stock.lfHeight);
    EXPECT_EQ(font.bold, stock.lfWeight >= FW_BOLD);
    // A font with no face named is the stock font's face at the stock size.
    platform::FontSpec unnamed = font;
    unnamed.face.clear();
    platform::FontObject made = platform::CreateFontObject(unnamed);
    ASSERT_NE(made, nullptr);
    const Selected ours = SelectedIn(made.get());
    const Selected system = SelectedIn(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    EXPECT_EQ(ours.face, system.face);
    EXPECT_EQ(ours.height, system.height);
}

// The test prefix links the default face to a CJK face (scripts/wine-prefix),
// as a Chinese system links its own. Missing glyphs would all be the same
// empty box: four different Han glyphs have ink, each its own.
TEST(GdiFonts, TheDefaultFaceDrawsChinese) {
    render_testing::TestHost host;
    host.fonts[0] = platform::DefaultGuiFont();
    const std::wstring text = L"升级失败";
    const int count = static_cast<int>(text.size());
    RECT measure{0, 0, 300, 40};
    VantuUI::RenderEngine::DrawPlainText(nullptr, &host, measure, text, 0xFF000000, 0,
                                         DT_SINGLELINE | DT_CALCRECT);
    const int cell = measure.right / count;  // Han glyphs advance alike
    ASSERT_GT(cell, 6);
    render_testing::Canvas canvas(300, 40);
    RECT rect{0, 0, 300, 40};
    VantuUI::RenderEngine::DrawPlainText(canvas.dc, &host, rect, text, 0xFF000000, 0,
                                         DT_SINGLELINE);
    auto inked = [&](int glyph, int x, int y) {
        return render_testing::Inked(canvas.At(glyph * cell + x, y));
    };
    for (int glyph = 0; glyph < count; ++glyph) {
        int ink = 0;
        for (int y = 0; y < measure.bottom; ++y) {
            for (int x = 0; x < cell; ++x) {
                ink += inked(glyph, x, y) ? 1 : 0;
            }
        }
        EXPECT_GT(ink, cell * 2) << glyph;
        for (int other = glyph + 1; other < count; ++other) {
            int differing = 0;
            for (int y = 0; y < measure.bottom; ++y) {
                for (int x = 0; x < cell; ++x) {
                    differing += inked(glyph, x, y) != inked(other, x, y) ? 1 : 0;
                }
            }
            EXPECT_GT(differing, cell) << glyph << " and " << other;
        }
    }
}

}  // namespace
