#include "platform/window/controls/edit/edit_text_model.h"

#include <gtest/gtest.h>

#include "platform/win32.h"

namespace {

using platform::controls::EditKey;
using platform::controls::EditKeyResult;
using platform::controls::EditTextModel;

EditTextModel WithText(const std::wstring& text, bool multiLine = false) {
    EditTextModel model;
    model.SetMultiLine(multiLine);
    model.SetText(text);
    return model;
}

TEST(EditTextModel, TypingReplacesTheSelectionAndLeavesTheCaretAfterIt) {
    auto model = WithText(L"hello world");
    model.SetSelection(6, 11);
    EXPECT_TRUE(model.Type(L"there"));
    EXPECT_EQ(model.Text(), L"hello there");
    EXPECT_EQ(model.Caret(), 11u);
    EXPECT_FALSE(model.HasSelection());
    EXPECT_TRUE(model.TakeTextChanged());
    EXPECT_FALSE(model.TakeTextChanged());
}

TEST(EditTextModel, SetSelectionTakesMinusOneAsEndOfTextOrNoSelection) {
    auto model = WithText(L"abcdef");
    model.SetSelection(4, 1);
    EXPECT_EQ(model.SelectionStart(), 1u);
    EXPECT_EQ(model.SelectionEnd(), 4u);
    EXPECT_EQ(model.Caret(), 1u);
    EXPECT_EQ(model.SelectedText(), L"bcd");
    model.SetSelection(2, -1);
    EXPECT_EQ(model.SelectedText(), L"cdef");
    model.SetSelection(-1, 0);
    EXPECT_FALSE(model.HasSelection());
    EXPECT_EQ(model.Caret(), 6u);
    model.SetSelection(100, 200);
    EXPECT_EQ(model.Caret(), 6u);
}

TEST(EditTextModel, LimitRefusesACharacterAndCutsLongerTextToFit) {
    auto model = WithText(L"abc");
    model.SetLimit(5);
    model.MoveCaret(3, false);
    EXPECT_TRUE(model.Type(L"XYZ"));
    EXPECT_EQ(model.Text(), L"abcXY");
    EXPECT_FALSE(model.Type(L"Q"));
    EXPECT_EQ(model.Text(), L"abcXY");
    // Replacing a selection frees its room.
    model.SetSelection(0, 2);
    EXPECT_TRUE(model.Type(L"12"));
    EXPECT_EQ(model.Text(), L"12cXY");
    // The limit does not cut a text that is set as a whole.
    model.SetText(L"longer than five");
    EXPECT_EQ(model.Text(), L"longer than five");
}

TEST(EditTextModel, NumberOnlyRefusesAnythingButDigitsTypedOrPasted) {
    EditTextModel model;
    model.SetNumberOnly(true);
    EXPECT_TRUE(model.Type(L"12"));
    EXPECT_FALSE(model.Type(L"a"));
    EXPECT_FALSE(model.ReplaceSelection(L"3-4"));
    EXPECT_TRUE(model.ReplaceSelection(L"34"));
    EXPECT_EQ(model.Text(), L"1234");
}

TEST(EditTextModel, ReadOnlyRefusesEveryChangeButMovesTheCaret) {
    auto model = WithText(L"fixed");
    model.SetReadOnly(true);
    model.SelectAll();
    EXPECT_FALSE(model.Type(L"x"));
    EXPECT_FALSE(model.Backspace());
    EXPECT_EQ(model.HandleKey(EditKey{'X', false, true}), EditKeyResult::kHandled);
    EXPECT_EQ(model.HandleKey(EditKey{'C', false, true}), EditKeyResult::kCopy);
    EXPECT_EQ(model.HandleKey(EditKey{VK_HOME}), EditKeyResult::kHandled);
    EXPECT_EQ(model.Caret(), 0u);
    EXPECT_EQ(model.Text(), L"fixed");
}

TEST(EditTextModel, PasswordShowsMaskNeverCopiesAndHasNoWords) {
    auto model = WithText(L"secret pass");
    model.SetPasswordChar(L'*');
    EXPECT_EQ(model.DisplayText(), L"***********");
    model.SelectAll();
    EXPECT_EQ(model.HandleKey(EditKey{'C', false, true}), EditKeyResult::kHandled);
    EXPECT_EQ(model.HandleKey(EditKey{'X', false, true}), EditKeyResult::kHandled);
    EXPECT_EQ(model.HandleKey(EditKey{VK_INSERT, false, true}), EditKeyResult::kHandled);
    EXPECT_EQ(model.HandleKey(EditKey{'V', false, true}), EditKeyResult::kPaste);
    model.MoveCaret(2, false);
    model.HandleKey(EditKey{VK_RIGHT, false, true});
    EXPECT_EQ(model.Caret(), 11u);
    model.SelectWordAt(3);
    EXPECT_EQ(model.SelectedText(), L"secret pass");
}

TEST(EditTextModel, ControlArrowsMoveByWordAndShiftExtends) {
    auto model = WithText(L"one, two  three");
    model.HandleKey(EditKey{VK_RIGHT, false, true});
    EXPECT_EQ(model.Caret(), 3u);  // the comma is a word of its own
    model.HandleKey(EditKey{VK_RIGHT, false, true});
    EXPECT_EQ(model.Caret(), 5u);
    model.HandleKey(EditKey{VK_RIGHT, true, true});
    EXPECT_EQ(model.SelectedText(), L"two  ");
    model.HandleKey(EditKey{VK_END, true, false});
    EXPECT_EQ(model.SelectedText(), L"two  three");
    model.HandleKey(EditKey{VK_LEFT, false, true});
    EXPECT_EQ(model.Caret(), 10u);
    EXPECT_FALSE(model.HasSelection());
    model.HandleKey(EditKey{VK_LEFT, false, true});
    EXPECT_EQ(model.Caret(), 5u);
}

TEST(EditTextModel, ArrowWithoutShiftCollapsesTheSelectionToItsSide) {
    auto model = WithText(L"abcdef");
    model.SetSelection(1, 4);
    model.HandleKey(EditKey{VK_LEFT});
    EXPECT_EQ(model.Caret(), 1u);
    EXPECT_FALSE(model.HasSelection());
    model.SetSelection(4, 1);
    model.HandleKey(EditKey{VK_RIGHT});
    EXPECT_EQ(model.Caret(), 4u);
}

TEST(EditTextModel, BackspaceAndDeleteTakeOneCharacterOrTheSelection) {
    auto model = WithText(L"abcdef");
    model.MoveCaret(3, false);
    EXPECT_TRUE(model.Backspace());
    EXPECT_EQ(model.Text(), L"abdef");
    EXPECT_EQ(model.HandleKey(EditKey{VK_DELETE}), EditKeyResult::kHandled);
    EXPECT_EQ(model.Text(), L"abef");
    model.SetSelection(1, 3);
    EXPECT_TRUE(model.Delete());
    EXPECT_EQ(model.Text(), L"af");
    model.MoveCaret(0, false);
    EXPECT_FALSE(model.Backspace());
    model.MoveCaret(2, false);
    EXPECT_FALSE(model.Delete());
}

TEST(EditTextModel, UndoRevertsATypingRunAsOneStepAndUndoAgainRedoes) {
    auto model = WithText(L"ab");
    model.MoveCaret(2, false);
    model.Type(L"c");
    model.Type(L"d");
    EXPECT_EQ(model.Text(), L"abcd");
    EXPECT_EQ(model.HandleKey(EditKey{'Z', false, true}), EditKeyResult::kHandled);
    EXPECT_EQ(model.Text(), L"ab");
    EXPECT_EQ(model.Caret(), 2u);
    EXPECT_TRUE(model.Undo());
    EXPECT_EQ(model.Text(), L"abcd");
    // A caret move ends the run: the next typing is a step of its own.
    model.MoveCaret(0, false);
    model.Type(L"X");
    model.Undo();
    EXPECT_EQ(model.Text(), L"abcd");
}

TEST(EditTextModel, SingleLinePasteKeepsTheFirstLineMultiLineKeepsAll) {
    EditTextModel single;
    EXPECT_TRUE(single.ReplaceSelection(L"first\r\nsecond"));
    EXPECT_EQ(single.Text(), L"first");
    EditTextModel multi;
    multi.SetMultiLine(true);
    EXPECT_TRUE(multi.ReplaceSelection(L"first\r\nsecond\rthird"));
    EXPECT_EQ(multi.Text(), L"first\nsecond\nthird");
}

TEST(EditTextModel, MultiLineKeysMoveByLineKeepingTheColumn) {
    auto model = WithText(L"abcd\nxy\nlonger", true);
    model.MoveCaret(3, false);
    model.HandleKey(EditKey{VK_DOWN});
    EXPECT_EQ(model.Caret(), 7u);  // end of "xy", the shorter line
    model.HandleKey(EditKey{VK_DOWN});
    EXPECT_EQ(model.Caret(), 10u);
    model.HandleKey(EditKey{VK_HOME});
    EXPECT_EQ(model.Caret(), 8u);
    model.HandleKey(EditKey{VK_END, true});
    EXPECT_EQ(model.SelectedText(), L"longer");
    model.HandleKey(EditKey{VK_HOME, false, true});
    EXPECT_EQ(model.Caret(), 0u);
    model.HandleKey(EditKey{VK_UP});
    EXPECT_EQ(model.Caret(), 0u);
}

TEST(EditTextModel, DoubleClickWordStopsAtSpacesPunctuationAndLineBreaks) {
    auto model = WithText(L"foo bar_1.baz\n中文字", true);
    model.SelectWordAt(5);
    EXPECT_EQ(model.SelectedText(), L"bar_1");
    model.SelectWordAt(9);
    EXPECT_EQ(model.SelectedText(), L".");
    model.SelectWordAt(15);
    EXPECT_EQ(model.SelectedText(), L"中文字");
    model.SelectWordAt(100);
    EXPECT_EQ(model.SelectedText(), L"中文字");
}

TEST(EditTextModel, SelectAllAndClipboardKeysAreReportedToTheWindow) {
    auto model = WithText(L"abc");
    EXPECT_EQ(model.HandleKey(EditKey{'A', false, true}), EditKeyResult::kSelectAll);
    EXPECT_EQ(model.SelectedText(), L"abc");
    EXPECT_EQ(model.HandleKey(EditKey{'C', false, true}), EditKeyResult::kCopy);
    EXPECT_EQ(model.HandleKey(EditKey{'X', false, true}), EditKeyResult::kCut);
    EXPECT_EQ(model.HandleKey(EditKey{VK_DELETE, true}), EditKeyResult::kCut);
    EXPECT_EQ(model.HandleKey(EditKey{'V', false, true}), EditKeyResult::kPaste);
    EXPECT_EQ(model.HandleKey(EditKey{'V'}), EditKeyResult::kIgnored);
    EXPECT_EQ(model.Text(), L"abc");
}

}  // namespace
