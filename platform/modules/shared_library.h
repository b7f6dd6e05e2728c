#pragma once

// A shared library loaded at run time: the one owner of a dlopen handle, or
// of a module handle on Windows. Failures come back as the loader's own text.

#include <string>
#include <string_view>

namespace platform {

class SharedLibrary {
  public:
    // Nothing loaded.
    SharedLibrary() = default;
    ~SharedLibrary();
    SharedLibrary(SharedLibrary&& other) noexcept;
    SharedLibrary& operator=(SharedLibrary&& other) noexcept;
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // Whether the library's code goes when its owner does. Code that may
    // still run on a detached thread at exit needs it to stay.
    enum class Unload { WithOwner, Never };

    // When functions are bound: all at once (a missing one fails the load),
    // or each at its first call, which spares a library that brings many
    // others the binding of the functions it never calls.
    enum class Binding { AtLoad, AtFirstCall };

    // Loads the library at the path (file system bytes), offering none of
    // its symbols to libraries loaded later. On failure the result is empty
    // and LoadError() says why.
    // On Windows the path is UTF-8 and Binding has no effect (functions are
    // bound at load); a library is loaded by its full path, its dependencies
    // looked up beside it, or by a bare name from the system folder only:
    // never from the current folder or PATH.
    static SharedLibrary Load(const std::string& path, Unload unload = Unload::WithOwner,
                              Binding binding = Binding::AtLoad);
    // The same for a wide path (on Linux, encoded as a file name).
    static SharedLibrary Load(std::wstring_view path, Unload unload = Unload::WithOwner,
                              Binding binding = Binding::AtLoad);

    bool Loaded() const { return m_handle != nullptr; }
    const std::string& LoadError() const { return m_loadError; }

    // The address of an exported symbol; null when it is missing, `error`
    // then saying why.
    void* Symbol(const char* name, std::string& error) const;
    // The same, for callers that only need to know whether it is there.
    void* Symbol(const char* name) const;

  private:
    void* m_handle = nullptr;
    std::string m_loadError;
};

}  // namespace platform
