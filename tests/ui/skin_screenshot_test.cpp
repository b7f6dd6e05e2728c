// The launcher's two skins, built from the skin archive the program carries
// and shown in real windows with the texts the launcher puts in them, each
// painted and saved as a PNG of the paint manager's back buffer
// (<build>/screenshots/launcher-skin-*.png, to be looked at). What can be
// told without knowing the fonts is checked: sizes, the border's corners,
// images where the skin puts them, pixels where texts go, the progress bar.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/support/window_messages.h"
#include "platform/resources/module_path.h"
#include "tests/support/deadline.h"
#include "tests/ui/render/render_test_support.h"
#include "tests/ui/screenshot/test_display.h"
#include "ui/control/control.h"
#include "ui/core/manager/window_manager.h"
#include "ui/core/window/window_impl_base.h"
#include "ui/layout/container/container_interface.h"
#include "ui/render/render_engine.h"

namespace {

using namespace VantuUI;

constexpr int kSkinArchiveId = 101;
constexpr std::uint32_t kBorderColor = 0xFF33374A;

// A window of one of the launcher's skins, read from the embedded archive.
class LauncherSkinWindow : public WindowImplBase {
  public:
    explicit LauncherSkinWindow(std::wstring skin) : m_skin(std::move(skin)) {}
    const wchar_t* ClassName() const override { return L"VantuSkinScreenshot"; }
    std::wstring SkinFolder() const override { return {}; }
    std::wstring SkinFile() const override { return m_skin; }
    SkinResourceType SkinSource() const override { return SkinResourceType::ZipResource; }
    int SkinArchiveResource() const override { return kSkinArchiveId; }

  private:
    std::wstring m_skin;
};

// A painted frame: the back buffer's pixels, 0xAARRGGBB premultiplied.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // Pixels inside `area` that differ from `other`'s.
    int Differences(const Frame& other, const RECT& area) const {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                count += At(x, y) != other.At(x, y) ? 1 : 0;
            }
        }
        return count;
    }
};

class LauncherSkinScreenshot : public ::testing::Test {
  protected:
    // The window object takes its window along when the test's scope ends.
    void TearDown() override { bench_support::RunPending(); }

    // Creates and shows the window; false when it did not come.
    bool Open(LauncherSkinWindow& window) {
        screenshot_testing::UseTestDisplay();
        m_window = &window;
        m_hwnd = window.Create(nullptr, L"skin", WS_POPUP, 0, 0, 0, 0, 0);
        if (m_hwnd == nullptr) {
            return false;
        }
        window.Show(true, true);
        return Paint();
    }

    // Paints everything again and waits until the back buffer holds it.
    bool Paint() {
        InvalidateRect(m_hwnd, nullptr, FALSE);
        // The first window of a process can take seconds to come under wine.
        const testing_support::Deadline deadline(std::chrono::seconds(30));
        return testing_support::WaitUntil(deadline, [&] {
            bench_support::RunPending();
            UpdateWindow(m_hwnd);
            RECT update{};
            return m_window->Manager().OffscreenBitmap() != nullptr &&
                   GetUpdateRect(m_hwnd, &update, FALSE) == FALSE;
        });
    }

    Frame Capture() {
        RECT client{};
        GetClientRect(m_hwnd, &client);
        Frame frame;
        HBITMAP shot = RenderEngine::CaptureWindowArea(&m_window->Manager(), client, nullptr, 0);
        if (shot == nullptr) {
            return frame;
        }
        frame.width = client.right;
        frame.height = client.bottom;
        for (int y = 0; y < frame.height; ++y) {
            for (int x = 0; x < frame.width; ++x) {
                frame.pixels.push_back(render_testing::BitmapPixel(shot, x, y));
            }
        }
        render_testing::FreeBitmap(shot);
        return frame;
    }

