#include "launcher/booster.h"

#include "platform/process/process.h"
#include "update/build_settings.h"

namespace vantu {

std::wstring BoosterPath(const std::wstring& launcherFolder) {
    return launcherFolder + std::wstring(kBoosterFileName);
}

void LaunchBooster(const std::wstring& launcherFolder) {
    platform::StartProcess(BoosterPath(launcherFolder),
                           {L"-show", L"-oemid:" + std::to_wstring(Settings().oemId)});
}

}  // namespace vantu
