// The upgrade window driven as the worker and the user would: progress
// messages, results, close requests, the close button and the caption.

#include "launcher/windows/main_window.h"

#include <gtest/gtest.h>

#include "launcher/windows/launcher_window_style.h"
#include "tests/launcher_windows/launcher_window_support.h"
#include "tests/launcher_windows/window_manager.h"
#include "update/upgrade_messages.h"

namespace vantu {
namespace {

using namespace launcher_windows_testing;

class MainWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        PrepareDisplayAndSkins();
        m_window =
            std::make_unique<MainWindow>(L"1.0.0.2|修复问题 fixes", L"https://127.0.0.1/p.7z",
                                         [this](std::wstring address, HWND window) {
                                             m_started.emplace_back(std::move(address), window);
                                         });
        m_hwnd = m_window->Create(nullptr, L"Vantu Game Booster Upgrade Version",
                                  kLauncherWindowStyle, kLauncherWindowExStyle, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
        ASSERT_NE(m_hwnd, nullptr);
        m_window->Show(true, true);
        RunMessages();
    }

    void TearDown() override {
        m_window.reset();
        RunMessages();
        // The window's end posts WM_QUIT for the launcher's loop: not ours.
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        PostMessage(m_hwnd, message, wParam, lParam);
        RunMessages();
    }

    bool QuitPosted() {
        MSG msg;
        return PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
    }

    int BarWidth() {
        const RECT bar = ControlOf(m_hwnd, L"Progress_Label")->GetItemRect();
        return bar.right - bar.left;
    }

