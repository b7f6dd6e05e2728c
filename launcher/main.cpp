#include "launcher/launcher_flow.h"

// The launcher ignores its command line.
int main() {
    return vantu::RunLauncher();
}
