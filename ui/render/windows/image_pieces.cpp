// Image parts drawn with AlphaBlend (msimg32): the images are premultiplied.

#include "ui/render/image/image_pieces.h"

#include "platform/gdi/windows/gdi_objects.h"

namespace VantuUI {

struct ImagePieces::State {
    HDC dc = nullptr;
    BYTE fade = 255;
    int width = 0;
    int height = 0;
    platform::MemoryDc source;
    std::unique_ptr<platform::Selection> selected;
};

ImagePieces::ImagePieces(HDC dc, HBITMAP bitmap, BYTE fade) : m_state(std::make_unique<State>()) {
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
    BLENDFUNCTION blend{AC_SRC_OVER, 0, m_state->fade, AC_SRC_ALPHA};
    AlphaBlend(dc, dst.left, dst.top, dst.right - dst.left, dst.bottom - dst.top,
               m_state->source.get(), src.left, src.top, src.right - src.left, src.bottom - src.top,
               blend);
    RestoreDC(dc, -1);
}

}  // namespace VantuUI
