#pragma once

// Driving the launcher's windows in this process (the offscreen display on
// Linux, user32 on Windows): clicks on named controls, the message boxes they
// open (answered from inside whatever modal loop runs), their pixels, and the
// home page opener.

#include <functional>
#include <optional>
#include <string>

#include "platform/win32.h"
#include "tests/support/home_page_opener.h"
#include "tests/ui/support/presented_pixel.h"
#include "ui/control/control.h"
#include "ui/core/manager/window_manager.h"

namespace launcher_windows_testing {

using testing_support::HomePageOpener;

// The offscreen display and the program's skin archive, for every test here.
void PrepareDisplayAndSkins();

// The paint manager of a window, or null.
VantuUI::CWindowManagerUI* ManagerOf(HWND window);
// A named control of a window's skin, or null.
VantuUI::CControlUI* ControlOf(HWND window, const wchar_t* name);
std::wstring TextOf(HWND window, const wchar_t* name);

// A left click at a point, or on the middle of a named control (fails the
// test when there is none); queued, seen when the messages run.
void ClickAt(HWND window, int x, int y);
void ClickControl(HWND window, const wchar_t* name);
void PressKey(HWND window, int virtualKey);

// Runs the thread's messages as the launcher's loop does, until none is left.
void RunMessages();

// The box the launcher shows, as the test saw it when answering it.
struct SeenBox {
    std::wstring title;
    std::wstring content;
    bool cancelVisible = false;
    HWND owner = nullptr;
    bool ownerEnabled = true;
};

// Waits, from inside whatever message loop runs, for a "MessageBox" window
// and answers it by clicking the named button (or pressing Escape with
// "Escape"). A box that does not come within the time fails the test; one
// that is not closed by the answer is destroyed, so that no loop waits for
// good.
class BoxAnswerer {
  public:
    explicit BoxAnswerer(std::wstring button);
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    // The boxes answered so far.
    int Count() const { return m_count; }
    const std::optional<SeenBox>& Last() const { return m_last; }

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Tick();

    std::wstring m_button;
    HWND m_timerWindow = nullptr;
    HWND m_answered = nullptr;
    int m_ticks = 0;
    bool m_inTick = false;
    int m_count = 0;
    std::optional<SeenBox> m_last;
};

// Whether a rectangle of what a window presented holds text ink: a pixel
// markedly brighter than the dark skin behind it. Each HWND form captures
// the window once; tests that look more than once capture themselves.
bool HasInk(HWND window, const RECT& rect);
// Rows of a rectangle that hold ink.
int InkRows(const ui_testing::PresentedImage& shown, const RECT& rect);

}  // namespace launcher_windows_testing
