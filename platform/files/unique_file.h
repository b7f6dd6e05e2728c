#pragma once

// The one owner of an open file: a POSIX descriptor, or a HANDLE on Windows.
// Closed when the object goes.

#include <utility>

namespace platform {

#ifdef _WIN32
using FileHandle = void*;
inline const FileHandle kNoFile = reinterpret_cast<FileHandle>(-1);  // INVALID_HANDLE_VALUE
#else
using FileHandle = int;
inline constexpr FileHandle kNoFile = -1;
#endif

// Closes a handle; true when the close succeeded.
bool CloseFileHandle(FileHandle handle);

class UniqueFile {
  public:
    UniqueFile() = default;
    explicit UniqueFile(FileHandle handle) : m_handle(handle) {}
    ~UniqueFile() { Reset(); }
    UniqueFile(UniqueFile&& other) noexcept : m_handle(std::exchange(other.m_handle, kNoFile)) {}
    UniqueFile& operator=(UniqueFile&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.m_handle, kNoFile));
        }
        return *this;
    }
    UniqueFile(const UniqueFile&) = delete;
    UniqueFile& operator=(const UniqueFile&) = delete;

    FileHandle Get() const { return m_handle; }
    bool IsValid() const { return m_handle != kNoFile; }
    void Reset(FileHandle handle = kNoFile) {
        if (IsValid()) {
            CloseFileHandle(m_handle);
        }
        m_handle = handle;
    }
    // Closes now and tells whether the close succeeded (a delayed write
    // error shows only here).
    bool Close() { return IsValid() && CloseFileHandle(std::exchange(m_handle, kNoFile)); }

  private:
    FileHandle m_handle = kNoFile;
};

}  // namespace platform
