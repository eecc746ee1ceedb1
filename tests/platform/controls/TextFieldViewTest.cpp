#include "platform/controls/KeyCommand.h"
#include "platform/controls/TextFieldView.h"
#include "platform/draw/Bitmap.h"
#include "platform/window/DisplayCycle.h"
#include "platform/window/Pasteboard.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyle.h"
#include "platform/window/WindowTestDriver.h"

#include <gtest/gtest.h>

using namespace plat;
using Cmd = FieldEditor::Command;

namespace {

// A key window with one text field; the field's delegate records what it hears.
class TextFieldViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fWindow->ContentView()->AddSubview(fField.Get());
        fWindow->MakeKeyAndOrderFront();
        fField->SetDelegate({
            [this] { ++begins; },
            [this] { ++changes; },
            [this](Cmd command) { commands.push_back(command); return claim; },
            [](FieldEditor::Range, const std::string& text) { return text.find('!') == std::string::npos; },
            nullptr,
        });
    }
    void ClickField() { fDriver.Click(fWindow->ConvertBaseToScreen(Point{50, 85})); }
    void Type(const std::string& characters, uint32_t modifiers = 0)
    {
        fDriver.PostKey(EventType::KeyDown, characters, 0, modifiers);
        fDriver.DeliverAll();
    }

    WindowTestDriver fDriver;
    Ref<Window> fWindow = Window::Make(Rect{0, 0, 200, 100}, kStyleTitled);
    Ref<TextFieldView> fField = TextFieldView::Make(Rect{10, 70, 180, 22});
    int begins = 0;
    int changes = 0;
    bool claim = false;
    std::vector<Cmd> commands;
};

} // namespace

TEST_F(TextFieldViewTest, ClickOpensTheEditorAndTypingChangesTheText)
{
    fField->SetStringValue("ab");
    ClickField();
    ASSERT_TRUE(fField->IsEditing());
    EXPECT_EQ(fWindow->FirstResponder(), fField.Get());
    EXPECT_EQ(begins, 1);
    Type("c");
    Type("\xC3\xA9");
    Type("!");                          // rejected by the change hook
    EXPECT_EQ(fField->StringValue(), "abc\xC3\xA9");
    EXPECT_EQ(changes, 2);
    Type("\x7f");
    EXPECT_EQ(fField->StringValue(), "abc");
    fField->EndEditing();
    EXPECT_FALSE(fField->IsEditing());
    EXPECT_EQ(fField->StringValue(), "abc");
}

TEST_F(TextFieldViewTest, CommandKeysAreOfferedToTheProgramFirst)
{
    ClickField();
    Type("x");
    claim = true;
    Type("\r");
    Type("\xEF\x9C\x82");               // left arrow, claimed: the caret stays
    claim = false;
    Type("\xEF\x9C\x82");
    Type("y");
    EXPECT_EQ(fField->StringValue(), "yx");
    EXPECT_EQ(commands, (std::vector<Cmd>{Cmd::InsertNewline, Cmd::MoveLeft, Cmd::MoveLeft}));
}

TEST_F(TextFieldViewTest, CopyAndPasteUseTheGeneralPasteboard)
{
    fField->SetStringValue("hello");
    ClickField();
    Type("a", kModCommand);
    Type("c", kModCommand);
    const auto copied = Pasteboard::General().Data(Pasteboard::kTypeText);
    ASSERT_TRUE(copied);
    EXPECT_EQ(std::string(copied->begin(), copied->end()), "hello");
    Pasteboard::General().Clear();
    Pasteboard::General().SetText(Pasteboard::kTypeText, "a!b");
    Type("v", kModCommand);             // the hook rejects the whole paste
    EXPECT_EQ(fField->StringValue(), "hello");
    fField->SetSecure(true);
    fField->EndEditing();
    ClickField();
    Type("v", kModCommand);             // a secure field has no filter
    EXPECT_EQ(fField->StringValue(), "helloa!b");
}

TEST(PlatKeyCommand, MapsKeysToCommands)
{
    EXPECT_EQ(KeyToCommand(0xF702, kModShift), Cmd::MoveLeftExtend);
    EXPECT_EQ(KeyToCommand(13, 0), Cmd::InsertNewline);
    EXPECT_EQ(KeyToCommand(9, kModShift), Cmd::InsertBacktab);
    EXPECT_EQ(KeyToCommand('a', 0), std::nullopt);
    EXPECT_EQ(FirstCharacter("\xEF\x9C\x80"), 0xF700u);
    EXPECT_EQ(FirstCharacter("\xEF\x9C"), 0u);
    EXPECT_EQ(FirstCharacter("\x80"), 0u);
    EXPECT_EQ(FirstCharacter(""), 0u);
}

TEST_F(TextFieldViewTest, DrawsItsTextAndSelectionInTheDisplayCycle)
{
    std::string error;
    Ref<Font> font = Ref<Font>::Adopt(Font::Open("DejaVu Sans", 13, false, false, &error));
    ASSERT_TRUE(font) << error;
    fField->SetFont(font.Get());
    fField->SetStringValue("Wide text");
    ASSERT_TRUE(DisplayCycle::Display(*fWindow));
    const Bitmap* image = fWindow->BackingImage();
    ASSERT_NE(image, nullptr);
    // The field's frame is at x 10, y 8 (top-down) in the 200 x 100 content; text starts at its left.
    int dark = 0;
    for (int y = 8; y < 30; ++y)
        for (int x = 10; x < 10 + static_cast<int>(font->Advance("Wide text")); ++x)
            dark += (image->Pixel(x, y) & 0xFF) < 0x60;
    EXPECT_GT(dark, 20);
    fField->BeginEditing();                           // all selected: the selection colour shows
    ASSERT_TRUE(DisplayCycle::Display(*fWindow));
    int selected = 0;
    for (int y = 8; y < 30; ++y)
        for (int x = 10; x < 10 + static_cast<int>(font->Advance("Wide text")); ++x)
            selected += (image->Pixel(x, y) & 0xFFFFFF) == 0xB3CCFF;
    EXPECT_GT(selected, 20);
}

TEST_F(TextFieldViewTest, LongTextScrollsToKeepTheCaretInside)
{
    std::string error;
    Ref<Font> font = Ref<Font>::Adopt(Font::Open("DejaVu Sans", 13, false, false, &error));
    ASSERT_TRUE(font) << error;
    fField->SetFont(font.Get());
    int scrolls = 0;
    fField->SetDelegate({nullptr, nullptr, nullptr, nullptr, [&] { ++scrolls; }});
    ClickField();
    const std::string text(40, 'm');
    for (char c : text)
        Type(std::string(1, c));
    const double caret = font->Advance(text);
    EXPECT_GT(scrolls, 0);
    EXPECT_DOUBLE_EQ(fField->ScrollPoint().x, caret - fField->Frame().width + 1);
    Type("\xEF\x9C\xA9");                              // Home: back to the start
    EXPECT_EQ(fField->ScrollPoint().x, 0);
}
