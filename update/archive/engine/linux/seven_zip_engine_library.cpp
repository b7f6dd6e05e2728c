#include "update/archive/engine/seven_zip_engine_library.h"

#include "platform/text/text_codec.h"
#include "update/build_settings.h"

namespace SevenZip {

std::wstring EngineLibraryPath() {
    return platform::DecodeFileName(vantu::Settings().engineLibrary);
}

VariantClearFn VariantClearFor(const platform::SharedLibrary& engine) {
    // The engine's strings come from its own allocator.
    return reinterpret_cast<VariantClearFn>(engine.Symbol("VariantClear"));
}

}  // namespace SevenZip
