#include "launcher/modules/launcher_module.h"

#include "platform/files/paths.h"
#include "platform/resources/module_path.h"

namespace vantu {

namespace {

// A module's windows may leave a detached worker thread running in its code.
constexpr auto kUnload = platform::SharedLibrary::Unload::Never;
// The windows module brings the whole display stack (about ninety libraries):
// binding only what is called shortens the way to the first frame.
constexpr auto kBinding = platform::SharedLibrary::Binding::AtFirstCall;

}  // namespace

platform::SharedLibrary LoadLauncherModule(const std::string& buildPath, std::string& error) {
    const auto slash = buildPath.find_last_of('/');
    const std::string fileName =
        slash == std::string::npos ? buildPath : buildPath.substr(slash + 1);
    // The folder as file name bytes, whatever stray bytes it holds.
    const std::string beside = platform::NativePath(platform::ModuleFolder()) + fileName;
    std::string besideError;
    if (!fileName.empty()) {
        auto module = platform::SharedLibrary::Load(beside, kUnload, kBinding);
        if (module.Loaded()) {
            return module;
        }
        besideError = module.LoadError();
    }
    if (buildPath.empty()) {
        error = besideError.empty() ? "no module path" : besideError;
        return {};
    }
    auto module = platform::SharedLibrary::Load(buildPath, kUnload, kBinding);
    if (!module.Loaded()) {
        error = besideError.empty() ? module.LoadError() : besideError + "; " + module.LoadError();
    }
    return module;
}

}  // namespace vantu
