#pragma once

// Points the process-wide skin settings at a folder (and optionally a ZIP
// file in it) for one test, and back to loose files in the working folder
// afterwards.

#include <filesystem>
#include <string>

#include "ui/core/resource_settings.h"

namespace ui_testing {

class SkinPathScope {
  public:
    explicit SkinPathScope(const std::filesystem::path& folder) {
        VantuUI::CResourceSettings::SetSkinArchive(L"", true);
        VantuUI::CResourceSettings::SetSkinPath(folder.wstring());
    }
    ~SkinPathScope() {
        VantuUI::CResourceSettings::SetSkinArchive(L"", true);
        VantuUI::CResourceSettings::SetSkinPath(L"");
    }
    SkinPathScope(const SkinPathScope&) = delete;
    SkinPathScope& operator=(const SkinPathScope&) = delete;
};

}  // namespace ui_testing
