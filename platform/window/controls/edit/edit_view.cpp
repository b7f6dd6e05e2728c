// Where the edit's text lies in its client area, and painting it.

#include <cairo.h>

#include <algorithm>

#include "platform/gdi/brush.h"
#include "platform/gdi/font.h"
#include "platform/gdi/system_values.h"
#include "platform/window/controls/character_layout.h"
#include "platform/window/controls/edit/edit_window.h"
#include "platform/window/window_system.h"

namespace platform::controls {

namespace {

DWORD StyleOf(const EditWindow& edit) {
    return static_cast<DWORD>(GetWindowLong(edit.hwnd, GWL_STYLE));
}

RECT TextArea(const EditWindow& edit) {
    RECT client;
    GetClientRect(edit.hwnd, &client);
    client.left += edit.leftMargin;
    client.right = std::max(client.left, client.right - edit.rightMargin);
    return client;
}

// The text as shown: the composition sits at the caret until it is typed.
std::wstring ShownText(const EditWindow& edit) {
    std::wstring shown = edit.model.DisplayText();
    shown.insert(edit.model.Caret(), edit.composition);
    return shown;
}

PangoAlignment AlignmentOf(DWORD style) {
    if ((style & ES_CENTER) != 0) {
        return PANGO_ALIGN_CENTER;
    }
    return (style & ES_RIGHT) != 0 ? PANGO_ALIGN_RIGHT : PANGO_ALIGN_LEFT;
}

CharacterLayout MakeLayout(const EditWindow& edit, HDC dc) {
    DWORD style = StyleOf(edit);
    RECT area = TextArea(edit);
    CharacterLayoutOptions options;
    options.font = FontSpecOf(edit.font);
    if (edit.model.MultiLine()) {
        options.wrapWidth = std::max<int>(1, area.right - area.left);
        options.alignment = AlignmentOf(style);
    }
    options.underlineStart = edit.model.Caret();
    options.underlineEnd = edit.model.Caret() + edit.composition.size();
    return CharacterLayout(dc, ShownText(edit), options);
}

// The layout's origin: aligned while the line fits, else scrolled.
POINT OriginOf(const EditWindow& edit, const CharacterLayout& layout) {
    RECT area = TextArea(edit);
    POINT origin{area.left - edit.scroll.x, area.top - edit.scroll.y};
    int spare = (area.right - area.left) - layout.Extent().cx;
    if (!edit.model.MultiLine() && spare > 0) {
        DWORD style = StyleOf(edit);
        origin.x = area.left + ((style & ES_CENTER) != 0  ? spare / 2
                                : (style & ES_RIGHT) != 0 ? spare
                                                          : 0);
    }
    return origin;
}

std::size_t CaretInShown(const EditWindow& edit) {
    auto inComposition = static_cast<std::size_t>(std::max(0, edit.compositionCursor));
    return edit.model.Caret() + std::min(inComposition, edit.composition.size());
}

void FillRects(HDC dc, const std::vector<RECT>& rects, POINT origin, COLORREF color) {
    SetSourceColor(dc, color);
    for (const RECT& r : rects) {
        cairo_rectangle(dc, origin.x + r.left, origin.y + r.top, r.right - r.left,
                        r.bottom - r.top);
    }
    cairo_fill(dc);
}

}  // namespace

void ScrollToCaret(EditWindow& edit) {
    CharacterLayout layout = MakeLayout(edit, nullptr);
    RECT area = TextArea(edit);
    RECT caret = layout.CaretRect(CaretInShown(edit));
    SIZE extent = layout.Extent();
    int width = area.right - area.left;
    int height = std::max<LONG>(1, area.bottom - area.top);
    bool scrolls = edit.model.MultiLine() || (StyleOf(edit) & ES_AUTOHSCROLL) != 0;
    if (edit.model.MultiLine() || !scrolls || extent.cx < width) {
        edit.scroll.x = 0;
    } else {
        edit.scroll.x = std::clamp<LONG>(edit.scroll.x, caret.left - width + 1, caret.left);
        edit.scroll.x =
            std::clamp<LONG>(edit.scroll.x, 0, std::max<LONG>(0, extent.cx - width + 1));
    }
    if (edit.model.MultiLine()) {
        edit.scroll.y = std::clamp<LONG>(edit.scroll.y, caret.bottom - height, caret.top);
        edit.scroll.y = std::max<LONG>(0, edit.scroll.y);
    }
    if (edit.focused) {
        POINT origin = OriginOf(edit, layout);
        SetCaretPos(origin.x + caret.left, origin.y + caret.top);
        SetImeCandidateRect(edit.hwnd, RECT{origin.x + caret.left, origin.y + caret.top,
                                            origin.x + caret.right, origin.y + caret.bottom});
    }
}

std::size_t EditIndexAt(EditWindow& edit, POINT client) {
    CharacterLayout layout = MakeLayout(edit, nullptr);
    POINT origin = OriginOf(edit, layout);
    std::size_t index = layout.IndexAt(POINT{client.x - origin.x, client.y - origin.y});
    std::size_t caret = edit.model.Caret();
    if (index > caret) {
        index = std::max(caret, index - std::min(index, edit.composition.size()));
    }
    return std::min(index, edit.model.Text().size());
}

void CreateEditCaret(EditWindow& edit) {
    CharacterLayout layout = MakeLayout(edit, nullptr);
    RECT caret = layout.CaretRect(CaretInShown(edit));
    CreateCaret(edit.hwnd, nullptr, 1, std::max<LONG>(1, caret.bottom - caret.top));
    ScrollToCaret(edit);
    ShowCaret(edit.hwnd);
}

void PaintEdit(EditWindow& edit, HDC dc) {
    RECT client;
    GetClientRect(edit.hwnd, &client);
    bool enabled = IsWindowEnabled(edit.hwnd) != FALSE;
    bool staticLook = edit.model.ReadOnly() || !enabled;
    COLORREF background = GetSysColor(staticLook ? COLOR_BTNFACE : COLOR_WINDOW);
    SetTextColor(dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    SetBkColor(dc, background);
    SetBkMode(dc, OPAQUE);
    HWND parent = GetParent(edit.hwnd);
    HBRUSH brush = nullptr;
    if (parent != nullptr) {
        brush = reinterpret_cast<HBRUSH>(
            SendMessage(parent, staticLook ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                        reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit.hwnd)));
    }
    if (brush != nullptr) {
        FillRect(dc, &client, brush);
    } else {
        SetSourceColor(dc, background);
        cairo_paint(dc);
    }
    CharacterLayout layout = MakeLayout(edit, dc);
    POINT origin = OriginOf(edit, layout);
    std::size_t end = ShownText(edit).size();
    if (GetBkMode(dc) == OPAQUE) {
        FillRects(dc, layout.RangeRects(0, end), origin, GetBkColor(dc));
    }
    SetSourceColor(dc, GetTextColor(dc));
    layout.Draw(dc, origin.x, origin.y);
    const EditTextModel& model = edit.model;
    bool showSelection = edit.focused || (StyleOf(edit) & ES_NOHIDESEL) != 0;
    if (model.HasSelection() && showSelection && edit.composition.empty()) {
        layout.DrawSelection(dc, origin.x, origin.y, model.SelectionStart(), model.SelectionEnd());
    }
}

}  // namespace platform::controls
