#pragma once

// The system's windowless rich-edit text services (CreateTextServices from
// msftedit.dll, riched20.dll where that is missing), behind the members the
// Linux stand-in has. The library is loaded from the system folder at run
// time; its ITextHost is a bridge to the project's host interface.
//
// Text reads back with "\n" between paragraphs, as the stand-in gives it
// (the system keeps "\r").

#include <memory>
#include <string>
#include <string_view>

#include "platform/com_ref.h"
#include "platform/modules/shared_library.h"
#include "platform/text_services/text_host.h"
#include "platform/text_services/windows/text_host_bridge.h"
#include "platform/win32_rich_edit.h"

namespace platform {

class CTextServices {
  public:
    // Null when no library offers the text services; `error` then says why.
    static std::unique_ptr<CTextServices> Create(ITextHost& host, std::string& error);
    CTextServices(const CTextServices&) = delete;
    CTextServices& operator=(const CTextServices&) = delete;
    ~CTextServices();

    LRESULT TxSendMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Draws the part of the client rectangle inside `update` on `dc`.
    void TxDraw(HDC dc, const RECT& update);
    // The height the text needs at `width` pixels (its natural height).
    int TxGetNaturalHeight(int width);
    void OnTxPropertyBitsChange(DWORD mask, DWORD bits);
    void OnTxInPlaceActivate();
    // Sets the cursor over the text; false outside it.
    bool OnTxSetCursor(POINT point);

    void TxSetText(std::wstring_view text);
    std::wstring TxGetText();

    CHARRANGE Selection();
    POINT ScrollPosition();
    // The height of the whole text, as its scroll range gives it.
    int ContentHeight();
    bool HasFocus() const { return m_focused; }

  private:
    CTextServices(ITextHost& host, SharedLibrary library, const IID& hostIid);

    ITextHost& m_host;
    // Declared first, gone last: the objects' code lives in it.
    SharedLibrary m_library;
    TextHostBridge m_bridge;
    ComRef<IUnknown> m_object;
    ComRef<::ITextServices> m_services;
    bool m_focused = false;
};

}  // namespace platform
