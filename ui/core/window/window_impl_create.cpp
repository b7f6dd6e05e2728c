// Creating the skinned window: frameless style, the skin source, building
// and attaching the skin, and the end of the process when it cannot be built.

#include <cstdlib>

#include "platform/process/startup_trace.h"
#include "platform/resources/embedded_resources.h"
#include "platform/shell/debug_output.h"
#include "platform/window/window_api.h"
#include "ui/control/attribute_values.h"
#include "ui/control/control.h"
#include "ui/core/window/window_impl_base.h"

namespace VantuUI {

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, bool&) {
    SetWindowLong(m_hwnd, GWL_STYLE,
                  FramelessStyle() | static_cast<LONG>(WS_CLIPSIBLINGS | WS_CLIPCHILDREN));
    RECT client;
    GetClientRect(m_hwnd, &client);
    SetWindowPos(m_hwnd, nullptr, client.left, client.top, client.right - client.left,
                 client.bottom - client.top, SWP_FRAMECHANGED);

    m_manager.BindWindow(m_hwnd);
    m_manager.AddPreFilter(this);
    if (!ChooseSkinSource()) {
        return 0;
    }
    platform::MarkStartup("window made, skin parse starts");
    CControlUI* root = BuildSkin();
    if (root == nullptr) {
        FailSkin();
    }
    platform::MarkStartup("skin parsed and built");
    m_manager.AttachRoot(root);
    m_manager.AddListener(this);
    OnSkinReady();
    return 0;
}

bool WindowImplBase::ChooseSkinSource() {
    if (CResourceSettings::SkinPath().empty()) {
        CResourceSettings::SetSkinPath(CResourceSettings::ProgramFolder() + SkinFolder());
    }
    switch (SkinSource()) {
        case SkinResourceType::Zip:
            CResourceSettings::SetSkinArchive(SkinArchiveFile(), true);
            return true;
        case SkinResourceType::ZipResource: {
            // Embedded resources live as long as the process, which is all the
            // in-memory archive asks of its block: no copy is needed.
            auto archive = platform::FindEmbeddedResource("ZIPRES", SkinArchiveResource());
            if (!archive || archive->empty()) {
                return false;
            }
            CResourceSettings::SetSkinArchive(archive->data(), archive->size());
            return true;
        }
        case SkinResourceType::File:
        case SkinResourceType::Resource:
            return true;
    }
    return true;
}

CControlUI* WindowImplBase::BuildSkin() {
    CSkinBuilder builder;
    if (SkinSource() == SkinResourceType::Resource) {
        return builder.Build(ParseInt(SkinFile()), L"xml", this, &m_manager);
    }
    return builder.Build(std::wstring_view(SkinFile()), this, &m_manager);
}

void WindowImplBase::FailSkin() {
    OutputDebugString(L"资源错误");
    OutputDebugString(SkinFile().c_str());
    MessageBox(nullptr, L"加载资源文件失败", L"VantuUI", MB_OK | MB_ICONERROR);
    std::exit(1);
}

}  // namespace VantuUI
