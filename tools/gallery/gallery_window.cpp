#include "tools/gallery/gallery_window.h"

#include "platform/text/text_codec.h"
#include "ui/control/list/list.h"
#include "ui/layout/tab_layout.h"

namespace gallery {

using namespace VantuUI;

std::wstring DefaultSkinFolder() {
    return platform::DecodeUtf8(VANTU_GALLERY_SKIN_DIR).value_or(L"") + L"/";
}

void CGalleryWindow::OnSkinReady() {
    WindowImplBase::OnSkinReady();
    if (auto* list = static_cast<IListUI*>(FindInterfaceByName(L"list", L"IList"))) {
        list->SetTextCallback(this);
    }
}

void* CGalleryWindow::FindInterfaceByName(const std::wstring& name, const std::wstring& face) {
    CControlUI* control = Manager().ControlByName(name);
    return control != nullptr ? control->FindInterface(face) : nullptr;
}

void CGalleryWindow::OnNotification(TNotificationUI& msg) {
    // The options "page0" and "page1" pick the tab layout's page.
    if (msg.type == L"selectchanged" && msg.sender != nullptr) {
        const std::wstring name = msg.sender->GetName();
        auto* tabs = static_cast<CTabLayoutUI*>(FindInterfaceByName(L"tabs", L"TabLayout"));
        if (tabs != nullptr && name.rfind(L"page", 0) == 0 && name.size() == 5) {
            tabs->SelectPage(name[4] - L'0');
        }
    }
    WindowImplBase::OnNotification(msg);
}

std::wstring CGalleryWindow::GetItemText(CControlUI*, int index, int column) {
    return column == 1 ? (index % 2 == 0 ? L"text file" : L"folder") : L"";
}

}  // namespace gallery
