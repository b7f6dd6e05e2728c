#include "platform/modules/shared_library.h"

#include <windows.h>

#include <string>
#include <utility>

#include "platform/text/text_codec.h"

namespace platform {

namespace {

// The system's text for the last error, with its number.
std::string LastLoaderError(const char* what) {
    const DWORD error = GetLastError();
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length > 0 ? std::wstring(text, length) : std::wstring();
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) {
        message.pop_back();
    }
    return std::string(what) + " (error " + std::to_string(error) + ")" +
           (message.empty() ? "" : ": " + EncodeUtf8(message));
}

bool IsAbsolute(std::wstring_view path) {
    const bool drive = path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
    const bool share = path.starts_with(L"\\\\") || path.starts_with(L"//");
    return drive || share;
}

bool HasFolder(std::wstring_view path) {
    return path.find_first_of(L"\\/:") != std::wstring_view::npos;
}

}  // namespace

SharedLibrary::~SharedLibrary() {
    if (m_handle != nullptr) {
        FreeLibrary(static_cast<HMODULE>(m_handle));
    }
}

SharedLibrary::SharedLibrary(SharedLibrary&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr)), m_loadError(std::move(other.m_loadError)) {}

SharedLibrary& SharedLibrary::operator=(SharedLibrary&& other) noexcept {
    if (this != &other) {
        if (m_handle != nullptr) {
            FreeLibrary(static_cast<HMODULE>(m_handle));
        }
        m_handle = std::exchange(other.m_handle, nullptr);
        m_loadError = std::move(other.m_loadError);
    }
    return *this;
}

SharedLibrary SharedLibrary::Load(const std::string& path, Unload unload, Binding binding) {
    auto wide = DecodeUtf8(path);
    if (!wide) {
        SharedLibrary library;
        library.m_loadError = "the library's path is not UTF-8";
        return library;
    }
    return Load(std::wstring_view(*wide), unload, binding);
}

SharedLibrary SharedLibrary::Load(std::wstring_view path, Unload unload, Binding /*binding*/) {
    SharedLibrary library;
    // Never the current folder nor PATH: a full path is loaded from there (its
    // own dependencies looked up beside it or in System32, which the altered
    // search order would still follow with the current folder and PATH), a
    // bare name from System32 only. A relative path with folders would start
    // at the current folder.
    DWORD flags;
    if (IsAbsolute(path)) {
        flags = LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32;
    } else if (!path.empty() && !HasFolder(path)) {
        flags = LOAD_LIBRARY_SEARCH_SYSTEM32;
    } else {
        library.m_loadError = "a library is loaded by its full path or from the system folder only";
        return library;
    }
    const std::wstring name(path);
    HMODULE module = LoadLibraryExW(name.c_str(), nullptr, flags);
    if (module == nullptr) {
        library.m_loadError = LastLoaderError("cannot load the library");
        return library;
    }
    if (unload == Unload::Never) {
        HMODULE pinned = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCWSTR>(module), &pinned);
    }
    library.m_handle = module;
    return library;
}

void* SharedLibrary::Symbol(const char* name, std::string& error) const {
    if (m_handle == nullptr) {
        error = "no library loaded";
        return nullptr;
    }
    FARPROC address = GetProcAddress(static_cast<HMODULE>(m_handle), name);
    if (address == nullptr) {
        error = LastLoaderError("the symbol is missing");
        return nullptr;
    }
    return reinterpret_cast<void*>(address);
}

void* SharedLibrary::Symbol(const char* name) const {
    std::string ignored;
    return Symbol(name, ignored);
}

}  // namespace platform
