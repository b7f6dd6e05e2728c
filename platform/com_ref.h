#pragma once

// The one owner of a COM-style interface pointer (the system's objects on
// Windows, the archive engine's on both systems): it holds one reference and
// releases it when it goes.

#include <utility>

namespace platform {

template <class T>
class ComRef {
  public:
    ComRef() = default;
    // Takes over a reference the caller holds.
    explicit ComRef(T* object) : m_object(object) {}
    ~ComRef() { Reset(); }
    ComRef(ComRef&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept {
        if (this != &other) {
            Reset();
            m_object = std::exchange(other.m_object, nullptr);
        }
        return *this;
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    T* get() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    // Where a creating call writes a new reference; drops the one held.
    T** Receive() {
        Reset();
        return &m_object;
    }
    void Reset() {
        if (T* object = std::exchange(m_object, nullptr)) {
            object->Release();
        }
    }

  private:
    T* m_object = nullptr;
};

}  // namespace platform
