#include <gtest/gtest.h>

#include "render_test_support.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace render_testing;
using VantuUI::ImageDrawInfo;
using VantuUI::RenderEngine;

constexpr std::uint32_t kRed = 0xFF0000FF;   // RGBA
constexpr std::uint32_t kBlue = 0x0000FFFF;  // RGBA

class ImageRenderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // 56 x 28: left half red, right half blue.
        std::vector<std::uint32_t> pixels(56 * 28);
        for (int y = 0; y < 28; ++y) {
            for (int x = 0; x < 56; ++x) {
                pixels[y * 56 + x] = x < 28 ? kRed : kBlue;
            }
        }
        iconPath = dir.path() / "icon_close.png";
        WritePng(iconPath, 56, 28, pixels);
        // 20 x 23 nine-grid, a colour per cell. The margins differ on every
        // side (left 3, top 4, right 7, bottom 9), so a part placed or cut
        // with another side's margin shows.
        const std::uint32_t cells[3][3] = {{0x110000FF, 0x220000FF, 0x330000FF},
                                           {0x440000FF, 0x550000FF, 0x660000FF},
                                           {0x770000FF, 0x880000FF, 0x990000FF}};
        auto column = [](int x) { return x < 3 ? 0 : x < 13 ? 1 : 2; };
        auto row = [](int y) { return y < 4 ? 0 : y < 14 ? 1 : 2; };
        std::vector<std::uint32_t> grid(20 * 23);
        for (int y = 0; y < 23; ++y) {
            for (int x = 0; x < 20; ++x) {
                grid[y * 20 + x] = cells[row(y)][column(x)];
            }
        }
        gridPath = dir.path() / "grid.png";
        WritePng(gridPath, 20, 23, grid);
    }
    std::wstring Name(const std::filesystem::path& p) { return *platform::DecodeUtf8(p.string()); }
    testing_support::TempDir dir;
    std::filesystem::path iconPath;
    std::filesystem::path gridPath;
    TestHost host;
};

TEST_F(ImageRenderTest, SourceSelectsTheRightHalfAndIsCutToTheImage) {
    Canvas canvas(100, 60);
    ImageDrawInfo record;
    record.spec = L"file='" + Name(iconPath) + L"' source='28,0,56,28'";
    RECT item{10, 10, 38, 38};
    RECT paint{0, 0, 100, 60};
    ASSERT_TRUE(RenderEngine::DrawImageSpec(canvas.dc, &host, item, paint, record));
    EXPECT_EQ(canvas.At(10, 10), 0xFF0000FFu);
    EXPECT_EQ(canvas.At(37, 37), 0xFF0000FFu);
    EXPECT_EQ(canvas.At(38, 38), 0xFFFFFFFFu);
    EXPECT_EQ(canvas.At(9, 9), 0xFFFFFFFFu);

    // A source wider than the image is cut to its width, on every draw.
    ImageDrawInfo wide;
    wide.spec = L"file='" + Name(iconPath) + L"' source='0,0,112,28'";
    RECT item2{0, 40, 56, 60};
    ASSERT_TRUE(RenderEngine::DrawImageSpec(canvas.dc, &host, item2, paint, wide));
    EXPECT_EQ(wide.source, (RECT{0, 0, 56, 28}));
    EXPECT_EQ(canvas.At(27, 45), 0xFFFF0000u);  // 1:1, not squeezed
    EXPECT_EQ(canvas.At(28, 45), 0xFF0000FFu);
    wide.source.right = 500;
    RenderEngine::DrawImageSpec(nullptr, &host, item2, paint, wide);
    EXPECT_EQ(wide.source.right, 56);
    EXPECT_EQ(host.loads, 2);  // once per record: a record keeps its image

    // Nothing outside the paint rectangle is touched.
    Canvas second(100, 60);
    RECT smallPaint{0, 0, 20, 20};
    RenderEngine::DrawImageSpec(second.dc, &host, item, smallPaint, record);
    EXPECT_EQ(second.At(15, 15), 0xFF0000FFu);
    EXPECT_EQ(second.At(25, 25), 0xFFFFFFFFu);
}

