#include "launcher/modules/windows_module_prepare.h"

namespace vantu {

// GDI's fonts and user32's desktop are the system's, ready before the program
// starts: nothing is worth a thread.
void PrepareSystemFonts() {}

void PrepareSystemDisplay() {}

}  // namespace vantu
