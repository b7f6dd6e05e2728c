#include <filesystem>

#include "platform/resources/embedded_resources.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/manager/managed_window.h"
#include "tests/ui/render/render_test_support.h"
#include "tests/ui/support/presented_pixel.h"
#include "tests/ui/zip/zip_fixtures.h"

namespace {

using namespace manager_testing;
namespace seam = test_input;

TEST_F(ManagedWindowTest, FirstPaintLaysOutAndSaysWindowInitThenPaintsOnlyTheUpdateArea) {
    auto inits = log.Of(L"windowinit");
    ASSERT_EQ(inits.size(), 1u);
    EXPECT_EQ(inits[0].sender, root);
    EXPECT_EQ(probes[1]->GetItemRect(), (RECT{50, 0, 100, 120}));

    probes[1]->SetBackColor(0xFFFF0000);
    UpdateWindow(window);
    probes[0]->paints.clear();
    probes[1]->paints.clear();
    manager.Invalidate(RECT{60, 10, 70, 20});
    UpdateWindow(window);
    ASSERT_FALSE(probes[1]->paints.empty());
    EXPECT_EQ(probes[1]->paints.back(), (RECT{60, 10, 70, 20}));
    EXPECT_EQ(ui_testing::PresentedPixel(window, 65, 15), 0xFF0000u);
    EXPECT_EQ(log.Of(L"windowinit").size(), 1u);
}

TEST_F(ManagedWindowTest, PerPixelLayeredShowsTransparentAreasBlackWithoutACompositor) {
    probes[0]->SetBackColor(0xFF00FF00);
    probes[1]->SetBackColor(0x80FF0000);  // half transparent
    manager.SetPerPixelLayered(true);
    EXPECT_NE(GetWindowLong(window, GWL_EXSTYLE) & static_cast<LONG>(WS_EX_LAYERED), 0);
    ASSERT_TRUE(PumpUntil([&] { return ui_testing::PresentedPixel(window, 25, 60) == 0x00FF00u; }))
        << "the 10 ms timer never painted the layered window";
    // The image is premultiplied; a display without transparent windows drops
    // the alpha: half-transparent red shows dark red, nothing at all black.
    EXPECT_EQ(ui_testing::PresentedPixel(window, 75, 60), 0x800000u);
    EXPECT_EQ(ui_testing::PresentedPixel(window, 175, 60), 0x000000u);
}

TEST(WindowManagerFonts, ThousandRepaintsOfTaggedTextKeepTheFontTable) {
    CWindowManagerUI manager;
    render_testing::Canvas canvas(200, 40);
    for (int i = 0; i < 1000; ++i) {
        RECT rect{0, 0, 200, 40};
        int links = 0;
        RenderEngine::DrawMarkupText(canvas.dc, &manager, rect, L"<f Sans 14>粗</f>细", 0xFF000000,
                                     nullptr, nullptr, links, 0, DT_SINGLELINE);
    }
    EXPECT_EQ(manager.FontCount(), 1u);
}

class SkinImageSources : public ::testing::Test {
  protected:
    void SetUp() override {
        render_testing::WritePng(dir / "pic.png", 2, 3, std::vector<std::uint32_t>(6, 0xFF0000FF));
        png = testing_support::ReadFile(dir / "pic.png");
    }
    void TearDown() override {
        CResourceSettings::SetSkinArchive(L"", true);
        CResourceSettings::SetSkinPath(L"");
    }
    testing_support::TempDir dir;
    std::string png;
};

TEST_F(SkinImageSources, RelativeNamesLoadFromTheSkinFolderTheSkinZipAndResources) {
    std::filesystem::create_directories(dir / "skin/img");
    testing_support::WriteFile(dir / "skin/img/folder.png", png);
    CResourceSettings::SetSkinPath((dir / "skin").wstring());
    CWindowManagerUI fromFolder;
    const ImageInfo* image = fromFolder.ImageByNameOrLoad(L"img/folder.png", nullptr, 0, false);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 3);

    testing_support::WriteFile(dir / "skin.zip", zip_fixtures::MakePythonArchive(
                                                     dir, {{"img/zipped.png", png}}, "deflated"));
    CResourceSettings::SetSkinPath(dir.path().wstring());
    CResourceSettings::SetSkinArchive(L"skin.zip", true);
    CWindowManagerUI fromZip;
    ImageDrawInfo record;
    record.spec = L"file='img/zipped.png' source='0,0,1,1'";
    ASSERT_TRUE(RenderEngine::DrawImageSpec(nullptr, &fromZip, RECT{0, 0, 10, 10},
                                            RECT{0, 0, 10, 10}, record));
    EXPECT_EQ(record.image->height, 3);

    static const std::string kResourcePng = png;
    platform::RegisterEmbeddedResource("PNG", 7, kResourcePng.data(), kResourcePng.size());
    const std::wstring type = L"PNG";
    EXPECT_NE(fromZip.ImageByNameOrLoad(L"7", &type, 0, false), nullptr);
}

}  // namespace
