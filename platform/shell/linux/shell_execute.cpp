#include "platform/shell/shell_execute.h"

#include "platform/process/process.h"
#include "platform/shell/web_address.h"

namespace {

constexpr std::intptr_t kStarted = 42;

HINSTANCE Result(std::intptr_t code) {
    return reinterpret_cast<HINSTANCE>(code);
}

}  // namespace

HINSTANCE ShellExecute(HWND /*owner*/, const wchar_t* verb, const wchar_t* file,
                       const wchar_t* /*parameters*/, const wchar_t* /*directory*/, int /*show*/) {
    if (!platform::IsOpenOfWebAddress(verb, file)) {
        return Result(SE_ERR_NOASSOC);
    }
    if (!platform::StartProcess(L"xdg-open", {file}, platform::StandardStreams::Inherited)) {
        return Result(SE_ERR_FNF);
    }
    return Result(kStarted);
}
