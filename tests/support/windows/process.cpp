#include <windows.h>

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "platform/process/windows/command_line.h"
#include "platform/text/text_codec.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

namespace {

using Clock = std::chrono::steady_clock;

std::wstring Wide(const std::string& text) {
    auto wide = platform::DecodeUtf8(text);
    if (!wide) {
        throw std::runtime_error("not UTF-8: " + text);
    }
    return *wide;
}

// This process's environment with the given NAME=value entries added or
// replacing, as a block of zero-terminated entries.
std::wstring EnvironmentBlock(const std::vector<std::string>& extra) {
    std::vector<std::wstring> added;
    for (const auto& entry : extra) {
        added.push_back(Wide(entry));
    }
    std::wstring block;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* e = strings; *e != L'\0'; e += wcslen(e) + 1) {
        std::wstring entry = e;
        auto name = entry.substr(0, entry.find(L'=', 1) + 1);
        bool replaced = false;
        for (const auto& x : added) {
            replaced = replaced ||
                       CompareStringOrdinal(x.c_str(), static_cast<int>(name.size()), name.c_str(),
                                            static_cast<int>(name.size()), TRUE) == CSTR_EQUAL;
        }
        if (!replaced) {
            block += entry + L'\0';
        }
    }
    FreeEnvironmentStringsW(strings);
    for (const auto& x : added) {
        block += x + L'\0';
    }
    return block + L'\0';
}

struct Started {
    HANDLE process;
    HANDLE job;
    DWORD id;
};

// Starts the program in a job of its own (so that a time-out ends what it
// started too) with the given handles as standard output and error and
// nothing as standard input.
Started Spawn(const std::filesystem::path& program, const ProcessOptions& options, HANDLE out,
              HANDLE err) {
    std::wstring commandLine = platform::QuotedArgument(program.wstring());
    for (const auto& arg : options.args) {
        commandLine += L" " + platform::QuotedArgument(Wide(arg));
    }
    std::wstring environment = EnvironmentBlock(options.env);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE in = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                            OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    std::wstring directory = options.directory ? options.directory->wstring() : std::wstring();
    PROCESS_INFORMATION info{};
    BOOL started =
        CreateProcessW(program.wstring().c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                       CREATE_UNICODE_ENVIRONMENT | CREATE_SUSPENDED, environment.data(),
                       directory.empty() ? nullptr : directory.c_str(), &startup, &info);
    CloseHandle(in);
    if (!started) {
        throw std::runtime_error("cannot start " + program.string() + ": error " +
                                 std::to_string(GetLastError()));
    }
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    AssignProcessToJobObject(job, info.hProcess);
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    return {info.hProcess, job, info.dwProcessId};
}

int ExitCode(HANDLE process) {
    DWORD code = 0;
    return GetExitCodeProcess(process, &code) ? static_cast<int>(code) : -1;
}

}  // namespace

ProcessResult RunProcess(const std::filesystem::path& program, const ProcessOptions& options) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    if (!CreatePipe(&outRead, &outWrite, &inherit, 0) ||
        !CreatePipe(&errRead, &errWrite, &inherit, 0)) {
        throw std::runtime_error("CreatePipe failed");
    }
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    auto start = Clock::now();
    Started child = Spawn(program, options, outWrite, errWrite);
    CloseHandle(outWrite);
    CloseHandle(errWrite);

    ProcessResult result;
    // The output ends when every holder of the pipes (what the program
    // started included) is gone, or a while after the program ended: wine
    // starts its desktop process from the first program that needs one, and
    // that process keeps the program's standard handles for as long as it
    // lives.
    struct Drain {
        HANDLE pipe;
        std::string* sink;
        bool open = true;
    };
    Drain drains[] = {{outRead, &result.out}, {errRead, &result.err}};
    auto drainAvailable = [](Drain& drain) {
        DWORD available = 0;
        if (!PeekNamedPipe(drain.pipe, nullptr, 0, nullptr, &available, nullptr)) {
            drain.open = false;  // every writer is gone
            return;
        }
        char buffer[4096];
        while (available > 0) {
            DWORD n = 0;
            DWORD want = std::min<DWORD>(available, sizeof buffer);
            if (!::ReadFile(drain.pipe, buffer, want, &n, nullptr) || n == 0) {
                drain.open = false;
                return;
            }
            drain.sink->append(buffer, n);
            available -= n;
        }
    };
    constexpr auto kOutputGrace = std::chrono::seconds(2);
    const auto deadline = start + options.timeout;
    std::optional<Clock::time_point> exited;
    for (;;) {
        for (Drain& drain : drains) {
            if (drain.open) {
                drainAvailable(drain);
            }
        }
        const bool open = drains[0].open || drains[1].open;
        if (!exited && WaitForSingleObject(child.process, 0) == WAIT_OBJECT_0) {
            exited = Clock::now();
            continue;  // one more pass takes what it wrote last
        }
        if (exited && (!open || Clock::now() - *exited >= kOutputGrace)) {
            break;
        }
        if (Clock::now() >= deadline) {
            result.timedOut = true;
            break;
        }
        Sleep(1);
    }
    if (result.timedOut) {
        TerminateJobObject(child.job, 1);
        WaitForSingleObject(child.process, INFINITE);
    }
    result.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    result.exitCode = result.timedOut ? -1 : ExitCode(child.process);
    result.out = WithLineFeeds(std::move(result.out));
    result.err = WithLineFeeds(std::move(result.err));
    CloseHandle(outRead);
    CloseHandle(errRead);
    CloseHandle(child.process);
    CloseHandle(child.job);
    return result;
}

BackgroundProcess::BackgroundProcess(const std::filesystem::path& program,
                                     const ProcessOptions& options) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::filesystem::path folder =
        std::filesystem::path(temp) / ("vantu-bg-" + std::to_string(GetCurrentProcessId()) + "-" +
                                       std::to_string(GetTickCount64()) + "-" +
                                       std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    std::filesystem::create_directories(folder);
    m_outPath = folder / "out";
    m_errPath = folder / "err";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    auto open = [&](const std::filesystem::path& path) {
        return CreateFileW(path.wstring().c_str(), GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                           CREATE_ALWAYS, 0, nullptr);
    };
    HANDLE out = open(m_outPath);
    HANDLE err = open(m_errPath);
    Started child = Spawn(program, options, out, err);
    CloseHandle(out);
    CloseHandle(err);
    m_pid = static_cast<pid_t>(child.id);
    m_handle = child.process;
    m_job = child.job;
}

BackgroundProcess::~BackgroundProcess() {
    if (!m_reaped) {
        TerminateJobObject(m_job, 1);
        WaitForSingleObject(m_handle, 10000);
    }
    CloseHandle(m_handle);
    CloseHandle(m_job);
    std::error_code ignored;
    std::filesystem::remove_all(m_outPath.parent_path(), ignored);
}

std::optional<int> BackgroundProcess::Wait(std::chrono::milliseconds timeout) {
    if (!m_reaped) {
        if (WaitForSingleObject(m_handle, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
            return std::nullopt;
        }
        m_reaped = true;
        m_status = ExitCode(m_handle);
    }
    return m_status;
}

void BackgroundProcess::Kill() {
    TerminateProcess(m_handle, 1);
}

void BackgroundProcess::Signal(int) {
    Kill();
}

}  // namespace testing_support
