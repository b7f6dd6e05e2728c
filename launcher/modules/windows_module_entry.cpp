// The entry point of the launcher's windows. On Linux built into one shared
// library per launcher program, beside that program's own build-time
// settings; on Windows linked into the program.

#include <system_error>
#include <thread>

#include "launcher/modules/windows_module_api.h"
#include "launcher/modules/windows_module_prepare.h"
#include "launcher/windows/main_window.h"
#include "launcher/windows/skin_archive_resource.h"
#include "launcher/windows/vantu_message_box.h"
#include "platform/process/startup_trace.h"
#include "platform/resources/module_handle.h"
#include "ui/core/resource_settings.h"
#include "ui/render/render_engine.h"

namespace vantu {

namespace {

int ShowMessageBoxEntry(int okOnly, VantuModuleText title, VantuModuleText content) {
    return ShowVantuMessageBox(nullptr, okOnly != 0, FromModuleText(title), FromModuleText(content))
               ? 1
               : 0;
}

int RunUpgradeWindowEntry(VantuModuleText updateContent, VantuModuleText downloadUrl,
                          VantuModuleText version) {
    return RunUpgradeWindow(FromModuleText(updateContent), FromModuleText(downloadUrl),
                            FromModuleText(version))
               ? 1
               : 0;
}

// The upgrade window's images: decoded ahead, its first paint copies their pixels.
constexpr const wchar_t* kFirstFrameImages[] = {L"img/pic_bg.png", L"img/icon_logo.png",
                                                L"img/icon_close.png"};
constexpr std::size_t kMaxAheadImageBytes = 1u << 20;

void DecodeImagesAhead() {
    std::vector<unsigned char> bytes;
    for (const wchar_t* name : kFirstFrameImages) {
        if (VantuUI::CResourceSettings::ReadSkinFile(name, kMaxAheadImageBytes, bytes) ==
            VantuUI::SkinReadResult::Ok) {
            VantuUI::RenderEngine::LoadImageFromMemory(bytes.data(), bytes.size(), 0);
        }
    }
    platform::MarkStartup("images decoded ahead");
}

// The fonts and the display connection (then the images) need nothing of
// each other and take tens of milliseconds each, mostly while the version
// query leaves the cores idle; the two halves take about as long.
void PrepareEntry() {
    std::thread fonts;
    try {
        fonts = std::thread(PrepareSystemFonts);
    } catch (const std::system_error&) {
    }
    PrepareSystemDisplay();
    DecodeImagesAhead();
    if (fonts.joinable()) {
        fonts.join();
    } else {
        PrepareSystemFonts();
    }
}

}  // namespace

}  // namespace vantu

extern "C" __attribute__((visibility("default"))) const VantuWindowsModuleApi* VantuWindowsModule(
    unsigned version) {
    if (version != vantu::kWindowsModuleApiVersion) {
        return nullptr;
    }
    // The skins come from the archive this module carries.
    static const bool skinsReady = [] {
        VantuUI::CResourceSettings::SetProgramModule(platform::CurrentModule());
        vantu::LoadSkinArchiveResource();
        return true;
    }();
    static constexpr VantuWindowsModuleApi api{
        .version = vantu::kWindowsModuleApiVersion,
        .showMessageBox = vantu::ShowMessageBoxEntry,
        .runUpgradeWindow = vantu::RunUpgradeWindowEntry,
        .prepare = vantu::PrepareEntry,
    };
    return skinsReady ? &api : nullptr;
}
