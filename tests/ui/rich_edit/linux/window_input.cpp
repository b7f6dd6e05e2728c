// On the offscreen display: its input seam.

#include "tests/ui/rich_edit/window_input.h"

#include "platform/shell/clipboard.h"
#include "platform/text/text_codec.h"
#include "platform/window/display/display_seam.h"
#include "tests/ui/manager/managed_window.h"
#include "tests/ui/window/skinned_window_support.h"

namespace rich_edit_testing {

namespace seam = platform::seam;

const wchar_t* ManagedClass() {
    return manager_testing::ManagedClass();
}

void Pump() {
    ui_testing::PumpLikeTheProduct();
}

void RunPendingMessages() {
    seam::RunPendingMessages();
}

void FocusWindow(HWND window) {
    seam::Focus(window, true);
}

void MouseMove(HWND window, int x, int y) {
    seam::MouseMove(window, x, y);
}

void LeftButton(HWND window, bool down, int x, int y) {
    seam::MouseButton(window, SDL_BUTTON_LEFT, down, x, y);
}

void Wheel(HWND window, int notches) {
    seam::MouseWheel(window, notches);
}

void PressKey(HWND window, Key key, bool control) {
    SDL_Keycode code = SDLK_RETURN;
    switch (key) {
        case Key::Return:
            break;
        case Key::Tab:
            code = SDLK_TAB;
            break;
        case Key::Backspace:
            code = SDLK_BACKSPACE;
            break;
        case Key::C:
            code = SDLK_c;
            break;
    }
    const Uint16 modifiers = control ? KMOD_LCTRL : KMOD_NONE;
    if (control) {
        seam::Key(window, SDLK_LCTRL, true);
    }
    seam::Key(window, code, true, modifiers);
    seam::Key(window, code, false, modifiers);
    if (control) {
        seam::Key(window, SDLK_LCTRL, false);
    }
}

void TypeText(HWND window, const std::wstring& text) {
    seam::Text(window, platform::EncodeUtf8(text).c_str());
}

std::uint32_t PresentedPixel(VantuUI::CWindowManagerUI& /*manager*/, HWND window, int x, int y) {
    return seam::PresentedPixel(window, x, y);
}

std::wstring ClipboardText() {
    return platform::GetClipboardText().value_or(L"");
}

bool UnderWine() {
    return false;
}

}  // namespace rich_edit_testing
