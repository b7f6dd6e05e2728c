#pragma once

// The one owner of a COM interface pointer: it holds one reference and
// releases it when it goes.

#include <unknwn.h>

#include <utility>

namespace platform {

template <class T>
class ComOwner {
  public:
    ComOwner() = default;
    // Takes over a reference the caller holds.
    explicit ComOwner(T* object) : m_object(object) {}
    ~ComOwner() { Reset(); }
    ComOwner(ComOwner&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    ComOwner& operator=(ComOwner&& other) noexcept {
        if (this != &other) {
            Reset();
            m_object = std::exchange(other.m_object, nullptr);
        }
        return *this;
    }
    ComOwner(const ComOwner&) = delete;
    ComOwner& operator=(const ComOwner&) = delete;

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
