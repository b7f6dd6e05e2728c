// Rich edit figures, each on a 500 x 310 window holding one rich edit with a
// vertical bar, on the offscreen display (on Windows, the system's text
// services in a window of the real window system):
//  - typing into an editable text of 1,000 and of 100,000 characters: one
//    WM_CHAR through the window's message hooks plus the repaint it causes;
//    goals: median at most 2 ms each, and the long text at most 1.5 times
//    the short one (the cost must not grow with the text);
//  - scrolling a 10,000-line text one wheel notch, repaint included; goal:
//    median at most 4 ms.
// Exit code 1 when a goal is missed.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/support/statistics.h"
#include "platform/window/window_api.h"
#include "ui/control/rich_edit/rich_edit.h"
#include "ui/control/scroll/scroll_bar.h"
#include "ui/core/manager/window_manager.h"
#include "ui/layout/vertical_layout.h"

namespace {

using Clock = std::chrono::steady_clock;
using bench_support::Median;
using namespace VantuUI;

LRESULT CALLBACK ManagedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* manager = reinterpret_cast<CWindowManagerUI*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    LRESULT result = 0;
    if (manager != nullptr && manager->HandleWindowMessage(message, wParam, lParam, result)) {
        return result;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

// Lines of mixed Chinese and English, about 60 characters each.
std::wstring MixedText(std::size_t characters) {
    std::wstring text;
    for (int line = 0; text.size() < characters; ++line) {
        text +=
            L"第" + std::to_wstring(line) + L"行: the booster keeps 游戏 connections fast 加速器\n";
    }
    text.resize(characters);
    return text;
}

// One window with one rich edit, focused, holding `text`.
class EditWindow {
  public:
    explicit EditWindow(const std::wstring& text) {
        m_window = CreateWindowEx(0, L"VantuBenchRichEdit", L"bench", WS_POPUP | WS_VISIBLE, 0, 0,
                                  500, 310, nullptr, nullptr, nullptr, nullptr);
        m_manager.BindWindow(m_window, L"bench");
        SetWindowLongPtr(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_manager));
        m_manager.SetWindowDefaultFont(L"Microsoft YaHei", 12, false, false, false, false);
        auto* root = new CVerticalLayoutUI;
        m_edit = new CRichEditUI;
        m_edit->SetAttribute(L"vscrollbar", L"true");
        m_edit->SetAttribute(L"textpadding", L"4,4,4,4");
        m_edit->SetAttribute(L"bkcolor", L"#FFFFFFFF");
        m_edit->SetLimitText(0x7FFFFFFF);  // beyond the default 32,767 characters
        root->Append(m_edit);
        m_manager.AttachRoot(root);
        UpdateWindow(m_window);
        m_edit->SetText(text);
        SetFocus(m_window);
        m_manager.FocusControl(m_edit, true);
        UpdateWindow(m_window);
    }
    ~EditWindow() {
        SetWindowLongPtr(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
    HWND Window() const { return m_window; }
    CRichEditUI* Edit() const { return m_edit; }

  private:
    CWindowManagerUI m_manager;
    HWND m_window = nullptr;
    CRichEditUI* m_edit = nullptr;
};

// Median microseconds of one typed character and its repaint, typing in the
// middle of the text; printed beside it, the character's handling and the
// repaint apart, and a repaint of the window with nothing typed.
double TypingCost(std::size_t characters) {
    EditWindow window(MixedText(characters));
    const LONG middle = static_cast<LONG>(characters / 2);
    window.Edit()->SendToTextServices(EM_SETSEL, static_cast<WPARAM>(middle), middle);
    UpdateWindow(window.Window());
    constexpr int kKeys = 400;
    const wchar_t typed[] = L"ab 加速c";
    std::vector<double> costs;
    std::vector<double> handling;
    std::vector<double> unchanged;
    auto since = [](Clock::time_point from) {
        return std::chrono::duration<double, std::micro>(Clock::now() - from).count();
    };
    for (int i = 0; i < kKeys; ++i) {
        const auto start = Clock::now();
        SendMessage(window.Window(), WM_CHAR, typed[i % 6], 0);
        handling.push_back(since(start));
        UpdateWindow(window.Window());
        costs.push_back(since(start));
        const auto again = Clock::now();
        InvalidateRect(window.Window(), nullptr, FALSE);
        UpdateWindow(window.Window());
        unchanged.push_back(since(again));
    }
    std::printf(
        "  %zu characters: keystroke median %.1f us, of which the character's handling %.1f us;"
        " a full repaint with nothing typed %.1f us\n",
        characters, Median(costs), Median(handling), Median(unchanged));
    if (const std::size_t length = window.Edit()->GetText().size(); length != characters + kKeys) {
        std::printf("typing did not reach the text: %zu characters, %zu expected\n", length,
                    characters + kKeys);
        std::exit(1);
    }
    return Median(costs);
}

// Median microseconds of one wheel notch down and its repaint.
double ScrollCost(int lines) {
    std::wstring text;
    for (int i = 0; i < lines; ++i) {
        text += L"第" + std::to_wstring(i) + L"行 update notes 更新说明 line\n";
    }
    EditWindow window(text);
    constexpr int kSteps = 400;
    std::vector<double> costs;
    for (int i = 0; i < kSteps; ++i) {
        const auto start = Clock::now();
        SendMessage(window.Window(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA),
                    MAKELPARAM(250, 150));
        UpdateWindow(window.Window());
        costs.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    if (window.Edit()->GetVerticalScrollBar()->GetPosition() == 0) {
        std::printf("the wheel did not scroll the text\n");
        std::exit(1);
    }
    return Median(costs);
}

}  // namespace

int main() {
#ifndef _WIN32
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
#endif
    WNDCLASS cls{};
    cls.lpfnWndProc = ManagedProc;
    cls.lpszClassName = L"VantuBenchRichEdit";
    RegisterClass(&cls);

    const double shortText = TypingCost(1000);
    const double longText = TypingCost(100000);
    const double ratio = longText / shortText;
    std::printf(
        "typing one character, repaint included: 1,000 characters median %.1f us, 100,000"
        " characters median %.1f us, ratio %.2f (goals: <= 2000 us, ratio <= 1.5)\n",
        shortText, longText, ratio);
    const double scroll = ScrollCost(10000);
    std::printf(
        "scrolling a 10,000-line text one notch, repaint included: median %.1f us"
        " (goal: <= 4000 us)\n",
        scroll);
    const bool ok = shortText <= 2000 && longText <= 2000 && ratio <= 1.5 && scroll <= 4000;
    return ok ? 0 : 1;
}
