// Painting: layout on demand, the tree drawn into an off-screen buffer over
// the update rectangle and copied to the window, or, per-pixel layered, the
// whole image handed to the window from a 10 ms timer.

#include <algorithm>
#include <atomic>
#include <cstring>
#include <optional>

#include "platform/process/startup_trace.h"
#include "platform/window/window_api.h"
#include "ui/control/control.h"
#include "ui/core/manager/manager_shared.h"
#include "ui/core/manager/paint_buffer.h"

namespace VantuUI {

namespace {

// Every pixel of `rect` scaled by the mask's alpha at that pixel.
void MultiplyByAlpha(CPaintBufferUI& target, CPaintBufferUI& mask, const RECT& rect) {
    target.BeginPixels();
    mask.BeginPixels();
    for (LONG y = rect.top; y < rect.bottom; ++y) {
        std::uint32_t* row = target.Row(y);
        const std::uint32_t* maskRow = mask.Row(y);
        for (LONG x = rect.left; x < rect.right; ++x) {
            const std::uint32_t alpha = maskRow[x] >> 24;
            const std::uint32_t pixel = row[x];
            auto scale = [alpha](std::uint32_t channel) { return channel * alpha / 255; };
            row[x] = (scale(pixel >> 24) << 24) | (scale((pixel >> 16) & 0xFF) << 16) |
                     (scale((pixel >> 8) & 0xFF) << 8) | scale(pixel & 0xFF);
        }
    }
    target.EndPixels();
}

// Where a native child window lies in its parent's client area.
RECT ChildWindowArea(HWND parent, HWND child) {
    RECT at{};
    GetWindowRect(child, &at);
    POINT origin{at.left, at.top};
    ScreenToClient(parent, &origin);
    return RECT{origin.x, origin.y, origin.x + (at.right - at.left),
                origin.y + (at.bottom - at.top)};
}

// What a printed window drew is opaque: its pixels may carry no alpha of
// their own, and nothing of the layered image behind should show through.
void MakeDrawnPixelsOpaque(CPaintBufferUI& image) {
    image.BeginPixels();
    for (int y = 0; y < image.Height(); ++y) {
        std::uint32_t* row = image.Row(y);
        for (int x = 0; x < image.Width(); ++x) {
            if (row[x] != 0) {
                row[x] |= 0xFF000000u;
            }
        }
    }
    image.EndPixels();
}

// The start-up trace's last milestone: the process's first frame handed to
// the window system (Windows has no display of ours to mark its showing).
void MarkFirstFrame() {
    static std::atomic<bool> marked{false};
    if (!marked.exchange(true)) {
        platform::MarkStartup("first frame painted");
    }
}

}  // namespace

void CWindowManagerUI::FreeOffscreen() {
    m_offscreen.reset();
}

HBITMAP CWindowManagerUI::OffscreenBitmap() {
    return m_offscreen != nullptr ? m_offscreen->tree.Bitmap() : nullptr;
}

void CWindowManagerUI::PaintTree(HDC dc, const RECT& rect, const void* stopControl) {
    if (m_root != nullptr && dc != nullptr) {
        m_root->Paint(dc, rect, static_cast<CControlUI*>(const_cast<void*>(stopControl)));
    }
}

void CWindowManagerUI::Invalidate() {
    if (m_window == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(m_window, &client);
    Invalidate(client);
}

void CWindowManagerUI::Invalidate(const RECT& rect) {
    if (m_window == nullptr) {
        return;
    }
    RECT clipped{std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0), 0, 0};
    clipped.right = std::max(rect.right, clipped.left);
    clipped.bottom = std::max(rect.bottom, clipped.top);
    if (m_layered) {
        m_layeredUpdate = RectUnion(m_layeredUpdate, clipped);
        return;
    }
    InvalidateRect(m_window, &clipped, FALSE);
}

void CWindowManagerUI::MarkForLayout() {
    m_updateNeeded = true;
}

bool CWindowManagerUI::AddOverlayPainter(CControlUI* control) {
    if (control == nullptr || std::find(m_overlayPainters.begin(), m_overlayPainters.end(),
                                        control) != m_overlayPainters.end()) {
        return false;
    }
    m_overlayPainters.push_back(control);
    return true;
}

bool CWindowManagerUI::RemoveOverlayPainter(CControlUI* control) {
    return std::erase(m_overlayPainters, control) > 0;
}

void CWindowManagerUI::SetPerPixelLayered(bool layered) {
    if (m_window == nullptr || layered == m_layered ||
        (GetWindowLong(m_window, GWL_STYLE) & WS_CHILD) != 0) {
        return;
    }
    m_layered = layered;
    LONG exStyle = GetWindowLong(m_window, GWL_EXSTYLE);
    if (layered) {
        SetTimer(m_window, kLayeredTimerId, kLayeredTimerElapse, nullptr);
        exStyle |= static_cast<LONG>(WS_EX_LAYERED);
    } else {
        KillTimer(m_window, kLayeredTimerId);
        exStyle &= ~static_cast<LONG>(WS_EX_LAYERED);
    }
    SetWindowLong(m_window, GWL_EXSTYLE, exStyle);
    m_layeredChanged = true;
    if (m_root != nullptr) {
        m_root->RequestLayout();
    }
    Invalidate();
}

void CWindowManagerUI::SetOpacity(BYTE opacity) {
    m_opacity = opacity;
    if (m_window == nullptr) {
        return;
    }
    SetPerPixelLayered(false);
    SetWindowLong(m_window, GWL_EXSTYLE,
                  GetWindowLong(m_window, GWL_EXSTYLE) | static_cast<LONG>(WS_EX_LAYERED));
    SetLayeredWindowAttributes(m_window, 0, opacity, LWA_ALPHA);
    Invalidate();
}

void CWindowManagerUI::SetLayeredOpacity(BYTE opacity) {
    m_layeredOpacity = opacity;
    m_layeredChanged = true;
    Invalidate();
}

void CWindowManagerUI::SetLayeredImage(const std::wstring& spec) {
    SetPerPixelLayered(true);
    m_layeredImage.Clear();
    m_layeredImage.spec = spec;
    // Loads the image now so that its size is known.
    RECT client{};
    if (m_window != nullptr) {
        GetClientRect(m_window, &client);
    }
    RenderEngine::DrawImageSpec(nullptr, this, client, client, m_layeredImage);
    m_layeredChanged = true;
    Invalidate();
}

void CWindowManagerUI::OnPaint() {
    RECT client{};
    GetClientRect(m_window, &client);
    if (m_root == nullptr) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_window, &ps);
        RenderEngine::DrawColor(dc, ps.rcPaint, 0xFF000000);
        EndPaint(m_window, &ps);
        return;
    }
    RECT paint{};
    if (m_layered) {
        m_offscreenPaint = true;
        paint = m_layeredUpdate;
        m_layeredUpdate = RECT{};
        if (!RectIntersect(paint, paint, client)) {
            PAINTSTRUCT ps;
            BeginPaint(m_window, &ps);
            EndPaint(m_window, &ps);
            return;
        }
    } else if (!GetUpdateRect(m_window, &paint, FALSE)) {
        return;
    }
    if (m_focusNeeded) {
        MoveTabFocus(true);
    }
    m_painting = true;
    if (m_updateNeeded) {
        m_updateNeeded = false;
        if (!RectIsEmpty(client)) {
            PaintLayout(client);
            if (m_firstLayout) {
                m_firstLayout = false;
                RaiseNotification(m_root, L"windowinit", 0, 0, false, false);
                if (m_root == nullptr) {
                    m_painting = false;
                    return;
                }
                if (m_layered && m_layeredChanged) {
                    m_painting = false;
                    Invalidate();
                    return;
                }
            }
        }
    } else if (m_layered && m_layeredChanged && m_offscreen != nullptr) {
        ClearArea(m_offscreen->tree.Dc(), client);
        m_root->SetItemRect(client, true);
    }
    if (m_offscreenPaint && m_offscreen == nullptr && !RectIsEmpty(client)) {
        auto buffers = std::make_unique<OffscreenBuffers>(client.right, client.bottom);
        if (buffers->tree.Ok()) {
            m_offscreen = std::move(buffers);
        }
    }
    PAINTSTRUCT ps;
    HDC windowDc = BeginPaint(m_window, &ps);
    if (!m_layered) {
        // Layout above may have invalidated more; BeginPaint validated all of it.
        paint = RectUnion(paint, ps.rcPaint);
    }
    if (m_offscreenPaint && m_offscreen != nullptr) {
        PaintPresent(windowDc, paint, client);
    } else if (windowDc != nullptr) {
        m_root->Paint(windowDc, paint, nullptr);
    }
    EndPaint(m_window, &ps);
    MarkFirstFrame();
    m_painting = false;
    m_layeredChanged = false;
    if (m_updateNeeded) {
        InvalidateRect(m_window, nullptr, FALSE);
    }
}

