#include "platform/process/process.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/process/windows/command_line.h"

namespace platform {

namespace {

// An inheritable copy of a handle, closed when the object goes.
class InheritableCopy {
  public:
    explicit InheritableCopy(HANDLE source) {
        if (source != nullptr && source != INVALID_HANDLE_VALUE) {
            DuplicateHandle(GetCurrentProcess(), source, GetCurrentProcess(), &m_handle, 0, TRUE,
                            DUPLICATE_SAME_ACCESS);
        }
    }
    ~InheritableCopy() {
        if (m_handle != nullptr) {
            CloseHandle(m_handle);
        }
    }
    InheritableCopy(const InheritableCopy&) = delete;
    InheritableCopy& operator=(const InheritableCopy&) = delete;
    HANDLE Get() const { return m_handle; }

  private:
    HANDLE m_handle = nullptr;
};

// The null device, opened inheritable for one standard stream.
HANDLE OpenNull(DWORD access) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE handle = CreateFileW(L"NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                OPEN_EXISTING, 0, nullptr);
    return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

struct AttributeListDeleter {
    void operator()(LPPROC_THREAD_ATTRIBUTE_LIST list) const {
        DeleteProcThreadAttributeList(list);
        delete[] reinterpret_cast<char*>(list);
    }
};
using AttributeList = std::unique_ptr<_PROC_THREAD_ATTRIBUTE_LIST, AttributeListDeleter>;

// A list that lets exactly these handles be inherited.
AttributeList HandleListAttribute(std::vector<HANDLE>& handles) {
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    auto* memory = new char[size];
    auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(memory);
    if (!InitializeProcThreadAttributeList(list, 1, 0, &size)) {
        delete[] memory;
        return nullptr;
    }
    AttributeList owner(list);
    if (!UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles.data(),
                                   handles.size() * sizeof(HANDLE), nullptr, nullptr)) {
        return nullptr;
    }
    return owner;
}

}  // namespace

bool StartProcess(const std::wstring& program, const std::vector<std::wstring>& arguments,
                  StandardStreams streams) {
    std::wstring line = QuotedArgument(program);
    for (const auto& argument : arguments) {
        line += L' ' + QuotedArgument(argument);
    }

    HANDLE nullInput = nullptr, nullOutput = nullptr;
    std::unique_ptr<InheritableCopy> input, output, error;
    HANDLE standard[3];
    if (streams == StandardStreams::Null) {
        nullInput = OpenNull(GENERIC_READ);
        nullOutput = OpenNull(GENERIC_WRITE);
        standard[0] = nullInput;
        standard[1] = standard[2] = nullOutput;
    } else {
        input = std::make_unique<InheritableCopy>(GetStdHandle(STD_INPUT_HANDLE));
        output = std::make_unique<InheritableCopy>(GetStdHandle(STD_OUTPUT_HANDLE));
        error = std::make_unique<InheritableCopy>(GetStdHandle(STD_ERROR_HANDLE));
        standard[0] = input->Get();
        standard[1] = output->Get();
        standard[2] = error->Get();
    }
    // Only the standard handles pass, each once: every other inheritable
    // handle of this process (another library's, a socket) stays here.
    std::vector<HANDLE> inherited;
    for (HANDLE handle : standard) {
        if (handle != nullptr &&
            std::find(inherited.begin(), inherited.end(), handle) == inherited.end()) {
            inherited.push_back(handle);
        }
    }
    AttributeList attributes;
    if (!inherited.empty()) {
        attributes = HandleListAttribute(inherited);
    }

    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = standard[0];
    startup.StartupInfo.hStdOutput = standard[1];
    startup.StartupInfo.hStdError = standard[2];
    startup.lpAttributeList = attributes.get();
    PROCESS_INFORMATION started{};
    // A program named without a folder is looked up by the system.
    const bool named = program.find_first_of(L"\\/") != std::wstring::npos;
    const bool ok = (inherited.empty() || attributes) &&
                    CreateProcessW(named ? program.c_str() : nullptr, line.data(), nullptr, nullptr,
                                   attributes ? TRUE : FALSE,
                                   EXTENDED_STARTUPINFO_PRESENT | CREATE_UNICODE_ENVIRONMENT,
                                   nullptr, nullptr, &startup.StartupInfo, &started);
    if (nullInput != nullptr) {
        CloseHandle(nullInput);
    }
    if (nullOutput != nullptr) {
        CloseHandle(nullOutput);
    }
    if (!ok) {
        return false;
    }
    // Not waited for: the system keeps nothing of an ended process once its
    // handles are closed.
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

}  // namespace platform
