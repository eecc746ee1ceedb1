#include "platform/controls/FieldEditor.h"

#include <gtest/gtest.h>

using Cmd = plat::FieldEditor::Command;
using Range = plat::FieldEditor::Range;

TEST(PlatFieldEditor, TypingReplacesTheSelectionAndNotifies)
{
    plat::FieldEditor editor;
    int changes = 0;
    editor.SetOnChange([&] { ++changes; });
    editor.SetText("hello world");
    editor.SetSelection({0, 5});
    EXPECT_TRUE(editor.InsertText("bye"));
    EXPECT_EQ(editor.Text(), "bye world");
    EXPECT_EQ(editor.Selection(), (Range{3, 0}));
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(editor.InsertText(""));
    EXPECT_EQ(changes, 1);
}

TEST(PlatFieldEditor, ChangeHookCanRejectTyping)
{
    plat::FieldEditor editor;
    editor.SetShouldChange([](Range, const std::string& text) { return text.find('x') == std::string::npos; });
    editor.InsertText("abc");
    EXPECT_FALSE(editor.InsertText("x"));
    editor.PerformCommand(Cmd::DeleteBackward);
    EXPECT_EQ(editor.Text(), "ab");
    editor.SetEditable(false);
    EXPECT_FALSE(editor.InsertText("d"));
    EXPECT_EQ(editor.Text(), "ab");
}

TEST(PlatFieldEditor, CaretMovesAndDeletesWholeCharacters)
{
    plat::FieldEditor editor;
    editor.SetText("a\xC3\xA9z");     // a, e-acute (two bytes), z
    editor.PerformCommand(Cmd::MoveLeft);
    editor.PerformCommand(Cmd::MoveLeft);
    EXPECT_EQ(editor.Selection(), (Range{1, 0}));
    editor.PerformCommand(Cmd::DeleteForward);
    EXPECT_EQ(editor.Text(), "az");
    editor.SetText("a\xC3\xA9");
    editor.PerformCommand(Cmd::DeleteBackward);
    EXPECT_EQ(editor.Text(), "a");
    editor.SetSelection({0, 0});
    editor.PerformCommand(Cmd::DeleteBackward);
    EXPECT_EQ(editor.Text(), "a");
    editor.SetText("a\xC3\xA9z");
    editor.SetSelection({2, 1});      // inside the two-byte character
    EXPECT_EQ(editor.Selection(), (Range{1, 2}));
    editor.SetSelection({99, 5});
    EXPECT_EQ(editor.Selection(), (Range{4, 0}));
}

TEST(PlatFieldEditor, ShiftArrowsExtendFromTheAnchor)
{
    plat::FieldEditor editor;
    editor.SetText("abcdef");
    editor.SetSelection({3, 0});
    editor.PerformCommand(Cmd::MoveRightExtend);
    editor.PerformCommand(Cmd::MoveRightExtend);
    EXPECT_EQ(editor.Selection(), (Range{3, 2}));
    editor.PerformCommand(Cmd::MoveLeftExtend);
    editor.PerformCommand(Cmd::MoveLeftExtend);
    editor.PerformCommand(Cmd::MoveLeftExtend);
    EXPECT_EQ(editor.Selection(), (Range{2, 1}));
    editor.PerformCommand(Cmd::MoveRight);
    EXPECT_EQ(editor.Selection(), (Range{3, 0}));
    EXPECT_EQ(editor.Cut(), "");
}

TEST(PlatFieldEditor, NewlineAndTabAreTextOnlyWhenMultiLine)
{
    plat::FieldEditor editor;
    editor.PerformCommand(Cmd::InsertNewline);
    editor.PerformCommand(Cmd::InsertTab);
    EXPECT_EQ(editor.Text(), "");
    editor.SetMultiLine(true);
    editor.PerformCommand(Cmd::InsertNewline);
    editor.PerformCommand(Cmd::InsertTab);
    EXPECT_EQ(editor.Text(), "\n\t");
}

TEST(PlatFieldEditor, CommandHookSeesCommandsFirst)
{
    plat::FieldEditor editor;
    editor.SetText("abc");
    editor.SetCommandHook([](Cmd c) { return c == Cmd::DeleteBackward; });
    editor.DoCommand(Cmd::DeleteBackward);
    EXPECT_EQ(editor.Text(), "abc");
    editor.DoCommand(Cmd::SelectAll);
    EXPECT_EQ(editor.Cut(), "abc");
    EXPECT_EQ(editor.Text(), "");
    editor.Paste("xy");
    EXPECT_EQ(editor.Text(), "xy");
}
