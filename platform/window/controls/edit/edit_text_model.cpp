#include "platform/window/controls/edit/edit_text_model.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "platform/text/word_boundaries.h"
#include "platform/win32.h"

namespace platform::controls {

namespace {

std::wstring NormalizeBreaks(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r') {
            out.push_back(L'\n');
            if (i + 1 < text.size() && text[i + 1] == L'\n') {
                ++i;
            }
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

bool AllDigits(const std::wstring& text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

}  // namespace

void EditTextModel::SetText(std::wstring text) {
    m_text = m_multiLine ? NormalizeBreaks(text) : std::move(text);
    m_anchor = m_caret = 0;
    m_undo.reset();
    m_typingRun = false;
    m_changed = true;
}

std::wstring EditTextModel::DisplayText() const {
    if (m_passwordChar != 0) {
        return std::wstring(m_text.size(), m_passwordChar);
    }
    if (m_multiLine) {
        return m_text;
    }
    std::wstring shown = m_text;
    std::replace_if(
        shown.begin(), shown.end(), [](wchar_t c) { return c < 0x20; }, L' ');
    return shown;
}

std::size_t EditTextModel::SelectionStart() const {
    return std::min(m_anchor, m_caret);
}

std::size_t EditTextModel::SelectionEnd() const {
    return std::max(m_anchor, m_caret);
}

std::wstring EditTextModel::SelectedText() const {
    return m_text.substr(SelectionStart(), SelectionEnd() - SelectionStart());
}

void EditTextModel::SetSelection(long start, long end) {
    auto clamp = [this](long v) {
        return v < 0 ? m_text.size()
                     : std::min<std::size_t>(static_cast<std::size_t>(v), m_text.size());
    };
    m_typingRun = false;
    if (start == -1) {
        m_anchor = m_caret;
        return;
    }
    m_anchor = clamp(start);
    m_caret = clamp(end);
}

void EditTextModel::MoveCaret(std::size_t index, bool extend) {
    m_caret = std::min(index, m_text.size());
    if (!extend) {
        m_anchor = m_caret;
    }
    m_typingRun = false;
}

void EditTextModel::SelectAll() {
    m_anchor = 0;
    m_caret = m_text.size();
    m_typingRun = false;
}

void EditTextModel::SelectWordAt(std::size_t index) {
    m_typingRun = false;
    if (m_passwordChar != 0 || m_text.empty()) {
        SelectAll();
        return;
    }
    std::tie(m_anchor, m_caret) = WordRangeAt(m_text, index);
}

bool EditTextModel::Type(const std::wstring& text) {
    return Insert(text, true);
}

bool EditTextModel::ReplaceSelection(const std::wstring& text) {
    return Insert(text, false);
}

bool EditTextModel::Insert(std::wstring text, bool typing) {
    if (m_readOnly) {
        return false;
    }
    text = NormalizeBreaks(text);
    if (!m_multiLine) {
        text = text.substr(0, text.find(L'\n'));
    }
    if (m_numberOnly && !AllDigits(text)) {
        return false;
    }
    std::size_t kept = m_text.size() - (SelectionEnd() - SelectionStart());
    std::size_t room = m_limit > kept ? m_limit - kept : 0;
    if (text.size() > room) {
        if (text.size() == 1) {
            return false;
        }
        text.resize(room);
    }
    if (text.empty() && !HasSelection()) {
        return false;
    }
    if (!typing || !m_typingRun || HasSelection()) {
        Remember();
    }
    std::size_t start = SelectionStart();
    m_text.replace(start, SelectionEnd() - start, text);
    m_anchor = m_caret = start + text.size();
    m_typingRun = typing;
    m_changed = true;
    return true;
}

bool EditTextModel::DeleteSelection() {
    if (m_readOnly || !HasSelection()) {
        return false;
    }
    Remember();
    std::size_t start = SelectionStart();
    m_text.erase(start, SelectionEnd() - start);
    m_anchor = m_caret = start;
    m_typingRun = false;
    m_changed = true;
    return true;
}

bool EditTextModel::Backspace() {
    if (!HasSelection() && m_caret > 0) {
        m_anchor = m_caret - 1;
    }
    return DeleteSelection();
}

bool EditTextModel::Delete() {
    if (!HasSelection() && m_caret < m_text.size()) {
        m_anchor = m_caret + 1;
    }
    return DeleteSelection();
}

void EditTextModel::Remember() {
    m_undo = Snapshot{m_text, m_anchor, m_caret};
}

bool EditTextModel::Undo() {
    if (m_readOnly || !m_undo) {
        return false;
    }
    Snapshot current{m_text, m_anchor, m_caret};
    m_text = std::move(m_undo->text);
    m_anchor = m_undo->anchor;
    m_caret = m_undo->caret;
    m_undo = std::move(current);
    m_typingRun = false;
    m_changed = true;
    return true;
}

bool EditTextModel::TakeTextChanged() {
    return std::exchange(m_changed, false);
}

std::size_t EditTextModel::NextWordStart(std::size_t index) const {
    return m_passwordChar != 0 ? m_text.size() : platform::NextWordStart(m_text, index);
}

std::size_t EditTextModel::PreviousWordStart(std::size_t index) const {
    return m_passwordChar != 0 ? 0 : platform::PreviousWordStart(m_text, index);
}

std::size_t EditTextModel::LineStart(std::size_t index) const {
    if (!m_multiLine || index == 0) {
        return 0;
    }
    std::size_t pos = m_text.rfind(L'\n', index - 1);
    return pos == std::wstring::npos ? 0 : pos + 1;
}

std::size_t EditTextModel::LineEnd(std::size_t index) const {
    if (!m_multiLine) {
        return m_text.size();
    }
    std::size_t pos = m_text.find(L'\n', index);
    return pos == std::wstring::npos ? m_text.size() : pos;
}

std::size_t EditTextModel::VerticalMove(std::size_t index, int lines) const {
    std::size_t column = index - LineStart(index);
    std::size_t start = LineStart(index);
    if (lines < 0) {
        if (start == 0) {
            return 0;
        }
        start = LineStart(start - 1);
    } else {
        std::size_t end = LineEnd(index);
        if (end == m_text.size()) {
            return m_text.size();
        }
        start = end + 1;
    }
    return std::min(start + column, LineEnd(start));
}

std::size_t EditTextModel::HorizontalTarget(const EditKey& key) const {
    bool left = key.virtualKey == VK_LEFT;
    if (key.control) {
        return left ? PreviousWordStart(m_caret) : NextWordStart(m_caret);
    }
    if (HasSelection() && !key.shift) {
        return left ? SelectionStart() : SelectionEnd();
    }
    if (left) {
        return m_caret > 0 ? m_caret - 1 : 0;
    }
    return std::min(m_caret + 1, m_text.size());
}

EditKeyResult EditTextModel::HandleKey(const EditKey& key) {
    int vk = key.virtualKey;
    if (!m_multiLine && (vk == VK_UP || vk == VK_DOWN)) {
        vk = vk == VK_UP ? VK_LEFT : VK_RIGHT;  // one line: up and down act as left and right
    }
    bool secret = m_passwordChar != 0;
    switch (vk) {
        case VK_LEFT:
        case VK_RIGHT:
            MoveCaret(HorizontalTarget(EditKey{vk, key.shift, key.control}), key.shift);
            return EditKeyResult::kHandled;
        case VK_UP:
        case VK_DOWN:
            MoveCaret(VerticalMove(m_caret, vk == VK_UP ? -1 : 1), key.shift);
            return EditKeyResult::kHandled;
        case VK_HOME:
            MoveCaret(key.control ? 0 : LineStart(m_caret), key.shift);
            return EditKeyResult::kHandled;
        case VK_END:
            MoveCaret(key.control ? m_text.size() : LineEnd(m_caret), key.shift);
            return EditKeyResult::kHandled;
        case VK_DELETE:
            if (key.shift) {
                return secret || m_readOnly ? EditKeyResult::kHandled : EditKeyResult::kCut;
            }
            Delete();
            return EditKeyResult::kHandled;
        case VK_INSERT:
            if (key.control) {
                return secret ? EditKeyResult::kHandled : EditKeyResult::kCopy;
            }
            return key.shift ? EditKeyResult::kPaste : EditKeyResult::kIgnored;
        default:
            break;
    }
    if (!key.control || key.shift) {
        return EditKeyResult::kIgnored;
    }
    switch (vk) {
        case 'A':
            SelectAll();
            return EditKeyResult::kSelectAll;
        case 'C':
            // A password never leaves the window.
            return secret ? EditKeyResult::kHandled : EditKeyResult::kCopy;
        case 'X':
            return secret || m_readOnly ? EditKeyResult::kHandled : EditKeyResult::kCut;
        case 'V':
            return EditKeyResult::kPaste;
        case 'Z':
            Undo();
            return EditKeyResult::kHandled;
        default:
            return EditKeyResult::kIgnored;
    }
}

}  // namespace platform::controls
