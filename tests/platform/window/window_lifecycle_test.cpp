#include <algorithm>
#include <atomic>
#include <thread>

#include "platform/window/display/display_seam.h"
#include "tests/platform/window/window_test_support.h"
#include "tests/support/deadline.h"

namespace {

using namespace window_testing;
using testing_support::Deadline;
using testing_support::GetMessageBefore;
using testing_support::WaitUntil;
using namespace std::chrono_literals;

std::vector<UINT> Messages(const std::vector<Seen>& seen) {
    std::vector<UINT> out;
    for (const auto& s : seen) {
        out.push_back(s.message);
    }
    return out;
}

TEST_F(WindowTest, CreationPaintAndQuitComeInWindowsOrder) {
    int param = 0;
    void* createParam = nullptr;
    Answers() = [&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message == WM_NCCREATE || message == WM_CREATE) {
            createParam = reinterpret_cast<CREATESTRUCT*>(lParam)->lpCreateParams;
        }
        return std::nullopt;
    };
    HWND hwnd = CreateWindowEx(0, TestClass(), L"标题", WS_POPUP, 10, 20, 200, 100, nullptr,
                               nullptr, nullptr, &param);
    made.push_back(hwnd);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(createParam, &param);
    EXPECT_EQ(Messages(Of(hwnd)),
              (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}));
    EXPECT_EQ(Of(hwnd, WM_SIZE)[0].lParam, MAKELPARAM(200, 100));

    Log().clear();
    ShowWindow(hwnd, SW_SHOWNORMAL);
    EXPECT_EQ(Messages(Of(hwnd)).front(), WM_GETMINMAXINFO);  // limits for the display
    EXPECT_EQ(Of(hwnd, WM_SHOWWINDOW).size(), 1u);
    EXPECT_EQ(GetActiveWindow(), hwnd);
    EXPECT_EQ(GetFocus(), hwnd);

    Log().clear();
    RECT part{0, 0, 10, 10};
    InvalidateRect(hwnd, &part, FALSE);
    PostMessage(hwnd, WM_APP, 1, 0);
    MSG msg;
    std::vector<UINT> order;
    // Paint comes only when nothing is posted; quit ends the loop after the
    // posted messages (and before paint, as there).
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        order.push_back(msg.message);
        DispatchMessage(&msg);
        if (msg.message == WM_PAINT) {
            // Validated by DefWindowProc's BeginPaint: no second WM_PAINT.
            EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));
        }
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_APP, WM_PAINT}));
    InvalidateRect(hwnd, nullptr, FALSE);
    PostMessage(hwnd, WM_APP, 2, 0);
    PostQuitMessage(5);
    const Deadline deadline(10s);
    ASSERT_TRUE(GetMessageBefore(deadline, &msg, "the posted message"));
    EXPECT_EQ(msg.message, WM_APP);
    EXPECT_FALSE(GetMessageBefore(deadline, &msg, "WM_QUIT"));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 5u);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_PAINT);
    DispatchMessage(&msg);

    wchar_t title[16];
    EXPECT_EQ(GetWindowText(hwnd, title, 16), 2);
    EXPECT_EQ(std::wstring(title), L"标题");
}

TEST_F(WindowTest, DestroySendsDestroyParentFirstAndNcDestroyChildFirst) {
    HWND parent = Top(0, 0, 100, 100);
    HWND child = MakeChild(parent, 10, 10, 20, 20);
    HWND grandChild = MakeChild(child, 1, 1, 5, 5);
    Log().clear();
    ASSERT_TRUE(DestroyWindow(parent));
    std::vector<std::pair<HWND, UINT>> order;
    for (const auto& s : Log()) {
        if (s.message == WM_DESTROY || s.message == WM_NCDESTROY) {
            order.emplace_back(s.hwnd, s.message);
        }
    }
    EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{{parent, WM_DESTROY},
                                                         {child, WM_DESTROY},
                                                         {grandChild, WM_DESTROY},
                                                         {grandChild, WM_NCDESTROY},
                                                         {child, WM_NCDESTROY},
                                                         {parent, WM_NCDESTROY}}));
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowTest, CreateFailsWhenTheProcedureRefuses) {
    Answers() = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CREATE) {
            return -1;
        }
        return std::nullopt;
    };
    HWND hwnd = MakeTopLevel(0, 0, 10, 10);
    EXPECT_EQ(hwnd, nullptr);
    ASSERT_FALSE(Log().empty());
    EXPECT_EQ(Log().back().message, WM_NCDESTROY);
    EXPECT_EQ(CreateWindowEx(0, L"NoSuchClass", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                             nullptr, nullptr),
              nullptr);
}

