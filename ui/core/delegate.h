#pragma once

// Delegates: a member function bound to an object, kept in a control's event
// list. The function takes one untyped parameter and returns whether the
// event goes on to the next delegate.

#include <array>
#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>

namespace VantuUI {

class CDelegateBase {
  public:
    virtual ~CDelegateBase() = default;
    // A new delegate of the same kind and target.
    virtual std::unique_ptr<CDelegateBase> Copy() const = 0;
    virtual bool Invoke(void* param) = 0;

    bool operator()(void* param) { return Invoke(param); }
    // Equal when both the object and the function are the same.
    bool operator==(const CDelegateBase& other) const {
        return m_object == other.m_object && m_function == other.m_function;
    }

  protected:
    template <class Function>
    CDelegateBase(void* object, Function function) : m_object(object) {
        static_assert(sizeof(Function) <= sizeof(m_function));
        std::memcpy(m_function.data(), &function, sizeof(Function));
    }
    CDelegateBase(const CDelegateBase&) = default;
    CDelegateBase& operator=(const CDelegateBase&) = default;

    void* Object() const { return m_object; }

  private:
    void* m_object;
    // The function pointer's bytes, only for comparing delegates.
    std::array<unsigned char, 2 * sizeof(void*)> m_function{};
};

// Calls `function`, a member of T, on an object of class O (T or derived).
template <class O, class T>
class CDelegate : public CDelegateBase {
  public:
    using Function = bool (T::*)(void*);

    CDelegate(O* object, Function function)
        : CDelegateBase(object, function), m_function(function) {}

    std::unique_ptr<CDelegateBase> Copy() const override {
        return std::make_unique<CDelegate>(*this);
    }
    bool Invoke(void* param) override {
        O* object = static_cast<O*>(Object());
        return (object->*m_function)(param);
    }

  private:
    Function m_function;
};

template <class O, class T>
CDelegate<O, T> MakeDelegate(O* object, bool (T::*function)(void*)) {
    return CDelegate<O, T>(object, function);
}

// A control's event source: owned copies of the delegates added to it.
class CDelegateList {
  public:
    CDelegateList() = default;
    CDelegateList(const CDelegateList&) = delete;
    CDelegateList& operator=(const CDelegateList&) = delete;

    // A delegate equal to one already in the list is not added again.
    CDelegateList& operator+=(const CDelegateBase& delegate);
    // Calls the delegates in order; the first that returns false stops the
    // call, and the list returns false. True when all agreed (or none is there).
    bool operator()(void* param);
    bool IsEmpty() const { return m_delegates.empty(); }

  private:
    std::vector<std::unique_ptr<CDelegateBase>> m_delegates;
};

}  // namespace VantuUI
