// The "Edit" window class: single- and multi-line text editing driven by the
// EM_* messages, the keyboard, the mouse, typed text and the input method,
// reporting changes to its parent with WM_COMMAND.

#include "platform/window/controls/edit/edit_window.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

#include "platform/shell/clipboard.h"
#include "platform/window/controls/control_classes.h"
#include "platform/window/controls/control_window.h"
#include "platform/window/window_system.h"

namespace platform::controls {

namespace {

constexpr wchar_t kDefaultPasswordChar = L'*';

void Notify(HWND hwnd, WORD code) {
    HWND parent = GetParent(hwnd);
    if (parent != nullptr && (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) != 0) {
        auto id = static_cast<int>(GetWindowLongPtr(hwnd, GWLP_ID));
        SendMessage(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(hwnd));
    }
}

// After anything that may have moved the caret or changed the text: scroll,
// repaint, and tell the parent about a change (EN_UPDATE before the new text
// shows, EN_CHANGE after). Nothing of the edit is used after notifying: the
// parent may destroy it.
void Refresh(EditWindow& edit, bool userChange) {
    HWND hwnd = edit.hwnd;
    bool changed = edit.model.TakeTextChanged();
    if (changed && userChange) {
        edit.modified = true;
    }
    ScrollToCaret(edit);
    InvalidateRect(hwnd, nullptr, FALSE);
    if (changed) {
        Notify(hwnd, EN_UPDATE);
        Notify(hwnd, EN_CHANGE);
    }
}

void SetStyleBit(HWND hwnd, DWORD bit, bool on) {
    auto style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(on ? style | bit : style & ~bit));
}

void Copy(const EditWindow& edit) {
    if (edit.model.HasSelection() && edit.model.PasswordChar() == 0) {
        SetClipboardText(edit.model.SelectedText());
    }
}

void Cut(EditWindow& edit) {
    if (edit.model.PasswordChar() == 0 && !edit.model.ReadOnly()) {
        Copy(edit);
        edit.model.DeleteSelection();
    }
}

void Paste(EditWindow& edit) {
    if (auto text = GetClipboardText()) {
        edit.model.ReplaceSelection(*text);
    }
}

void KeyDown(EditWindow& edit, int virtualKey) {
    EditKey key{virtualKey, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0};
    switch (edit.model.HandleKey(key)) {
        case EditKeyResult::kCopy:
            Copy(edit);
            break;
        case EditKeyResult::kCut:
            Cut(edit);
            break;
        case EditKeyResult::kPaste:
            Paste(edit);
            break;
        default:
            break;
    }
}

void Typed(EditWindow& edit, wchar_t c) {
    if (c == L'\b') {
        edit.model.Backspace();
    } else if (c == L'\r' && edit.model.MultiLine()) {
        edit.model.Type(L"\n");
    } else if (c >= 0x20) {
        edit.model.Type(std::wstring(1, c));
    }
}

POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

LRESULT GetSelection(const EditWindow& edit, WPARAM wParam, LPARAM lParam) {
    auto start = static_cast<DWORD>(edit.model.SelectionStart());
    auto end = static_cast<DWORD>(edit.model.SelectionEnd());
    if (wParam != 0) {
        *reinterpret_cast<DWORD*>(wParam) = start;
    }
    if (lParam != 0) {
        *reinterpret_cast<DWORD*>(lParam) = end;
    }
    return start > 0xFFFF || end > 0xFFFF
               ? -1
               : MAKELRESULT(static_cast<int>(start), static_cast<int>(end));
}

LRESULT CopyText(const std::wstring& text, WPARAM size, LPARAM lParam) {
    auto* buffer = reinterpret_cast<wchar_t*>(lParam);
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    std::copy_n(text.begin(), n, buffer);
    buffer[n] = 0;
    return static_cast<LRESULT>(n);
}

std::unique_ptr<EditWindow> MakeEdit(HWND hwnd, const CREATESTRUCT& create) {
    auto edit = std::make_unique<EditWindow>();
    edit->hwnd = hwnd;
    auto style = static_cast<DWORD>(create.style);
    edit->model.SetMultiLine((style & ES_MULTILINE) != 0);
    edit->model.SetReadOnly((style & ES_READONLY) != 0);
    edit->model.SetNumberOnly((style & ES_NUMBER) != 0);
    edit->model.SetPasswordChar((style & ES_PASSWORD) != 0 ? kDefaultPasswordChar : 0);
    if (create.lpszName != nullptr) {
        edit->model.SetText(create.lpszName);
        edit->model.TakeTextChanged();
    }
    return edit;
}

LRESULT EditMessage(EditWindow& edit, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = edit.hwnd;
    EditTextModel& model = edit.model;
    switch (message) {
        case WM_SETTEXT:
            model.SetText(lParam != 0 ? reinterpret_cast<const wchar_t*>(lParam) : L"");
            edit.modified = false;
            edit.scroll = POINT{};
            if (model.MultiLine()) {
                model.TakeTextChanged();  // as there, a multi-line edit reports no change here
            }
            Refresh(edit, false);
            return TRUE;
        case WM_GETTEXT:
            return CopyText(model.Text(), wParam, lParam);
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(model.Text().size());
        case EM_GETSEL:
            return GetSelection(edit, wParam, lParam);
        case EM_SETSEL:
            model.SetSelection(static_cast<long>(static_cast<LONG_PTR>(wParam)),
                               static_cast<long>(lParam));
            Refresh(edit, false);
            return 0;
        case EM_REPLACESEL:
            model.ReplaceSelection(lParam != 0 ? reinterpret_cast<const wchar_t*>(lParam) : L"");
            Refresh(edit, true);
            return 0;
        case EM_LIMITTEXT:
            model.SetLimit(static_cast<std::size_t>(wParam));
            return 0;
        case EM_GETLIMITTEXT:
            return static_cast<LRESULT>(model.Limit());
        case EM_SETREADONLY:
            model.SetReadOnly(wParam != 0);
            SetStyleBit(hwnd, ES_READONLY, wParam != 0);
            InvalidateRect(hwnd, nullptr, FALSE);
            return TRUE;
        case EM_SETPASSWORDCHAR:
            model.SetPasswordChar(static_cast<wchar_t>(wParam));
            SetStyleBit(hwnd, ES_PASSWORD, wParam != 0);
            Refresh(edit, false);
            return 0;
        case EM_GETPASSWORDCHAR:
            return static_cast<LRESULT>(model.PasswordChar());
        case EM_SETMODIFY:
            edit.modified = wParam != 0;
            return 0;
        case EM_GETMODIFY:
            return edit.modified ? TRUE : FALSE;
        case EM_SETMARGINS: {
            auto word = [wParam](WORD value) {
                return wParam == EC_USEFONTINFO ? 1 : static_cast<int>(value);
            };
            if ((wParam & EC_LEFTMARGIN) != 0) {
                edit.leftMargin = word(LOWORD(static_cast<std::uintptr_t>(lParam)));
            }
            if ((wParam & EC_RIGHTMARGIN) != 0) {
                edit.rightMargin = word(HIWORD(static_cast<std::uintptr_t>(lParam)));
            }
            Refresh(edit, false);
            return 0;
        }
        case EM_GETMARGINS:
            return MAKELRESULT(edit.leftMargin, edit.rightMargin);
        case EM_CANUNDO:
            return model.CanUndo() ? TRUE : FALSE;
        case EM_UNDO:
        case WM_UNDO: {
            bool undone = model.Undo();
            Refresh(edit, true);
            return undone ? TRUE : FALSE;
        }
        case WM_COPY:
            Copy(edit);
            return 0;
        case WM_CUT:
            Cut(edit);
            Refresh(edit, true);
            return 0;
        case WM_PASTE:
            Paste(edit);
            Refresh(edit, true);
            return 0;
        case WM_CLEAR:
            model.DeleteSelection();
            Refresh(edit, true);
            return 0;
        case WM_SETFONT:
            edit.font = reinterpret_cast<HFONT>(wParam);
            if (edit.focused) {
                CreateEditCaret(edit);  // as high as a line of the new font
            }
            if (LOWORD(static_cast<std::uintptr_t>(lParam)) != 0) {
                Refresh(edit, false);
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(edit.font);
        case WM_GETDLGCODE:
            return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        case WM_SETFOCUS:
            edit.focused = true;
            CreateEditCaret(edit);
            Refresh(edit, false);
            Notify(hwnd, EN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            edit.focused = false;
            edit.composition.clear();
            DestroyCaret();
            InvalidateRect(hwnd, nullptr, FALSE);
            Notify(hwnd, EN_KILLFOCUS);
            return 0;
        case WM_ENABLE:
        case WM_SIZE:
            Refresh(edit, false);
            return 0;
        case WM_KEYDOWN:
            KeyDown(edit, static_cast<int>(wParam));
            Refresh(edit, true);
            return 0;
        case WM_CHAR:
            Typed(edit, static_cast<wchar_t>(wParam));
            Refresh(edit, true);
            return 0;
        case WM_IME_STARTCOMPOSITION:
        case WM_IME_COMPOSITION:
            if (!model.ReadOnly()) {
                edit.composition = ImeComposition(&edit.compositionCursor);
                Refresh(edit, false);
            }
            return 0;
        case WM_IME_ENDCOMPOSITION:
            edit.composition.clear();
            Refresh(edit, false);
            return 0;
        case WM_LBUTTONDOWN:
            if (GetFocus() != hwnd) {
                SetFocus(hwnd);
            }
            model.MoveCaret(EditIndexAt(edit, PointOf(lParam)), (wParam & MK_SHIFT) != 0);
            edit.dragging = true;
            SetCapture(hwnd);
            Refresh(edit, false);
            return 0;
        case WM_LBUTTONDBLCLK:
            model.SelectWordAt(EditIndexAt(edit, PointOf(lParam)));
            Refresh(edit, false);
            return 0;
        case WM_MOUSEMOVE:
            if (edit.dragging) {
                model.MoveCaret(EditIndexAt(edit, PointOf(lParam)), true);
                Refresh(edit, false);
            }
            return 0;
        case WM_LBUTTONUP:
            if (edit.dragging && GetCapture() == hwnd) {
                ReleaseCapture();
            }
            edit.dragging = false;
            return 0;
        case WM_CAPTURECHANGED:
            edit.dragging = false;
            return 0;
        case WM_PAINT:
            return PaintWindow(hwnd, [&edit](HDC dc) { PaintEdit(edit, dc); });
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

LRESULT EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return RecordWindowProc<EditWindow>(kEditProperty, hwnd, message, wParam, lParam, MakeEdit,
                                        EditMessage);
}

}  // namespace

void RegisterEditClass() {
    WNDCLASS wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = EditProc;
    wc.lpszClassName = WC_EDIT;
    wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
    RegisterClass(&wc);
}

}  // namespace platform::controls
