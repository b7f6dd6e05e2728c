#include "launcher/windows/skin_archive_resource.h"

#include "platform/resources/embedded_resources.h"
#include "ui/core/resource_settings.h"

namespace vantu {

void LoadSkinArchiveResource() {
    constexpr int kSkinArchiveId = 101;
    auto resource = platform::FindEmbeddedResource("ZIPRES", kSkinArchiveId);
    if (!resource || resource->empty()) {
        return;
    }
    // Embedded bytes already live as long as the process, which is what the
    // archive reader needs; there is nothing to load or copy first.
    VantuUI::CResourceSettings::SetSkinArchive(resource->data(), resource->size());
}

}  // namespace vantu