    // Saves the frame beside the test programs' folder, straight alpha.
    static std::filesystem::path Save(const Frame& frame, const std::string& name) {
        const std::filesystem::path folder =
            std::filesystem::path(platform::ModuleFileName()).parent_path().parent_path() /
            "screenshots";
        std::filesystem::create_directories(folder);
        std::vector<std::uint32_t> rgba;
        for (std::uint32_t p : frame.pixels) {
            const std::uint32_t a = p >> 24;
            auto straight = [&](int shift) {
                const std::uint32_t c = (p >> shift) & 0xFF;
                return a == 0 ? 0 : std::min<std::uint32_t>(255, (c * 255 + a / 2) / a);
            };
            rgba.push_back(straight(16) << 24 | straight(8) << 16 | straight(0) << 8 | a);
        }
        const std::filesystem::path file = folder / ("launcher-skin-" + name + ".png");
        render_testing::WritePng(file, frame.width, frame.height, rgba);
        return file;
    }

    CControlUI* Named(const wchar_t* name) { return m_window->Manager().ControlByName(name); }

    // The control at `path` of child indexes from the root.
    CControlUI* At(std::initializer_list<int> path) {
        CControlUI* control = m_window->Manager().Root();
        for (int index : path) {
            auto* container =
                control != nullptr
                    ? static_cast<IContainerUI*>(control->FindInterface(L"IContainer"))
                    : nullptr;
            control = container != nullptr ? container->ItemAt(index) : nullptr;
        }
        return control;
    }

    // How many opaque pixels of `image`'s `source` part, drawn 1:1 at the
    // control's top-left, the frame shows unchanged; -1 without the image.
    double ImageShown(const Frame& frame, const std::wstring& image, const RECT& source,
                      const CControlUI& control) {
        const ImageInfo* info = m_window->Manager().ImageByNameOrLoad(image, nullptr, 0, false);
        if (info == nullptr) {
            return -1;
        }
        const RECT at = control.GetItemRect();
        int opaque = 0;
        int same = 0;
        const auto* bits = reinterpret_cast<const std::uint32_t*>(info->pixels);
        for (int y = source.top; y < source.bottom; ++y) {
            for (int x = source.left; x < source.right; ++x) {
                const std::uint32_t p = bits[static_cast<std::size_t>(y) * info->width + x];
                if ((p >> 24) != 0xFF) {
                    continue;
                }
                ++opaque;
                same += frame.At(at.left + x - source.left, at.top + y - source.top) == p ? 1 : 0;
            }
        }
        return opaque == 0 ? -1 : static_cast<double>(same) / opaque;
    }

    // Pixels that a text changes in its control, compared with no text.
    int TextInk(const Frame& with, CControlUI& control) {
        const std::wstring text = control.GetText();
        control.SetText(L"");
        Paint();
        const Frame without = Capture();
        control.SetText(text);
        Paint();
        return with.Differences(without, control.GetItemRect());
    }

    static void ExpectBorderCorners(const Frame& frame) {
        for (POINT corner : {POINT{0, 0}, POINT{frame.width - 1, 0}, POINT{0, frame.height - 1},
                             POINT{frame.width - 1, frame.height - 1}}) {
            EXPECT_EQ(frame.At(corner.x, corner.y), kBorderColor) << corner.x << "," << corner.y;
        }
    }

    LauncherSkinWindow* m_window = nullptr;
    HWND m_hwnd = nullptr;
};

