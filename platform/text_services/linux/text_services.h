#pragma once

// Stands in for the system's windowless rich-edit text services (ITextServices):
// a multi-line text in one font and colour that lays itself out on Pango,
// draws into its host's client rectangle, edits, selects, scrolls and shows a
// caret, and reports to its host (ITextHost) what a windowless control needs
// to show: scroll bars, invalidation, caret, timers, capture, changes.
//
// Text is kept per paragraph with one layout each (heights and tops cached),
// so a keystroke lays out only the paragraph it edits and painting or
// scrolling touches only the paragraphs in view, whatever the text's length.
//
// Files: messages and properties in text_services.cpp; layout, scrolling,
// caret and drawing in text_services_view.cpp; keys, mouse, clipboard and the
// input method in text_services_input.cpp.

#include <memory>
#include <string>
#include <vector>

#include "platform/text_services/linux/text_document.h"
#include "platform/text_services/text_host.h"
#include "platform/win32.h"
#include "platform/window/controls/character_layout.h"

namespace platform {

class CTextServices {
  public:
    explicit CTextServices(ITextHost& host);
    // Never fails here; the system's may be missing on Windows.
    static std::unique_ptr<CTextServices> Create(ITextHost& host, std::string& /*error*/) {
        return std::make_unique<CTextServices>(host);
    }
    CTextServices(const CTextServices&) = delete;
    CTextServices& operator=(const CTextServices&) = delete;
    ~CTextServices();

    // Window and EM_* messages: text, selection, keys, characters, mouse,
    // focus, timers, scrolling, clipboard and input-method composition.
    LRESULT TxSendMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Draws the part of the client rectangle inside `update` on `dc`.
    void TxDraw(HDC dc, const RECT& update);
    // The height the text needs at `width` pixels (its natural height).
    int TxGetNaturalHeight(int width);
    // The host changed some of its properties (TXTBIT_* in `mask`).
    void OnTxPropertyBitsChange(DWORD mask, DWORD bits);
    void OnTxInPlaceActivate();
    // Sets the cursor over the text; false outside it.
    bool OnTxSetCursor(POINT point);

    void TxSetText(std::wstring_view text);
    std::wstring TxGetText() const { return m_document.Text(); }

    // What a host or test reads back.
    CHARRANGE Selection() const;
    POINT ScrollPosition() const { return POINT{m_scrollX, m_scrollY}; }
    int ContentHeight();
    bool HasFocus() const { return m_focused; }
    const std::wstring& Composition() const { return m_composition; }

  private:
    struct ParagraphView {
        std::unique_ptr<controls::CharacterLayout> layout;  // null: to be laid out
        int height = 0;
        int width = 0;
    };

    // text_services.cpp
    bool Property(DWORD bit) const { return (m_properties & bit) != 0; }
    void ReadHostProperties();
    void SetSelection(TextPosition anchor, TextPosition caret);
    void SetSelection(const CHARRANGE& range);
    // Replaces the selection, within the length limit unless `ignoreLimit`;
    // false when nothing could change.
    bool ReplaceSelection(std::wstring_view text, bool ignoreLimit);
    TextPosition SelectionStart() const { return std::min(m_anchor, m_caret); }
    TextPosition SelectionEnd() const { return std::max(m_anchor, m_caret); }
    LRESULT GetTextInto(wchar_t* buffer, std::size_t capacity) const;

    // text_services_view.cpp
    // Lays out the changed paragraphs; true when those below them moved.
    bool Relayout(ParagraphChange change);
    void RelayoutAll();
    void LayOut(std::size_t paragraph);
    std::wstring ShownText(std::size_t paragraph) const;
    int ParagraphTop(std::size_t paragraph);
    std::size_t ParagraphAtY(int y);
    int WrapWidth() const;
    int MaxScrollY();
    int MaxScrollX();
    void UpdateScrollBars();
    void ScrollTo(int x, int y);
    void OnScroll(bool vertical, WPARAM request);
    void ScrollCaretIntoView();
    RECT CaretRectInText(TextPosition position);
    void UpdateCaret();
    TextPosition PositionAt(POINT clientPoint);
    POINT TextOrigin() const;
    void InvalidateParagraphs(std::size_t first, std::size_t last);
    void InvalidateSelectionChange(TextPosition oldAnchor, TextPosition oldCaret);
    void TextChanged(const ParagraphChange& change, bool moved);

    // text_services_input.cpp
    LRESULT OnKeyDown(WPARAM key);
    LRESULT OnChar(wchar_t c);
    LRESULT OnMouse(UINT message, WPARAM wParam, POINT point);
    void MoveCaret(TextPosition position, bool extend);
    TextPosition VerticalTarget(int lines);
    TextPosition LineEdge(bool end);
    void Copy();
    void Cut();
    void Paste();
    void OnComposition(UINT message);

    ITextHost& m_host;
    TextDocument m_document;
    std::vector<ParagraphView> m_views;
    std::vector<int> m_tops;  // paragraph tops, valid below m_topsValid
    std::size_t m_topsValid = 0;
    int m_layoutWidth = -1;  // the wrap width the views were laid out at
    TextPosition m_anchor;
    TextPosition m_caret;
    int m_caretX = -1;  // kept over vertical moves
    int m_scrollX = 0;
    int m_scrollY = 0;
    DWORD m_properties = 0;
    DWORD m_scrollBars = 0;
    FontSpec m_font;
    DWORD m_textColor = 0xFF000000;
    std::size_t m_limit = 32767;
    wchar_t m_passwordChar = L'*';
    DWORD m_alignment = 0;
    bool m_focused = false;
    bool m_active = false;
    bool m_selecting = false;  // a left-button drag selects
    bool m_caretCreated = false;
    bool m_updatingScrollBars = false;
    bool m_clientChanged = false;
    bool m_verticalBarShown = false;
    bool m_horizontalBarShown = false;
    std::wstring m_composition;
};

}  // namespace platform
