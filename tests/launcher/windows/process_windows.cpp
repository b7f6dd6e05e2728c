#include "tests/launcher/windows/process_windows.h"

#include <array>

#include <gtest/gtest.h>

#include "tests/support/deadline.h"

namespace testing_support {

namespace {

// Looking is cheap, but the launcher under test needs the cores more.
constexpr std::chrono::milliseconds kPoll(50);

struct Search {
    DWORD pid;
    const wchar_t* cls;
    HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    std::array<wchar_t, 64> cls{};
    if (owner == search->pid && IsWindowVisible(window) &&
        GetClassNameW(window, cls.data(), static_cast<int>(cls.size())) > 0 &&
        std::wstring(cls.data()) == search->cls) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindProcessWindow(DWORD pid, const wchar_t* cls) {
    Search search{pid, cls};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

HWND WaitForProcessWindow(DWORD pid, const wchar_t* cls, std::chrono::milliseconds wait) {
    HWND found = nullptr;
    WaitUntil(
        Deadline(wait), [&] { return (found = FindProcessWindow(pid, cls)) != nullptr; }, kPoll);
    return found;
}

bool WaitForNoProcessWindow(DWORD pid, const wchar_t* cls, std::chrono::milliseconds wait) {
    return WaitUntil(
        Deadline(wait), [&] { return FindProcessWindow(pid, cls) == nullptr; }, kPoll);
}

void ClickClient(HWND window, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageW(window, WM_MOUSEMOVE, 0, at);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
}

std::wstring AnswerProcessBox(DWORD pid, POINT button, std::chrono::milliseconds wait) {
    HWND box = WaitForProcessWindow(pid, L"MessageBox", wait);
    if (box == nullptr) {
        ADD_FAILURE() << "no message box";
        return L"";
    }
    EXPECT_EQ(ClientSizeOf(box).cx, 370);
    EXPECT_EQ(ClientSizeOf(box).cy, 208);
    const std::wstring caption = CaptionOf(box);
    // A click may come before the box is laid out: one more is still the test.
    for (int attempt = 0; attempt < 3; ++attempt) {
        ClickClient(box, button.x, button.y);
        if (WaitForNoProcessWindow(pid, L"MessageBox", std::chrono::seconds(5))) {
            return caption;
        }
    }
    ADD_FAILURE() << "the box stayed";
    return caption;
}

std::wstring CaptionOf(HWND window) {
    std::array<wchar_t, 256> text{};
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return std::wstring(text.data(), length > 0 ? length : 0);
}

SIZE ClientSizeOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

}  // namespace testing_support
