#pragma once

// Stands in for the clipboard's Unicode text (OpenClipboard ... CF_UNICODETEXT)
// with a smaller interface: the whole text in, the whole text out, through
// SDL's clipboard (the X11 CLIPBOARD selection under a display, a store inside
// the process offscreen). Under X11 other programs can paste what was set only
// while the display thread's message loop runs, which answers their requests.
// Needs the display: a window of this process made on the display thread.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

bool SetClipboardText(std::wstring_view text);
// Nullopt when the clipboard holds no text or empty text (or no display
// runs); text that is not valid UTF-8 is refused rather than guessed at.
std::optional<std::wstring> GetClipboardText();

}  // namespace platform
