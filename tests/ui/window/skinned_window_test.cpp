// Skinned windows built from skin text, a skin folder and a ZIP file: they
// show, lay out and paint what their skin says.

#include <gtest/gtest.h>

#include "skinned_window_support.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/skin_path_scope.h"
#include "tests/ui/support/presented_pixel.h"
#include "tests/ui/zip/zip_fixtures.h"
#include "ui/layout/container/container.h"

namespace VantuUI {
namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;
using ui_testing::PresentedPixel;
using ui_testing::PumpLikeTheProduct;
using ui_testing::SkinnedTestWindow;
using ui_testing::SkinPathScope;
using ui_testing::WriteSolidPng;

constexpr const char* kBandSkin =
    "<Window size=\"200,100\"><VerticalLayout bkcolor=\"#FF0000FF\">"
    "<HorizontalLayout height=\"30\" bkcolor=\"#FFFF0000\"/>"
    "<Control name=\"dot\" width=\"20\" height=\"20\" bkimage=\"img/dot.png\"/>"
    "</VerticalLayout></Window>";

enum class Source { Text, Folder, Zip };

class SkinnedWindowSources : public window_testing::WindowTest,
                             public ::testing::WithParamInterface<Source> {};

TEST_P(SkinnedWindowSources, ShowsLaysOutAndPaintsTheSkin) {
    TempDir dir;
    std::filesystem::path skinFolder = dir.path() / "skin";
    std::unique_ptr<SkinnedTestWindow> window;
    WriteSolidPng(skinFolder / "img/dot.png", 20, 20, 0xFF00FF00);
    switch (GetParam()) {
        case Source::Text:
            window = std::make_unique<SkinnedTestWindow>(
                std::wstring(kBandSkin, kBandSkin + std::strlen(kBandSkin)));
            break;
        case Source::Folder:
            WriteFile(skinFolder / "main.xml", kBandSkin);
            window = std::make_unique<SkinnedTestWindow>(L"main.xml");
            break;
        case Source::Zip: {
            const std::string png = ReadFile(skinFolder / "img/dot.png");
            skinFolder = dir.path() / "zipped";
            std::filesystem::create_directories(skinFolder);
            WriteFile(skinFolder / "skin.zip",
                      zip_fixtures::MakePythonArchive(
                          dir, {{"main.xml", kBandSkin}, {"img/dot.png", png}}, "deflated"));
            window = std::make_unique<SkinnedTestWindow>(L"main.xml", SkinResourceType::Zip,
                                                         L"skin.zip");
            break;
        }
    }
    SkinPathScope scope(skinFolder);
    HWND hwnd = window->Open();
    ASSERT_NE(hwnd, nullptr);
    PumpLikeTheProduct();

    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client, (RECT{0, 0, 200, 100}));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    CControlUI* dot = window->Manager().ControlByName(L"dot");
    ASSERT_NE(dot, nullptr);
    EXPECT_EQ(dot->GetItemRect(), (RECT{0, 30, 20, 50}));
    EXPECT_EQ(PresentedPixel(hwnd, 100, 10), 0xFF0000u);
    EXPECT_EQ(PresentedPixel(hwnd, 10, 40), 0x00FF00u);
    EXPECT_EQ(PresentedPixel(hwnd, 100, 80), 0x0000FFu);
    // No frame of its own: the caption bit is gone.
    EXPECT_EQ(GetWindowLong(hwnd, GWL_STYLE) & static_cast<LONG>(WS_CAPTION), 0);
}

INSTANTIATE_TEST_SUITE_P(, SkinnedWindowSources,
                         ::testing::Values(Source::Text, Source::Folder, Source::Zip),
                         [](const auto& info) {
                             return std::string(info.param == Source::Text     ? "Text"
                                                : info.param == Source::Folder ? "Folder"
                                                                               : "Zip");
                         });

}  // namespace
}  // namespace VantuUI
