#include "platform/modules/shared_library.h"

#include <dlfcn.h>

#include <utility>

#include "platform/text/text_codec.h"

namespace platform {

namespace {

std::string LastLoaderError(const char* fallback) {
    const char* text = dlerror();
    return text != nullptr ? text : fallback;
}

}  // namespace

SharedLibrary::~SharedLibrary() {
    if (m_handle != nullptr) {
        dlclose(m_handle);
    }
}

SharedLibrary::SharedLibrary(SharedLibrary&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr)), m_loadError(std::move(other.m_loadError)) {}

SharedLibrary& SharedLibrary::operator=(SharedLibrary&& other) noexcept {
    if (this != &other) {
        if (m_handle != nullptr) {
            dlclose(m_handle);
        }
        m_handle = std::exchange(other.m_handle, nullptr);
        m_loadError = std::move(other.m_loadError);
    }
    return *this;
}

SharedLibrary SharedLibrary::Load(const std::string& path, Unload unload, Binding binding) {
    SharedLibrary library;
    const int flags = (binding == Binding::AtLoad ? RTLD_NOW : RTLD_LAZY) | RTLD_LOCAL |
                      (unload == Unload::Never ? RTLD_NODELETE : 0);
    library.m_handle = dlopen(path.c_str(), flags);
    if (library.m_handle == nullptr) {
        library.m_loadError = LastLoaderError("cannot load the library");
    }
    return library;
}

SharedLibrary SharedLibrary::Load(std::wstring_view path, Unload unload, Binding binding) {
    return Load(EncodeFileName(path), unload, binding);
}

void* SharedLibrary::Symbol(const char* name, std::string& error) const {
    if (m_handle == nullptr) {
        error = "no library loaded";
        return nullptr;
    }
    dlerror();  // a symbol may be null by value; only dlerror tells
    void* address = dlsym(m_handle, name);
    if (address == nullptr) {
        error = LastLoaderError("the symbol is null");
    }
    return address;
}

void* SharedLibrary::Symbol(const char* name) const {
    std::string ignored;
    return Symbol(name, ignored);
}

}  // namespace platform
