#pragma once

// The look a list or combo box gives all of its items (the skin's "item..."
// attributes), and the drawing of one item by its state. Kept once by the
// owner so that ten thousand rows share one set of colours and images.

#include <string>

#include "platform/win32.h"
#include "ui/render/render_types.h"

namespace VantuUI {

class CControlUI;
struct TListColumnsUI;

struct TListItemStyleUI {
    int font = -1;
    UINT textStyle = DT_VCENTER | DT_SINGLELINE;
    RECT textPadding{};
    int itemHeight = 0;  // 0: the font's height plus 8
    bool showHtml = false;
    bool alternateBack = false;
    DWORD textColor = 0xFF000000;
    DWORD backColor = 0;
    ImageDrawInfo backImage;
    DWORD selectedTextColor = 0xFF000000;
    DWORD selectedBackColor = 0xFFC1E3FF;
    ImageDrawInfo selectedImage;
    DWORD hotTextColor = 0xFF000000;
    DWORD hotBackColor = 0xFFE9F5FF;
    ImageDrawInfo hotImage;
    DWORD disabledTextColor = 0xFFCCCCCC;
    DWORD disabledBackColor = 0;
    ImageDrawInfo disabledImage;
    int vLineSize = 0;
    DWORD vLineColor = 0xFF3C3C3C;
    int hLineSize = 0;
    DWORD hLineColor = 0xFF3C3C3C;
};

// Applies one "item..." attribute and returns true, or returns false for
// any other name.
bool ApplyItemStyleAttribute(TListItemStyleUI& style, const std::wstring& name,
                             const std::wstring& value);

// What an item looks like at the moment it is drawn.
struct TListItemStateUI {
    int index = 0;
    bool selected = false;
    bool hot = false;
    bool enabled = true;
};

// Row height of an item that states none.
int ListItemHeight(CControlUI& item, const TListItemStyleUI& style);
DWORD ListItemTextColor(const TListItemStyleUI& style, const TListItemStateUI& state);
// The state's colour and image over the item, then the row line.
void PaintListItemBack(HDC dc, CControlUI& item, TListItemStyleUI& style,
                       const TListItemStateUI& state);
// The row's bottom line and, with columns, a line at each column's end.
void PaintListItemLines(HDC dc, const RECT& item, const TListItemStyleUI& style,
                        const TListColumnsUI* columns);
// One text in the item style; `links` collects link areas of tagged text.
void DrawListItemText(HDC dc, CControlUI& item, const TListItemStyleUI& style, DWORD color,
                      RECT rect, const std::wstring& text, RECT* linkRects = nullptr,
                      std::wstring* linkTexts = nullptr, int* linkCount = nullptr);

}  // namespace VantuUI
