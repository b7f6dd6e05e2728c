#include "platform/resources/module_path.h"

#include "platform/files/paths.h"

namespace platform {

std::wstring ModuleFolder() {
    return ParentFolderOf(ModuleFileName());
}

}  // namespace platform
