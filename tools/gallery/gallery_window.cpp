#include "tools/gallery/gallery_window.h"

#include "platform/text/text_codec.h"
#include "ui/control/gif/gif_anim.h"
#include "ui/control/list/list.h"
#include "ui/control/rect_math.h"
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
    if (CControlUI* animation = Manager().ControlByName(L"gifanim")) {
        animation->OnEvent += MakeDelegate(this, &CGalleryWindow::OnAnimationEvent);
    }
}

bool CGalleryWindow::OnAnimationEvent(void* param) {
    const auto& event = *static_cast<TInputEventUI*>(param);
    if (event.Kind != UIEVENT_BUTTONUP) {
        return true;
    }
    // A click is a button released over the control that took the press.
    auto* animation = static_cast<CGifAnimUI*>(FindInterfaceByName(L"gifanim", L"GifAnim"));
    if (animation != nullptr && RectContains(animation->GetItemRect(), event.MousePoint)) {
        if (animation->IsPlaying()) {
            animation->PauseGif();
        } else {
            animation->PlayGif();
        }
    }
    return true;
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
