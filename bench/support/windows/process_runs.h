#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/process/windows/command_line.h"
#include "platform/text/text_codec.h"

namespace bench_support {

// A launcher's exit code when another one held the machine-wide name.
inline constexpr int kAnotherLauncherStatus = 1314;

inline std::wstring WideText(const std::string& text) {
    return platform::DecodeUtf8(text).value_or(std::wstring());
}

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using ProcessHandle = std::unique_ptr<void, HandleCloser>;

// Starts a program (argv[0] a path) with this environment and its output
// thrown away; null when it did not start.
inline ProcessHandle StartQuiet(const std::vector<std::string>& args) {
    std::wstring commandLine;
    for (const auto& arg : args) {
        commandLine += (commandLine.empty() ? L"" : L" ") + platform::QuotedArgument(WideText(arg));
    }
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const ProcessHandle nul(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING,
                                        0, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul.get();
    startup.hStdOutput = nul.get();
    startup.hStdError = nul.get();
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(WideText(args[0]).c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                        nullptr, nullptr, &startup, &info)) {
        return {};
    }
    CloseHandle(info.hThread);
    return ProcessHandle(info.hProcess);
}

// Runs a program quietly (StartQuiet) to its end: its exit code, -1 when
// it did not start.
inline int RunToEnd(const std::vector<std::string>& args) {
    const ProcessHandle process = StartQuiet(args);
    DWORD code = 0;
    if (!process || WaitForSingleObject(process.get(), INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.get(), &code)) {
        return -1;
    }
    return static_cast<int>(code);
}

// Sets a variable of this process's environment for what it starts next;
// null removes it.
inline void SetVariable(const char* name, const char* value) {
    SetEnvironmentVariableW(WideText(name).c_str(),
                            value == nullptr ? nullptr : WideText(value).c_str());
}

// The wine desktop is the display: nothing to leave out.
inline void LeaveOutDisplay() {}

}  // namespace bench_support