    std::unique_ptr<MainWindow> m_window;
    HWND m_hwnd = nullptr;
    std::vector<std::pair<std::wstring, HWND>> m_started;
};

TEST_F(MainWindowTest, CreationShowsTheSkinAndTheNotesAndStartsTheWorkerOnce) {
    RECT client;
    GetClientRect(m_hwnd, &client);
    EXPECT_EQ(client, (RECT{0, 0, 500, 310}));
    ASSERT_EQ(m_started.size(), 1u);
    EXPECT_EQ(m_started[0].first, L"https://127.0.0.1/p.7z");
    EXPECT_EQ(m_started[0].second, m_hwnd);
    VantuUI::CControlUI* notes = ControlOf(m_hwnd, L"Msg_RichEdit");
    if (notes == nullptr) {
        GTEST_SKIP() << "no rich edit class in this build";
    }
    EXPECT_EQ(notes->GetText(), L"1.0.0.2\n修复问题 fixes");
}

TEST_F(MainWindowTest, SkinPaintsItsColoursAndTexts) {
    const ui_testing::PresentedImage shown = ui_testing::CapturePresented(m_hwnd);
    EXPECT_EQ(shown.At(0, 150), 0x33374Au);    // border
    EXPECT_EQ(shown.At(250, 274), 0x1E2938u);  // progress track
    EXPECT_GT(InkRows(shown, ControlOf(m_hwnd, L"UpdateState_Label")->GetItemRect()), 0);
    EXPECT_GT(InkRows(shown, RECT{36, 0, 200, 36}), 0);  // the title
    EXPECT_EQ(TextOf(m_hwnd, L"UpdateState_Label"), L"升级中，请稍候...0%");

    Post(WM_UPGRADE_PROGRESS, 50, 100);
    const ui_testing::PresentedImage half = ui_testing::CapturePresented(m_hwnd);
    EXPECT_EQ(half.At(100, 274), 0x2BA2F9u);  // filled
    EXPECT_EQ(half.At(300, 274), 0x1E2938u);  // not yet
}

TEST_F(MainWindowTest, ProgressSetsTextAndBarAndIgnoresBadTotals) {
    Post(WM_UPGRADE_PROGRESS, 50, 100);
    EXPECT_EQ(TextOf(m_hwnd, L"UpdateState_Label"), L"升级中，请稍候...50%");
    EXPECT_EQ(BarWidth(), 250);

    Post(WM_UPGRADE_PROGRESS, 0, 0);
    Post(WM_UPGRADE_PROGRESS, 101, 100);
    EXPECT_EQ(TextOf(m_hwnd, L"UpdateState_Label"), L"升级中，请稍候...50%");
    EXPECT_EQ(BarWidth(), 250);

    Post(WM_UPGRADE_PROGRESS, 209'715'200, 209'715'200);
    EXPECT_EQ(TextOf(m_hwnd, L"UpdateState_Label"), L"升级中，请稍候...100%");
    EXPECT_EQ(BarWidth(), 500);
}

TEST_F(MainWindowTest, CloseRequestsAreRefusedWhileTheUpgradeRuns) {
    PressKey(m_hwnd, VK_ESCAPE);
    RequestClose(m_hwnd);  // Alt+F4, the window manager's close
    RunMessages();
    Post(WM_CLOSE, 1);
    EXPECT_TRUE(IsWindow(m_hwnd));
    EXPECT_FALSE(QuitPosted());
}

TEST_F(MainWindowTest, CloseButtonAsksCancelKeepsOkLeavesWithoutBooster) {
    {
        BoxAnswerer answerer(L"Cancel_Btn");
        ClickControl(m_hwnd, L"MainWindow_Close_Btn");
        RunMessages();
        ASSERT_EQ(answerer.Count(), 1);
        EXPECT_EQ(answerer.Last()->title, L"提示");
        EXPECT_EQ(answerer.Last()->content, L"升级尚未完成，确定退出？");
        EXPECT_TRUE(answerer.Last()->cancelVisible);
        EXPECT_EQ(answerer.Last()->owner, m_hwnd);
    }
    EXPECT_TRUE(IsWindow(m_hwnd));
    {
        BoxAnswerer answerer(L"OK_Btn");
        ClickControl(m_hwnd, L"MainWindow_Close_Btn");
        RunMessages();
        EXPECT_EQ(answerer.Count(), 1);
    }
    RunMessages();
    EXPECT_FALSE(IsWindow(m_hwnd));
    EXPECT_TRUE(QuitPosted());
    EXPECT_FALSE(m_window->LaunchBoosterOnExit());
}

TEST_F(MainWindowTest, DoneClosesWithoutAskingAndAsksForTheBooster) {
    BoxAnswerer answerer(L"OK_Btn");
    Post(WM_UPGRADE_DONE);
    RunMessages();
    EXPECT_FALSE(IsWindow(m_hwnd));
    EXPECT_TRUE(QuitPosted());
    EXPECT_TRUE(m_window->LaunchBoosterOnExit());
    EXPECT_EQ(answerer.Count(), 0);
}

struct Failure {
    UINT message;
    const wchar_t* text;
};

class MainWindowFailures : public MainWindowTest, public testing::WithParamInterface<Failure> {};

TEST_P(MainWindowFailures, ReportThenOpenTheHomePageAndCloseWithoutBooster) {
    HomePageOpener opener;
    BoxAnswerer answerer(L"Cancel_Btn");  // the answer is not used
    Post(GetParam().message);
    RunMessages();
    ASSERT_EQ(answerer.Count(), 1);
    EXPECT_EQ(answerer.Last()->title, L"提示");
    EXPECT_EQ(answerer.Last()->content, GetParam().text);
    EXPECT_TRUE(answerer.Last()->cancelVisible);
    EXPECT_FALSE(IsWindow(m_hwnd));
    EXPECT_FALSE(m_window->LaunchBoosterOnExit());
    EXPECT_EQ(opener.Opened(), "http://127.0.0.1/?oemid=178\n");
}

INSTANTIATE_TEST_SUITE_P(, MainWindowFailures,
                         testing::Values(Failure{WM_UPGRADE_DOWNLOAD_FAILED,
                                                 L"下载失败，请手动下载安装最新版本Vantu加速器！"},
                                         Failure{
                                             WM_UPGRADE_EXTRACT_FAILED,
                                             L"解压缩失败，请手动下载安装最新版本Vantu加速器！"}),
                         [](const auto& info) {
                             return info.param.message == WM_UPGRADE_DOWNLOAD_FAILED ? "Download"
                                                                                     : "Extract";
                         });

TEST_F(MainWindowTest, ResultAfterTheUserLeftIsNotReported) {
    HomePageOpener opener;
    {
        BoxAnswerer answerer(L"OK_Btn");
        ClickControl(m_hwnd, L"MainWindow_Close_Btn");
        // A late result arrives before the window has gone.
        PostMessage(m_hwnd, WM_UPGRADE_DOWNLOAD_FAILED, 0, 0);
        PostMessage(m_hwnd, WM_UPGRADE_DONE, 0, 0);
        RunMessages();
        EXPECT_EQ(answerer.Count(), 1);
    }
    EXPECT_FALSE(IsWindow(m_hwnd));
    EXPECT_FALSE(m_window->LaunchBoosterOnExit());
}

TEST_F(MainWindowTest, LogoAndTitleDragTheCloseButtonClicksAndNothingMaximises) {
    EXPECT_EQ(CaptionHitAt(m_hwnd, 18, 18), CaptionHit::Drag);     // logo
    EXPECT_EQ(CaptionHitAt(m_hwnd, 200, 10), CaptionHit::Drag);    // title
    EXPECT_EQ(CaptionHitAt(m_hwnd, 482, 18), CaptionHit::Normal);  // close button
    EXPECT_EQ(CaptionHitAt(m_hwnd, 200, 40), CaptionHit::Normal);  // below the caption
    // No resize borders: the edges below the caption are plain client area.
    EXPECT_EQ(CaptionHitAt(m_hwnd, 250, 309), CaptionHit::Normal);
    EXPECT_EQ(CaptionHitAt(m_hwnd, 499, 150), CaptionHit::Normal);

    SendMessage(m_hwnd, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(200, 10));
    RunMessages();
    EXPECT_FALSE(IsZoomed(m_hwnd));
    RECT client;
    GetClientRect(m_hwnd, &client);
    EXPECT_EQ(client, (RECT{0, 0, 500, 310}));
}

}  // namespace
}  // namespace vantu