TEST_F(ImageRenderTest, SourcesOutsideTheImageDrawWhatIsThere) {
    Canvas canvas(40, 40);
    RECT item{0, 0, 40, 40};
    for (const wchar_t* source : {L"-5,-5,500,500", L"50,0,10,28", L"60,30,70,40"}) {
        ImageDrawInfo record;
        record.spec =
            L"file='" + Name(iconPath) + L"' source='" + source + L"' corner='30,30,30,30'";
        RenderEngine::DrawImageSpec(canvas.dc, &host, item, item, record);
    }
    RenderEngine::DrawImageGrid(canvas.dc, host.images.begin()->second->bitmap, item, item,
                                RECT{-100, -100, 1000, 1000}, RECT{-5, -5, -5, -5}, true, 255,
                                false, true, true);
    EXPECT_TRUE(canvas.Healthy());
}

TEST_F(ImageRenderTest, AFailedLoadIsNotRetried) {
    ImageDrawInfo record;
    record.spec = L"file='missing.png'";
    RECT r{0, 0, 10, 10};
    Canvas canvas(10, 10);
    EXPECT_FALSE(RenderEngine::DrawImageSpec(canvas.dc, &host, r, r, record));
    EXPECT_FALSE(RenderEngine::DrawImageSpec(canvas.dc, &host, r, r, record));
    EXPECT_EQ(host.loads, 1);
    ImageDrawInfo empty;
    EXPECT_FALSE(RenderEngine::DrawImageSpec(canvas.dc, &host, r, r, empty));
    EXPECT_TRUE(RenderEngine::DrawImageSpec(canvas.dc, nullptr, r, r, empty));
}

TEST(ImageSpec, GrammarKeepsWhatWasReadBeforeAMalformedPair) {
    auto parse = [](const std::wstring& text) {
        ImageDrawInfo record;
        record.spec = text;
        auto spec = RenderEngine::ParseImageSpec(record);
        return std::make_pair(spec, record);
    };
    EXPECT_EQ(parse(L"img/pic_bg.png").first.name, L"img/pic_bg.png");
    EXPECT_EQ(parse(L"file=img.png source='1,2,3,4'").first.name, L"file=img.png source='1,2,3,4'");

    auto [spec, record] = parse(
        L"file = 'a.png' source='1,2,3,4' corner='5;6;7;8' fade='128' hole='true' "
        L"xtiled='true' ytiled='false' mask='#FFFF00FF' hsl='true' dest='0,0,20,10' unknown='x'");
    EXPECT_EQ(spec.name, L"a.png");
    EXPECT_FALSE(spec.type.has_value());
    EXPECT_EQ(record.source, (RECT{1, 2, 3, 4}));
    EXPECT_EQ(record.corner, (RECT{5, 6, 7, 8}));
    EXPECT_EQ(record.dest, (RECT{0, 0, 20, 10}));
    EXPECT_EQ(record.fade, 128);
    EXPECT_TRUE(record.hole);
    EXPECT_TRUE(record.xtiled);
    EXPECT_FALSE(record.ytiled);
    EXPECT_EQ(spec.mask, 0xFFFF00FFu);
    EXPECT_TRUE(spec.hsl);

    // Two blanks after a closing quote end the parse; an empty value is skipped.
    auto [spec2, record2] = parse(L"file='a.png'  fade='10'");
    EXPECT_EQ(spec2.name, L"a.png");
    EXPECT_EQ(record2.fade, 255);
    EXPECT_EQ(parse(L"file='' fade='7'").second.fade, 7);

    auto res = parse(L"res='logo' restype='PNG'").first;
    EXPECT_EQ(res.name, L"logo");
    EXPECT_EQ(res.type, L"PNG");
    EXPECT_FALSE(parse(L"file='x' restype='PNG'").first.type.has_value());
    auto color = parse(L"color='#FF00FF00'").first;
    EXPECT_EQ(color.type, L"*COLOR*");
    EXPECT_EQ(color.name, L"#FF00FF00");
}

