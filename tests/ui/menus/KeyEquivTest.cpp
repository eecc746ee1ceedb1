#include "foundation/core/LStrStream.h"
#include "foundation/input/LKeyboard.h"
#include "ui/menus/KeyEquiv.h"

#include <gtest/gtest.h>
#include <string>

namespace {

constexpr uint32_t kShift = 0x20000, kControl = 0x40000, kOption = 0x80000, kCommand = 0x100000;

KeyEquiv::Parsed Parse(const char* text, bool* ok = nullptr)
{
    KeyEquiv::Parsed parsed;
    const bool parsedOk = KeyEquiv::Parse(text, parsed);
    if (ok)
        *ok = parsedOk;
    return parsedOk ? parsed : KeyEquiv::Parsed{0xFF, 0xFF};
}

std::string KeyCode(char plain, uint32_t modifiers, bool* ok = nullptr)
{
    LKeyboard keyboard;
    keyboard.plainCharacter = static_cast<uint8_t>(plain);
    keyboard.modifiers = modifiers;
    LStrStream out;
    const bool written = KeyEquiv::WriteSpec(keyboard, out);
    if (ok)
        *ok = written;
    return std::string(out.View());
}

std::string Display(char plain, uint32_t modifiers)
{
    LKeyboard keyboard;
    keyboard.plainCharacter = static_cast<uint8_t>(plain);
    keyboard.modifiers = modifiers;
    LStrStream out;
    return KeyEquiv::WriteDisplay(keyboard, out) ? std::string(out.View()) : "-";
}

} // namespace

TEST(KeyEquiv, ParsesModifierLettersThenTheKey)
{
    EXPECT_EQ(Parse("sS").key, 'S');
    EXPECT_EQ(Parse("sS").mask, KeyEquiv::kShift | KeyEquiv::kCommand);
    EXPECT_EQ(Parse("nA").mask, 0u);
    EXPECT_EQ(Parse("coX").mask, KeyEquiv::kControl | KeyEquiv::kOption | KeyEquiv::kCommand);
    EXPECT_EQ(Parse("zq?").mask, KeyEquiv::kCommand); // unknown letters are skipped
    EXPECT_EQ(Parse(" ").key, ' ');
    bool ok = true;
    Parse("ca", &ok);
    EXPECT_FALSE(ok);
    Parse("c", &ok);
    EXPECT_FALSE(ok);
    Parse("", &ok);
    EXPECT_FALSE(ok);
    Parse("s\x7F", &ok);
    EXPECT_FALSE(ok);
    Parse(nullptr, &ok);
    EXPECT_FALSE(ok);
}

TEST(KeyEquiv, WritesTheSpecOfAKeyPress)
{
    EXPECT_EQ(KeyCode('a', 0), "nA");
    EXPECT_EQ(KeyCode('a', kShift), "snA");
    EXPECT_EQ(KeyCode('s', kCommand), "S");
    EXPECT_EQ(KeyCode('1', kShift | kCommand), "1"); // shift only counts for letters
    EXPECT_EQ(KeyCode('x', kControl | kOption | kShift | kCommand), "cosX");
    bool ok = true;
    KeyCode('\x1B', 0, &ok);
    EXPECT_FALSE(ok);
    KeyCode('\x7F', kCommand, &ok);
    EXPECT_FALSE(ok);
}

TEST(KeyEquiv, RendersModifierNamesAsLinuxUsersReadThem)
{
    EXPECT_EQ(Display(' ', kControl | kShift | kCommand), "Super+Ctrl+Space"); // shift not for a space
    EXPECT_EQ(Display('z', kControl | kOption | kShift | kCommand), "Super+Ctrl+Alt+Shift+Z");
    EXPECT_EQ(Display('z', kShift | kCommand), "Ctrl+Shift+Z");
    LStrStream out;
    EXPECT_TRUE(KeyEquiv::Render({' ', KeyEquiv::kControl | KeyEquiv::kShift | KeyEquiv::kCommand}, out));
    EXPECT_EQ(out.View(), "Super+Ctrl+Shift+Space");
    LStrStream none;
    EXPECT_FALSE(KeyEquiv::Render({200, KeyEquiv::kCommand}, none));
    EXPECT_EQ(none.Length(), 0u);
    EXPECT_EQ(Display('\t', 0), "-");
}

TEST(KeyEquiv, MenuModifiersAreControlOptionAndCommand)
{
    LKeyboard keyboard;
    keyboard.modifiers = kShift;
    EXPECT_FALSE(KeyEquiv::HasMenuModifier(keyboard));
    for (uint32_t flag : {kControl, kOption, kCommand}) {
        keyboard.modifiers = flag;
        EXPECT_TRUE(KeyEquiv::HasMenuModifier(keyboard));
    }
}
