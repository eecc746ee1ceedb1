#include "ControlHost.h"
#include "controls/edit/CMacEditText.h"
#include "controls/edit/LEditText.h"
#include "foundation/input/LKeyboard.h"
#include "platform/controls/TextFieldView.h"

#include <gtest/gtest.h>

namespace {

// An edit text shown in the host's key window, and the keyboard state its keys come from.
class LEditTextTest : public ::testing::Test {
protected:
    void Make(uint32_t mode, uint32_t style = 0)
    {
        field = std::make_unique<LEditText>(&host, mode, style);
        Activate(*field, CLRect{10, 10, 210, 32});
        field->SetState(kEventKeyWindow);
    }
    void Focus() { field->SetState(kEventFocus); }
    // A key as the window's view delivers it: "LKeyboard_Down", then "LKeyboard_Char" when let through.
    void Key(const char* characters, uint32_t modifiers = 0)
    {
        keyboard.SetKey(characters, characters, 0, modifiers, nullptr);
        keyboard.DeliverKeyDown(field.get());
    }
    void Type(const std::string& characters)
    {
        host.driver.PostKey(plat::EventType::KeyDown, characters, 0);
        host.driver.DeliverAll();
    }

    ControlHost host;
    LKeyboard keyboard;
    std::unique_ptr<LEditText> field;
};

} // namespace

TEST_F(LEditTextTest, FocusOpensTheEditorAndTypingReportsChanges)
{
    Make(LEditText::kSingleLine);
    field->SetText("ab");
    Focus();
    ASSERT_NE(field->Editor(), nullptr);
    EXPECT_EQ(host.fWindow->FirstResponder(), field->Editor()->Field());
    Type("c");
    EXPECT_EQ(host.Count(LEditText::msgChange), 1);
    EXPECT_EQ(field->GetText(), "c");                 // focusing selected all: typing replaced it
    field->SetState(kEventUnfocus);
    EXPECT_EQ(field->Editor(), nullptr);
    EXPECT_EQ(field->GetText(), "c");
    EXPECT_EQ(host.Count(LEditText::msgUnfocused), 1);
}

TEST_F(LEditTextTest, ReturnInASingleLineFieldGoesUpUnlessClaimed)
{
    Make(LEditText::kSingleLine);
    Focus();
    Key("\r");
    EXPECT_EQ(host.Count(LEditText::msgDown), 1);
    EXPECT_EQ(host.Count(LKeyboard::msgDown), 1);     // unclaimed: on to the dialog
    host.consume = {LEditText::msgDown};
    Key("\r");
    EXPECT_EQ(host.Count(LEditText::msgDown), 2);
    EXPECT_EQ(host.Count(LKeyboard::msgDown), 1);
    EXPECT_EQ(keyboard.charFlag, 1);
}

TEST_F(LEditTextTest, ArrowsGoUpOnlyWhenTheWholeTextIsSelected)
{
    Make(LEditText::kSingleLine);
    field->SetText("abc");
    Focus();                                          // all selected
    Key("\xEF\x9C\x82");                              // Left
    EXPECT_EQ(host.Count(LEditText::msgDown), 1);
    field->Editor()->SetSelection(1, 0);
    Key("\xEF\x9C\x82");
    EXPECT_EQ(host.Count(LEditText::msgDown), 1);     // moves the caret instead
    EXPECT_EQ(keyboard.charFlag, 0);
    Key("\xEF\x9C\x82", 0x20000);                     // Shift-Left always edits
    EXPECT_EQ(host.Count(LEditText::msgDown), 1);
}

TEST_F(LEditTextTest, TabIsTextOnlyInAMultiLineField)
{
    Make(LEditText::kMultiLine);
    Focus();
    Key("\t");
    EXPECT_EQ(host.Count(LEditText::msgDown), 0);
    field->SetState(kEventUnfocus);
    Make(LEditText::kWrapped);
    Focus();
    Key("\t");
    EXPECT_EQ(host.Count(LEditText::msgDown), 1);
}

TEST_F(LEditTextTest, HiddenFieldOpensNoEditorAndDropsFocusWhenMovedOut)
{
    Make(LEditText::kSingleLine);
    host.visible = CLRect{0, 0, 100, 200};            // cuts the field
    Focus();
    EXPECT_EQ(field->Editor(), nullptr);
    field->SetState(kEventUnfocus);
    host.visible = CLRect{0, 0, 300, 200};
    Focus();
    ASSERT_NE(field->Editor(), nullptr);
    host.visible = CLRect{0, 0, 100, 200};
    field->SetState(kEventMoved);
    EXPECT_EQ(field->Editor(), nullptr);
    EXPECT_FALSE(field->HasFlags(kPaneFocused));
}

TEST_F(LEditTextTest, InsetsAndPreferredSizesFollowTheStyle)
{
    Make(LEditText::kSingleLine, LEditText::kBorderless);
    EXPECT_EQ(field->TextRect(), (CLRect{11, 11, 209, 31}));
    EXPECT_EQ(field->InnerRect(), (CLRect{10, 10, 210, 32}));
    EXPECT_EQ(field->PrefWidth(nullptr, -1), 3);
    EXPECT_EQ(field->PrefHeight(nullptr, -1), 1);
    Make(LEditText::kMultiLine, LEditText::kScrollBars);
    ASSERT_NE(field->VerticalBar(), nullptr);
    ASSERT_NE(field->HorizontalBar(), nullptr);
    EXPECT_EQ(field->TextRect(), (CLRect{12, 12, 192, 14}));
    EXPECT_EQ(field->PrefWidth(nullptr, -2), 2 * 2 + 2 + 16);
    Make(LEditText::kWrapped, LEditText::kScrollBars);
    EXPECT_NE(field->VerticalBar(), nullptr);
    EXPECT_EQ(field->HorizontalBar(), nullptr);
}