TEST_F(ImageRenderTest, NineGridDrawsCornersOneToOneAndStretchesTheRest) {
    Canvas canvas(100, 60);
    ImageDrawInfo record;
    record.spec = L"file='" + Name(gridPath) + L"' corner='3,4,7,9'";
    RECT item{0, 0, 100, 60};
    ASSERT_TRUE(RenderEngine::DrawImageSpec(canvas.dc, &host, item, item, record));
    // Columns 0-2, 3-92, 93-99; rows 0-3, 4-50, 51-59.
    auto red = [&](int x, int y) { return (canvas.At(x, y) >> 16) & 0xFF; };
    EXPECT_EQ(red(0, 0), 0x11u);
    EXPECT_EQ(red(2, 3), 0x11u);
    EXPECT_EQ(red(3, 0), 0x22u);
    EXPECT_EQ(red(92, 3), 0x22u);
    EXPECT_EQ(red(93, 0), 0x33u);
    EXPECT_EQ(red(99, 3), 0x33u);
    EXPECT_EQ(red(0, 4), 0x44u);
    EXPECT_EQ(red(2, 50), 0x44u);
    EXPECT_EQ(red(50, 30), 0x55u);
    EXPECT_EQ(red(93, 4), 0x66u);
    EXPECT_EQ(red(99, 50), 0x66u);
    EXPECT_EQ(red(0, 51), 0x77u);
    EXPECT_EQ(red(2, 59), 0x77u);
    EXPECT_EQ(red(3, 51), 0x88u);
    EXPECT_EQ(red(92, 59), 0x88u);
    EXPECT_EQ(red(93, 51), 0x99u);
    EXPECT_EQ(red(99, 59), 0x99u);

    // A hole leaves the centre alone; fade blends the rest.
    Canvas holed(100, 60);
    ImageDrawInfo hole;
    hole.spec = L"file='" + Name(gridPath) + L"' corner='3,4,7,9' hole='true' fade='128'";
    RenderEngine::DrawImageSpec(holed.dc, &host, item, item, hole);
    EXPECT_EQ(holed.At(50, 30), 0xFFFFFFFFu);
    std::uint32_t corner = holed.At(0, 0);
    EXPECT_NEAR(static_cast<int>((corner >> 16) & 0xFF), (0x11 + 0xFF) / 2, 2);
    EXPECT_NEAR(static_cast<int>(corner & 0xFF), 0xFF / 2, 2);
}

TEST_F(ImageRenderTest, TiledCentreRepeatsTheSourceAndCutsTheLastTile) {
    Canvas canvas(70, 10);
    // The icon's 28-wide red half tiled over 70 px: red, red, red cut at 70.
    RenderEngine::DrawImageGrid(canvas.dc, nullptr, RECT{}, RECT{}, RECT{}, RECT{}, false, 255,
                                false, false, false);  // no bitmap: nothing
    ImageDrawInfo record;
    record.spec = L"file='" + Name(iconPath) + L"' source='14,0,42,28' xtiled='true'";
    RECT item{0, 0, 70, 10};
    RenderEngine::DrawImageSpec(canvas.dc, &host, item, item, record);
    // Each 28-px tile is 14 red then 14 blue.
    EXPECT_EQ(canvas.At(0, 5), 0xFFFF0000u);
    EXPECT_EQ(canvas.At(14, 5), 0xFF0000FFu);
    EXPECT_EQ(canvas.At(28, 5), 0xFFFF0000u);
    EXPECT_EQ(canvas.At(56, 5), 0xFFFF0000u);
    EXPECT_EQ(canvas.At(69, 5), 0xFFFF0000u);
}

