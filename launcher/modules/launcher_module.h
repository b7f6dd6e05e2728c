#pragma once

// Loading one of the launcher's modules: from the program's own folder first,
// then from the absolute path the build gave it, so that a copy of the
// program elsewhere still finds the module it was built with.

#include <string>

#include "platform/modules/shared_library.h"

namespace vantu {

// The module named like the file at `buildPath`, from beside the program or
// else from `buildPath`; empty on failure, `error` then saying why.
platform::SharedLibrary LoadLauncherModule(const std::string& buildPath, std::string& error);

// The table a loaded module's entry point `entryName` hands out for
// `version`; null when the module has no such entry or does not speak that
// version, `error` then saying why.
template <typename Api>
const Api* LauncherModuleApi(const platform::SharedLibrary& module, const char* entryName,
                             unsigned version, std::string& error) {
    using Entry = const Api* (*)(unsigned);
    auto entry = reinterpret_cast<Entry>(module.Symbol(entryName, error));
    if (entry == nullptr) {
        return nullptr;
    }
    const Api* api = entry(version);
    if (api == nullptr) {
        error = std::string(entryName) + " does not offer version " + std::to_string(version);
    }
    return api;
}

}  // namespace vantu
