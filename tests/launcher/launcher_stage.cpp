#include "tests/launcher/launcher_stage.h"

#include "tests/support/process.h"
#include "update/build_settings.h"

namespace launcher_test {

LauncherStage::LauncherStage(bool withBooster, const char* program) {
    namespace fs = std::filesystem;
    fs::copy_file(testing_support::BinDir() / (std::string(program) + VANTU_EXE_SUFFIX),
                  launcher());
    if (withBooster) {
        fs::copy_file(testing_support::BinDir() / "VantuSpeedUp.exe", booster());
    }
}

std::string InstanceName() {
    return std::string("Global\\") + vantu::Settings().instanceKey;
}

}  // namespace launcher_test
