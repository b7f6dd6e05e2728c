#pragma once

// The text of an edit window and what editing does to it: the selection (an
// anchor and the caret), the character limit, the password and number-only
// rules, word movement, one level of undo and the editing keys. No window,
// font or clipboard here: the window turns messages into these calls.

#include <cstddef>
#include <optional>
#include <string>

namespace platform::controls {

// What a key asks of the window beyond the model's own change.
enum class EditKeyResult {
    kIgnored,    // not an editing key
    kHandled,    // moved the caret or changed the text (see TextChanged)
    kCopy,       // put SelectedText on the clipboard
    kCut,        // copy, then DeleteSelection
    kPaste,      // ReplaceSelection with the clipboard's text
    kSelectAll,  // done; told apart so the window can scroll
};

struct EditKey {
    int virtualKey = 0;
    bool shift = false;
    bool control = false;
};

class EditTextModel {
  public:
    static constexpr std::size_t kDefaultLimit = 0x7FFFFFFE;

    // The whole text; the limit does not apply (as for WM_SETTEXT). Line
    // breaks "\r\n" and "\r" become "\n"; a single-line edit keeps its breaks.
    void SetText(std::wstring text);
    const std::wstring& Text() const { return m_text; }
    // What the window shows: the text, or one password character per character.
    std::wstring DisplayText() const;

    // The selection runs from the anchor to the caret (either order).
    std::size_t Caret() const { return m_caret; }
    std::size_t Anchor() const { return m_anchor; }
    std::size_t SelectionStart() const;
    std::size_t SelectionEnd() const;
    bool HasSelection() const { return m_anchor != m_caret; }
    std::wstring SelectedText() const;
    // EM_SETSEL: a start of -1 removes the selection (caret kept), an end of -1
    // (or past the text) means the end of the text.
    void SetSelection(long start, long end);
    // Moves the caret to `index`, keeping the anchor when `extend`.
    void MoveCaret(std::size_t index, bool extend);
    void SelectAll();
    // The word (or the run of spaces or punctuation) around `index`.
    void SelectWordAt(std::size_t index);

    // Typed text replacing the selection. Refused (false, nothing changes) when
    // read-only, when number-only and not all digits, or when a single
    // character no longer fits; longer text is cut to what fits. Consecutive
    // typing is one undo step.
    bool Type(const std::wstring& text);
    // Pasted or EM_REPLACESEL text: as typing, but a single-line edit keeps only
    // the first line, and each paste is its own undo step.
    bool ReplaceSelection(const std::wstring& text);
    bool DeleteSelection();
    bool Backspace();
    bool Delete();
    // Swaps the text with the one before the last change (so a second undo redoes).
    bool Undo();
    bool CanUndo() const { return m_undo.has_value(); }

    // Editing keys (WM_KEYDOWN): arrows, Home/End, Ctrl+arrows by word, Shift
    // selections, Backspace/Delete, Ctrl+A/C/X/V/Z.
    EditKeyResult HandleKey(const EditKey& key);
    // Set by every change of the text; the window clears it after notifying.
    bool TakeTextChanged();

    void SetLimit(std::size_t limit) { m_limit = limit == 0 ? kDefaultLimit : limit; }
    std::size_t Limit() const { return m_limit; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool ReadOnly() const { return m_readOnly; }
    void SetNumberOnly(bool numberOnly) { m_numberOnly = numberOnly; }
    // 0 shows the text as it is.
    void SetPasswordChar(wchar_t c) { m_passwordChar = c; }
    wchar_t PasswordChar() const { return m_passwordChar; }
    void SetMultiLine(bool multiLine) { m_multiLine = multiLine; }
    bool MultiLine() const { return m_multiLine; }

    // Word boundaries: the start of the next word after `index`, and the start
    // of the word before it. A password edit has no words inside.
    std::size_t NextWordStart(std::size_t index) const;
    std::size_t PreviousWordStart(std::size_t index) const;

  private:
    struct Snapshot {
        std::wstring text;
        std::size_t anchor = 0;
        std::size_t caret = 0;
    };

    bool Insert(std::wstring text, bool typing);
    void Remember();
    std::size_t LineStart(std::size_t index) const;
    std::size_t LineEnd(std::size_t index) const;
    std::size_t VerticalMove(std::size_t index, int lines) const;
    std::size_t HorizontalTarget(const EditKey& key) const;

    std::wstring m_text;
    std::size_t m_anchor = 0;
    std::size_t m_caret = 0;
    std::size_t m_limit = kDefaultLimit;
    bool m_readOnly = false;
    bool m_numberOnly = false;
    bool m_multiLine = false;
    wchar_t m_passwordChar = 0;
    std::optional<Snapshot> m_undo;
    bool m_typingRun = false;  // the last change was typing at the caret
    bool m_changed = false;
};

}  // namespace platform::controls
