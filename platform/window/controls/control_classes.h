#pragma once

// Registration of the control window classes the platform provides; the
// window system calls it with its other built-in classes.

namespace platform::controls {

void RegisterEditClass();        // "Edit"
void RegisterDatePickerClass();  // DATETIMEPICK_CLASS and its drop-down calendar

}  // namespace platform::controls