void CWindowManagerUI::PaintLayout(const RECT& client) {
    if (m_root->IsUpdateNeeded()) {
        FreeOffscreen();
        m_root->SetItemRect(client, true);
        return;
    }
    std::vector<CControlUI*> stale;
    m_root->FindInTree(
        [](CControlUI* control, void* data) -> CControlUI* {
            if (!control->IsUpdateNeeded()) {
                return nullptr;
            }
            static_cast<std::vector<CControlUI*>*>(data)->push_back(control);
            return control;
        },
        &stale, UIFIND_VISIBLE | UIFIND_ME_FIRST | UIFIND_UPDATETEST);
    for (CControlUI* control : stale) {
        control->SetItemRect(
            control->IsFloating() ? control->GetParentRelativeRect() : control->GetItemRect(),
            true);
    }
}

void CWindowManagerUI::PaintPresent(HDC windowDc, const RECT& paint, const RECT& client) {
    HDC memory = m_offscreen->tree.Dc();
    std::optional<CSavedDcUI> saved(std::in_place, memory);
    if (m_layered && m_layeredImage.spec.empty()) {
        ClearArea(memory, paint);
    }
    m_root->Paint(memory, paint, nullptr);
    if (m_layered) {
        PrintChildWindowsLayered(memory, paint);
    }
    const std::vector<CControlUI*> overlays = m_overlayPainters;
    for (CControlUI* control : overlays) {
        control->PaintOverlay(memory, paint);
    }
    saved.reset();
    if (m_layered) {
        if (!m_layeredImage.spec.empty()) {
            m_offscreen->layeredImage =
                std::make_unique<CPaintBufferUI>(client.right, client.bottom);
            CPaintBufferUI& image = *m_offscreen->layeredImage;
            if (image.Ok()) {
                RenderEngine::DrawImageSpec(image.Dc(), this, client, client, m_layeredImage);
                if (m_layeredImage.image != nullptr && m_layeredImage.image->hasAlpha) {
                    MultiplyByAlpha(m_offscreen->tree, image, paint);
                }
            }
        }
        RECT window{};
        GetWindowRect(m_window, &window);
        POINT position{window.left, window.top};
        SIZE size{client.right - client.left, client.bottom - client.top};
        POINT origin{0, 0};
        BLENDFUNCTION blend{};
        blend.BlendOp = AC_SRC_OVER;
        blend.SourceConstantAlpha = m_layeredOpacity;
        blend.AlphaFormat = AC_SRC_ALPHA;
        UpdateLayeredWindow(m_window, windowDc, &position, &size, memory, &origin, 0, &blend,
                            ULW_ALPHA);
        return;
    }
    if (windowDc == nullptr) {
        return;
    }
    CopyBuffer(windowDc, m_offscreen->tree, POINT{0, 0}, paint);
    if (m_showDirty) {
        RenderEngine::DrawRect(windowDc, paint, 1, 0xFFDC0000);
    }
}

