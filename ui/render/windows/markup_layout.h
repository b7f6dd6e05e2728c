#pragma once

// Tagged text laid out for GDI, which has no layout engine of its own: the
// parsed runs cut into words (every Han character is one), measured in their
// fonts, placed on lines that wrap at a width, with inline boxes, forced line
// heights and the links each piece belongs to.

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/gdi/windows/gdi_objects.h"
#include "ui/render/text/markup_parser.h"
#include "ui/render/windows/host_font.h"

namespace VantuUI {

// The fonts of one layout, created once each, with their metrics.
class MarkupFonts {
  public:
    struct Font {
        std::unique_ptr<HostFont> object;
        int ascent = 0;
        int descent = 0;
    };
    MarkupFonts(HDC measuring, IRenderHostUI* host) : m_dc(measuring), m_host(host) {}
    const Font& Get(const FontInfo& spec);
    // The width of `text` in the font.
    int Width(const FontInfo& spec, const std::wstring& text);

  private:
    using Key = std::tuple<std::wstring, int, bool, bool, bool>;
    HDC m_dc;
    IRenderHostUI* m_host;
    std::map<Key, std::unique_ptr<Font>> m_fonts;
};

struct MarkupPiece {
    enum class Kind { Text, Box, Break, LineHeight };
    Kind kind = Kind::Text;
    std::wstring text;
    MarkupStyle style;
    int width = 0;   // boxes; text once measured
    int height = 0;  // boxes; the forced line height
    UINT valign = DT_BOTTOM;
    const InlineImage* image = nullptr;
    int link = -1;  // index of its link
};

// Collects the parser's runs as pieces.
class MarkupPieces : public MarkupSink {
  public:
    void Text(const std::wstring& text, const MarkupStyle& style) override;
    void Box(int width, int height, UINT valign, const InlineImage* image,
             const MarkupStyle& style) override;
    void LineBreak() override;
    bool AtLineStart() const override;
    void LineHeight(int height) override;
    void LinkBegin() override;
    void LinkEnd(const std::wstring& target) override;

    std::vector<MarkupPiece> pieces;
    std::vector<std::wstring> links;

  private:
    std::size_t m_linkStart = 0;
};

struct PlacedPiece {
    const MarkupPiece* piece = nullptr;
    std::wstring text;  // text pieces: what shows (an ellipsis may cut it)
    int x = 0;
    int width = 0;
    int top = 0;     // relative to the baseline (negative: above)
    int bottom = 0;  // relative to the baseline
};

struct MarkupLine {
    std::vector<PlacedPiece> pieces;
    int top = 0;  // from the layout's top
    int height = 0;
    int baseline = 0;  // from the line's top
    int width = 0;
};

struct MarkupLayout {
    std::vector<MarkupLine> lines;
    int width = 0;
    int height = 0;
};

struct MarkupLayoutOptions {
    int wrapWidth = 0;               // 0: no wrapping
    int ellipsisWidth = 0;           // 0: no ellipsis; else lines are cut to it with "..."
    const FontInfo* font = nullptr;  // of empty lines
};

MarkupLayout LayOutMarkup(const std::vector<MarkupPiece>& pieces, MarkupFonts& fonts,
                          const MarkupLayoutOptions& options);

}  // namespace VantuUI
