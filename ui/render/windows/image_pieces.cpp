// Image parts drawn with AlphaBlend (msimg32): the images are premultiplied.

#include "ui/render/image/image_pieces.h"

#include "platform/gdi/windows/gdi_objects.h"

namespace VantuUI {

struct ImagePieces::State {
    HDC dc = nullptr;
    bool alpha = true;
    BYTE fade = 255;
    int width = 0;
    int height = 0;
    platform::MemoryDc source;
    std::unique_ptr<platform::Selection> selected;
};

ImagePieces::ImagePieces(HDC dc, HBITMAP bitmap, bool alpha, BYTE fade)
    : m_state(std::make_unique<State>()) {
    BITMAP info{};
    if (dc == nullptr || bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0) {
        return;
    }
    m_state->source = platform::CreateMemoryDc();
    if (!m_state->source) {
        return;
    }
    m_state->selected = std::make_unique<platform::Selection>(m_state->source.get(), bitmap);
    if (!m_state->selected->Ok()) {
        return;
    }
    m_state->dc = dc;
    m_state->alpha = alpha;
    m_state->fade = fade;
    m_state->width = info.bmWidth;
    m_state->height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
}

// The selection goes before the DC it was made in.
ImagePieces::~ImagePieces() {
    m_state->selected.reset();
}

bool ImagePieces::Ready() const {
    return m_state->dc != nullptr;
}

int ImagePieces::Width() const {
    return m_state->width;
}

int ImagePieces::Height() const {
    return m_state->height;
}

void ImagePieces::Draw(const RECT& dst, const RECT& src, const RECT& clip) {
    HDC dc = m_state->dc;
    SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    const int width = dst.right - dst.left;
    const int height = dst.bottom - dst.top;
    if (!m_state->alpha && m_state->fade == 255 && width == src.right - src.left &&
        height == src.bottom - src.top) {
        // Opaque over anything is a copy, and a copy is several times cheaper.
        BitBlt(dc, dst.left, dst.top, width, height, m_state->source.get(), src.left, src.top,
               SRCCOPY);
    } else {
        BLENDFUNCTION blend{AC_SRC_OVER, 0, m_state->fade, AC_SRC_ALPHA};
        AlphaBlend(dc, dst.left, dst.top, width, height, m_state->source.get(), src.left, src.top,
                   src.right - src.left, src.bottom - src.top, blend);
    }
    RestoreDC(dc, -1);
}

}  // namespace VantuUI