TEST_F(WindowTest, MessagesToADestroyedWindowAreDropped) {
    HWND hwnd = Top(0, 0, 50, 50);
    platform::seam::RunPendingMessages();
    EXPECT_TRUE(PostMessage(hwnd, WM_APP, 1, 0));
    SetTimer(hwnd, 7, 10, nullptr);
    DestroyWindow(hwnd);
    Log().clear();
    EXPECT_FALSE(PostMessage(hwnd, WM_APP, 2, 0));
    EXPECT_EQ(SendMessage(hwnd, WM_APP, 3, 0), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
    platform::seam::RunPendingMessages();
    EXPECT_TRUE(Log().empty());
}

// A thread that keeps posting progress while windows come and go, as the
// upgrade worker does while boxes open and close over its window: each post
// reaches a live window or is dropped, and none reaches a destroyed one.
TEST_F(WindowTest, PostsRacingWindowsThatComeAndGoReachOnlyLiveOnes) {
    constexpr UINT kProgress = WM_APP + 9;
    std::atomic<HWND> target{nullptr};
    std::atomic<bool> stop{false};
    std::jthread poster([&] {
        while (!stop) {
            if (HWND hwnd = target.load()) {
                PostMessage(hwnd, kProgress, 0, 0);
            }
            std::this_thread::sleep_for(200us);
        }
    });
    std::vector<HWND> gone;
    int delivered = 0;
    Answers() = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message != kProgress) {
            return std::nullopt;
        }
        EXPECT_EQ(std::count(gone.begin(), gone.end(), hwnd), 0) << "a post reached a gone window";
        ++delivered;
        return 0;
    };
    for (int round = 0; round < 100; ++round) {
        HWND hwnd = Top(0, 0, 50, 50);
        target = hwnd;
        const int before = delivered;
        ASSERT_TRUE(WaitUntil(Deadline(10s),
                              [&] {
                                  platform::seam::RunPendingMessages();
                                  return delivered > before;
                              }))
            << "no post reached window " << round;
        // Destroyed while the other thread may be posting to it.
        DestroyWindow(hwnd);
        gone.push_back(hwnd);
        platform::seam::RunPendingMessages();
    }
    stop = true;
    target = nullptr;
    poster.join();
    platform::seam::RunPendingMessages();
    Log().clear();
}

TEST_F(WindowTest, FourThreadsPostingFiftyThousandEachArriveInOrder) {
    HWND hwnd = Top(0, 0, 50, 50);
    platform::seam::RunPendingMessages();
    constexpr int kThreads = 4;
    constexpr int kEach = 50000;
    std::vector<std::jthread> posters;  // joined however the test ends
    for (int t = 0; t < kThreads; ++t) {
        posters.emplace_back([=] {
            for (int i = 0; i < kEach; ++i) {
                ASSERT_TRUE(PostMessage(hwnd, WM_APP + 5, static_cast<WPARAM>(t), i));
            }
        });
    }
    std::vector<LPARAM> next(kThreads, 0);
    int received = 0;
    MSG msg;
    while (received < kThreads * kEach &&
           GetMessageBefore(Deadline(10s), &msg, "the posts of the other threads")) {
        if (msg.message != WM_APP + 5) {
            DispatchMessage(&msg);
            continue;
        }
        ASSERT_LT(msg.wParam, static_cast<WPARAM>(kThreads));
        ASSERT_EQ(msg.lParam, next[msg.wParam]++);
        ++received;
    }
    for (auto& t : posters) {
        t.join();
    }
    EXPECT_EQ(received, kThreads * kEach);
}

