#include "tests/launcher_windows/launcher_window_support.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "launcher/windows/skin_archive_resource.h"
#include "platform/resources/module_handle.h"
#include "platform/window/window_api.h"
#include "tests/support/window_input.h"
#include "tests/ui/support/presented_pixel.h"
#include "tests/ui/window/skinned_window_support.h"
#include "ui/core/resource_settings.h"

namespace launcher_windows_testing {

namespace {

constexpr const wchar_t* kAnswererClass = L"VantuBoxAnswerer";
constexpr UINT kTickMs = 10;
// 5 s for a box to come and go.
constexpr int kMaxTicks = 500;

}  // namespace

void PrepareDisplayAndSkins() {
    test_input::PrepareDisplay();
    VantuUI::CResourceSettings::SetProgramModule(platform::CurrentModule());
    vantu::LoadSkinArchiveResource();
}

VantuUI::CWindowManagerUI* ManagerOf(HWND window) {
    for (VantuUI::CWindowManagerUI* manager : VantuUI::CWindowManagerUI::LiveManagers()) {
        if (manager->WindowHandle() == window) {
            return manager;
        }
    }
    return nullptr;
}

VantuUI::CControlUI* ControlOf(HWND window, const wchar_t* name) {
    VantuUI::CWindowManagerUI* manager = ManagerOf(window);
    return manager != nullptr ? manager->ControlByName(name) : nullptr;
}

std::wstring TextOf(HWND window, const wchar_t* name) {
    VantuUI::CControlUI* control = ControlOf(window, name);
    return control != nullptr ? control->GetText() : L"(no " + std::wstring(name) + L")";
}

void ClickAt(HWND window, int x, int y) {
    test_input::MouseMove(window, x, y);
    test_input::MouseButton(window, test_input::Button::Left, true, x, y);
    test_input::MouseButton(window, test_input::Button::Left, false, x, y);
}

void ClickControl(HWND window, const wchar_t* name) {
    VantuUI::CControlUI* control = ControlOf(window, name);
    ASSERT_NE(control, nullptr) << "no control named " << std::filesystem::path(name);
    const RECT r = control->GetItemRect();
    ClickAt(window, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void PressKey(HWND window, int virtualKey) {
    test_input::Focus(window, true);
    test_input::Key(window, virtualKey, true);
    test_input::Key(window, virtualKey, false);
}

void RunMessages() {
    ui_testing::PumpLikeTheProduct();
}

BoxAnswerer::BoxAnswerer(std::wstring button) : m_button(std::move(button)) {
    WNDCLASS wc{};
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = kAnswererClass;
    RegisterClass(&wc);
    m_timerWindow = CreateWindowEx(0, kAnswererClass, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                   nullptr, this);
    SetTimer(m_timerWindow, 1, kTickMs, nullptr);
}

BoxAnswerer::~BoxAnswerer() {
    DestroyWindow(m_timerWindow);
}

LRESULT CALLBACK BoxAnswerer::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
        SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == WM_TIMER) {
        if (auto* self = reinterpret_cast<BoxAnswerer*>(GetWindowLongPtr(hwnd, GWLP_USERDATA))) {
            self->Tick();
        }
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

void BoxAnswerer::Tick() {
    ++m_ticks;
    if (m_answered != nullptr && IsWindow(m_answered)) {
        if (m_ticks > kMaxTicks) {
            ADD_FAILURE() << "the message box did not close when answered";
            DestroyWindow(m_answered);
        }
        return;
    }
    HWND box = GetActiveWindow();
    wchar_t cls[32] = {};
    if (box == nullptr || GetClassName(box, cls, 32) == 0 || std::wstring(cls) != L"MessageBox" ||
        box == m_answered || ManagerOf(box) == nullptr) {
        return;
    }
    // The box's controls are laid out on its first paint. The timer can fire
    // inside that run (on a slow machine): the nested tick must not answer the
    // same box again.
    if (m_inTick) {
        return;
    }
    m_inTick = true;
    RunMessages();
    m_inTick = false;
    SeenBox seen;
    seen.title = TextOf(box, L"Title_Label");
    seen.content = TextOf(box, L"Content_Label");
    VantuUI::CControlUI* cancel = ControlOf(box, L"Cancel_Btn");
    seen.cancelVisible = cancel != nullptr && cancel->IsVisible();
    seen.owner = GetWindow(box, GW_OWNER);
    seen.ownerEnabled = seen.owner == nullptr || IsWindowEnabled(seen.owner) != FALSE;
    m_last = seen;
    ++m_count;
    m_answered = box;
    m_ticks = 0;
    if (m_button == L"Escape") {
        PressKey(box, VK_ESCAPE);
    } else {
        ClickControl(box, m_button.c_str());
    }
}

namespace {

bool IsInk(std::uint32_t colour) {
    const unsigned r = colour >> 16 & 0xFF;
    const unsigned g = colour >> 8 & 0xFF;
    const unsigned b = colour & 0xFF;
    return r > 0x70 && g > 0x70 && b > 0x70;
}

}  // namespace

bool HasInk(HWND window, const RECT& rect) {
    return InkRows(ui_testing::CapturePresented(window), rect) > 0;
}

int InkRows(const ui_testing::PresentedImage& shown, const RECT& rect) {
    int rows = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            if (IsInk(shown.At(x, y))) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

}  // namespace launcher_windows_testing
