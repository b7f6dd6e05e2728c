// Clip regions: a rectangle or round rectangle AND the clip already there.

#include <cairo.h>

#include "ui/render/render_backend.h"
#include "ui/render/render_engine.h"

namespace VantuUI {

void RoundRectanglePath(HDC dc, const RECT& r, int ellipseWidth, int ellipseHeight);

namespace {

void Remember(HDC dc, RenderClip& clip, std::vector<RECT>& previous, bool& hadPrevious) {
    previous.clear();
    cairo_rectangle_list_t* list = cairo_copy_clip_rectangle_list(dc);
    hadPrevious = list->status == CAIRO_STATUS_SUCCESS;
    if (hadPrevious) {
        for (int i = 0; i < list->num_rectangles; ++i) {
            const cairo_rectangle_t& r = list->rectangles[i];
            previous.push_back(RECT{static_cast<LONG>(r.x), static_cast<LONG>(r.y),
                                    static_cast<LONG>(r.x + r.width),
                                    static_cast<LONG>(r.y + r.height)});
        }
    }
    cairo_rectangle_list_destroy(list);
    (void)clip;
}

}  // namespace

RenderClip::~RenderClip() {
    if (m_dc != nullptr) {
        cairo_restore(m_dc);
    }
}

void RenderClip::UseOldClipBegin() {
    if (m_dc == nullptr) {
        return;
    }
    cairo_save(m_dc);
    cairo_reset_clip(m_dc);
    if (m_hadPrevious) {
        for (const RECT& r : m_previous) {
            cairo_rectangle(m_dc, r.left, r.top, r.right - r.left, r.bottom - r.top);
        }
        cairo_clip(m_dc);
    }
}

void RenderClip::UseOldClipEnd() {
    if (m_dc != nullptr) {
        cairo_restore(m_dc);
    }
}

void RenderEngine::GenerateClip(HDC dc, const RECT& rect, RenderClip& clip) {
    if (dc == nullptr) {
        return;
    }
    if (clip.m_dc != nullptr) {
        cairo_restore(clip.m_dc);
    }
    Remember(dc, clip, clip.m_previous, clip.m_hadPrevious);
    cairo_save(dc);
    cairo_rectangle(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    cairo_clip(dc);
    clip.m_dc = dc;
    clip.rect = rect;
}

void IntersectRoundClip(HDC dc, const RECT& item, int ellipseWidth, int ellipseHeight) {
    RoundRectanglePath(dc, RECT{item.left, item.top, item.right + 1, item.bottom + 1}, ellipseWidth,
                       ellipseHeight);
    cairo_clip(dc);
}

}  // namespace VantuUI
