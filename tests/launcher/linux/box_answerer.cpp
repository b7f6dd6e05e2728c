#include "tests/launcher/box_answerer.h"

namespace launcher_test {

struct LauncherBoxAnswerer::State {};

LauncherBoxAnswerer::LauncherBoxAnswerer() = default;
LauncherBoxAnswerer::~LauncherBoxAnswerer() = default;

}  // namespace launcher_test
