#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "bench/support/png_file.h"
#include "platform/gdi/windows/dib_view.h"
#include "platform/gdi/windows/gdi_objects.h"
#include "ui/core/manager/window_manager.h"

namespace bench_support {

// The desktop of the wine prefix (or of Windows): nothing to choose.
inline void UseBenchDisplay() {}

// CPU time of this thread: on a machine shared with other work, it shows
// what the window costs apart from waiting for a processor.
inline double ThreadCpuMilliseconds() {
    FILETIME created{};
    FILETIME exited{};
    FILETIME kernel{};
    FILETIME user{};
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ticks = [](const FILETIME& t) {
        return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 1e4;  // 100 ns ticks
}

// The colour (0xRRGGBB) of a skinned window's frame at (x, y): the paint
// manager's back buffer, which it copies to the window as it is.
inline std::uint32_t FramePixel(VantuUI::CWindowManagerUI& manager, HWND, int x, int y) {
    // Read in place: wine reports a top-down DIB's height as negative.
    const auto buffer = platform::ViewDib(manager.OffscreenBitmap());
    if (!buffer || !buffer->Holds(x, y)) {
        return 0xFFFFFFFF;
    }
    return buffer->At(x, y) & 0xFFFFFF;
}

// A back buffer as the paint manager keeps one: a DIB section the scene
// paints into, copied to the window's DC.
class SceneBuffer {
  public:
    explicit SceneBuffer(HWND hwnd) {
        RECT client{};
        GetClientRect(hwnd, &client);
        m_width = client.right;
        m_height = client.bottom;
        m_buffer.bitmap = platform::CreateDibSection(m_width, m_height, &m_buffer.bits);
        m_buffer.dc = platform::CreateMemoryDc();
        m_buffer.selected.emplace(m_buffer.dc.get(), m_buffer.bitmap.get());
        m_target.bitmap = platform::CreateDibSection(m_width, m_height, &m_target.bits);
        m_target.dc = platform::CreateMemoryDc();
        m_target.selected.emplace(m_target.dc.get(), m_target.bitmap.get());
    }

    template <class Paint>
    void PaintIn(HDC paintDc, Paint paint) {
        paint(m_buffer.dc.get());
        BitBlt(paintDc, 0, 0, m_width, m_height, m_buffer.dc.get(), 0, 0, SRCCOPY);
    }
    // The reference: a plain copy of the whole back buffer.
    void Copy() {
        BitBlt(m_target.dc.get(), 0, 0, m_width, m_height, m_buffer.dc.get(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    bool Save(const std::filesystem::path& file) {
        GdiFlush();
        return WritePng(file, m_width, m_height, [&](int x, int y) {
            return m_buffer.bits[static_cast<std::size_t>(y) * m_width + x] | 0xFF000000u;
        });
    }

  private:
    struct Surface {
        platform::BitmapObject bitmap;
        platform::MemoryDc dc;
        std::optional<platform::Selection> selected;  // goes before the DC
        std::uint32_t* bits = nullptr;
    };
    int m_width = 0;
    int m_height = 0;
    Surface m_buffer;
    Surface m_target;
};

}  // namespace bench_support
