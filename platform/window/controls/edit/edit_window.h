#pragma once

// The "Edit" window's record and its view: how the text is placed in the
// client area (margins, alignment, scrolling), painted, and hit by the mouse.
// Private to edit/.

#include <string>

#include "platform/win32.h"
#include "platform/window/controls/edit/edit_text_model.h"

namespace platform::controls {

struct EditWindow {
    HWND hwnd = nullptr;
    EditTextModel model;
    HFONT font = nullptr;  // as given with WM_SETFONT (the caller owns it); null: the default
    int leftMargin = 1;
    int rightMargin = 1;
    bool modified = false;
    bool focused = false;
    bool dragging = false;
    POINT scroll{};            // how far the text is scrolled, in pixels
    std::wstring composition;  // the input method's text not yet typed
    int compositionCursor = 0;
};

// The window property holding an edit's record.
inline constexpr wchar_t kEditProperty[] = L"platform.Edit";

// Scrolls so that the caret is visible, and tells the caret and the input
// method where it is.
void ScrollToCaret(EditWindow& edit);
// The character index under a client point.
std::size_t EditIndexAt(EditWindow& edit, POINT client);
// Paints the edit: the parent's colours (WM_CTLCOLOREDIT, or
// WM_CTLCOLORSTATIC when read-only or disabled), the text, the selection,
// the composition and the caret.
void PaintEdit(EditWindow& edit, HDC dc);
// Makes the thread's caret this edit's, as high as a line, and shows it.
void CreateEditCaret(EditWindow& edit);

}  // namespace platform::controls
