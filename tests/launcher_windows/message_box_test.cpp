// The skinned message box: its answers, its layout and texts, and its modal
// run over an owner.

#include "launcher/windows/vantu_message_box.h"

#include <gtest/gtest.h>

#include "launcher/windows/launcher_window_style.h"
#include "tests/launcher_windows/launcher_window_support.h"
#include "tests/platform/window/window_test_support.h"

namespace vantu {
namespace {

using namespace launcher_windows_testing;

class MessageBoxTest : public testing::Test {
  protected:
    void SetUp() override { PrepareDisplayAndSkins(); }
    void TearDown() override { RunMessages(); }

    // A box created and painted, not yet run modally.
    HWND Open(VantuMessageBox& box) {
        HWND hwnd = box.Create(nullptr, L"", kLauncherWindowStyle, kLauncherWindowExStyle,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
        EXPECT_NE(hwnd, nullptr);
        box.Show(true, true);
        RunMessages();
        return hwnd;
    }
};

TEST_F(MessageBoxTest, OkOnlyShowsOkAloneCentredAndAnswersTrue) {
    VantuMessageBox box(L"Error", L"Get Data Failed!", 1);
    HWND hwnd = Open(box);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client, (RECT{0, 0, 370, 208}));
    EXPECT_FALSE(ControlOf(hwnd, L"Cancel_Btn")->IsVisible());
    const RECT ok = ControlOf(hwnd, L"OK_Btn")->GetItemRect();
    EXPECT_EQ(ok.right - ok.left, 120);
    EXPECT_NEAR((ok.left + ok.right) / 2, 185, 1);
    EXPECT_TRUE(HasInk(hwnd, ok));  // "确定" in white on the blue button

    ClickControl(hwnd, L"OK_Btn");
    RunMessages();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(box.OkPressed());
}

struct Answer {
    const wchar_t* how;  // a button's name, or "Escape"
    bool ok;
};

class MessageBoxAnswers : public MessageBoxTest, public testing::WithParamInterface<Answer> {};

TEST_P(MessageBoxAnswers, OnlyOkAnswersTrue) {
    VantuMessageBox box(L"", L"升级尚未完成，确定退出？", 0);
    HWND hwnd = Open(box);
    EXPECT_TRUE(ControlOf(hwnd, L"Cancel_Btn")->IsVisible());
    if (std::wstring(GetParam().how) == L"Escape") {
        PressKey(hwnd, VK_ESCAPE);
    } else {
        ClickControl(hwnd, GetParam().how);
    }
    RunMessages();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(box.OkPressed(), GetParam().ok);
}

INSTANTIATE_TEST_SUITE_P(, MessageBoxAnswers,
                         testing::Values(Answer{L"OK_Btn", true}, Answer{L"Cancel_Btn", false},
                                         Answer{L"MessageBox_Close_Btn", false},
                                         Answer{L"Escape", false}),
                         [](const auto& info) {
                             std::string name;
                             for (const wchar_t* c = info.param.how; *c != 0; ++c) {
                                 if (*c != L'_') {
                                     name += static_cast<char>(*c);
                                 }
                             }
                             return name;
                         });

TEST_F(MessageBoxTest, EmptyTitleKeepsTheSkinsAndATitleReplacesIt) {
    VantuMessageBox untitled(L"", L"x", 0);
    HWND first = Open(untitled);
    EXPECT_EQ(TextOf(first, L"Title_Label"), L"提示");
    DestroyWindow(first);

    VantuMessageBox titled(L"Error", L"x", 0);
    HWND second = Open(titled);
    EXPECT_EQ(TextOf(second, L"Title_Label"), L"Error");
    EXPECT_TRUE(HasInk(second, ControlOf(second, L"Title_Label")->GetItemRect()));
    DestroyWindow(second);
}

TEST_F(MessageBoxTest, LongTextWrapsInsideItsAreaOverSeveralLines) {
    const std::wstring text =
        L"下载失败，请手动下载安装最新版本Vantu加速器！下载失败，请手动下载安装最新版本Vantu加速器"
        L"！";
    VantuMessageBox box(L"", text, 0);
    HWND hwnd = Open(box);
    const RECT area = ControlOf(hwnd, L"Content_Label")->GetItemRect();
    EXPECT_EQ(area.right - area.left, 250);
    EXPECT_EQ(area.bottom - area.top, 108);
    EXPECT_EQ((area.left + area.right) / 2, 185);
    // Several lines of 12-pixel text, centred: ink in more rows than one line has.
    const ui_testing::PresentedImage shown = ui_testing::CapturePresented(hwnd);
    const int rows = InkRows(shown, area);
    EXPECT_GT(rows, 20);
    // Nothing left or right of the area in its band: the text stays inside.
    EXPECT_EQ(InkRows(shown, RECT{1, area.top, area.left, area.bottom}), 0);
    EXPECT_EQ(InkRows(shown, RECT{area.right, area.top, 369, area.bottom}), 0);
    // Vertically centred: as much empty space above the ink as below it.
    int firstInk = -1;
    int lastInk = -1;
    for (int y = area.top; y < area.bottom; ++y) {
        if (InkRows(shown, RECT{area.left, y, area.right, y + 1}) > 0) {
            firstInk = firstInk < 0 ? y : firstInk;
            lastInk = y;
        }
    }
    EXPECT_NEAR(firstInk - area.top, area.bottom - 1 - lastInk, 8);
    DestroyWindow(hwnd);
}

TEST_F(MessageBoxTest, ShowRunsModallyOverItsOwnerAndAnswers) {
    HWND owner = window_testing::MakeTopLevel(0, 0, 400, 300);
    ASSERT_NE(owner, nullptr);
    {
        BoxAnswerer answerer(L"OK_Btn");
        EXPECT_TRUE(ShowVantuMessageBox(owner, false, L"提示", L"升级尚未完成，确定退出？"));
        ASSERT_EQ(answerer.Count(), 1);
        EXPECT_EQ(answerer.Last()->owner, owner);
        EXPECT_FALSE(answerer.Last()->ownerEnabled);
        EXPECT_EQ(answerer.Last()->content, L"升级尚未完成，确定退出？");
    }
    EXPECT_TRUE(IsWindowEnabled(owner));
    {
        BoxAnswerer answerer(L"Cancel_Btn");
        EXPECT_FALSE(ShowVantuMessageBox(owner, false, L"", L"x"));
        EXPECT_EQ(answerer.Count(), 1);
    }
    DestroyWindow(owner);
}

}  // namespace
}  // namespace vantu
