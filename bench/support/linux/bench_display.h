#pragma once

#include <cairo.h>
#include <time.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "platform/window/display/display_seam.h"
#include "platform/window/window_system.h"
#include "ui/core/manager/window_manager.h"

namespace bench_support {

inline void UseBenchDisplay() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
}

// CPU time of this thread: on a machine shared with other work, it shows
// what the window costs apart from waiting for a processor.
inline double ThreadCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The colour (0xRRGGBB) the display shows at (x, y) of a skinned window.
inline std::uint32_t FramePixel(VantuUI::CWindowManagerUI&, HWND hwnd, int x, int y) {
    return platform::seam::PresentedPixel(hwnd, x, y);
}

// The stand-in keeps each window's back buffer: the DC of WM_PAINT draws
// into it and EndPaint presents it.
class SceneBuffer {
  public:
    explicit SceneBuffer(HWND hwnd)
        : m_hwnd(hwnd), m_buffer(platform::WindowBackBuffer(hwnd, &m_area)) {
        m_target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, m_area.right - m_area.left,
                                              m_area.bottom - m_area.top);
    }
    ~SceneBuffer() { cairo_surface_destroy(m_target); }
    SceneBuffer(const SceneBuffer&) = delete;
    SceneBuffer& operator=(const SceneBuffer&) = delete;

    template <class Paint>
    void PaintIn(HDC paintDc, Paint paint) {
        paint(paintDc);
    }
    // The reference: a plain copy of the whole back buffer.
    void Copy() {
        cairo_t* cr = cairo_create(m_target);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, m_buffer, -m_area.left, -m_area.top);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_flush(m_target);
    }
    bool Save(const std::filesystem::path& file) { return platform::WriteWindowPng(m_hwnd, file); }

  private:
    HWND m_hwnd;
    RECT m_area{};
    cairo_surface_t* m_buffer;
    cairo_surface_t* m_target = nullptr;
};

}  // namespace bench_support
