#include "ui/core/delegate.h"

namespace VantuUI {

CDelegateList& CDelegateList::operator+=(const CDelegateBase& delegate) {
    for (const auto& present : delegates_) {
        if (*present == delegate) {
            return *this;
        }
    }
    delegates_.push_back(delegate.Copy());
    return *this;
}

bool CDelegateList::operator()(void* param) {
    // By index: a delegate may add to the list while it runs.
    for (std::size_t i = 0; i < delegates_.size(); ++i) {
        if (!delegates_[i]->Invoke(param)) {
            return false;
        }
    }
    return true;
}

}  // namespace VantuUI
