#pragma once

// A skin shaped like the launcher's upgrade window, with containers standing
// in for its labels and rich edit (their classes are not built yet) and a
// "Button" element, plus placeholder images of the sizes that window uses.
// Shared by the benchmark and the window tests.

#include <filesystem>

#include "bench/support/png_file.h"

namespace bench_support {

inline constexpr const char* kMainWindowSkin =
    "<Window size=\"500,310\" caption=\"0,0,0,36\">"
    "<Font id=\"1\" name=\"Microsoft YaHei\" size=\"12\" shared=\"true\"/>"
    "<VerticalLayout bordersize=\"1\" bordercolor=\"#FF33374A\" bkcolor=\"#FF17212E\" "
    "childalign=\"center\" bkimage=\"img/pic_bg.png\">"
    "<HorizontalLayout name=\"header\" height=\"36\">"
    "<Control name=\"logo\" width=\"16\" height=\"16\" padding=\"10,10,0,0\" "
    "bkimage=\"img/icon_logo.png\"/>"
    "<Control name=\"title\" width=\"432\" height=\"36\" padding=\"10,0,0,0\"/>"
    "<Button name=\"MainWindow_Close_Btn\" width=\"28\" height=\"28\" padding=\"0,4,4,0\" "
    "bkimage=\"file='img/icon_close.png' source='0,0,28,28'\"/>"
    "</HorizontalLayout>"
    "<Control name=\"Msg_RichEdit\" width=\"430\" height=\"150\" padding=\"35,24,35,0\" "
    "bordersize=\"1\" bordercolor=\"#807D8EAC\" bkcolor=\"#FF1E2938\"/>"
    "<Control name=\"UpdateState_Label\" width=\"500\" height=\"20\" padding=\"20,35,0,0\"/>"
    "<Control name=\"track\" float=\"true\" pos=\"0,272\" width=\"500\" height=\"6\" "
    "bkcolor=\"#FF1E2938\"/>"
    "<Control name=\"Progress_Label\" float=\"true\" pos=\"0,272\" width=\"0\" height=\"6\" "
    "bkcolor=\"#FF2BA2F9\"/>"
    "</VerticalLayout></Window>";

// A PNG of one colour (0xAARRGGBB).
inline void WriteSolidPng(const std::filesystem::path& file, int width, int height,
                          unsigned colour) {
    WritePng(file, width, height, [colour](int, int) { return colour; });
}

inline void WriteMainWindowImages(const std::filesystem::path& folder) {
    WriteSolidPng(folder / "img/pic_bg.png", 500, 340, 0xFF203040);
    WriteSolidPng(folder / "img/icon_logo.png", 16, 16, 0xFFFFFFFF);
    WriteSolidPng(folder / "img/icon_close.png", 56, 28, 0xFF808080);
    WriteSolidPng(folder / "img/icon_vscrollbar.png", 12, 60, 0xFF606060);
}

}  // namespace bench_support
