#pragma once

namespace vantu {

// Registers the skin archive carried in the program ("ZIPRES" 101 of the skin
// module) with the UI toolkit. Without the resource, nothing is registered and
// the skin files are looked for on disk.
void LoadSkinArchiveResource();

}  // namespace vantu
