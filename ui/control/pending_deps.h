#pragma once

// TEMPORARY: minimal declarations of pieces that are being built on other
// branches (device contexts, image draw records and the
// render engine's drawing calls). Controls are written against these names;
// this file goes away when those branches are merged.

#include <memory>
#include <string>
#include <vector>

#include "platform/win32.h"

struct _cairo;
using HDC = _cairo*;

namespace VantuUI {

class CWindowManagerUI;

struct ImageInfo {
    int width = 0;
    int height = 0;
};

struct ImageDrawInfo {
    std::wstring spec;
    std::wstring imageName;
    bool loadTried = false;
    ImageInfo* image = nullptr;
    RECT dest{};
    RECT source{};
    RECT corner{};
    BYTE fade = 255;
    bool hole = false;
    bool xtiled = false;
    bool ytiled = false;
    void Clear() { *this = ImageDrawInfo{}; }
};

struct RenderClip {
    RECT rect{};
};

struct RenderEngine {
    static bool DrawImageSpec(HDC, CWindowManagerUI*, const RECT&, const RECT&, ImageDrawInfo&) {
        return true;
    }
    static void DrawColor(HDC, const RECT&, DWORD) {}
    static void DrawGradient(HDC, const RECT&, DWORD, DWORD, bool, int) {}
    static void DrawLine(HDC, const RECT&, int, DWORD, int) {}
    static void DrawRect(HDC, const RECT&, int, DWORD, int) {}
    static void DrawRoundRect(HDC, const RECT&, int, int, int, DWORD, int) {}
    static void GenerateClip(HDC, const RECT& rect, RenderClip& clip) { clip.rect = rect; }
    static void GenerateRoundClip(HDC, const RECT& paint, const RECT&, int, int, RenderClip& clip) {
        clip.rect = paint;
    }
    static void UseOldClipBegin(HDC, RenderClip&) {}
    static void UseOldClipEnd(HDC, RenderClip&) {}
    static DWORD AdjustColor(DWORD color, short, short, short) { return color; }
};

inline void SetArrowCursor() {}

}  // namespace VantuUI