// The layered image replaces everything the window shows, native child
// windows included: they are printed into it, else an open edit box would
// vanish until it repaints itself.
void CWindowManagerUI::PrintChildWindowsLayered(HDC memory, const RECT& paint) {
    constexpr LPARAM kPrintFlags = 0x35;  // check visible, client, children, owned
    std::erase_if(m_childWindows,
                  [](const ChildWindow& child) { return IsWindow(child.window) == FALSE; });
    const std::vector<ChildWindow> children = m_childWindows;
    for (const ChildWindow& child : children) {
        const RECT area = ChildWindowArea(m_window, child.window);
        RECT shown{};
        if (!IsWindowVisible(child.window) || !RectIntersect(shown, area, paint)) {
            continue;
        }
        CPaintBufferUI printed(area.right - area.left, area.bottom - area.top);
        if (!printed.Ok()) {
            continue;
        }
        SendMessage(child.window, WM_PRINT, reinterpret_cast<WPARAM>(printed.Dc()), kPrintFlags);
        MakeDrawnPixelsOpaque(printed);
        CopyBuffer(memory, printed, POINT{area.left, area.top}, shown);
    }
}

void CWindowManagerUI::OnPrintClient(HDC dc, LPARAM flags) {
    if (m_root == nullptr || dc == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(m_window, &client);
    m_root->Paint(dc, client, nullptr);
    constexpr LPARAM kPrintChildren = 0x10;
    constexpr LPARAM kPrintNonClient = 0x02;
    if ((flags & kPrintChildren) == 0) {
        return;
    }
    for (const ChildWindow& child : m_childWindows) {
        if (!IsWindow(child.window)) {
            continue;
        }
        const RECT at = ChildWindowArea(m_window, child.window);
        CSavedDcUI saved(dc);
        saved.Offset(at.left, at.top);
        SendMessage(child.window, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags | kPrintNonClient);
    }
}

}  // namespace VantuUI
