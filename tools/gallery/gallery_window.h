#pragma once

// The gallery window: the gallery skin, the second column of its text rows
// from a text callback, the options that pick the tab page, and a click on
// the animation that pauses or resumes it.

#include <string>

#include "ui/control/list/list_interfaces.h"
#include "ui/core/window/window_impl_base.h"

namespace gallery {

class CGalleryWindow : public VantuUI::WindowImplBase, public VantuUI::IListCallbackUI {
  public:
    explicit CGalleryWindow(std::wstring skinFolder) : m_skinFolder(std::move(skinFolder)) {}

    const wchar_t* ClassName() const override { return L"VantuGalleryWindow"; }
    std::wstring SkinFolder() const override { return m_skinFolder; }
    std::wstring SkinFile() const override { return L"gallery.xml"; }
    void OnSkinReady() override;
    void OnNotification(VantuUI::TNotificationUI& msg) override;

    // IListCallbackUI: the kind column of the gallery's list.
    std::wstring GetItemText(VantuUI::CControlUI* item, int index, int column) override;

  private:
    // The animation takes no input of its own, so its clicks are watched
    // among its events.
    bool OnAnimationEvent(void* event);
    void* FindInterfaceByName(const std::wstring& name, const std::wstring& face);

    std::wstring m_skinFolder;
};

// The skin folder next to the sources.
std::wstring DefaultSkinFolder();

}  // namespace gallery