TEST_F(ImageRenderTest, DamagedHeadersAreRefusedBeforeTheDecoderAllocates) {
    // A 2 x 2 PNG whose second data chunk claims 1.4 GB: the decoder would grow
    // its buffer to that before noticing the bytes are not there.
    const std::string chunkTooLong(
        "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x02\x00\x00"
        "\x00\x02\x08\x06\x00\x00\x00\x72\xb6\x0d\x24\x00\x00\x00\x11\x49\x44\x41\x54\x78\x9c\x63"
        "\xc0\x00\x27\x42\xcf\x0d\x0c\x20\x06\x00\x3e\x06\x24\xc0\xfb\x00\x0d\xe4\x59\x00\x00\x11"
        "\x49\x44\x41\x54\xae\x42\xac\xac\xac\xac\xac\xac\xac\xac\xac\xac\xac\xac\xac\xac\xac\xac"
        "\xac\xac\xac\xac\xac\xac\xac\xac\xac\xac\xac\xac\xac\xac\xac\xac\xac\xac\xac\xac\xac\xac"
        "\xac\xac\xac\x82",
        114);
    EXPECT_EQ(
        RenderEngine::LoadImageFromMemory(
            reinterpret_cast<const std::uint8_t*>(chunkTooLong.data()), chunkTooLong.size(), 0),
        nullptr);
    // A header claiming 30000 x 30000 pixels.
    std::string huge = chunkTooLong.substr(0, 33);
    huge[16] = 0, huge[17] = 0, huge[18] = 0x75, huge[19] = 0x30;
    huge[20] = 0, huge[21] = 0, huge[22] = 0x75, huge[23] = 0x30;
    EXPECT_EQ(RenderEngine::LoadImageFromMemory(reinterpret_cast<const std::uint8_t*>(huge.data()),
                                                huge.size(), 0),
              nullptr);
}

TEST_F(ImageRenderTest, LoadingPremultipliesAndMasks) {
    std::vector<std::uint32_t> pixels = {0xFF80C8FE, 0xFF00FFFF, 0x10203040 & 0xFFFFFF00,
                                         0x102030FF};
    auto path = dir.path() / "px.png";
    WritePng(path, 4, 1, pixels);
    auto image = RenderEngine::LoadSkinImage(Name(path), nullptr, 0xFFFF00FF);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 4);
    EXPECT_TRUE(image->hasAlpha);
    auto* px = reinterpret_cast<const std::uint32_t*>(image->pixels);
    // 255, 128, 200 times 254 / 255, rounded down (by 256: 253, 127, 198).
    EXPECT_EQ(px[0], 0xFEFE7FC7u);
    EXPECT_EQ(px[1], 0u);  // the mask colour
    EXPECT_EQ(px[2], 0u);
    EXPECT_EQ(px[3], 0xFF102030u);

    std::vector<std::uint32_t> opaque = {0x102030FF, 0xFF00FFFF};
    WritePng(path, 2, 1, opaque);
    auto plain = RenderEngine::LoadSkinImage(Name(path), nullptr, 0);
    ASSERT_NE(plain, nullptr);
    EXPECT_FALSE(plain->hasAlpha);
    auto masked = RenderEngine::LoadSkinImage(Name(path), nullptr, 0xFFFF00FF);
    EXPECT_TRUE(masked->hasAlpha);
    EXPECT_EQ(reinterpret_cast<const std::uint32_t*>(masked->pixels)[0], 0xFF102030u);
    EXPECT_EQ(reinterpret_cast<const std::uint32_t*>(masked->pixels)[1], 0u);

    std::wstring colorType = L"*COLOR*";
    auto color = RenderEngine::LoadSkinImage(L"#80FF0000", &colorType, 0);
    ASSERT_NE(color, nullptr);
    EXPECT_EQ(reinterpret_cast<const std::uint32_t*>(color->pixels)[0], 0x80800000u);

    EXPECT_EQ(RenderEngine::LoadSkinImage(Name(dir.path() / "nope.png"), nullptr, 0), nullptr);
    const std::uint8_t junk[] = {1, 2, 3, 4, 5};
    EXPECT_EQ(RenderEngine::LoadImageFromMemory(junk, sizeof junk, 0), nullptr);
}

}  // namespace
