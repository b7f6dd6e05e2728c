#include "tests/support/host_program.h"

#include <windows.h>

#include <stdexcept>
#include <thread>

#include "platform/process/windows/command_line.h"
#include "platform/text/text_codec.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

namespace {

// Wine's own path conversions (kernel32 exports them under wine only).
using ToUnix = char*(CDECL*)(const wchar_t*);
using FromUnix = wchar_t*(CDECL*)(const char*);

template <typename Function>
Function WineFunction(const char* name) {
    auto function = reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
    if (function == nullptr) {
        throw std::runtime_error(std::string("the programs of the host need wine: no ") + name);
    }
    return function;
}

std::wstring Wide(const std::string& text) {
    auto wide = platform::DecodeUtf8(text);
    if (!wide) {
        throw std::runtime_error("not UTF-8: " + text);
    }
    return *wide;
}

std::wstring WindowsPath(const std::string& hostPath) {
    wchar_t* converted = WineFunction<FromUnix>("wine_get_dos_file_name")(hostPath.c_str());
    if (converted == nullptr) {
        throw std::runtime_error("wine has no name for " + hostPath);
    }
    std::wstring path = converted;
    HeapFree(GetProcessHeap(), 0, converted);
    return path;
}

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

Handle OpenShared(const std::filesystem::path& path, DWORD access, DWORD creation,
                  bool inheritable) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, inheritable ? TRUE : FALSE};
    HANDLE handle = CreateFileW(path.wstring().c_str(), access,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                                creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot open " + path.string());
    }
    return Handle(handle);
}

}  // namespace

struct HostProgram::Running {
    TempDir folder;  // out, err and the lifeline
    Handle lifeline;
};

HostProgram::HostProgram(const std::string& program, const std::vector<std::string>& args)
    : m_running(std::make_unique<Running>()) {
    const auto lifelinePath = m_running->folder / "lifeline";
    m_running->lifeline =
        OpenShared(lifelinePath, GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS, false);
    OVERLAPPED first{};
    if (!LockFileEx(m_running->lifeline.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY,
                    0, 1, 0, &first)) {
        throw std::runtime_error("cannot lock the lifeline");
    }
    std::wstring commandLine = platform::QuotedArgument(Wide(program));
    for (const auto& arg : args) {
        commandLine += L" " + platform::QuotedArgument(Wide(arg));
    }
    commandLine += L" --lifeline " + platform::QuotedArgument(Wide(HostPath(lifelinePath)));

    Handle in = OpenShared(L"NUL", GENERIC_READ, OPEN_EXISTING, true);
    Handle out = OpenShared(m_running->folder / "out", GENERIC_WRITE, CREATE_ALWAYS, true);
    Handle err = OpenShared(m_running->folder / "err", GENERIC_WRITE, CREATE_ALWAYS, true);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in.get();
    startup.hStdOutput = out.get();
    startup.hStdError = err.get();
    PROCESS_INFORMATION info{};
    // Wine starts a Linux program itself and answers with no handles.
    if (!CreateProcessW(WindowsPath(program).c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                        nullptr, nullptr, &startup, &info)) {
        throw std::runtime_error("cannot start " + program + ": error " +
                                 std::to_string(GetLastError()));
    }
    if (info.hProcess != nullptr) {
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
}

HostProgram::~HostProgram() {
    m_running->lifeline.reset();
    // Its ports and files are free once it says so.
    WaitForOutput("stopped", std::chrono::seconds(10));
}

std::string HostProgram::Out() const {
    std::error_code error;
    const auto path = m_running->folder / "out";
    return std::filesystem::exists(path, error) ? WithLineFeeds(ReadFile(path)) : std::string();
}

std::string HostProgram::Err() const {
    std::error_code error;
    const auto path = m_running->folder / "err";
    return std::filesystem::exists(path, error) ? WithLineFeeds(ReadFile(path)) : std::string();
}

std::string HostPath(const std::filesystem::path& path) {
    if (!path.has_root_name()) {
        return path.generic_string();
    }
    char* converted = WineFunction<ToUnix>("wine_get_unix_file_name")(path.wstring().c_str());
    if (converted == nullptr) {
        throw std::runtime_error("no Linux path for " + path.string());
    }
    std::string unixPath = converted;
    HeapFree(GetProcessHeap(), 0, converted);
    return unixPath;
}

std::filesystem::path GuestPath(const std::filesystem::path& path) {
    return path.has_root_name() ? path : std::filesystem::path(WindowsPath(path.generic_string()));
}

}  // namespace testing_support
