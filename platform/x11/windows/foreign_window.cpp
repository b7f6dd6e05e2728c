#include "platform/x11/foreign_window.h"

#include <algorithm>
#include <string>

namespace platform {

ForeignWindow FindForeignWindow(std::wstring_view className, std::wstring_view title) {
    const std::wstring classText(className);
    const std::wstring titleText(title);
    return reinterpret_cast<ForeignWindow>(FindWindowW(classText.c_str(), titleText.c_str()));
}

bool SendForeignMessage(ForeignWindow window, UINT message, WPARAM wParam, LPARAM lParam,
                        std::chrono::milliseconds timeout, LRESULT* result) {
    if (window == 0) {
        return false;
    }
    // A hung receiver is given up on at once rather than after the time-out.
    DWORD_PTR answer = 0;
    const auto milliseconds = static_cast<UINT>(std::max<long long>(timeout.count(), 0));
    if (SendMessageTimeoutW(reinterpret_cast<HWND>(window), message, wParam, lParam,
                            SMTO_ABORTIFHUNG | SMTO_ERRORONEXIT, milliseconds, &answer) == 0) {
        return false;
    }
    if (result != nullptr) {
        *result = static_cast<LRESULT>(answer);
    }
    return true;
}

}  // namespace platform
