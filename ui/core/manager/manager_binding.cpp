// The manager's life: construction with the process defaults, binding to a
// native window, attaching the control tree, the name table and deferred
// deletes.

#include <algorithm>
#include <cwchar>
#include <cwctype>

#include "platform/resources/embedded_resources.h"
#include "platform/text/text_codec.h"
#include "platform/window/window_api.h"
#include "ui/control/control.h"
#include "ui/core/manager/common_controls.h"
#include "ui/core/manager/manager_shared.h"

namespace VantuUI {

namespace {

constexpr std::size_t kMaxSkinImageSize = 64u << 20;

// Skin images come through the resource settings: the skin folder, the skin
// archive (file or in memory), or, with a resource type, the program's
// resources. Without a match the loader reads the name as a path.
std::optional<std::vector<std::uint8_t>> ReadSkinImage(const std::wstring& name,
                                                       const std::wstring* type) {
    if (type != nullptr) {
        if (name.empty() || !std::iswdigit(static_cast<wint_t>(name.front()))) {
            return std::nullopt;
        }
        const int id = static_cast<int>(std::wcstol(name.c_str(), nullptr, 10));
        auto resource = platform::FindEmbeddedResource(platform::EncodeUtf8(*type), id);
        if (!resource) {
            return std::nullopt;
        }
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(resource->data());
        return std::vector<std::uint8_t>(bytes, bytes + resource->size());
    }
    std::vector<unsigned char> bytes;
    if (CResourceSettings::ReadSkinFile(name, kMaxSkinImageSize, bytes) != SkinReadResult::Ok) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

void MakeProcessDefaults(TSharedResourcesUI& shared) {
    if (!shared.defaultFont.font.face.empty()) {
        return;
    }
    shared.defaultFont.font = platform::DefaultGuiFont();
    RenderEngine::SetImageReader(ReadSkinImage);
}

}  // namespace

TSharedResourcesUI& SharedResources() {
    static TSharedResourcesUI shared;
    return shared;
}

int MeasureFontHeight(const FontInfo& font) {
    return platform::MeasureText(font, L"Ag").cy;
}

CWindowManagerUI::CWindowManagerUI() {
    TSharedResourcesUI& shared = SharedResources();
    MakeProcessDefaults(shared);
    m_colors = shared.colors;
}

CWindowManagerUI::~CWindowManagerUI() {
    DeleteDeferred();
    m_asyncQueue.clear();
    m_names.Clear();
    if (m_root != nullptr) {
        CControlUI* root = m_root;
        m_root = nullptr;
        root->Destroy();
    }
    EmptyWindowTables();
    DestroyTooltip();
    FreeOffscreen();
    if (m_windowDc != nullptr) {
        ReleaseDC(m_window, m_windowDc);
    }
    auto& live = SharedResources().live;
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

void CWindowManagerUI::EmptyWindowTables() {
    m_fonts.Clear();
    RemoveAllImages();
    RemoveAllClassDefaults();
    RemoveAllOptionGroups();
    StopAllTimers();
    RemoveAllCustomAttributes();
}

void CWindowManagerUI::BindWindow(HWND window, const std::wstring& name) {
    EnsureCommonControls();
    m_names.Clear();
    EmptyWindowTables();
    m_name = name;
    if (window != m_window) {
        if (m_windowDc != nullptr) {
            ReleaseDC(m_window, m_windowDc);
        }
        m_window = window;
        m_windowDc = window != nullptr ? GetDC(window) : nullptr;
    }
    auto& live = SharedResources().live;
    if (std::find(live.begin(), live.end(), this) == live.end()) {
        live.push_back(this);
    }
}

bool CWindowManagerUI::AttachRoot(CControlUI* root) {
    FocusControl(nullptr, false);
    m_keyDown = nullptr;
    m_hover = nullptr;
    m_click = nullptr;
    m_lastTooltipControl = nullptr;
    if (m_root != nullptr) {
        DeleteDeferred();
        m_asyncQueue.clear();
        m_names.Clear();
        m_overlayPainters.clear();
        m_childWindows.clear();
        DeferDelete(m_root);
    }
    m_root = root;
    m_firstLayout = true;
    m_updateNeeded = true;
    m_focusNeeded = true;
    BindControls(root, nullptr);
    return true;
}

void CWindowManagerUI::BindControls(CControlUI* control, CControlUI* parent) {
    if (control == nullptr) {
        return;
    }
    control->AttachToManager(this, parent, true);
    RegisterNames(control);
}

void CWindowManagerUI::RegisterNames(CControlUI* root) {
    root->FindInTree(
        [](CControlUI* control, void* data) -> CControlUI* {
            const std::wstring name = control->GetName();
            if (!name.empty()) {
                static_cast<CWindowManagerUI*>(data)->m_names.Set(name, control);
            }
            return nullptr;
        },
        this, UIFIND_ALL);
}

CControlUI* CWindowManagerUI::ControlByName(const std::wstring& name) const {
    CControlUI* const* found = m_names.Find(name);
    return found != nullptr ? *found : nullptr;
}

CControlUI* CWindowManagerUI::ControlAtPoint(POINT point) const {
    if (m_root == nullptr) {
        return nullptr;
    }
    return m_root->FindInTree([](CControlUI* control, void*) { return control; }, &point,
                              UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

bool CWindowManagerUI::RenameControl(CControlUI* control, const std::wstring& name) {
    if (control == nullptr || control->GetManager() != this || name.empty()) {
        return false;
    }
    if (CControlUI* const* holder = m_names.Find(name)) {
        return *holder == control;
    }
    std::vector<std::wstring> oldNames;
    m_names.ForEach([&](const std::wstring& key, CControlUI* const& value) {
        if (value == control) {
            oldNames.push_back(key);
        }
    });
    for (const std::wstring& old : oldNames) {
        m_names.Remove(old);
    }
    m_names.Insert(name, control);
    control->SetName(name);
    return true;
}

void CWindowManagerUI::ForgetControl(CControlUI* control) {
    if (control == nullptr) {
        return;
    }
    for (CControlUI** slot : {&m_keyDown, &m_hover, &m_click, &m_focus, &m_lastTooltipControl}) {
        if (*slot == control) {
            *slot = nullptr;
        }
    }
    StopTimer(control);
    const std::wstring name = control->GetName();
    if (CControlUI* const* holder = m_names.Find(name); holder != nullptr && *holder == control) {
        m_names.Remove(name);
    }
    for (auto& queued : m_asyncQueue) {
        if (queued->sender == control) {
            queued->sender = nullptr;
        }
    }
    std::erase(m_mouseLeaveWanted, control);
    std::erase(m_overlayPainters, control);
    // Controls are detached before a deferred delete, so an option cannot
    // leave its group itself; selecting the group would reach it afterwards.
    std::vector<std::wstring> groups;
    m_optionGroups.ForEach([&](const std::wstring& group, const std::vector<CControlUI*>& members) {
        if (std::find(members.begin(), members.end(), control) != members.end()) {
            groups.push_back(group);
        }
    });
    for (const std::wstring& group : groups) {
        LeaveOptionGroup(group, control);
    }
}

void CWindowManagerUI::DeferDelete(CControlUI* control) {
    if (control == nullptr || std::find(m_deferredDeletes.begin(), m_deferredDeletes.end(),
                                        control) != m_deferredDeletes.end()) {
        return;
    }
    // Nothing of the subtree may stay focused, hovered or timed.
    control->FindInTree(
        [](CControlUI* member, void* data) -> CControlUI* {
            static_cast<CWindowManagerUI*>(data)->ForgetControl(member);
            return nullptr;
        },
        this, UIFIND_ALL);
    control->AttachToManager(nullptr, nullptr, false);
    m_deferredDeletes.push_back(control);
    if (m_window != nullptr && !m_asyncPosted) {
        m_asyncPosted = PostMessage(m_window, kNotifyQueueMessage, 0, 0) != FALSE;
    }
}

void CWindowManagerUI::DeleteDeferred() {
    std::vector<CControlUI*> doomed;
    doomed.swap(m_deferredDeletes);
    for (CControlUI* control : doomed) {
        control->Destroy();
    }
}

void CWindowManagerUI::SetVirtualWindowsUsed(bool used) {
    m_virtualWindowsUsed = used;
}

const std::vector<CWindowManagerUI*>& CWindowManagerUI::LiveManagers() {
    return SharedResources().live;
}

}  // namespace VantuUI