TEST_F(LauncherSkinScreenshot, UpgradeWindowShowsTitleStateProgressAndImages) {
    LauncherSkinWindow window(L"MainWindow.xml");
    ASSERT_TRUE(Open(window)) << "the upgrade window did not paint";
    CControlUI* state = Named(L"UpdateState_Label");
    CControlUI* bar = Named(L"Progress_Label");
    CControlUI* close = Named(L"MainWindow_Close_Btn");
    CControlUI* logo = At({0, 0});
    CControlUI* title = At({0, 1});
    ASSERT_TRUE(state && bar && close && logo && title);
    state->SetText(L"升级中，请稍候...37%");
    bar->SetFixedWidth(37 * 5);
    // The release notes go to the rich edit (the system's text services on
    // Windows, the project's own elsewhere).
    CControlUI* notes = Named(L"Msg_RichEdit");
    ASSERT_NE(notes, nullptr);
    notes->SetText(L"1. 优化了加速线路的选择，连接更稳定。\r\n2. 修复了若干已知问题。");
    ASSERT_TRUE(Paint());
    const Frame frame = Capture();
    ASSERT_EQ(frame.width, 500);
    ASSERT_EQ(frame.height, 310);
    std::printf("screenshot: %s\n", Save(frame, "MainWindow").string().c_str());

    ExpectBorderCorners(frame);
    // The bar: 185 pixels of its colour over the track, the rest the track.
    for (int x = 2; x < 498; ++x) {
        EXPECT_EQ(frame.At(x, 274), x < 185 ? 0xFF2BA2F9u : 0xFF1E2938u) << x;
    }
    EXPECT_EQ(bar->GetItemRect().right - bar->GetItemRect().left, 185);
    EXPECT_GE(ImageShown(frame, L"img/icon_close.png", RECT{0, 0, 28, 28}, *close), 0.99);
    EXPECT_GE(ImageShown(frame, L"img/icon_logo.png", RECT{0, 0, 16, 16}, *logo), 0.99);
    EXPECT_GT(TextInk(frame, *title), 100) << "no title";
    EXPECT_GT(TextInk(frame, *state), 100) << "no upgrade state";
    EXPECT_GT(TextInk(frame, *notes), 200) << "no release notes";
}

TEST_F(LauncherSkinScreenshot, MessageBoxShowsChineseTitleMessageAndBothButtons) {
    LauncherSkinWindow window(L"MessageBox.xml");
    ASSERT_TRUE(Open(window)) << "the message box did not paint";
    CControlUI* title = Named(L"Title_Label");
    CControlUI* content = Named(L"Content_Label");
    CControlUI* ok = Named(L"OK_Btn");
    CControlUI* cancel = Named(L"Cancel_Btn");
    CControlUI* close = Named(L"MessageBox_Close_Btn");
    ASSERT_TRUE(title && content && ok && cancel && close);
    EXPECT_EQ(title->GetText(), L"提示");
    content->SetText(L"升级尚未完成，确定退出？");
    ASSERT_TRUE(Paint());
    const Frame frame = Capture();
    ASSERT_EQ(frame.width, 370);
    ASSERT_EQ(frame.height, 208);
    std::printf("screenshot: %s\n", Save(frame, "MessageBox").string().c_str());

    ExpectBorderCorners(frame);
    EXPECT_GE(ImageShown(frame, L"img/icon_close.png", RECT{0, 0, 28, 28}, *close), 0.99);
    // The buttons' images under their texts: most of each image shows as it is.
    EXPECT_GE(ImageShown(frame, L"img/buttonA.png", RECT{0, 0, 120, 36}, *ok), 0.6);
    EXPECT_GE(ImageShown(frame, L"img/buttonB.png", RECT{0, 0, 120, 36}, *cancel), 0.6);
    // OK and Cancel side by side in the middle.
    const RECT okAt = ok->GetItemRect();
    const RECT cancelAt = cancel->GetItemRect();
    EXPECT_EQ(okAt.right - okAt.left, 120);
    EXPECT_EQ(cancelAt.left - okAt.right, 30);
    EXPECT_NEAR(okAt.left + (cancelAt.right - okAt.left) / 2, 185, 1);
    EXPECT_GT(TextInk(frame, *title), 30) << "no title";
    EXPECT_GT(TextInk(frame, *content), 150) << "no message";
    EXPECT_GT(TextInk(frame, *ok), 30) << "no text on OK";
    EXPECT_GT(TextInk(frame, *cancel), 30) << "no text on Cancel";
}

}  // namespace
