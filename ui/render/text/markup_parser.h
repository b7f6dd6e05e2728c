#pragma once

// Reading tagged text (<b>, <c #colour>, <a link>, <i image>, <n>, <p>, <x>,
// <y>, <r> ...): the parser keeps the tag stacks and hands the result to a
// sink as styled runs, inline boxes and line breaks, which each system lays
// out with its own text engine.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/render/render_types.h"

namespace VantuUI {

// An inline image: which part of which image a box shows.
struct InlineImage {
    const ImageInfo* image = nullptr;
    RECT source{};
};

// How a run looks. Links are underlined and take the manager's link colours.
struct MarkupStyle {
    FontInfo font;
    DWORD color = 0;
    bool selected = false;  // drawn over the manager's selection colour
};

class MarkupSink {
  public:
    virtual ~MarkupSink() = default;
    virtual void Text(const std::wstring& text, const MarkupStyle& style) = 0;
    // A box `width` x `height` in the line (`image` null: an empty pen move),
    // placed by `valign` (DT_TOP, DT_VCENTER, DT_BOTTOM: on the baseline).
    virtual void Box(int width, int height, UINT valign, const InlineImage* image,
                     const MarkupStyle& style) = 0;
    virtual void LineBreak() = 0;
    virtual bool AtLineStart() const = 0;
    // Lines from here on are `height` pixels tall.
    virtual void LineHeight(int height) = 0;
    virtual void LinkBegin() = 0;
    virtual void LinkEnd(const std::wstring& target) = 0;
};

struct MarkupOptions {
    const FontInfo* font = nullptr;  // the text's own font
    DWORD color = 0;
    bool singleLine = false;
    std::wstring hoverLink;  // the link under the mouse, drawn in the hover colour
};

// The start of every DrawMarkupText: the options of the call (its font, the
// link under the mouse among the last paint's rectangles), or nullopt with no
// links when there is nothing to draw or measure.
std::optional<MarkupOptions> MarkupCallOptions(HDC dc, IRenderHostUI* manager,
                                               const std::wstring& text, DWORD color,
                                               const RECT* linkRects, const std::wstring* linkTexts,
                                               int& linkCount, int font, UINT style);

// Parses `text` into `sink`. Inline images live in `images` (the sink keeps
// pointers to them). Fonts of <f face size ...> tags are registered with the manager.
void ParseMarkup(IRenderHostUI& manager, const std::wstring& text, const MarkupOptions& options,
                 MarkupSink& sink, std::vector<std::unique_ptr<InlineImage>>& images);

}  // namespace VantuUI