TEST_F(WindowTest, TimersFireWithinTolerance) {
    HWND hwnd = Top(0, 0, 50, 50);
    platform::seam::RunPendingMessages();
    constexpr int kInterval = 25;
    ASSERT_EQ(SetTimer(hwnd, 42, kInterval, nullptr), 42u);
    auto start = std::chrono::steady_clock::now();
    std::vector<std::chrono::steady_clock::time_point> ticks;
    MSG msg;
    const Deadline deadline(10s);
    while (ticks.size() < 6 && GetMessageBefore(deadline, &msg, "six timer ticks")) {
        if (msg.message == WM_TIMER) {
            EXPECT_EQ(msg.hwnd, hwnd);
            EXPECT_EQ(msg.wParam, 42u);
            ticks.push_back(std::chrono::steady_clock::now());
        }
        DispatchMessage(&msg);
    }
    ASSERT_EQ(ticks.size(), 6u);
    using std::chrono::milliseconds;
    auto total = std::chrono::duration_cast<milliseconds>(ticks.back() - start).count();
    EXPECT_GE(total, 6 * kInterval - 2);
    EXPECT_LT(total, 6 * kInterval + 150);
    for (size_t i = 1; i < ticks.size(); ++i) {
        auto gap = std::chrono::duration_cast<milliseconds>(ticks[i] - ticks[i - 1]).count();
        EXPECT_GE(gap, kInterval - 2);
    }
    EXPECT_TRUE(KillTimer(hwnd, 42));
    EXPECT_FALSE(KillTimer(hwnd, 42));
    Log().clear();
    std::this_thread::sleep_for(milliseconds(kInterval + 10));
    platform::seam::RunPendingMessages();
    EXPECT_TRUE(Of(hwnd, WM_TIMER).empty());
}

TEST_F(WindowTest, ModalLoopDisablesItsOwnerAndEnablesItAgain) {
    HWND owner = Top(0, 0, 300, 200);
    platform::seam::RunPendingMessages();
    HWND modal = Top(50, 50, 100, 80, WS_POPUP, owner);
    EXPECT_EQ(GetParent(modal), owner);
    // What a modal run does: owner off, window shown, loop while it exists.
    Answers() = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (hwnd == modal && message == WM_CLOSE) {
            EnableWindow(owner, TRUE);
            SetFocus(owner);
        }
        return std::nullopt;
    };
    EnableWindow(owner, FALSE);
    ShowWindow(modal, SW_SHOWNORMAL);
    EXPECT_FALSE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), modal);
    // A click on the owner is not delivered while it is disabled, and the
    // display's focus on it passes to the modal window.
    platform::seam::MouseButton(owner, SDL_BUTTON_LEFT, true, 10, 10);
    platform::seam::MouseButton(owner, SDL_BUTTON_LEFT, false, 10, 10);
    platform::seam::Focus(owner, true);
    platform::seam::Key(modal, SDLK_F4, true, KMOD_LALT);
    MSG msg;
    const Deadline deadline(10s);
    while (IsWindow(modal) && GetMessageBefore(deadline, &msg, "the modal window's end")) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    EXPECT_FALSE(IsWindow(modal));
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_TRUE(Of(owner, WM_LBUTTONDOWN).empty());
    EXPECT_EQ(Of(owner, WM_ENABLE).size(), 2u);
    EXPECT_EQ(Of(modal, WM_CLOSE).size(), 1u);
    EXPECT_EQ(Of(modal, WM_SYSCOMMAND)[0].wParam, SC_CLOSE);
}

