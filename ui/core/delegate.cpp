#include "ui/core/delegate.h"

namespace VantuUI {

CDelegateList& CDelegateList::operator+=(const CDelegateBase& delegate) {
    for (const auto& present : m_delegates) {
        if (*present == delegate) {
            return *this;
        }
    }
    m_delegates.push_back(delegate.Copy());
    return *this;
}

bool CDelegateList::operator()(void* param) {
    // By index: a delegate may add to the list while it runs.
    for (std::size_t i = 0; i < m_delegates.size(); ++i) {
        if (!m_delegates[i]->Invoke(param)) {
            return false;
        }
    }
    return true;
}

}  // namespace VantuUI
