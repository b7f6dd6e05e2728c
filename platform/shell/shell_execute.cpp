#include "platform/shell/shell_execute.h"

#include <cwchar>
#include <string_view>

#include "platform/process/process.h"

namespace {

constexpr std::intptr_t kStarted = 42;

HINSTANCE Result(std::intptr_t code) {
    return reinterpret_cast<HINSTANCE>(code);
}

bool IsWebAddress(std::wstring_view file) {
    return file.starts_with(L"http://") || file.starts_with(L"https://");
}

}  // namespace

HINSTANCE ShellExecute(HWND /*owner*/, const wchar_t* verb, const wchar_t* file,
                       const wchar_t* /*parameters*/, const wchar_t* /*directory*/, int /*show*/) {
    bool open = verb == nullptr || std::wcscmp(verb, L"open") == 0;
    if (!open || file == nullptr || !IsWebAddress(file)) {
        return Result(SE_ERR_NOASSOC);
    }
    if (!platform::StartProcess(L"xdg-open", {file}, platform::StandardStreams::Inherited)) {
        return Result(SE_ERR_FNF);
    }
    return Result(kStarted);
}