TEST_F(WindowTest, WindowsOfAnotherThreadRunInThatThreadsLoop) {
    // Off the display thread a window has no display window, but the same
    // messages, timers and painting.
    std::vector<UINT> seen;
    HWND made = nullptr;
    std::atomic<bool> ready{false};
    std::thread worker([&] {
        WNDCLASS wc;
        wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (message == WM_TIMER) {
                KillTimer(hwnd, wParam);
                PostQuitMessage(0);
            }
            return DefWindowProc(hwnd, message, wParam, lParam);
        };
        wc.lpszClassName = L"VantuWorkerWindow";
        RegisterClass(&wc);
        made = CreateWindowEx(0, L"VantuWorkerWindow", L"", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20,
                              nullptr, nullptr, nullptr, nullptr);
        SetTimer(made, 3, 20, nullptr);
        ready = true;
        MSG msg;
        const Deadline deadline(10s);
        while (GetMessageBefore(deadline, &msg, "the worker's timer, which ends its loop")) {
            seen.push_back(msg.message);
            DispatchMessage(&msg);
        }
        RECT area{};
        EXPECT_NE(platform::WindowBackBuffer(made, &area), nullptr);
        EXPECT_EQ(platform::NativeWindowId(made), 0u);
        DestroyWindow(made);
    });
    while (!ready) {
        std::this_thread::yield();
    }
    EXPECT_FALSE(DestroyWindow(made));  // not from this thread
    PostMessage(made, WM_APP, 0, 0);
    worker.join();
    EXPECT_NE(std::find(seen.begin(), seen.end(), WM_PAINT), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), WM_TIMER), seen.end());
    EXPECT_FALSE(IsWindow(made));
}

TEST_F(WindowTest, WindowLongsAndGeometry) {
    HWND hwnd = Top(100, 50, 200, 100, WS_POPUP | WS_CAPTION | WS_VISIBLE);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)),
              WS_POPUP | WS_CAPTION | WS_VISIBLE);
    SetWindowLong(
        hwnd, GWL_STYLE,
        static_cast<LONG>((GetWindowLong(hwnd, GWL_STYLE) & ~WS_CAPTION) | WS_CLIPCHILDREN));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)),
              WS_POPUP | WS_CLIPCHILDREN | WS_VISIBLE);
    SetWindowLongPtr(hwnd, GWLP_USERDATA, 1234);
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_USERDATA), 1234);

    HWND child = MakeChild(hwnd, 20, 30, 50, 40);
    EXPECT_TRUE(IsChild(hwnd, child));
    EXPECT_FALSE(IsChild(child, hwnd));
    int object = 0;
    EXPECT_TRUE(SetProp(child, L"WndX", &object));
    EXPECT_EQ(GetProp(child, L"WndX"), &object);
    EXPECT_EQ(RemoveProp(child, L"WndX"), &object);
    EXPECT_EQ(GetProp(child, L"WndX"), nullptr);
    POINT mapped{1, 2};
    MapWindowPoints(child, hwnd, &mapped, 1);
    EXPECT_EQ(mapped, (POINT{21, 32}));
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r, (RECT{120, 80, 170, 120}));
    GetClientRect(child, &r);
    EXPECT_EQ(r, (RECT{0, 0, 50, 40}));
    POINT p{125, 85};
    ScreenToClient(child, &p);
    EXPECT_EQ(p, (POINT{5, 5}));
    ClientToScreen(hwnd, &p);
    EXPECT_EQ(p, (POINT{105, 55}));

    Log().clear();
    SetWindowPos(hwnd, nullptr, 0, 0, 300, 150, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_EQ(Of(hwnd, WM_SIZE).size(), 1u);
    EXPECT_EQ(Of(hwnd, WM_SIZE)[0].lParam, MAKELPARAM(300, 150));
    EXPECT_TRUE(Of(hwnd, WM_MOVE).empty());
    MoveWindow(hwnd, 10, 10, 300, 150, TRUE);
    EXPECT_EQ(Of(hwnd, WM_MOVE).size(), 1u);
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r, (RECT{10, 10, 310, 160}));

    MONITORINFO info;
    ASSERT_TRUE(GetMonitorInfo(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info));
    EXPECT_GT(info.rcWork.right - info.rcWork.left, 0);
    ShowWindow(hwnd, SW_MAXIMIZE);
    EXPECT_TRUE(IsZoomed(hwnd));
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r, info.rcWork);
    ShowWindow(hwnd, SW_RESTORE);
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r, (RECT{10, 10, 310, 160}));

    // CW_USEDEFAULT: a popup starts empty at the origin.
    HWND popup = Top(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, WS_POPUP);
    GetWindowRect(popup, &r);
    EXPECT_EQ(r, (RECT{0, 0, 0, 0}));
    HWND overlapped = Top(CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, WS_OVERLAPPED);
    GetWindowRect(overlapped, &r);
    EXPECT_GT(r.right - r.left, 0);
}

}  // namespace
