#include "platform/shell/shell_execute.h"

#include "platform/shell/web_address.h"

HINSTANCE ShellExecute(HWND owner, const wchar_t* verb, const wchar_t* file,
                       const wchar_t* /*parameters*/, const wchar_t* /*directory*/, int show) {
    if (!platform::IsOpenOfWebAddress(verb, file)) {
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_NOASSOC));
    }
    // No parameters and no folder: the address alone goes to its handler.
    return ShellExecuteW(owner, L"open", file, nullptr, nullptr, show);
}
