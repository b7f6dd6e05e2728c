#pragma once

// What the nine-grid asks of each system's drawing: parts of one image,
// scaled to their destination, each cut to a rectangle, faded alike.

#include <memory>

#include "ui/render/render_types.h"

namespace VantuUI {

class ImagePieces {
  public:
    // `alpha` false: every pixel of the image is opaque.
    ImagePieces(HDC dc, HBITMAP bitmap, bool alpha, BYTE fade);
    ~ImagePieces();
    ImagePieces(const ImagePieces&) = delete;
    ImagePieces& operator=(const ImagePieces&) = delete;

    // False when nothing can be drawn (no bitmap, the system refused).
    bool Ready() const;
    int Width() const;
    int Height() const;
    // `source` lies within the bitmap and is not empty; `clip` lies within `dest`.
    void Draw(const RECT& dest, const RECT& source, const RECT& clip);

  private:
    struct State;
    std::unique_ptr<State> m_state;
};

}  // namespace VantuUI
