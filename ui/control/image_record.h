#pragma once

// State images of controls: a new spec replaces the record (loaded again at
// the next paint), the image spec already loaded is kept.

#include <string>

#include "ui/render/render_types.h"

namespace VantuUI {

// True when the record took `spec` and the control must repaint.
inline bool ReplaceImageSpec(ImageDrawInfo& record, const std::wstring& spec) {
    if (record.spec == spec && record.image != nullptr) {
        return false;
    }
    record.Clear();
    record.spec = spec;
    return true;
}

}  // namespace VantuUI
