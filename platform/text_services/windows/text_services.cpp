#include "platform/text_services/windows/text_services.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "platform/gdi/windows/gdi_objects.h"
#include "platform/text/text_codec.h"

namespace platform {

namespace {

// The libraries that offer the text services, the newer first. Both export
// the interface ids their objects answer to; these are the older library's
// for one that does not.
constexpr const wchar_t* kLibraries[] = {L"msftedit.dll", L"riched20.dll"};
constexpr IID kTextServicesIid = {
    0x8d33f740, 0xcf58, 0x11ce, {0xa8, 0x9d, 0x00, 0xaa, 0x00, 0x6c, 0xad, 0xc5}};
constexpr IID kTextHostIid = {
    0xc5bdd8d0, 0xd26e, 0x11ce, {0xa8, 0x9e, 0x00, 0xaa, 0x00, 0x6c, 0xad, 0xc5}};

IID ExportedIid(const SharedLibrary& library, const char* name, const IID& fallback) {
    const auto* exported = static_cast<const IID*>(library.Symbol(name));
    return exported != nullptr ? *exported : fallback;
}

std::string HexResult(HRESULT result) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

}  // namespace

CTextServices::CTextServices(ITextHost& host, SharedLibrary library, const IID& hostIid)
    : m_host(host), m_library(std::move(library)), m_bridge(host, hostIid) {}

CTextServices::~CTextServices() = default;

std::unique_ptr<CTextServices> CTextServices::Create(ITextHost& host, std::string& error) {
    std::string reasons;
    for (const wchar_t* name : kLibraries) {
        const std::string label = EncodeUtf8(name);
        SharedLibrary library = SharedLibrary::Load(std::wstring_view(name));
        if (!library.Loaded()) {
            reasons += label + ": " + library.LoadError() + "; ";
            continue;
        }
        auto create = reinterpret_cast<PCreateTextServices>(library.Symbol("CreateTextServices"));
        if (create == nullptr) {
            reasons += label + ": no CreateTextServices; ";
            continue;
        }
        const IID servicesIid = ExportedIid(library, "IID_ITextServices", kTextServicesIid);
        const IID hostIid = ExportedIid(library, "IID_ITextHost", kTextHostIid);
        std::unique_ptr<CTextServices> services(
            new CTextServices(host, std::move(library), hostIid));
        HRESULT result = create(nullptr, &services->m_bridge, services->m_object.Receive());
        if (FAILED(result) || !services->m_object) {
            reasons += label + ": CreateTextServices failed with " + HexResult(result) + "; ";
            continue;
        }
        result = services->m_object->QueryInterface(
            servicesIid, reinterpret_cast<void**>(services->m_services.Receive()));
        if (FAILED(result) || !services->m_services) {
            reasons += label + ": no ITextServices (" + HexResult(result) + "); ";
            continue;
        }
        // The skins' "textchanged" comes from EN_CHANGE, sent only when asked for.
        services->TxSendMessage(EM_SETEVENTMASK, 0, ENM_CHANGE);
        return services;
    }
    error = "no text services: " + reasons.substr(0, reasons.size() - 2);
    return nullptr;
}

LRESULT CTextServices::TxSendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS) {
        m_focused = message == WM_SETFOCUS;
    }
    LRESULT result = 0;
    m_services->TxSendMessage(message, wParam, lParam, &result);
    return result;
}

void CTextServices::TxDraw(HDC dc, const RECT& update) {
    const RECT client = m_host.TxGetClientRect();
    const RECTL bounds{client.left, client.top, client.right, client.bottom};
    RECT area = update;
    m_services->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, dc, nullptr, &bounds, nullptr, &area,
                       nullptr, 0, TXTVIEW_ACTIVE);
}

int CTextServices::TxGetNaturalHeight(int width) {
    MemoryDc dc = CreateMemoryDc();
    const RECT client = m_host.TxGetClientRect();
    const SIZEL extent{width, client.bottom - client.top};
    LONG naturalWidth = width;
    LONG naturalHeight = 0;
    const HRESULT result =
        m_services->TxGetNaturalSize(DVASPECT_CONTENT, dc.get(), nullptr, nullptr,
                                     TXTNS_FITTOCONTENT, &extent, &naturalWidth, &naturalHeight);
    return SUCCEEDED(result) ? static_cast<int>(naturalHeight) : 0;
}

void CTextServices::OnTxPropertyBitsChange(DWORD mask, DWORD bits) {
    if ((mask & (TXTBIT_CHARFORMATCHANGE | TXTBIT_PARAFORMATCHANGE)) != 0) {
        m_bridge.RefreshFormats();
    }
    m_services->OnTxPropertyBitsChange(mask, bits);
}

void CTextServices::OnTxInPlaceActivate() {
    const RECT client = m_host.TxGetClientRect();
    m_services->OnTxInPlaceActivate(&client);
}

bool CTextServices::OnTxSetCursor(POINT point) {
    const RECT client = m_host.TxGetClientRect();
    if (!PtInRect(&client, point)) {
        return false;
    }
    m_services->OnTxSetCursor(DVASPECT_CONTENT, 0, nullptr, nullptr, nullptr, nullptr, &client,
                              point.x, point.y);
    return true;
}

void CTextServices::TxSetText(std::wstring_view text) {
    const std::wstring terminated(text);
    m_services->TxSetText(terminated.c_str());
}

std::wstring CTextServices::TxGetText() {
    GETTEXTLENGTHEX lengthRequest{GTL_NUMCHARS | GTL_PRECISE, CP_UNICODE};
    const LRESULT length =
        TxSendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthRequest), 0);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GETTEXTEX request{};
    request.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    request.flags = GT_DEFAULT;
    request.codepage = CP_UNICODE;
    const LRESULT copied = TxSendMessage(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                                         reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
    std::replace(text.begin(), text.end(), L'\r', L'\n');
    return text;
}

CHARRANGE CTextServices::Selection() {
    CHARRANGE range{};
    TxSendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

POINT CTextServices::ScrollPosition() {
    LONG minimum = 0;
    LONG maximum = 0;
    LONG page = 0;
    BOOL enabled = FALSE;
    POINT position{};
    m_services->TxGetHScroll(&minimum, &maximum, &position.x, &page, &enabled);
    m_services->TxGetVScroll(&minimum, &maximum, &position.y, &page, &enabled);
    return position;
}

int CTextServices::ContentHeight() {
    LONG minimum = 0;
    LONG maximum = 0;
    LONG position = 0;
    LONG page = 0;
    BOOL enabled = FALSE;
    m_services->TxGetVScroll(&minimum, &maximum, &position, &page, &enabled);
    return static_cast<int>(maximum - minimum);
}

}  // namespace platform
