// Clip regions with GDI: each clip saves the DC's state and intersects its
// clip; going away restores the state saved.

#include <vector>

#include "platform/gdi/windows/gdi_objects.h"
#include "ui/render/render_backend.h"
#include "ui/render/render_engine.h"

namespace VantuUI {

namespace {

// The DC's clip as device rectangles; false when it has none.
bool CurrentClip(HDC dc, std::vector<RECT>& rects) {
    rects.clear();
    platform::RegionObject region(CreateRectRgn(0, 0, 0, 0));
    if (!region || GetClipRgn(dc, region.get()) != 1) {
        return false;
    }
    DWORD size = GetRegionData(region.get(), 0, nullptr);
    std::vector<std::uint8_t> data(size);
    auto* header = reinterpret_cast<RGNDATA*>(data.data());
    if (size < sizeof(RGNDATAHEADER) || GetRegionData(region.get(), size, header) != size) {
        return true;  // a clip that cannot be read: treat as empty
    }
    auto* first = reinterpret_cast<const RECT*>(header->Buffer);
    rects.assign(first, first + header->rdh.nCount);
    return true;
}

// The logical-to-device offset of a DC (translation only: the toolkit never scales).
POINT DeviceOffset(HDC dc) {
    POINT viewport{};
    POINT window{};
    GetViewportOrgEx(dc, &viewport);
    GetWindowOrgEx(dc, &window);
    return POINT{viewport.x - window.x, viewport.y - window.y};
}

}  // namespace

RenderClip::~RenderClip() {
    if (m_dc != nullptr) {
        RestoreDC(m_dc, -1);
    }
}

void RenderClip::UseOldClipBegin() {
    if (m_dc == nullptr) {
        return;
    }
    SaveDC(m_dc);
    if (!m_hadPrevious) {
        SelectClipRgn(m_dc, nullptr);
        return;
    }
    platform::RegionObject region(CreateRectRgn(0, 0, 0, 0));
    for (const RECT& r : m_previous) {
        platform::RegionObject part(CreateRectRgnIndirect(&r));
        CombineRgn(region.get(), region.get(), part.get(), RGN_OR);
    }
    SelectClipRgn(m_dc, region.get());
}

void RenderClip::UseOldClipEnd() {
    if (m_dc != nullptr) {
        RestoreDC(m_dc, -1);
    }
}

void RenderEngine::GenerateClip(HDC dc, const RECT& rect, RenderClip& clip) {
    if (dc == nullptr) {
        return;
    }
    if (clip.m_dc != nullptr) {
        RestoreDC(clip.m_dc, -1);
    }
    clip.m_hadPrevious = CurrentClip(dc, clip.m_previous);
    SaveDC(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    clip.m_dc = dc;
    clip.rect = rect;
}

void IntersectRoundClip(HDC dc, const RECT& item, int ellipseWidth, int ellipseHeight) {
    platform::RegionObject round(CreateRoundRectRgn(item.left, item.top, item.right + 1,
                                                    item.bottom + 1, ellipseWidth, ellipseHeight));
    POINT offset = DeviceOffset(dc);
    OffsetRgn(round.get(), offset.x, offset.y);
    ExtSelectClipRgn(dc, round.get(), RGN_AND);
}

}  // namespace VantuUI
