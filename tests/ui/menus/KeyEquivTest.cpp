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
    for (const char* bad : {"ca", "c", "", "s\x7F", static_cast<const char*>(nullptr)}) {
        bool ok = true;
        Parse(bad, &ok);
        EXPECT_FALSE(ok) << (bad ? bad : "null");
    }
}

TEST(KeyEquiv, WritesTheSpecOfAKeyPress)
{
    EXPECT_EQ(KeyCode('a', 0), "nA");
    EXPECT_EQ(KeyCode('a', kShift), "snA");
    EXPECT_EQ(KeyCode('s', kCommand), "S");
    EXPECT_EQ(KeyCode('1', kShift | kCommand), "1"); // shift only counts for letters
    EXPECT_EQ(KeyCode('x', kControl | kOption | kShift | kCommand), "cosX");
    for (const auto& [plain, modifiers] : {std::pair('\x1B', 0u), std::pair('\x7F', kCommand)}) {
        bool ok = true;
        KeyCode(plain, modifiers, &ok);
        EXPECT_FALSE(ok) << int(plain);
    }
}

TEST(KeyEquiv, RendersModifierNamesAsLinuxUsersReadThem)
{
    EXPECT_EQ(Display(' ', kControl | kShift | kCommand), "Ctrl+Super+Space"); // shift not for a space
    EXPECT_EQ(Display('z', kControl | kOption | kShift | kCommand), "Ctrl+Alt+Shift+Super+Z");
    LStrStream out;
    EXPECT_TRUE(KeyEquiv::Render({' ', KeyEquiv::kControl | KeyEquiv::kShift | KeyEquiv::kCommand}, out));
    EXPECT_EQ(out.View(), "Ctrl+Shift+Super+Space");
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
